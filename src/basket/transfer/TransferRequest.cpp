#include "basket/transfer/TransferRequest.h"

#include "basket/model/WKList.h"
#include "dms/DmsFrame.h"
#include "packages/model/CampaignXml.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

#include <QXmlStreamWriter>

namespace {

// A price that is neither unset, charged by time nor missing.
bool IsSentPrice(double gross, double net)
{
    return !IsPriceSentinel(gross) && !IsPriceSentinel(net);
}

// The currency of a price element. A head holds its currency with its
// sums (the roll-up names it there), also when its own price is sent, as
// for a package priced by hand; a line holds it with its own price.
const QString &PriceCurrency(const CPriceSet &set, bool totals)
{
    const bool sums = totals || set.Currency.isEmpty();
    return sums && !set.TotalsCurrency.isEmpty() ? set.TotalsCurrency : set.Currency;
}

// One price element: the currency, net and gross, the VAT rate when it is
// known, and the inclusive-price flag.
void WritePrice(QXmlStreamWriter &xml, const QString &name, const CPriceSet &set, bool totals)
{
    xml.writeStartElement(name);
    xml.writeAttribute(QStringLiteral("currency"), PriceCurrency(set, totals));
    xml.writeTextElement(QStringLiteral("netPrice"),
                         CTransferRequest::PriceText(totals ? set.PackageNet : set.Net));
    xml.writeTextElement(QStringLiteral("grossPrice"),
                         CTransferRequest::PriceText(totals ? set.PackageGross : set.Gross));
    if (set.Vat >= 0.0)
        xml.writeTextElement(QStringLiteral("valueAddedTax"), CTransferRequest::PriceText(set.Vat));
    xml.writeTextElement(QStringLiteral("flagInclusivePrice"), DmsBool(set.FlatPrice != 0));
    xml.writeEndElement();
}

QString PaintStageWord(const QString &stage)
{
    if (stage.isEmpty())
        return QStringLiteral("ohne");
    if (stage == QLatin1String("1") || stage == QLatin1String("2") || stage == QLatin1String("3"))
        return QStringLiteral("Lackstufe") + stage;
    return QString();
}

// The paint stage and the surface area of a work position.
void WritePaintAndSurface(QXmlStreamWriter &xml, const CPosition &line)
{
    if (line.Number.startsWith(QLatin1String("99")))
        xml.writeTextElement(QStringLiteral("paintStage"), PaintStageWord(line.Lackstufe));
    WriteTextIfAny(xml, QStringLiteral("surfaceArea"), line.Flaeche);
}

} // namespace

// What every line of one entry is written with.
struct CTransferRequest::Context
{
    const CWKListItem *entry = nullptr;
    const CPosition *topHead = nullptr;             // head of the entry's package
    const CPosition *campaignHead = nullptr;        // the same for a campaign entry with "XMLx"
    int calcFlag = 0;                               // the top head's price-calculation flag
    mutable const CPosition *currentHead = nullptr; // last type-9 head met
};

QString CTransferRequest::TransferVin(const CPrgSettings &settings)
{
    return settings.FgstnrFull.trimmed();
}

bool CTransferRequest::Carries(const CWKListItem &entry) const
{
    switch (entry.Kind) {
    case WK_SRP:
    case WK_GRP:
    case WK_CCP:
    case WK_SIP:
        return entry.Paket != nullptr;
    case WK_CAMPAIGN:
    case WK_CAMPAIGN_LR:
        return entry.Paket && m_settings.XMLx;
    case WK_VLP:
        return entry.Paket && (!m_settings.XMLx || m_settings.V115);
    case WK_POSITION:
        return entry.APos && entry.APos->Type == POS_BASKET_LABOUR;
    default:
        return false;
    }
}

QString CTransferRequest::Build(const CWKList &basket, const QString &version,
                                std::vector<const CWKListItem *> *written) const
{
    CDmsMessageWriter writer(QLatin1String(kMethod), version);
    if (!Write(writer, version, basket, written))
        return QString();
    return writer.Finish();
}

bool CTransferRequest::Write(CDmsMessageWriter &writer, const QString &version,
                             const CWKList &basket, std::vector<const CWKListItem *> *written) const
{
    const QString vin = TransferVin(m_settings);
    if (vin.size() != 17)
        return false;
    m_version = version;
    QXmlStreamWriter &xml = writer.Xml();
    writer.WriteVin(vin);
    WriteTextIfAny(xml, QStringLiteral("orderNumber"), m_order.orderNumber);
    for (const auto &entry : basket) {
        if (!entry || !Carries(*entry))
            continue;
        WriteEntry(xml, *entry);
        if (written)
            written->push_back(entry.get());
    }
    writer.WriteTerminalId(m_settings.SendXMLTerminalID);
    if (m_settings.XMLx)
        xml.writeTextElement(QStringLiteral("flagIsOffer"), DmsBool(m_order.offer));
    return true;
}

