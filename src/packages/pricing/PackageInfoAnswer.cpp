#include "packages/pricing/PackageInfoAnswer.h"

#include "platform/StringUtil.h"

#include <QDomElement>

#include <utility>

namespace {

QString TextOf(const QDomElement &element)
{
    return WithoutTrailingBlanks(element.text());
}

QString AttributeOf(const QDomElement &element, const QString &name, int *present = nullptr)
{
    if (present)
        *present = element.hasAttribute(name) ? 1 : 0;
    return WithoutTrailingBlanks(element.attribute(name));
}

// One text child of a record: its element name, the field and its
// present flag.
struct TextField
{
    const char *name;
    QString *value;
    int *present;
};

// One price child of a record.
struct PriceField
{
    const char *name;
    CPriceTypeData *value;
    int *present;
};

// Reads the children of a record element into the fields the tables name.
void ReadFields(const QDomElement &element, std::initializer_list<TextField> texts,
                std::initializer_list<PriceField> prices)
{
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString name = XmlLocalName(child);
        for (const TextField &field : texts) {
            if (name == QLatin1String(field.name)) {
                *field.value = TextOf(child);
                *field.present = 1;
            }
        }
        for (const PriceField &field : prices) {
            if (name == QLatin1String(field.name)) {
                ReadPriceAttributes(child, *field.value);
                *field.present = 1;
            }
        }
    }
}

} // namespace

void ReadFlatRateElement(const QDomElement &element, CFlatRateTypeData &f)
{
    f = CFlatRateTypeData();
    f.productType = AttributeOf(element, QStringLiteral("productType"), &f.bProductType);
    ReadFields(element,
               {{"number", &f.number, &f.bNumber},
                {"isLeadLabour", &f.isLeadLabour, &f.bIsLeadLabour},
                {"designation", &f.designation, &f.bDesignation},
                {"additionalInformation", &f.additionalInformation, &f.bAdditionalInformation},
                {"fixedPrice", &f.fixedPrice, &f.bFixedPrice},
                {"rebate", &f.rebate, &f.bRebate},
                {"dealerOptional", &f.dealerOptional, &f.bDealerOptional},
                {"value", &f.value, &f.bValue},
                {"type", &f.type, &f.bType},
                {"workTimeFlag", &f.workTimeFlag, &f.bWorkTimeFlag},
                {"paintStage", &f.paintStage, &f.bPaintStage},
                {"surfaceArea", &f.surfaceArea, &f.bSurfaceArea}},
               {{"price", &f.price, &f.bPrice},
                {"customerPrice", &f.customerPrice, &f.bCustomerPrice},
                {"standardPrice", &f.standardPrice, &f.bStandardPrice},
                {"campaignPrice", &f.campaignPrice, &f.bCampaignPrice}});
}

void ReadPartElement(const QDomElement &element, CPartTypeData &p)
{
    p = CPartTypeData();
    p.type = AttributeOf(element, QStringLiteral("type"), &p.bType);
    ReadFields(element,
               {{"number", &p.number, &p.bNumber},
                {"designation", &p.designation, &p.bDesignation},
                {"quantity", &p.quantity, &p.bQuantity},
                {"stock", &p.stock, &p.bStock},
                {"fixedPrice", &p.fixedPrice, &p.bFixedPrice},
                {"rebate", &p.rebate, &p.bRebate},
                {"dealerOptional", &p.dealerOptional, &p.bDealerOptional},
                {"replacedBy", &p.replacedBy, &p.bReplacedBy},
                {"replacementDescription", &p.replacementDescription, &p.bReplacementDescription},
                {"replacementDesignation", &p.replacementDesignation, &p.bReplacementDesignation}},
               {{"price", &p.price, &p.bPrice},
                {"customerPrice", &p.customerPrice, &p.bCustomerPrice},
                {"standardPrice", &p.standardPrice, &p.bStandardPrice},
                {"campaignPrice", &p.campaignPrice, &p.bCampaignPrice}});
}

