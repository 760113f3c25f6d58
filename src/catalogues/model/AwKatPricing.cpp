#include "catalogues/model/AwKatPricing.h"

#include "common/DmsFrame.h"
#include "packages/model/DmsPriceData.h"
#include "packages/model/Position.h"
#include "packages/pricing/LocalPackagePrices.h"
#include "packages/pricing/PackageInfoAnswer.h"
#include "platform/OrmelText.h"
#include "platform/ccd/CHGPriceRec.h"
#include "platform/ccd/CPauschalRec.h"
#include "platform/ccd/CRabattRec.h"
#include "settings/PrgSettings.h"

#include <QRegularExpression>

#include <vector>

namespace {

const QString kMethod = QStringLiteral("requestPackageInfo");

double Rounded(double value)
{
    if (value < 0)
        return value;
    return QString::number(value + 1e-10, 'f', 2).toDouble();
}

double PriceOf(const QString &text)
{
    return text.trimmed().isEmpty() ? CAwKatPrices::kNone : CAwKatPricing::LeadingNumber(text);
}

} // namespace

double CAwKatPricing::LeadingNumber(const QString &text)
{
    static const QRegularExpression number(QStringLiteral("^\\s*[-+]?(\\d+([.,]\\d*)?|[.,]\\d+)"));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch())
        return 0.0;
    QString digits = match.captured(0).trimmed();
    digits.replace(QLatin1Char(','), QLatin1Char('.'));
    return digits.toDouble();
}

QString CAwKatPricing::PriceText(double value)
{
    if (value == CAwKatPrices::kByTime)
        return CPosition::AzMarker();
    if (value == CAwKatPrices::kMissing)
        return QStringLiteral("?");
    if (value < 0)
        return QString();
    return QString::number(value + 1e-10, 'f', 2);
}

void CAwKatPricing::Reset(CAwKatPrices &prices, bool asked)
{
    prices = CAwKatPrices();
    prices.NoPrice = asked ? 1 : 0;
}

void CAwKatPricing::ComputeDisplayPrices(CAwKatPrices &p, const QString &labourValue)
{
    const QString q = labourValue.trimmed();
    const bool byTime = q == CPosition::AzMarker();
    p.Gross = p.Net = CAwKatPrices::kNone;
    bool grossSet = false, netSet = false;
    if (p.FlatPrice) {
        if (p.UnitGross >= 0) {
            p.Gross = p.UnitGross;
            grossSet = true;
        }
        if (p.UnitNet >= 0) {
            p.Net = p.UnitNet;
            netSet = true;
        }
    } else if (byTime) {
        if (p.UnitGross >= 0) {
            p.Gross = CAwKatPrices::kByTime;
            grossSet = true;
        }
        if (p.UnitNet >= 0) {
            p.Net = CAwKatPrices::kByTime;
            netSet = true;
        }
    } else if (!q.isEmpty() && q != QLatin1String("-")) {
        // A position without labour value has nothing to multiply: it stays
        // unpriced rather than costing 0.00.
        const double f = LeadingNumber(q);
        if (p.UnitGross >= 0) {
            p.Gross = p.UnitGross * f;
            grossSet = true;
        }
        if (p.UnitNet >= 0) {
            p.Net = p.UnitNet * f;
            netSet = true;
        }
    }
    if (p.Net != CAwKatPrices::kNone && p.Vat >= 0 && !grossSet)
        p.Gross = byTime ? CAwKatPrices::kByTime : (p.Vat + 100.0) * p.Net / 100.0;
    if (p.Gross != CAwKatPrices::kNone && p.Vat >= 0 && !netSet)
        p.Net = byTime ? CAwKatPrices::kByTime : p.Gross * 100.0 / (p.Vat + 100.0);
    if (p.NoPrice) {
        if (p.Gross == CAwKatPrices::kNone)
            p.Gross = CAwKatPrices::kMissing;
        if (p.Net == CAwKatPrices::kNone)
            p.Net = CAwKatPrices::kMissing;
    }
    p.Gross = Rounded(p.Gross);
    p.Net = Rounded(p.Net);
}

QString CAwKatPricing::RequestVin(const CPrgSettings &settings)
{
    const QString full = settings.FgstnrFull.trimmed();
    return full.size() == 17 ? full : settings.Fgstnr.trimmed();
}

QString CAwKatPricing::BuildRequest(const CPrgSettings &settings, const QString &version,
                                    const QString &apNr)
{
    CDmsMessageWriter writer(kMethod, version);
    writer.WriteVin(RequestVin(settings));
    QXmlStreamWriter &xml = writer.Xml();
    xml.writeStartElement(QStringLiteral("flatRate"));
    xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
    xml.writeTextElement(QStringLiteral("number"), apNr);
    if (settings.V117)
        xml.writeTextElement(QStringLiteral("isLeadLabour"), QStringLiteral("false"));
    xml.writeEndElement();
    writer.WriteTerminalId(settings.ReqXMLTerminalID.trimmed());
    return writer.Finish();
}

void CAwKatPricing::ApplyPriceAttributes(const CPriceTypeData &price, CAwKatPrices &prices)
{
    prices.FlatPrice =
        price.flagInclusivePrice.trimmed().compare(QLatin1String("true"), Qt::CaseInsensitive) == 0
            ? 1
            : 0;
    prices.UnitNet = PriceOf(price.netPrice);
    prices.UnitGross = PriceOf(price.grossPrice);
    prices.Vat = PriceOf(price.valueAddedTax);
    prices.Currency = price.currency.trimmed();
}