QString CTransferRequest::BuildVehicleInfo(const QString &version) const
{
    CDmsMessageWriter writer(QLatin1String(kVehicleMethod), version);
    if (!WriteVehicleInfo(writer))
        return QString();
    return writer.Finish();
}

bool CTransferRequest::WriteVehicleInfo(CDmsMessageWriter &writer) const
{
    const QString vin = TransferVin(m_settings);
    if (vin.size() != 17)
        return false;
    const CPrgSettings &s = m_settings;
    writer.WriteVin(vin);
    writer.WriteText(QStringLiteral("product"),
                     m_order.twoWheeler ? QStringLiteral("KORVADIN") : QStringLiteral("PKW"));
    writer.WriteText(QStringLiteral("modelCode"), s.TypSchl);
    writer.WriteText(QStringLiteral("productionDate"), s.ProductionDate());
    writer.WriteText(QStringLiteral("leadModelCode"), s.LeadTyp);
    // The element is spelt so in the DMS's schema.
    writer.WriteText(QStringLiteral("modelDecription"), s.ModellBez);
    writer.WriteText(QStringLiteral("eSeries"), s.EReihe.trimmed());
    writer.WriteTerminalId(s.SendXMLTerminalID);
    return true;
}

QString CTransferRequest::PriceText(double value)
{
    return FormatPrice(value);
}

QString CTransferRequest::PartType(const QString &kind)
{
    if (kind == QLatin1String("A") || kind == QLatin1String("B"))
        return QStringLiteral("alternative");
    if (kind == QLatin1String("O"))
        return QStringLiteral("optional");
    return QStringLiteral("standard");
}

static QString JoinLines(const QString &first, std::initializer_list<const QString *> more)
{
    QString text = first;
    for (const QString *line : more) {
        if (!line->isEmpty())
            text += QLatin1Char(' ') + *line;
    }
    return text;
}

QString CTransferRequest::JoinAwTexts(const CPosition &line)
{
    return JoinLines(line.AwText1, {&line.AwText2, &line.AwText3, &line.AwText4});
}

QString CTransferRequest::JoinBracketTexts(const CPosition &line)
{
    return JoinLines(line.KlammerText1,
                     {&line.KlammerText2, &line.KlammerText3, &line.KlammerText4});
}

// ---------------------------------------------------------------------------
// Positions

void CTransferRequest::WriteEntry(QXmlStreamWriter &xml, const CWKListItem &entry) const
{
    if (entry.Kind == WK_POSITION) {
        WriteLabourPosition(xml, entry);
        return;
    }
    Context c;
    c.entry = &entry;
    c.topHead = entry.Paket->GetKopf();
    const bool campaign = CWKListItem::IsCampaignKind(entry.Kind);
    if (campaign && m_settings.XMLx)
        c.campaignHead = c.topHead;
    c.calcFlag = c.topHead ? c.topHead->PriceCalcFlag : 0;
    // The flat form gives every sub-package a position of its own; the DMS
    // takes it for packages priced from their lines.
    if (m_settings.V117 && !campaign && c.calcFlag == 0)
        WritePackageFlat(xml, *entry.Paket, c);
    else
        WritePackageNested(xml, c);
}

void CTransferRequest::WriteLabourPosition(QXmlStreamWriter &xml, const CWKListItem &entry) const
{
    Context c;
    c.entry = &entry;
    xml.writeStartElement(QStringLiteral("position"));
    xml.writeStartElement(QStringLiteral("flatRate"));
    xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
    WriteFlatRate(xml, *entry.APos, c, true);
    xml.writeEndElement();
    WriteOrderTail(xml);
    xml.writeEndElement();
}

void CTransferRequest::WriteOrderTail(QXmlStreamWriter &xml) const
{
    WriteTextIfAny(xml, QStringLiteral("settlementCode"), m_order.settlementCode);
    WriteTextIfAny(xml, QStringLiteral("jobNumber"), m_order.jobNumber);
}

