#include "packages/pricing/PackagePriceRequest.h"

#include "dms/DmsFrame.h"
#include "packages/model/CampaignXml.h"
#include "packages/model/Paket.h"
#include "packages/model/SpotRepairLine.h"
#include "platform/StringUtil.h"
#include "settings/PrgSettings.h"

#include <QXmlStreamWriter>

namespace {

// The answer's word for the kind of a part line; empty for a kind the
// request has no word for.
QString PartType(const QString &kind)
{
    if (kind == QLatin1String("S"))
        return QStringLiteral("standard");
    if (kind == QLatin1String("A") || kind == QLatin1String("B"))
        return QStringLiteral("alternative");
    if (kind == QLatin1String("O"))
        return QStringLiteral("optional");
    return QString();
}

// The campaign package's own lines: the type-1 line marked "XX", the head,
// a type-2 and a type-4 line.
bool HasCampaignLines(const CPaket &paket)
{
    const CPosition *marker = paket.GetPosType1();
    return marker && paket.GetKopf() && paket.GetPosType2() && paket.GetPosType4() &&
           marker->HG == QLatin1String("XX");
}

} // namespace

bool CPackagePriceRequest::HasRequestedLines(const CPaket &paket, bool findingsCount)
{
    for (const auto &line : paket) {
        if (!IsUnpricedType(line->Type) || (findingsCount && line->Type == POS_FINDINGS))
            return true;
    }
    return false;
}

QString CPackagePriceRequest::SentPackageNumber(const QString &headNumber, const QString &typeKey)
{
    return WithoutTrailingBlanks(headNumber) + QLatin1Char('1') + typeKey + QLatin1Char('0');
}

bool CPackagePriceRequest::IsCampaignRequest(const CPaket &paket) const
{
    return m_settings.SRPInterfaceReq == 4 && m_settings.XMLx && HasCampaignLines(paket);
}

QString CPackagePriceRequest::Build(const CPaket &paket, const QString &version) const
{
    CDmsMessageWriter writer(QLatin1String(kMethod), version);
    if (!Write(writer, paket))
        return QString();
    return writer.Finish();
}

bool CPackagePriceRequest::Write(CDmsMessageWriter &body, const CPaket &paket) const
{
    const QString vin = CDmsMessageWriter::RequestVin(m_settings);
    if (vin.isEmpty())
        return false;
    body.WriteVin(vin);
    WritePackage(body.Xml(), paket, IsCampaignRequest(paket));
    body.WriteTerminalId(m_settings.ReqXMLTerminalID);
    return true;
}

void CPackagePriceRequest::WritePackage(QXmlStreamWriter &xml, const CPaket &paket,
                                        bool campaign) const
{
    const CPrgSettings &s = m_settings;
    const CPosition *head = paket.GetKopf();
    xml.writeStartElement(QStringLiteral("package"));
    xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
    if (s.SRPInterfaceReq == 4 && s.XMLx && s.V115) {
        QString origin = QStringLiteral("S");
        QString type = QStringLiteral("SRP");
        const QString kind = head ? head->PaketArt : QString();
        if (HasCampaignLines(paket)) {
            origin = QStringLiteral("C");
            type = QStringLiteral("MKP");
        } else if (IsSpotRepairPackage(paket)) {
            origin = QStringLiteral("Q");
            type = QStringLiteral("CCP");
        } else if (kind == QLatin1String("GRP")) {
            origin = QStringLiteral("G");
            type = kind;
        } else if (kind == QLatin1String("SIP")) {
            origin = QStringLiteral("I");
            type = kind;
        } else if (kind == QLatin1String("VLP")) {
            origin = QStringLiteral("V");
            type = kind;
        }
        xml.writeAttribute(QStringLiteral("PackageOrigin"), origin);
        if (s.V117)
            xml.writeAttribute(QStringLiteral("PackageType"), type);
        xml.writeAttribute(QStringLiteral("isFastlane"), DmsBool(head && head->IsFastlane));
        if (s.V117 && (campaign || IsSpotRepairPackage(paket)))
            xml.writeAttribute(QStringLiteral("isValueLine"), DmsBool(head && head->IsValueLine));
    }
    WriteLines(xml, paket, campaign ? head : nullptr, false);
    xml.writeEndElement();
}

