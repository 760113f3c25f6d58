// Unit prices of a package's lines: taken over from a DMS answer, or looked
// up in the dealer's local price files.

#include "packages/model/Paket.h"

#include "packages/model/DmsPriceData.h"
#include "platform/OrmelText.h"
#include "platform/StringUtil.h"
#include "platform/ccd/CDIPRec.h"
#include "platform/ccd/CETPriceRec.h"
#include "platform/ccd/CHGPriceRec.h"
#include "platform/ccd/CLagerRec.h"
#include "platform/ccd/CPauschalRec.h"
#include "platform/ccd/CRabattRec.h"
#include "settings/PrgSettings.h"

#include <algorithm>

namespace {

const QString kEuro = QStringLiteral("EUR");

// The three price sets of an answer's flat rate or part into one line; each
// set's currency of the totals follows the set's currency.
template <typename Data> void TakeAnswerPrices(CPosition &line, const Data &data)
{
    if (data.bCustomerPrice)
        line.TakeDmsPrice1(data.customerPrice);
    else if (data.bPrice)
        line.TakeDmsPrice1(data.price);
    line.TakeDmsPrice2(data.standardPrice);
    line.TakeDmsPrice3(data.campaignPrice);
    line.Preise1.TotalsCurrency = line.Preise1.Currency;
    line.Preise2.TotalsCurrency = line.Preise2.Currency;
    line.Preise3.TotalsCurrency = line.Preise3.Currency;
}

// The number texts of the price elements TakeAnswerPrices takes that are no
// plain numbers (those elements price no line).
template <typename Data> QStringList RefusedAnswerTexts(const Data &data)
{
    QStringList refused;
    if (data.bCustomerPrice)
        refused << RefusedPriceTexts(data.customerPrice);
    else if (data.bPrice)
        refused << RefusedPriceTexts(data.price);
    refused << RefusedPriceTexts(data.standardPrice) << RefusedPriceTexts(data.campaignPrice);
    return refused;
}

// Tells the adviser that prices of an answer line were not taken: "The
// answer of the DMS cannot be processed." with the line and the texts.
void ReportRefusedTexts(const QString &what, const QStringList &refused, IPaketNotice &notice)
{
    notice.Notice(OrmelText(5055) + QLatin1Char('\n') + what + QStringLiteral(": ") +
                  refused.join(QStringLiteral(", ")));
}

// The line kind an answer's part type stands for.
QString KindOfPartType(const QString &type)
{
    if (type == QLatin1String("standard"))
        return QStringLiteral("S");
    if (type == QLatin1String("alternative"))
        return QStringLiteral("A");
    if (type == QLatin1String("optional"))
        return QStringLiteral("O");
    return QString();
}

// Key of the flat-rate file: kind letter and the number padded to 35 places.
QString FlatRateKey(QChar kind, const QString &number)
{
    return QString(kind) + number.leftJustified(35, QLatin1Char(' '));
}

// Stock of the training edition for a part the stock file does not know:
// the sum of the last three digits of the part number.
double TrainingStock(const QString &number)
{
    double sum = 0.0;
    for (int i = std::max(0, int(number.size()) - 3); i < number.size(); ++i)
        sum += ParseNumber(number.mid(i, 1));
    return sum;
}

// A price, rate or percentage of a dealer price file (ParsePriceText):
// -1.0 for an empty field or one that is no plain number, so that a
// truncated line never prices a line at 0.00.
double FileNumber(const QString &text)
{
    return ParsePriceText(text);
}

// A record of a price file without a readable price is as if it were not
// in the file.
bool HasFilePrice(const QString &price)
{
    return IsPriceGiven(FileNumber(price));
}

// Set 1 of a line from a record of the dealer's price files. The files
// hold euro prices, as the full look-up of the training edition says: a
// sum of them shows its currency whichever look-up priced it.
void TakeFilePrice(CPosition &line, const QString &price, const QString &vat)
{
    line.Preise1.UnitNet = FileNumber(price);
    line.Preise1.Vat = FileNumber(vat);
    line.Preise1.Currency = kEuro;
    line.Preise1.TotalsCurrency = kEuro;
}

// A unit net price with the dealer's percentage applied; a negative
// percentage leaves the price as it is.
double WithPercentage(double unitNet, double percent)
{
    if (!IsPriceGiven(unitNet) || percent < 0.0)
        return unitNet;
    return unitNet * percent / 100.0;
}

// Set 1 follows set 2 in everything but the (discounted) unit net price.
void TakeOverSet2(CPosition &line, double percent)
{
    line.Preise1.UnitNet = WithPercentage(line.Preise2.UnitNet, percent);
    line.Preise1.Vat = line.Preise2.Vat;
    line.Preise1.FlatPrice = line.Preise2.FlatPrice;
    line.Preise1.Currency = line.Preise2.Currency;
    line.Preise1.TotalsCurrency = line.Preise2.TotalsCurrency;
}

} // namespace

