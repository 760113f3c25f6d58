#pragma once
// The price data of a DMS answer to the package price request: one price
// element, one flat rate (work position) and one part. Every value is kept as
// the text of its element, with a flag that says the element was present.

#include <QString>
#include <QStringList>

class QDomElement;

// One price element ("price", "customerPrice", "standardPrice",
// "campaignPrice").
struct CPriceTypeData
{
    QString currency; // attribute "currency"
    QString netPrice;
    QString grossPrice;
    QString valueAddedTax;
    QString flagInclusivePrice; // "true" or "false"
    int bCurrency = 0;
    int bNetPrice = 0;
    int bGrossPrice = 0;
    int bValueAddedTax = 0;
    int bFlagInclusivePrice = 0;
    // The qualified names of the element's children when none of them is an
    // amount ("netPrice", "grossPrice", "valueAddedTax"): a price sent in a
    // form the program cannot read.
    QStringList unreadChildren;
};

// One "flatRate" of the answer.
struct CFlatRateTypeData
{
    QString productType;
    QString number;
    QString isLeadLabour;
    QString designation;
    QString additionalInformation;
    CPriceTypeData price;
    CPriceTypeData customerPrice;
    CPriceTypeData standardPrice;
    CPriceTypeData campaignPrice;
    QString fixedPrice;
    QString rebate;
    QString dealerOptional;
    QString value;
    QString type;
    QString workTimeFlag;
    QString paintStage;
    QString surfaceArea;
    int bProductType = 0;
    int bNumber = 0;
    int bIsLeadLabour = 0;
    int bDesignation = 0;
    int bAdditionalInformation = 0;
    int bPrice = 0;
    int bCustomerPrice = 0;
    int bStandardPrice = 0;
    int bCampaignPrice = 0;
    int bFixedPrice = 0;
    int bRebate = 0;
    int bDealerOptional = 0;
    int bValue = 0;
    int bType = 0;
    int bWorkTimeFlag = 0;
    int bPaintStage = 0;
    int bSurfaceArea = 0;
};

// One "part" of the answer.
struct CPartTypeData
{
    QString type; // "standard", "alternative", "optional"
    QString number;
    QString designation;
    QString quantity;
    QString stock;
    CPriceTypeData price;
    CPriceTypeData customerPrice;
    CPriceTypeData standardPrice;
    CPriceTypeData campaignPrice;
    QString fixedPrice;
    QString rebate;
    QString dealerOptional;
    QString replacedBy;
    QString replacementDescription;
    QString replacementDesignation;
    int bType = 0;
    int bNumber = 0;
    int bDesignation = 0;
    int bQuantity = 0;
    int bStock = 0;
    int bPrice = 0;
    int bCustomerPrice = 0;
    int bStandardPrice = 0;
    int bCampaignPrice = 0;
    int bFixedPrice = 0;
    int bRebate = 0;
    int bDealerOptional = 0;
    int bReplacedBy = 0;
    int bReplacementDescription = 0;
    int bReplacementDesignation = 0;
};

// Reads the "currency" attribute of a price element and the texts of its
// children "netPrice", "grossPrice", "valueAddedTax" and "flagInclusivePrice"
// (local names compared exactly, whatever prefix the DMS writes); other
// children are ignored, unless no amount is among them (unreadChildren).
// Values not present stay empty with their flag 0.
void ReadPriceAttributes(const QDomElement &node, CPriceTypeData &price);

// The number texts of the price element ("netPrice", "grossPrice",
// "valueAddedTax") that ParsePriceText refuses, each in quotes, and the
// children of a price without amounts, each in angle brackets; empty when
// the element can be taken.
QStringList RefusedPriceTexts(const CPriceTypeData &price);