void CTransferRequest::WritePackageOpening(QXmlStreamWriter &xml, const Context &c) const
{
    xml.writeStartElement(QStringLiteral("position"));
    xml.writeStartElement(QStringLiteral("package"));
    xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
    if (!m_settings.XMLx ||
        (m_version != QLatin1String("01.04.01") && m_version != QLatin1String("01.05.00")))
        return;
    const int kind = c.entry->Kind;
    const bool campaign = CWKListItem::IsCampaignKind(kind);
    QString origin = QStringLiteral("S");
    QString type = QStringLiteral("SRP");
    if (campaign) {
        origin = QStringLiteral("C");
        type = QStringLiteral("MKP");
    } else if (kind == WK_GRP) {
        origin = QStringLiteral("G");
        type = QStringLiteral("GRP");
    } else if (kind == WK_SIP) {
        origin = QStringLiteral("I");
        type = QStringLiteral("SIP");
    } else if (kind == WK_VLP) {
        origin = QStringLiteral("V");
        type = QStringLiteral("VLP");
    } else if (kind == WK_CCP) {
        origin = QStringLiteral("Q");
        type = QStringLiteral("CCP");
    }
    xml.writeAttribute(QStringLiteral("PackageOrigin"), origin);
    if (m_settings.V117)
        xml.writeAttribute(QStringLiteral("PackageType"), type);
    QString calc = c.calcFlag ? QStringLiteral("M") : QStringLiteral("D");
    if (campaign)
        calc = QStringLiteral("C");
    else if (kind == WK_CCP)
        calc = QStringLiteral("R");
    xml.writeAttribute(QStringLiteral("priceCalc"), calc);
    xml.writeAttribute(QStringLiteral("isFastlane"), DmsBool(c.topHead && c.topHead->IsFastlane));
    if (m_settings.V117 && campaign)
        xml.writeAttribute(QStringLiteral("isValueLine"),
                           DmsBool(c.topHead && c.topHead->IsValueLine));
}

void CTransferRequest::WritePackageNested(QXmlStreamWriter &xml, const Context &c) const
{
    WritePackageOpening(xml, c);
    WriteContent(xml, *c.entry->Paket, false, c, false);
    xml.writeEndElement(); // package
    WriteOrderTail(xml);
    xml.writeEndElement(); // position
}

void CTransferRequest::WritePackageFlat(QXmlStreamWriter &xml, const CPaket &paket,
                                        const Context &c) const
{
    WritePackageOpening(xml, c);
    c.currentHead = nullptr;
    WriteContent(xml, paket, false, c, true);
    bool open = true;
    for (const auto &line : paket) {
        if (line->Type != POS_SUBPACKAGE || SkipLine(*line) || !line->SubPackage)
            continue;
        if (open) {
            xml.writeEndElement(); // package
            WriteOrderTail(xml);
            xml.writeEndElement(); // position
            open = false;
        }
        WritePackageFlat(xml, *line->SubPackage, c);
    }
    if (open) {
        xml.writeEndElement();
        WriteOrderTail(xml);
        xml.writeEndElement();
    }
}

bool CTransferRequest::SkipLine(const CPosition &line) const
{
    // The way to a spot-repair package (its matrix row keeps the list kind
    // 6, a head type) is not sent; the package goes by its own head.
    if (IsSpotRepairPathRow(line))
        return true;
    switch (line.Type) {
    case POS_EMPTY:
    case POS_SPECIAL1:
    case POS_SPECIAL2:
    case POS_SPECIAL4:
    case POS_GROUP:
        return true;
    case POS_FINDINGS:
        return !m_settings.XMLx || !line.Selected;
    default:
        return !line.Selected;
    }
}

void CTransferRequest::WriteContent(QXmlStreamWriter &xml, const CPaket &paket, bool nested,
                                    const Context &c, bool flat) const
{
    // The lines of a sub-package of the nested form know no head of their own.
    const CPosition *outerHead = c.currentHead;
    if (nested && !flat)
        c.currentHead = nullptr;
    for (const auto &owned : paket) {
        const CPosition &line = *owned;
        if (SkipLine(line))
            continue;
        if (IsHeadType(line.Type)) {
            if (nested && !flat)
                continue;
            if (line.Type == POS_HEAD_CAMPAIGN)
                c.currentHead = &line;
            WriteHead(xml, line, c, flat);
        } else if (line.Type == POS_WORK) {
            xml.writeStartElement(QStringLiteral("flatRates"));
            xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
            // A flat-rate package is one flat rate: its head's; nothing
            // after its first work position is sent.
            const bool flatRatePackage = line.HG == QLatin1String("YY");
            if (flatRatePackage)
                WriteHeadFlatRate(xml, c.currentHead);
            else
                WriteFlatRate(xml, line, c, flat || !nested);
            xml.writeEndElement();
            if (flatRatePackage)
                break;
        } else if (line.Type == POS_SUBPACKAGE) {
            if (!flat && line.SubPackage)
                WriteContent(xml, *line.SubPackage, true, c, false);
        } else if (line.Type == POS_PART) {
            WritePart(xml, line, c);
        } else if (line.Type == POS_FINDINGS) {
            xml.writeStartElement(QStringLiteral("defectInformation"));
            xml.writeStartElement(QStringLiteral("defect"));
            xml.writeTextElement(QStringLiteral("number"), line.Number);
            xml.writeTextElement(QStringLiteral("text"), line.BefundText);
            xml.writeEndElement();
            xml.writeEndElement();
        }
    }
    if (nested && !flat)
        c.currentHead = outerHead;
}