int CPaket::ApplyDmsPartsResponse(const CPrgSettings *settings, const CPartTypeData &part,
                                  IPaketNotice *notice)
{
    const QString kind = KindOfPartType(part.type);
    const QString number = WithoutTrailingBlanks(part.number);
    int found = 0;
    for (const auto &line : m_lines) {
        if (line->Type == POS_SUBPACKAGE) {
            if (line->SubPackage &&
                line->SubPackage->ApplyDmsPartsResponse(settings, part, nullptr))
                found = 1;
            continue;
        }
        if (line->Type != POS_PART || WithoutTrailingBlanks(line->Number) != number)
            continue;
        if (!(line->Kind == kind ||
              (kind == QLatin1String("A") && line->Kind == QLatin1String("B"))))
            continue;
        found = 1;
        TakeAnswerPrices(*line, part);
        // Without a "stock" element the answer says nothing about the stock.
        if (part.bStock) {
            line->Stock = ParseNumber(part.stock);
            line->StockKnown = 1;
        }
        line->ErsetztDurchNummer = part.replacedBy;
        line->ErsetztDurchText = part.replacementDesignation;
        line->ErsetztDurchBeschr = part.replacementDescription;
    }
    const QString what = part.number + QStringLiteral(" (") + part.type + QLatin1Char(')');
    if (!found && notice)
        notice->Notice(OrmelTextArgs(5067, {what}));
    const QStringList refused = RefusedAnswerTexts(part);
    if (found && notice && !refused.isEmpty())
        ReportRefusedTexts(what, refused, *notice);
    return found;
}

int CPaket::ApplyDmsWorkPosResponse(const CPrgSettings *settings, const CFlatRateTypeData &flatRate,
                                    IPaketNotice *notice)
{
    const bool isCar = flatRate.productType == QLatin1String("car");
    const QString number = WithoutTrailingBlanks(flatRate.number);
    int found = 0;
    for (const auto &line : m_lines) {
        if (line->Type == POS_SUBPACKAGE) {
            if (line->SubPackage &&
                line->SubPackage->ApplyDmsWorkPosResponse(settings, flatRate, nullptr))
                found = 1;
            continue;
        }
        if (!isCar || line->Type != POS_WORK || WithoutTrailingBlanks(line->Number) != number)
            continue;
        found = 1;
        TakeAnswerPrices(*line, flatRate);
    }
    const QString what =
        flatRate.number + QStringLiteral(" (") + flatRate.productType + QLatin1Char(')');
    if (!found && notice) {
        QString text = OrmelTextArgs(5066, {what});
        if (!isCar)
            text += QStringLiteral("\n (") + OrmelText(5057) + QLatin1Char(')');
        notice->Notice(text);
    }
    const QStringList refused = RefusedAnswerTexts(flatRate);
    if (found && notice && !refused.isEmpty())
        ReportRefusedTexts(what, refused, *notice);
    return found;
}

void CPaket::LookupHGPrices(const CPrgSettings *settings, CHGPriceRec *hgPrice,
                            CETPriceRec *etPrice, CDIPRec *dipPart, CLagerRec *stock,
                            CPauschalRec *flatRate, CRabattRec *discount, bool lookUp)
{
    const CPosition *head = GetKopf();
    const bool flatHead = head && head->Preise1.FlatPrice != 0;
    for (const auto &line : m_lines) {
        if (IsUnpricedType(line->Type))
            continue;
        line->ResetPrices();
        if (flatHead)
            line->SetSelectionFlag();
        if (!lookUp)
            continue;
        if (line->Type == POS_SUBPACKAGE) {
            if (line->SubPackage)
                line->SubPackage->LookupHGPrices(settings, hgPrice, etPrice, dipPart, stock,
                                                 flatRate, discount, lookUp);
        } else if (line->Type == POS_WORK) {
            line->Preise1.FlatPrice = 0;
            if (hgPrice && hgPrice->SearchPrice(line->Number.left(2)) &&
                HasFilePrice(hgPrice->Preis))
                TakeFilePrice(*line, hgPrice->Preis, hgPrice->MwSt);
        } else if (line->Type == POS_PART) {
            line->Preise1.FlatPrice = 0;
            const QString key = line->Number.left(11);
            if (dipPart && dipPart->SearchErsetztTeil(key) && HasFilePrice(dipPart->Preis)) {
                line->ErsetztDurchNummer = dipPart->ErsetztDurchNr;
                line->ErsetztDurchText = dipPart->ErsetztDurchText;
                TakeFilePrice(*line, dipPart->Preis, dipPart->MwSt);
            } else if (etPrice && etPrice->SearchPrice(key) && HasFilePrice(etPrice->Preis)) {
                TakeFilePrice(*line, etPrice->Preis, etPrice->MwSt);
            }
        }
    }
}

