#include "catalogues/model/AwKatPricing.h"

#include "common/readers/ShortVinCount.h"
#include "dms/DmsClient.h"
#include "packages/model/DmsPriceData.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "packages/pricing/LocalPackagePrices.h"
#include "packages/pricing/PackageInfoAnswer.h"
#include "packages/pricing/PackagePriceRequest.h"
#include "platform/OrmelText.h"
#include "platform/XmlValues.h"
#include "platform/ccd/CHGPriceRec.h"
#include "platform/ccd/CPauschalRec.h"
#include "platform/ccd/CRabattRec.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"

#include <cmath>

#include <vector>

namespace {

// The labour-value catalogue asks its prices by the package price request's
// method.
const QLatin1String kMethod(CPackagePriceRequest::kMethod);

// A price, rate or percentage of the DMS or of a dealer price file, read
// as the package lines read theirs: a text that is no plain number is no
// price.
double PriceOf(const QString &text)
{
    return ParsePriceText(text);
}

// The labour-value form of "requestPackageInfo" for one position.
class CLabourPriceRequest : public IDmsRequest
{
public:
    CLabourPriceRequest(const CPrgSettings &settings, const QString &apNr, CAwKatPrices &prices)
        : m_settings(settings), m_apNr(apNr), m_prices(prices)
    {
    }
    QString Method() const override { return kMethod; }
    bool WriteBody(CDmsMessageWriter &body) override
    {
        CAwKatPricing::WriteRequest(body, m_settings, m_apNr);
        return true;
    }
    void ReadAnswer(CDmsAnswer &answer) override
    {
        applied = CAwKatPricing::ReadAnswer(answer, m_apNr, m_prices);
    }

    int applied = 0;

private:
    const CPrgSettings &m_settings;
    const QString &m_apNr;
    CAwKatPrices &m_prices;
};

} // namespace

CAwKatPricing::ShortVinCount CAwKatPricing::ShortVinCounter(CYaqDb *db, QWidget *parent)
{
    return [db, parent](const QString &shortVin) { return DmsShortVinCount(db, shortVin, parent); };
}

QString CAwKatPricing::PriceText(double value)
{
    if (value == kPriceByTime)
        return CPosition::AzMarker();
    if (value == kPriceNone)
        return QStringLiteral("?");
    if (value < 0)
        return QString();
    return FormatPrice(value);
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
    p.Gross = p.Net = kPriceNotSet;
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
            p.Gross = kPriceByTime;
            grossSet = true;
        }
        if (p.UnitNet >= 0) {
            p.Net = kPriceByTime;
            netSet = true;
        }
    } else if (!q.isEmpty() && q != QLatin1String("-") && ParseNumber(q) >= 0) {
        // A position without labour value has nothing to multiply: it stays
        // unpriced rather than costing 0.00. Nor is a value below zero a
        // price: its product could even read as a marker ("AZ").
        const double f = ParseNumber(q);
        if (p.UnitGross >= 0) {
            p.Gross = p.UnitGross * f;
            grossSet = true;
        }
        if (p.UnitNet >= 0) {
            p.Net = p.UnitNet * f;
            netSet = true;
        }
    }
    if (p.Net != kPriceNotSet && p.Vat >= 0 && !grossSet)
        p.Gross = byTime ? kPriceByTime : (p.Vat + 100.0) * p.Net / 100.0;
    if (p.Gross != kPriceNotSet && p.Vat >= 0 && !netSet)
        p.Net = byTime ? kPriceByTime : p.Gross * 100.0 / (p.Vat + 100.0);
    if (p.NoPrice) {
        if (p.Gross == kPriceNotSet)
            p.Gross = kPriceNone;
        if (p.Net == kPriceNotSet)
            p.Net = kPriceNone;
    }
    // A product beyond what a double holds is no price either.
    if (!std::isfinite(p.Gross))
        p.Gross = kPriceNone;
    if (!std::isfinite(p.Net))
        p.Net = kPriceNone;
    // The markers (and any other value below zero, shown as none) stay as
    // they are.
    if (p.Gross >= 0)
        p.Gross = RoundPrice(p.Gross);
    if (p.Net >= 0)
        p.Net = RoundPrice(p.Net);
}

QString CAwKatPricing::BuildRequest(const CPrgSettings &settings, const QString &version,
                                    const QString &apNr)
{
    CDmsMessageWriter writer(kMethod, version);
    WriteRequest(writer, settings, apNr);
    return writer.Finish();
}

void CAwKatPricing::WriteRequest(CDmsMessageWriter &writer, const CPrgSettings &settings,
                                 const QString &apNr)
{
    writer.WriteVin(CDmsMessageWriter::RequestVin(settings));
    QXmlStreamWriter &xml = writer.Xml();
    xml.writeStartElement(QStringLiteral("flatRate"));
    xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
    xml.writeTextElement(QStringLiteral("number"), apNr);
    if (settings.V117)
        xml.writeTextElement(QStringLiteral("isLeadLabour"), QStringLiteral("false"));
    xml.writeEndElement();
    writer.WriteTerminalId(settings.ReqXMLTerminalID.trimmed());
}

