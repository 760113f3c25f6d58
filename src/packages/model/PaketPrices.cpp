// The price roll-up of a package: line prices, the head's sums and totals,
// the common currencies and the campaign package price.

#include "packages/model/Paket.h"

#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <utility>

namespace {

CPriceSet &SetOf(CPosition &line, int setNo)
{
    return setNo == 1 ? line.Preise1 : line.Preise2;
}

const CPriceSet &SetOf(const CPosition &line, int setNo)
{
    return setNo == 1 ? line.Preise1 : line.Preise2;
}

// Lines that take part in the head's sum: everything that carries a price of
// its own, sub-package lines included, but no head and no text line.
bool TakesPartInSum(int type)
{
    return !IsUnpricedType(type) && !IsHeadType(type) && type != 3 && type != 5;
}

bool IsMissingPrice(double value)
{
    return value == kPriceNotSet || value == kPriceNone;
}

} // namespace

bool CPaket::AreExtraPriceSetsActive(const CPrgSettings *settings)
{
    if (!settings)
        return false;
    return (settings->SRPInterfaceReq == 4 && settings->XMLx != 0) || settings->bSchulung != 0;
}

void CPaket::CalcPositionPrices(SetNo setNo, const CPrgSettings *settings)
{
    const int n = setNo == SetNo::One ? 1 : 2;
    for (const auto &line : m_lines) {
        if (line->Type == POS_SUBPACKAGE) {
            if (!line->SubPackage)
                continue;
            CPaket &sub = *line->SubPackage;
            sub.CalcPositionPrices(setNo, settings);
            sub.CalcPrices(setNo);
            if (CPosition *subHead = sub.GetKopf()) {
                CPriceSet &mine = SetOf(*line, n);
                const CPriceSet &theirs = SetOf(*subHead, n);
                mine.Gross = theirs.Gross;
                mine.Net = theirs.Net;
                mine.Complete = theirs.Complete;
                mine.TotalsCurrency = theirs.TotalsCurrency;
            }
        } else if (IsPricedLineType(line->Type)) {
            if (setNo == SetNo::One)
                line->CalcPrice1();
            else
                line->CalcPrice2();
        }
    }
}

void CPaket::CalcPositionPrices1(const CPrgSettings *settings)
{
    CalcPositionPrices(SetNo::One, settings);
}

void CPaket::CalcPositionPrices2(const CPrgSettings *settings)
{
    if (AreExtraPriceSetsActive(settings))
        CalcPositionPrices(SetNo::Two, settings);
}

void CPaket::CalcPositionPrices3(const CPrgSettings *settings)
{
    if (!AreExtraPriceSetsActive(settings))
        return;
    for (const auto &line : m_lines)
        if (line->Type != POS_SUBPACKAGE && IsPricedLineType(line->Type))
            line->CalcPrice3();
}

void CPaket::CalcPrices(SetNo setNo)
{
    CPosition *head = GetKopf();
    if (!head)
        return;
    const int n = setNo == SetNo::One ? 1 : 2;
    CPriceSet &h = SetOf(*head, n);
    h.Gross = kPriceNotSet;
    h.Net = kPriceNotSet;
    h.PackageGross = kPriceNotSet;
    h.PackageNet = kPriceNotSet;

    if (h.FlatPrice == 0) {
        // The package price is the sum of its chosen lines. The same walk
        // gives the head's price (with sub-packages and the currency) and
        // the totals (own lines only).
        for (const bool totals : {false, true}) {
            int complete = 1;
            QString currency;
            double factor = 1.0;
            double &sumGross = totals ? h.PackageGross : h.Gross;
            double &sumNet = totals ? h.PackageNet : h.Net;
            for (const auto &line : m_lines) {
                if (!line->Selected || !TakesPartInSum(line->Type))
                    continue;
                const bool sub = line->Type == POS_SUBPACKAGE;
                if (totals && sub)
                    continue;
                const CPriceSet &s = SetOf(*line, n);
                if (!totals && !IsMissingPrice(s.Gross) && !IsMissingPrice(s.Net) &&
                    currency.isEmpty())
                    currency = sub ? s.TotalsCurrency : s.Currency;
                if (IsPriceSentinel(s.Gross) || IsPriceSentinel(s.Net)) {
                    complete = 0;
                } else {
                    const QString &combination =
                        std::as_const(line->Spot)[CPosition::SpotCombinationFactor];
                    if (!combination.isEmpty())
                        factor = ParseNumber(combination);
                    AddToPackageSum(sumGross, s.Gross, factor, line->Doubled == 1);
                    AddToPackageSum(sumNet, s.Net, factor, line->Doubled == 1);
                }
                if (sub && s.Complete == 0)
                    complete = 0;
            }
            if (totals) {
                h.TotalsComplete = complete;
            } else {
                h.Complete = complete;
                h.TotalsCurrency = currency;
            }
        }
        return;
    }

    // Flat package price: the head's own unit prices, whatever its lines hold.
    h.TotalsCurrency = h.Currency;
    const LinePrice p = DeriveLinePrice(h.UnitGross, h.UnitNet, h.Vat, true, false, 1.0,
                                        head->Preise1.NoPrice != 0);
    const int complete = IsPriceSentinel(p.gross) || IsPriceSentinel(p.net) ? 0 : 1;
    h.Gross = p.gross;
    h.Net = p.net;
    h.Complete = complete;
    h.PackageGross = p.gross;
    h.PackageNet = p.net;
    h.TotalsComplete = complete;
}

void CPaket::CalcPrices1(const CPrgSettings *)
{
    CalcPrices(SetNo::One);
}

void CPaket::CalcPrices2(const CPrgSettings *settings)
{
    if (AreExtraPriceSetsActive(settings))
        CalcPrices(SetNo::Two);
}

