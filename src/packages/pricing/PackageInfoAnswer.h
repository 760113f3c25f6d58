#pragma once
// The DMS answer "requestPackageInfoResponse" as records: the VIN it names,
// the packages it prices with their flat rates (work positions) and parts,
// the campaign block of a campaign package, and an exception. Reading only:
// whether the answer fits the request and what it changes in a package is
// CPackagePriceExchange's business.
//
// Elements are found by their local name (a namespace prefix of the DMS
// does not matter), compared exactly; unknown elements are passed over.
// Every text value is kept without its trailing blanks.

#include "common/DmsFrame.h"
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

// The whole answer element.
struct CRequestPackageInfoResponseData
{
    bool hasContent = false; // a "vin" or a "package" was read
    bool hasVin = false;
    QString vin; // vinLongPrefix + vinShort
    std::vector<CPackageTypeData> packages;
    int flatRateAnswers = 0; // "flatRate" elements: the price of a labour value, not asked for
    bool hasException = false;
    CDmsException exception;
};

void ReadFlatRateElement(const QDomElement &element, CFlatRateTypeData &flatRate);
void ReadPartElement(const QDomElement &element, CPartTypeData &part);
void ReadCampaignInformationElement(const QDomElement &element, CCampaignInfoData &campaign);
void ReadResponsePackage(const QDomElement &element, CPackageTypeData &package);
CRequestPackageInfoResponseData ReadRequestPackageInfoResponse(const QDomElement &response);

// The answer is complete enough to be compared with the request: every
// package names its number (seven characters at least) and product type,
// every flat rate its number, every part its number and one of the types
// "standard", "alternative" and "optional".
bool IsValidPackageInfoResponse(const CRequestPackageInfoResponseData &response);