void CPackagePriceRequest::WriteLines(QXmlStreamWriter &xml, const CPaket &paket,
                                      const CPosition *campaignHead, bool nested) const
{
    // The lead labour is named whenever the newest schema is switched on;
    // the campaign prices only go with the campaign block of the extended
    // form.
    const bool v117 = m_settings.V117 != 0;
    for (const auto &ownedLine : paket) {
        const CPosition &line = *ownedLine;
        // The way to a spot-repair package is no part of what is priced.
        if (IsUnpricedType(line.Type) || IsSpotRepairPathRow(line))
            continue;
        if (line.Type == POS_SUBPACKAGE) {
            // A sub-package has no element of its own: its lines are the
            // package's lines.
            if (line.SubPackage)
                WriteLines(xml, *line.SubPackage, campaignHead, true);
        } else if (IsHeadType(line.Type)) {
            if (nested)
                continue;
            xml.writeTextElement(QStringLiteral("number"),
                                 SentPackageNumber(line.Number, m_settings.TypSchl));
            if (campaignHead)
                WriteCampaignInformation(xml, line);
        } else if (line.Type == POS_WORK) {
            xml.writeStartElement(QStringLiteral("flatRates"));
            xml.writeAttribute(QStringLiteral("productType"), QStringLiteral("car"));
            xml.writeTextElement(QStringLiteral("number"), line.Number);
            if (v117)
                xml.writeTextElement(QStringLiteral("isLeadLabour"),
                                     DmsBool(line.IsLeadLabour && !nested));
            if (campaignHead) {
                if (v117)
                    WriteCampaignLinePrice(xml, line, *campaignHead);
                xml.writeTextElement(QStringLiteral("value"), line.GetDisplayNumber());
            }
            xml.writeEndElement();
        } else if (line.Type == POS_PART) {
            xml.writeStartElement(QStringLiteral("parts"));
            const QString type = PartType(line.Kind);
            if (!type.isEmpty())
                xml.writeAttribute(QStringLiteral("type"), type);
            xml.writeTextElement(QStringLiteral("number"), WithoutTrailingBlanks(line.Number));
            if (campaignHead) {
                xml.writeTextElement(QStringLiteral("quantity"), line.GetDisplayNumber());
                if (v117)
                    WriteCampaignLinePrice(xml, line, *campaignHead);
            }
            xml.writeEndElement();
        }
    }
}

void CPackagePriceRequest::WriteCampaignInformation(QXmlStreamWriter &xml,
                                                    const CPosition &head) const
{
    const auto &c = head.Campaign;
    const QString priceType = WriteCampaignInformationStart(xml, head, m_settings.V117 != 0);
    // The package price definition is a rebate ("R") or the package's gross
    // price ("L"); a rebate campaign by items ("CR") names its labour, parts
    // and oil rebates.
    const QString definition = DmsNumberText(c[CPosition::CampaignFixedPrice]);
    if (priceType == QLatin1String("R")) {
        xml.writeTextElement(QStringLiteral("PackageRebate"), definition);
    } else if (priceType == QLatin1String("L")) {
        xml.writeTextElement(QStringLiteral("PackageGrossPrice"), definition);
    } else if (priceType == QLatin1String("CR") && m_settings.V117) {
        xml.writeTextElement(QStringLiteral("labourRebate"),
                             DmsNumberText(c[CPosition::CampaignLabourRebate]));
        xml.writeTextElement(QStringLiteral("partsRebate"),
                             DmsNumberText(c[CPosition::CampaignPartsRebate]));
        xml.writeTextElement(QStringLiteral("oilRebate"),
                             DmsNumberText(c[CPosition::CampaignOilRebate]));
    }
    xml.writeEndElement();
}

void CPackagePriceRequest::WriteCampaignLinePrice(QXmlStreamWriter &xml, const CPosition &line,
                                                  const CPosition &campaignHead) const
{
    const QString priceType = campaignHead.Campaign[CPosition::CampaignPriceType];
    if (priceType == QLatin1String("CL")) {
        const int field =
            line.Type == POS_WORK ? CPosition::CampaignWorkPrice : CPosition::CampaignPartPrice;
        xml.writeTextElement(QStringLiteral("fixedPrice"), line.Campaign[field]);
    } else if (priceType == QLatin1String("R")) {
        xml.writeTextElement(QStringLiteral("rebate"),
                             DmsNumberText(campaignHead.Campaign[CPosition::CampaignFixedPrice]));
    } else if (priceType == QLatin1String("CR")) {
        const int rebate = CampaignRebateField(line);
        if (rebate >= 0)
            xml.writeTextElement(QStringLiteral("rebate"),
                                 DmsNumberText(campaignHead.Campaign[size_t(rebate)]));
    }
    // What the dealer may leave out: an optional or alternative campaign
    // line that can still be chosen ("0") or is fixed ("1").
    const QString usage = line.CampaignUsage();
    const QString status = line.CampaignStatus();
    if (usage == QLatin1String("O") || usage == QLatin1String("B")) {
        if (status == QLatin1String("0"))
            xml.writeTextElement(QStringLiteral("dealerOptional"), DmsBool(true));
        else if (status == QLatin1String("1"))
            xml.writeTextElement(QStringLiteral("dealerOptional"), DmsBool(false));
    }
}