QString CPaket::CommonCurrency(SetNo setNo, int *mixed) const
{
    QString result;
    const CPosition *head = GetKopf();
    const int n = setNo == SetNo::One ? 1 : 2;
    if (!head || SetOf(*head, n).FlatPrice != 0)
        return result;
    for (const auto &line : m_lines) {
        if (*mixed == 1)
            break;
        if (line->Type == POS_SUBPACKAGE) {
            if (line->SubPackage)
                TakeCurrency(result, line->SubPackage->CommonCurrency(setNo, mixed), mixed);
        } else if (IsPricedLineType(line->Type)) {
            TakeCurrency(result, SetOf(*line, n).Currency, mixed);
        }
    }
    return result;
}

QString CPaket::GetCommonCurrency1(QString &out, int *mixed) const
{
    int local = 0;
    out = CommonCurrency(SetNo::One, mixed ? mixed : &local);
    return out;
}

QString CPaket::GetCommonCurrency2(QString &out, int *mixed) const
{
    int local = 0;
    out = CommonCurrency(SetNo::Two, mixed ? mixed : &local);
    return out;
}

namespace {

bool IsActiveCampaignItem(const CPosition &line)
{
    if (line.Type != POS_WORK && line.Type != POS_PART)
        return false;
    const QString usage = line.CampaignUsage();
    return line.CampaignStatus() == QLatin1String("0") &&
           (usage == QLatin1String("S") || usage == QLatin1String("O") ||
            usage == QLatin1String("A") || usage == QLatin1String("B"));
}

} // namespace

QString CPaket::GetCampaignCurrency(QString &out, int *mixed) const
{
    int local = 0;
    int *m = mixed ? mixed : &local;
    QString result;
    if (const CPosition *head = GetKopf())
        result = head->Campaign[CPosition::CampaignCurrency];
    for (const auto &line : m_lines) {
        if (*m == 1)
            break;
        if (IsActiveCampaignItem(*line))
            TakeCurrency(result, line->Preise3.Currency, m);
    }
    out = result;
    return out;
}

namespace {

// Adds or subtracts one campaign line's price on the head; a head value that
// is not set is replaced. A line without a price spoils the result instead.
void AdjustCampaignValue(double &head, double line, double sign, int &result)
{
    if (IsPriceSentinel(line)) {
        result = 0;
        return;
    }
    head = head == kPriceNotSet ? sign * line : head + sign * line;
}

// The optional adjustment (chosen optional items add their price) or the
// alternative adjustment (chosen alternatives add theirs, standard items that
// were replaced take theirs off). Returns the result flag.
int AdjustCampaignPrice(const CPaket &paket, CPriceSet &head, bool withNet, bool alternative)
{
    int result = 1;
    for (const auto &line : paket) {
        if (line->Type != POS_WORK && line->Type != POS_PART)
            continue;
        if (line->CampaignStatus() != QLatin1String("0"))
            continue;
        const QString usage = line->CampaignUsage();
        double sign = 0.0;
        if (!alternative) {
            if (line->Selected && (usage == QLatin1String("O") || usage == QLatin1String("B")))
                sign = 1.0;
        } else if (line->Selected && (usage == QLatin1String("A") || usage == QLatin1String("B"))) {
            sign = 1.0;
        } else if (!line->Selected && usage == QLatin1String("S")) {
            sign = -1.0;
        }
        if (sign == 0.0)
            continue;
        AdjustCampaignValue(head.Gross, line->Preise3.Gross, sign, result);
        if (withNet)
            AdjustCampaignValue(head.Net, line->Preise3.Net, sign, result);
    }
    if (head.Complete == 1)
        head.Complete = result;
    return result;
}

} // namespace

void CPaket::ApplyCampaignPrices(const CPrgSettings *settings, IPaketNotice *notice,
                                 bool pricesArrived)
{
    CPosition *head = GetKopf();
    if (!head)
        return;
    CPriceSet &h = head->Preise3;
    // A price left from an earlier run must not count as complete.
    h.Complete = 0;
    h.TotalsCurrency = head->Campaign[CPosition::CampaignCurrency];
    h.Gross = h.PackageGross;
    h.Net = h.PackageNet;

    const QString priceType = head->Campaign[CPosition::CampaignPriceType];
    const bool listPrice = priceType == QLatin1String("L") || priceType == QLatin1String("CL");
    if (!AreExtraPriceSetsActive(settings) && !listPrice)
        return;

    if (h.PackageGross != kPriceNotSet && h.PackageNet != kPriceNotSet) {
        h.Complete = 1;
        AdjustCampaignPrice(*this, h, true, false);
        AdjustCampaignPrice(*this, h, true, true);
        return;
    }

    // The fixed price of a list-price campaign stands in; a text that is no
    // plain number is named in the notice and leaves the price incomplete.
    const QString &fixedText = head->Campaign[CPosition::CampaignFixedPrice];
    bool fixedRefused = false;
    const double fixedPrice = ParsePriceText(fixedText, &fixedRefused);
    if (notice && pricesArrived) {
        QString text =
            QStringLiteral("PackageGrossPrice and/or PackageNetPrice of the campaign are "
                           "not delivered from the DMS.");
        if (listPrice && fixedRefused)
            text += QLatin1Char('\n') + OrmelText(6064) + QStringLiteral(": \"") + fixedText +
                    QLatin1Char('"');
        notice->Notice(text);
    }
    if (!listPrice)
        return;
    h.Gross = fixedPrice;
    h.Net = kPriceNotSet;
    if (h.Gross != kPriceNotSet) {
        h.Complete = 1;
        AdjustCampaignPrice(*this, h, false, false);
        AdjustCampaignPrice(*this, h, false, true);
    }
}
