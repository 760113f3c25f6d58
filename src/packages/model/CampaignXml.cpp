#include "packages/model/CampaignXml.h"

#include "packages/model/Position.h"
#include "platform/StringUtil.h"

#include <QXmlStreamWriter>

QString WriteCampaignInformationStart(QXmlStreamWriter &xml, const CPosition &head, bool v117)
{
    const auto &c = head.Campaign;
    const QString number = c[CPosition::CampaignNumber];
    const QString packageNumber = c[CPosition::CampaignPackageNumber];
    const QString name = WithoutTrailingBlanks(c[CPosition::CampaignName]);
    const QString packageName = WithoutTrailingBlanks(c[CPosition::CampaignPackageName]);
    const QString priceType = c[CPosition::CampaignPriceType];
    xml.writeStartElement(QStringLiteral("campaignInformation"));
    xml.writeAttribute(QStringLiteral("number"), number);
    xml.writeAttribute(QStringLiteral("campaignPackageNumber"), packageNumber);
    xml.writeTextElement(QStringLiteral("campaignName"), name.isEmpty() ? number : name);
    xml.writeTextElement(QStringLiteral("campaignPackageName"),
                         packageName.isEmpty() ? packageNumber : packageName);
    if (v117)
        xml.writeTextElement(QStringLiteral("campaignPriceType"), priceType);
    return priceType;
}

int CampaignRebateField(const CPosition &line)
{
    if (line.Type == POS_WORK)
        return CPosition::CampaignLabourRebate;
    if (line.Type != POS_PART)
        return -1;
    const QString category = line.Campaign[CPosition::CampaignPartCategory];
    if (category == QLatin1String("p"))
        return CPosition::CampaignPartsRebate;
    if (category == QLatin1String("o"))
        return CPosition::CampaignOilRebate;
    return -1;
}