void CTransferRequest::WriteHead(QXmlStreamWriter &xml, const CPosition &head, const Context &c,
                                 bool flat) const
{
    xml.writeTextElement(QStringLiteral("number"), WithoutTrailingBlanks(head.Number) +
                                                       QLatin1Char('1') + m_settings.TypSchl +
                                                       QLatin1Char('0'));
    WriteTextIfAny(xml, QStringLiteral("designation"), JoinAwTexts(head));
    const CPriceSet &p1 = head.Preise1;
    const CPriceSet &p2 = head.Preise2;
    const bool totals1 =
        p1.TotalsComplete && p1.PackageNet != kPriceNotSet && p1.PackageGross != kPriceNotSet;
    const bool prices1 = p1.Complete && p1.Net != kPriceNotSet && p1.Gross != kPriceNotSet;
    // The flat form always sends the package totals; the nested form the
    // head's own prices when the package is priced by hand ("M").
    const bool useTotals = flat || c.calcFlag == 0;
    if (!m_settings.XMLx) {
        if (totals1 && prices1)
            WritePrice(xml, QStringLiteral("price"), p1, useTotals);
        return;
    }
    if (flat ? totals1 : prices1)
        WritePrice(xml, QStringLiteral("price"), p1, useTotals);
    const bool totals2 =
        p2.TotalsComplete && p2.PackageNet != kPriceNotSet && p2.PackageGross != kPriceNotSet;
    const bool prices2 = p2.Complete && p2.Net != kPriceNotSet && p2.Gross != kPriceNotSet;
    if (flat ? totals2 : prices2)
        WritePrice(xml, QStringLiteral("standardPrice"), p2, useTotals);
    if (!flat && CWKListItem::IsCampaignKind(c.entry->Kind))
        WriteCampaignInformation(xml, head);
}

void CTransferRequest::WriteLinePrices(QXmlStreamWriter &xml, const CPosition &line) const
{
    const bool v117 = m_settings.V117 != 0;
    if (IsSentPrice(line.Preise1.Gross, line.Preise1.Net)) {
        WritePrice(xml, QStringLiteral("price"), line.Preise1, false);
        if (v117)
            WritePrice(xml, QStringLiteral("customerPrice"), line.Preise1, false);
    }
    if (m_settings.XMLx && IsSentPrice(line.Preise2.Gross, line.Preise2.Net))
        WritePrice(xml, QStringLiteral("standardPrice"), line.Preise2, false);
    if (v117 && IsSentPrice(line.Preise3.Gross, line.Preise3.Net))
        WritePrice(xml, QStringLiteral("campaignPrice"), line.Preise3, false);
}

void CTransferRequest::WriteCampaignLine(QXmlStreamWriter &xml, const CPosition &line,
                                         const Context &c) const
{
    if (!m_settings.V117 || !c.campaignHead)
        return;
    const CPosition &head = *c.campaignHead;
    const QString priceType = head.Campaign[CPosition::CampaignPriceType];
    if (priceType == QLatin1String("CL")) {
        const int field =
            line.Type == POS_PART ? CPosition::CampaignPartPrice : CPosition::CampaignWorkPrice;
        xml.writeTextElement(QStringLiteral("fixedPrice"), line.Campaign[size_t(field)]);
    } else if (priceType == QLatin1String("R")) {
        // The package rebate is the campaign's fixed-price text of a rebate
        // campaign.
        xml.writeTextElement(QStringLiteral("rebate"),
                             DmsNumberText(head.Campaign[CPosition::CampaignFixedPrice]));
    } else if (priceType == QLatin1String("CR")) {
        const int rebate = CampaignRebateField(line);
        if (rebate >= 0)
            xml.writeTextElement(QStringLiteral("rebate"),
                                 DmsNumberText(head.Campaign[size_t(rebate)]));
    }
    const QString usage = line.CampaignUsage();
    const QString status = line.CampaignStatus();
    if ((usage == QLatin1String("O") || usage == QLatin1String("B")) &&
        (status == QLatin1String("0") || status == QLatin1String("1")))
        xml.writeTextElement(QStringLiteral("dealerOptional"),
                             DmsBool(status == QLatin1String("0")));
}