void CPaket::LookupPricesAndStock(const CPrgSettings *settings, CHGPriceRec *hgPrice,
                                  CETPriceRec *etPrice, CDIPRec *dipPart, CLagerRec *stock,
                                  CPauschalRec *flatRate, CRabattRec *discount, bool lookUp)
{
    double partsPercent = 100.0;
    double workPercent = 100.0;
    if (lookUp && discount && settings) {
        const QString vin =
            settings->FgstnrFull.isEmpty() ? settings->Fgstnr : settings->FgstnrFull;
        if (discount->SearchRabatt(vin)) {
            // An unreadable percentage is no discount (-1.0: the price stays).
            partsPercent = FileNumber(discount->RabattTeile);
            workPercent = FileNumber(discount->RabattAW);
        }
    }
    LookupPricesAndStock(settings, hgPrice, etPrice, dipPart, stock, flatRate, partsPercent,
                         workPercent, lookUp);
}

void CPaket::LookupPricesAndStock(const CPrgSettings *settings, CHGPriceRec *hgPrice,
                                  CETPriceRec *etPrice, CDIPRec *dipPart, CLagerRec *stock,
                                  CPauschalRec *flatRate, double partsPercent, double workPercent,
                                  bool lookUp)
{
    const CPosition *head = GetKopf();
    const bool flatHead = head && head->Preise2.FlatPrice != 0;
    const auto searchFlatRate = [flatRate](QChar kind, const QString &number) {
        return flatRate && flatRate->SearchPauschalPreis(FlatRateKey(kind, number)) &&
               HasFilePrice(flatRate->Preis);
    };
    for (const auto &line : m_lines) {
        if (IsUnpricedType(line->Type))
            continue;
        line->ResetPrices();
        if (flatHead)
            line->SetSelectionFlag();
        if (!lookUp)
            continue;
        CPriceSet &set2 = line->Preise2;
        if (line->Type == POS_SUBPACKAGE) {
            if (line->SubPackage)
                line->SubPackage->LookupPricesAndStock(settings, hgPrice, etPrice, dipPart, stock,
                                                       flatRate, partsPercent, workPercent, lookUp);
        } else if (IsHeadType(line->Type)) {
            // A flat price of the whole package; without one the package
            // price is the sum of its lines.
            if (searchFlatRate(QLatin1Char('P'), line->Number)) {
                set2.UnitNet = FileNumber(flatRate->Preis);
                set2.Vat = FileNumber(flatRate->MwSt);
                set2.FlatPrice = 1;
                set2.Currency = kEuro;
                line->Preise1.UnitNet = set2.UnitNet;
                line->Preise1.Vat = set2.Vat;
                line->Preise1.FlatPrice = set2.FlatPrice;
                line->Preise1.Currency = set2.Currency;
            }
        } else if (line->Type == POS_WORK) {
            if (searchFlatRate(QLatin1Char('A'), line->Number)) {
                set2.UnitNet = FileNumber(flatRate->Preis);
                set2.Vat = FileNumber(flatRate->MwSt);
                set2.FlatPrice = 1;
            } else if (hgPrice && hgPrice->SearchPrice(line->Number.left(2)) &&
                       HasFilePrice(hgPrice->Preis)) {
                set2.UnitNet = FileNumber(hgPrice->Preis);
                set2.Vat = FileNumber(hgPrice->MwSt);
            }
            set2.Currency = kEuro;
            TakeOverSet2(*line, workPercent);
        } else if (line->Type == POS_PART) {
            set2.FlatPrice = 0;
            const QString key = line->Number.left(11);
            QString flatKeyNumber;
            if (dipPart && dipPart->SearchErsetztTeil(key) && HasFilePrice(dipPart->Preis)) {
                line->ErsetztDurchNummer = dipPart->ErsetztDurchNr;
                line->ErsetztDurchText = dipPart->ErsetztDurchText;
                set2.UnitNet = FileNumber(dipPart->Preis);
                set2.Vat = FileNumber(dipPart->MwSt);
                set2.Currency = kEuro;
                if (stock && stock->SearchBestand(line->ErsetztDurchNummer)) {
                    line->Stock = ParseNumber(stock->Bestand);
                    line->StockKnown = 1;
                }
                flatKeyNumber = line->ErsetztDurchNummer;
            } else {
                if (etPrice && etPrice->SearchPrice(key) && HasFilePrice(etPrice->Preis)) {
                    set2.UnitNet = FileNumber(etPrice->Preis);
                    set2.Vat = FileNumber(etPrice->MwSt);
                }
                set2.Currency = kEuro;
                const QString number = WithoutTrailingBlanks(line->Number);
                if (stock && stock->SearchBestand(number))
                    line->Stock = ParseNumber(stock->Bestand);
                else
                    line->Stock = TrainingStock(number);
                line->StockKnown = 1;
                flatKeyNumber = line->Number;
            }
            if (searchFlatRate(QLatin1Char('T'), flatKeyNumber)) {
                set2.UnitNet = FileNumber(flatRate->Preis);
                set2.Vat = FileNumber(flatRate->MwSt);
                set2.FlatPrice = 1;
                set2.Currency = kEuro;
            }
            TakeOverSet2(*line, partsPercent);
        }
    }
}