void CAwKatPricing::ApplyPriceAttributes(const CPriceTypeData &price, CAwKatPrices &prices)
{
    prices.FlatPrice = XmlIsTrue(price.flagInclusivePrice) ? 1 : 0;
    prices.Currency = price.currency.trimmed();
    bool refused[3] = {};
    prices.UnitNet = ParsePriceText(price.netPrice, &refused[0]);
    prices.UnitGross = ParsePriceText(price.grossPrice, &refused[1]);
    prices.Vat = ParsePriceText(price.valueAddedTax, &refused[2]);
    // An element with a text that is no price (an amount in exponent form,
    // one with its currency) prices nothing, as a package line's does: the
    // row shows "?", never an amount worked out from the element's others.
    if (refused[0] || refused[1] || refused[2])
        prices.UnitNet = prices.UnitGross = prices.Vat = kPriceNotSet;
}

int CAwKatPricing::Request(CDmsClient &client, IDmsNotice *notice, const QString &apNr,
                           const QString &labourValue, CAwKatPrices &prices)
{
    // The request prices a copy: the row changes only once the request is
    // back, and not at all when it was not sent or the adviser cancelled.
    CAwKatPrices asked = prices;
    Reset(asked, true);
    CLabourPriceRequest request(client.Settings(), apNr, asked);
    const DmsOutcome outcome = client.Run(request, notice);
    if (outcome == DmsOutcome::NotSent || outcome == DmsOutcome::Cancelled)
        return 0;
    ComputeDisplayPrices(asked, labourValue);
    prices = asked;
    return request.applied;
}

int CAwKatPricing::TakeAnswer(CDmsClient &client, IDmsNotice *notice, const QString &answer,
                              const QString &apNr, CAwKatPrices &prices)
{
    CLabourPriceRequest request(client.Settings(), apNr, prices);
    client.ReadAnswer(request, answer, notice);
    return request.applied;
}

int CAwKatPricing::ReadAnswer(CDmsAnswer &answer, const QString &apNr, CAwKatPrices &prices)
{
    const CRequestPackageInfoResponseData data =
        ReadRequestPackageInfoResponse(answer, PackageInfoAsked::LabourValue);
    // An exception answer prices nothing, whatever else it holds.
    CDmsAnswer::Rules rules;
    rules.exceptionEnds = true;
    rules.valid = IsValidPackageInfoResponse(data, PackageInfoAsked::LabourValue);
    if (!answer.Evaluate(rules))
        return 0;
    // An answer without a VIN names no vehicle: it is another one's.
    if (!answer.VinIsOf(CDmsMessageWriter::RequestVin(answer.Settings()))) {
        answer.Tell(5056);
        return 0;
    }
    const bool several = data.flatRates.size() > 1;
    if (several)
        answer.Tell(5059);
    int applied = 0;
    for (const CFlatRateTypeData &f : data.flatRates) {
        const QString number = f.number.trimmed();
        const bool car = f.productType.trimmed() == QLatin1String("car");
        if (number == apNr && car) {
            const CPriceTypeData &price = f.bCustomerPrice ? f.customerPrice : f.price;
            ApplyPriceAttributes(price, prices);
            applied = 1;
            // A price sent but not readable is told, as a package line's is:
            // the row without a price is not the DMS's word.
            const QStringList refused = RefusedPriceTexts(price);
            if (!refused.isEmpty())
                answer.Tell(OrmelText(5055) + QLatin1Char('\n') + number + QStringLiteral(": ") +
                            refused.join(QStringLiteral(", ")));
            continue;
        }
        // The number goes into the text as a value, never as its format.
        QString text = OrmelTextArgs(5061, {number});
        if (!car)
            text += QStringLiteral("\n (") + OrmelText(5057) + QLatin1Char(')');
        answer.Tell(text);
    }
    if (!applied && !several)
        answer.Tell(5060);
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
        missing << CCDOpenFailureText(
            hg, CLocalPackagePrices::FilePath(folder, CHGPriceRec::FileName()));
    if (!flat.Open(folder))
        missing << CCDOpenFailureText(
            flat, CLocalPackagePrices::FilePath(folder, CPauschalRec::FileName()));
    if (!discount.Open(folder))
        missing << CCDOpenFailureText(
            discount, CLocalPackagePrices::FilePath(folder, CRabattRec::FileName()));
    if (missing.isEmpty()) {
        double percent = 100.0;
        const QString vin = CDmsMessageWriter::RequestVin(settings);
        if (discount.SearchRabatt(vin))
            percent = PriceOf(discount.RabattAW);
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