void CTransferRequest::WriteFlatRate(QXmlStreamWriter &xml, const CPosition &line, const Context &c,
                                     bool lead) const
{
    xml.writeTextElement(QStringLiteral("number"), line.Number);
    if (m_settings.V117)
        xml.writeTextElement(QStringLiteral("isLeadLabour"), DmsBool(line.IsLeadLabour && lead));
    WriteTextIfAny(xml, QStringLiteral("designation"), JoinAwTexts(line));
    WriteTextIfAny(xml, QStringLiteral("additionalInformation"), JoinBracketTexts(line));
    WriteLinePrices(xml, line);
    WriteCampaignLine(xml, line, c);
    const QString value = line.GetDisplayNumber();
    if (value == CPosition::AzMarker())
        xml.writeTextElement(QStringLiteral("workTimeFlag"), DmsBool(true));
    else
        WriteTextIfAny(xml, QStringLiteral("value"), value);
    WritePaintAndSurface(xml, line);
}

void CTransferRequest::WriteHeadFlatRate(QXmlStreamWriter &xml, const CPosition *head) const
{
    if (!head)
        return;
    xml.writeTextElement(QStringLiteral("number"), head->Number);
    if (m_settings.V117)
        xml.writeTextElement(QStringLiteral("isLeadLabour"), DmsBool(true));
    WriteTextIfAny(xml, QStringLiteral("designation"), JoinAwTexts(*head));
    WriteTextIfAny(xml, QStringLiteral("additionalInformation"), JoinBracketTexts(*head));
    xml.writeTextElement(QStringLiteral("workTimeFlag"), DmsBool(true));
    WritePaintAndSurface(xml, *head);
}

void CTransferRequest::WritePart(QXmlStreamWriter &xml, const CPosition &line,
                                 const Context &c) const
{
    xml.writeStartElement(QStringLiteral("parts"));
    xml.writeAttribute(QStringLiteral("type"), PartType(line.Kind));
    xml.writeTextElement(QStringLiteral("number"), WithoutTrailingBlanks(line.Number));
    WriteTextIfAny(xml, QStringLiteral("designation"), line.TeileText);
    xml.writeTextElement(QStringLiteral("quantity"), line.Quantity);
    if (line.StockKnown == 1)
        xml.writeTextElement(QStringLiteral("stock"), QString::asprintf("%.3f", line.Stock));
    WriteLinePrices(xml, line);
    WriteCampaignLine(xml, line, c);
    WriteTextIfAny(xml, QStringLiteral("replacedBy"), line.ErsetztDurchNummer);
    WriteTextIfAny(xml, QStringLiteral("replacementDescription"), line.ErsetztDurchBeschr);
    WriteTextIfAny(xml, QStringLiteral("replacementDesignation"), line.ErsetztDurchText);
    xml.writeEndElement();
}

void CTransferRequest::WriteCampaignInformation(QXmlStreamWriter &xml, const CPosition &head) const
{
    const auto &cp = head.Campaign;
    const QString priceType = WriteCampaignInformationStart(xml, head, m_settings.V117 != 0);
    const CPriceSet &p3 = head.Preise3;
    if (p3.Complete && p3.Net != kPriceNotSet && p3.Gross != kPriceNotSet) {
        xml.writeTextElement(QStringLiteral("PackageGrossPrice"), PriceText(p3.Gross));
        xml.writeTextElement(QStringLiteral("PackageNetPrice"), PriceText(p3.Net));
    }
    if (priceType == QLatin1String("R"))
        xml.writeTextElement(QStringLiteral("PackageRebate"),
                             DmsNumberText(cp[CPosition::CampaignFixedPrice]));
    if (priceType == QLatin1String("CR") && m_settings.V117) {
        xml.writeTextElement(QStringLiteral("labourRebate"),
                             DmsNumberText(cp[CPosition::CampaignLabourRebate]));
        xml.writeTextElement(QStringLiteral("partsRebate"),
                             DmsNumberText(cp[CPosition::CampaignPartsRebate]));
        xml.writeTextElement(QStringLiteral("oilRebate"),
                             DmsNumberText(cp[CPosition::CampaignOilRebate]));
    }
    xml.writeEndElement();
}
