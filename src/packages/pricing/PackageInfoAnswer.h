#pragma once
// The DMS answer "requestPackageInfoResponse" as records, the one reader of
// it for both its forms: the packages it prices with their flat rates (work
// positions) and parts and the campaign block of a campaign package (the
// answer to a package), or the flat rates of a labour value (the answer to
// the labour-value form). The VIN it names and its exception are read by
// the client (CDmsAnswer). Reading only: whether the answer fits the
// request and what it changes is CPackagePriceExchange's and
// CAwKatPricing's business.
//
// Elements are found by their local name (a namespace prefix of the DMS
// does not matter), compared exactly; unknown elements are passed over.
// Every text value is kept without its trailing blanks.

#include "dms/DmsClient.h"
#include "packages/model/DmsPriceData.h"

#include <QString>

#include <vector>

class QDomElement;

// The "campaignInformation" block of a campaign package.
struct CCampaignInfoData
{
    QString number; // attribute: the campaign number
    QString campaignPackageNumber;
    QString campaignName;
    QString campaignPackageName;
    QString campaignPriceType; // "L", "R", "CL", "CR"
    QString packageRebate;
    QString packageGrossPrice;
    QString packageNetPrice;
    QString labourRebate;
    QString partsRebate;
    QString oilRebate;
};

// One "package" of the answer.
struct CPackageTypeData
{
    QString productType;
    QString number;     // the first seven characters of the full number
    QString fullNumber; // as the request sent it: number + "1" + type key + "0"
    QString designation;
    CPriceTypeData price;
    CPriceTypeData standardPrice;
    std::vector<CFlatRateTypeData> flatRates;
    std::vector<CPartTypeData> parts;
    bool hasNumber = false;
    bool hasPrice = false;
    bool hasStandardPrice = false;
    bool hasCampaign = false;
    CCampaignInfoData campaign;
};

// What the request asked about: a package, or a labour value.
enum class PackageInfoAsked
{
    Package,
    LabourValue,
};

// The packages and flat rates of the answer element.
struct CRequestPackageInfoResponseData
{
    std::vector<CPackageTypeData> packages;
    std::vector<CFlatRateTypeData> flatRates; // "flatRate": the price of a labour value
};

void ReadFlatRateElement(const QDomElement &element, CFlatRateTypeData &flatRate);
void ReadPartElement(const QDomElement &element, CPartTypeData &part);
void ReadCampaignInformationElement(const QDomElement &element, CCampaignInfoData &campaign);
void ReadResponsePackage(const QDomElement &element, CPackageTypeData &package);
// Reads the answer's children once. Content is what was asked about (for
// a package also the VIN the answer names); the other form's elements are
// told: 5063 for each "flatRate" in the answer to a package, 5058 for each
// "package" in the answer to a labour value.
CRequestPackageInfoResponseData ReadRequestPackageInfoResponse(CDmsAnswer &answer,
                                                               PackageInfoAsked asked);

// The answer is complete enough to be compared with the request: for a
// package, every package names its number (seven characters at least) and
// product type, every flat rate of it its number, every part its number and
// one of the types "standard", "alternative" and "optional"; for a labour
// value, every flat rate names its number and product type.
bool IsValidPackageInfoResponse(const CRequestPackageInfoResponseData &response,
                                PackageInfoAsked asked);