void ReadCampaignInformationElement(const QDomElement &element, CCampaignInfoData &c)
{
    c = CCampaignInfoData();
    c.number = AttributeOf(element, QStringLiteral("number"));
    c.campaignPackageNumber = AttributeOf(element, QStringLiteral("campaignPackageNumber"));
    int unused = 0;
    ReadFields(element,
               {{"campaignName", &c.campaignName, &unused},
                {"campaignPackageName", &c.campaignPackageName, &unused},
                {"campaignPriceType", &c.campaignPriceType, &unused},
                {"PackageRebate", &c.packageRebate, &unused},
                {"PackageGrossPrice", &c.packageGrossPrice, &unused},
                {"PackageNetPrice", &c.packageNetPrice, &unused},
                {"labourRebate", &c.labourRebate, &unused},
                {"partsRebate", &c.partsRebate, &unused},
                {"oilRebate", &c.oilRebate, &unused}},
               {});
}

void ReadResponsePackage(const QDomElement &element, CPackageTypeData &package)
{
    package = CPackageTypeData();
    package.productType = AttributeOf(element, QStringLiteral("productType"));
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        const QString name = XmlLocalName(child);
        if (name == QLatin1String("number")) {
            package.fullNumber = TextOf(child);
            package.number = package.fullNumber.left(7);
            package.hasNumber = true;
        } else if (name == QLatin1String("designation")) {
            package.designation = TextOf(child);
        } else if (name == QLatin1String("price")) {
            ReadPriceAttributes(child, package.price);
            package.hasPrice = true;
        } else if (name == QLatin1String("standardPrice")) {
            ReadPriceAttributes(child, package.standardPrice);
            package.hasStandardPrice = true;
        } else if (name == QLatin1String("flatRates")) {
            package.flatRates.emplace_back();
            ReadFlatRateElement(child, package.flatRates.back());
        } else if (name == QLatin1String("parts")) {
            package.parts.emplace_back();
            ReadPartElement(child, package.parts.back());
        } else if (name == QLatin1String("campaignInformation")) {
            ReadCampaignInformationElement(child, package.campaign);
            package.hasCampaign = true;
        }
    }
}

CRequestPackageInfoResponseData ReadRequestPackageInfoResponse(CDmsAnswer &answer,
                                                               PackageInfoAsked asked)
{
    const bool package = asked == PackageInfoAsked::Package;
    CRequestPackageInfoResponseData data;
    answer.ReadChildren(
        [&](const QDomElement &child) {
            const QString name = XmlLocalName(child);
            if (name == QLatin1String("package")) {
                if (!package) {
                    answer.Tell(5058);
                    return false;
                }
                data.packages.emplace_back();
                ReadResponsePackage(child, data.packages.back());
                return true;
            }
            if (name == QLatin1String("flatRate")) {
                if (package) {
                    answer.Tell(5063);
                    return false;
                }
                data.flatRates.emplace_back();
                ReadFlatRateElement(child, data.flatRates.back());
                return true;
            }
            return false;
        },
        package ? DmsAnswerVin::Content : DmsAnswerVin::NotContent);
    return data;
}

bool IsValidPackageInfoResponse(const CRequestPackageInfoResponseData &response,
                                PackageInfoAsked asked)
{
    if (asked == PackageInfoAsked::LabourValue) {
        for (const CFlatRateTypeData &flatRate : response.flatRates) {
            if (flatRate.number.trimmed().isEmpty() || flatRate.productType.trimmed().isEmpty())
                return false;
        }
        return true;
    }
    for (const CPackageTypeData &package : response.packages) {
        if (package.fullNumber.size() < 7 || package.productType.isEmpty())
            return false;
        for (const CFlatRateTypeData &flatRate : package.flatRates) {
            if (flatRate.number.isEmpty())
                return false;
        }
        for (const CPartTypeData &part : package.parts) {
            if (part.number.isEmpty() || (part.type != QLatin1String("standard") &&
                                          part.type != QLatin1String("alternative") &&
                                          part.type != QLatin1String("optional")))
                return false;
        }
    }
    return true;
}