int CAwKatPricing::Request(CDmsFrame &frame, const QString &apNr, const QString &labourValue,
                           CAwKatPrices &prices, const ShortVinCount &countShortVin)
{
    CPrgSettings &settings = frame.Settings();
    if (DmsServerUrl(settings, DmsServer::Request).isEmpty()) {
        frame.Tell(5051);
        return 0;
    }
    Reset(prices, true);
    const QString answer =
        frame.Send(DmsServer::Request, kMethod, BuildRequest(settings, frame.Version(), apNr));
    int applied = 0;
    if (!answer.isEmpty())
        applied = TakeAnswer(frame, answer, apNr, prices, countShortVin);
    ComputeDisplayPrices(prices, labourValue);
    return applied;
}

int CAwKatPricing::TakeAnswer(CDmsFrame &frame, const QString &answer, const QString &apNr,
                              CAwKatPrices &prices, const ShortVinCount &countShortVin)
{
    const QDomElement response = frame.AnswerElement(answer, kMethod);
    if (response.isNull())
        return 0;
    QString vin;
    std::vector<CFlatRateTypeData> flatRates;
    bool hasException = false;
    CDmsException exception;
    for (QDomElement e = response.firstChildElement(); !e.isNull(); e = e.nextSiblingElement()) {
        const QString name = DmsLocalName(e);
        if (name == QLatin1String("vin")) {
            vin = (e.attribute(QStringLiteral("vinLongPrefix")) +
                   e.attribute(QStringLiteral("vinShort")))
                      .trimmed();
        } else if (name == QLatin1String("flatRate")) {
            flatRates.emplace_back();
            ReadFlatRateElement(e, flatRates.back());
        } else if (name == QLatin1String("package")) {
            frame.Tell(5058);
        } else if (name == QLatin1String("exception")) {
            hasException = true;
            exception = ReadDmsException(e);
        }
    }
    const QString answerName = DmsAnswerName(kMethod);
    if (!hasException && flatRates.empty()) {
        frame.Tell(DmsNotValidText(kMethod, 1));
        return 0;
    }
    // An exception answer prices nothing, whatever else it holds.
    if (hasException) {
        frame.Tell(DmsExceptionText(kMethod, exception));
        return 0;
    }
    bool vinOk = vin.size() == 17;
    if (vin.size() == 7)
        vinOk = !countShortVin || countShortVin(vin) <= 1;
    if (!vinOk) {
        frame.Tell(OrmelText(7036), OrmelText(7034));
        return 0;
    }
    for (const CFlatRateTypeData &f : flatRates) {
        if (f.number.trimmed().isEmpty() || f.productType.trimmed().isEmpty()) {
            frame.Tell(DmsNotValidText(kMethod, 2));
            return 0;
        }
    }
    const QString asked = RequestVin(frame.Settings());
    if (vin != asked && vin != asked.right(7)) {
        frame.Tell(5056);
        return 0;
    }
    const bool several = flatRates.size() > 1;
    if (several)
        frame.Tell(5059);
    int applied = 0;
    for (const CFlatRateTypeData &f : flatRates) {
        const QString number = f.number.trimmed();
        const bool car = f.productType.trimmed() == QLatin1String("car");
        if (number == apNr && car) {
            ApplyPriceAttributes(f.bCustomerPrice ? f.customerPrice : f.price, prices);
            applied = 1;
            continue;
        }
        // The number goes into the text as a value, never as its format.
        QString text = OrmelTextArgs(5061, {number});
        if (!car)
            text += QStringLiteral("\n (") + OrmelText(5057) + QLatin1Char(')');
        frame.Tell(text);
    }
    if (!applied && !several)
        frame.Tell(5060);
    return applied;
}

QString CAwKatPricing::FlatRateKey(const QString &apNr)
{
    return (QStringLiteral("A") + apNr).leftJustified(36, QLatin1Char(' '));
}

QStringList CAwKatPricing::LocalPrice(const CPrgSettings &settings, const QString &apNr,
                                      const QString &labourValue, CAwKatPrices &prices)
{
    Reset(prices, true);
    const QString folder = settings.ReqDateiVerz;
    CHGPriceRec hg;
    CPauschalRec flat;
    CRabattRec discount;
    QStringList missing;
    if (!hg.Open(folder))
        missing << CLocalPackagePrices::FilePath(folder, CHGPriceRec::FileName());
    if (!flat.Open(folder))
        missing << CLocalPackagePrices::FilePath(folder, CPauschalRec::FileName());
    if (!discount.Open(folder))
        missing << CLocalPackagePrices::FilePath(folder, CRabattRec::FileName());
    if (missing.isEmpty()) {
        double percent = 100.0;
        const QString vin = RequestVin(settings);
        if (discount.SearchRabatt(vin))
            percent = LeadingNumber(discount.RabattAW.trimmed());
        if (flat.SearchPauschalPreis(FlatRateKey(apNr))) {
            prices.UnitNet = PriceOf(flat.Preis);
            prices.Vat = PriceOf(flat.MwSt);
            prices.FlatPrice = 1;
            prices.Currency = QStringLiteral("EUR");
        } else if (hg.SearchPrice(apNr.left(2))) {
            prices.UnitNet = PriceOf(hg.Preis);
            prices.Vat = PriceOf(hg.MwSt);
            prices.Currency = QStringLiteral("EUR");
        }
        if (percent >= 0 && prices.UnitNet >= 0)
            prices.UnitNet = prices.UnitNet * percent / 100.0;
    }
    ComputeDisplayPrices(prices, labourValue);
    return missing;
}
