#pragma once
// One line of a package or of the basket: the package head, a work position,
// a part, a group line, a sub-package line and the other line kinds. It
// carries the line's identity and texts, three parallel price sets, selection
// flags, the campaign attributes and the hit rectangles that the owner-drawn
// lists paint into it. A line owns its sub-positions and, on a sub-package
// line (type 17), its nested package. Copies are always deep.

#include "packages/model/PriceMath.h"
#include "packages/model/TextFields.h"

#include <QRect>
#include <QString>

#include <array>
#include <memory>
#include <vector>

class CPaket;
class CPrgSettings;
struct CPriceTypeData;

// Line type codes.
enum PositionType
{
    POS_EMPTY = 0,    // never priced, never sorted
    POS_SPECIAL1 = 1, // special lines of a package
    POS_SPECIAL2 = 2,
    POS_INFO3 = 3, // unpriced information lines
    POS_SPECIAL4 = 4,
    POS_INFO5 = 5,
    POS_HEAD = 6, // package heads
    POS_HEAD_CAMPAIGN = 9,
    POS_WORK = 10,          // work position
    POS_PART = 11,          // part
    POS_FINDINGS = 12,      // findings line
    POS_GROUP = 13,         // group line
    POS_BASKET_LABOUR = 14, // basket labour position
    POS_SI_FINDING = 15,
    POS_FINDING = 16,
    POS_SUBPACKAGE = 17, // owns SubPackage
    POS_HEAD18 = 18,
    POS_HEAD19 = 19,
    POS_HEAD20 = 20,
};

// Heads: 6, 9, 18, 19, 20.
bool IsHeadType(int type);
// Lines that are never priced: 0, 1, 2, 4, 12, 13.
bool IsUnpricedType(int type);
// A priced line: neither never priced nor a head.
bool IsPricedLineType(int type);

// One price set. Set 1 is the customer price that is shown and sent, set 2
// the standard price, set 3 the campaign price. On set 3 the package prices
// are the ones the DMS delivered; the no-price marker and the totals flag
// are used on set 1 (and the totals flag on set 2) only.
struct CPriceSet
{
    double UnitGross = kPriceNotSet;
    double UnitNet = kPriceNotSet;
    double Vat = kPriceNotSet;   // percent
    double Gross = kPriceNotSet; // the line's price: unit price x quantity
    double Net = kPriceNotSet;
    double PackageGross = kPriceNotSet; // the totals, used on the head
    double PackageNet = kPriceNotSet;
    int FlatPrice = 0; // the unit price is the price of the whole line
    int NoPrice = 0;   // no-price marker
    int Complete = 0;
    int TotalsComplete = 0;
    QString TotalsCurrency; // currency of the totals
    QString Currency;

    bool operator==(const CPriceSet &o) const;
    bool operator!=(const CPriceSet &o) const { return !(*this == o); }
};

// The plain values of a line: everything but the owned sub-lines and nested
// package. Kept apart so that a copy of a line copies every value in one go.
struct CPositionData
{
    int Type = 0;
    std::array<int, 5> WorkInts{}; // working integers of the pages; not compared
    QString Number;
    QString AwPosRef; // alternative work position: the standard line it replaces
    int IsLeadLabour = 0;
    QString AwText1, AwText2, AwText3, AwText4;
    QString AwTextExtra;
    QString KlammerText1, KlammerText2, KlammerText3, KlammerText4;
    QString TeileText;
    QString AuftragsArt;
    QString BefundText;
    QString BefundText2;
    QString Lackstufe;
    QString R, U, M;
    QString Flaeche;
    QString Az; // text 3012 ("AZ") when the work is charged by time
    int AzEdited = 0;
    QString Kind; // "S", "O", "OP", "A", "B"
    double Stock = -1.0;
    int StockKnown = 0;
    QString PosLfdNr;
    QString PosLfdNrRef;
    QString VonBaustand, BisBaustand;
    int PlusKennung = 0;
    int TeileClearing = 0;
    QString ZeilenNr;
    QString Quantity;
    int Selected = 1;
    int Doubled = 0;
    CPriceSet Preise1;
    QString ErsetztDurchNummer;
    QString ErsetztDurchText;
    QString ErsetztDurchBeschr;
    int PriceCalcFlag = 0;
    double StdGross = kPriceNotSet; // standard price of the head (direct price adjustment)
    double StdNet = kPriceNotSet;
    double StdVat = kPriceNotSet;
    CPriceSet Preise3;
    CPriceSet Preise2;
    // Package texts.
    QString Text;
    QString HG;      // main group; "XX" campaign item, "YY" care-and-cosmetic item
    QString PaketID; // package key
    QString PaketArt;
    QString HGText;
    std::array<QString, 6> PaketTexts; // the last five: package kinds one package number offers
    int PaketInt = 0;
    // Campaign texts, indexed by the Campaign... constants below.
    CTextFields<60> Campaign;
    int IsFastlane = 0;
    int ExtraInt = 0;
    int IsValueLine = 0;
    // Spot-repair texts, indexed by the Spot... constants below.
    CTextFields<19> Spot;
    int HasPartnerColour = 1;
    int SpotInt = 0;
    // The record's hit rectangles of the owner-drawn lists: the row, its
    // four icons, a further one and the information area. The lists ask
    // their row painter where a row's badges lie when the mouse needs them
    // (COwnYaqRowHits), so nothing writes or reads these; they stay part of
    // the record, copied with it and not compared.
    QRect RectRow;
    std::array<QRect, 4> RectIcon;
    QRect RectExtra;
    QRect RectInfo;

    // Indices into Campaign. A campaign row of the package list, the head,
    // the campaign line and the campaign-package line carry the campaign's
    // fields; a campaign work, part or sub-package line its campaign keys
    // (CampaignKey1, CampaignNumber, CampaignPackageNumber, CampaignSubsField)
    // and the values of its own record.
    enum
    {
        CampaignKey1 = 0, // first identification field of the subscription
        CampaignKey2 = 1, // second identification field
        CampaignNumber = 10,
        CampaignBegin = 11, // campaign period, YYYYMMDD
        CampaignEnd = 12,
        CampaignFregBegin = 13, // first-registration period, YYYYMMDD
        CampaignFregEnd = 14,
        CampaignAgeBegin = 15, // vehicle age, whole months
        CampaignAgeEnd = 16,
        CampaignAttr1 = 17,     // further fields of the campaign record
        CampaignPriceType = 18, // "L", "CL", "R", "CR"
        CampaignAttr2 = 19,
        CampaignCurrency = 20,
        CampaignName = 21,
        CampaignCommercialText = 22,
        CampaignPackageNumber = 23,
        CampaignPackageRef = 24, // its first seven characters number a campaign head
        CampaignPackageName = 25,
        CampaignPackageText = 26,
        CampaignSubsField = 27, // compared by CPaket::CompareType4
        CampaignProdBegin = 28, // production period of the vehicle, YYYYMMDD
        CampaignProdEnd = 29,
        CampaignFixedPrice = 30,   // package price definition: fixed price or rebate ("L", "R")
        CampaignLabourRebate = 31, // rebates of "CR"
        CampaignPartsRebate = 32,
        CampaignOilRebate = 33,
        CampaignWorkAttr = 34,     // work line: further field of its record
        CampaignWorkLineNo = 35,   // its line key
        CampaignWorkNumber = 36,   // labour-position number
        CampaignWorkPrice = 37,    // unit price of a campaign work position ("CL")
        CampaignWorkUsage = 38,    // "S", "O", "A", "B"
        CampaignWorkSelected = 39, // "1" chosen when loaded
        CampaignWorkStatus = 40,   // operability: "0" the dealer may choose
        CampaignWorkQuantity = 41,
        CampaignWorkRefLineNo = 42, // line key an alternative stands for
        CampaignPartAttr = 43,      // part line: further field of its record
        CampaignPartPosNo = 44,
        CampaignPartNumber = 45,
        CampaignPartPrice = 46,
        CampaignPartCategory = 47, // rebate category: "p" part, "o" oil
        CampaignPartUsage = 48,
        CampaignPartSelected = 49,
        CampaignPartStatus = 50, // operability: "0" the dealer may choose
        CampaignPartQuantity = 51,
        CampaignPartRefPosNo = 52,
        CampaignSubParentRef = 53, // sub-package line: the package reference holding it
        CampaignSubPosNo = 54,
        CampaignSubRef = 55,      // package reference of the sub-package
        CampaignSubFlag = 56,     // PCKG_STAT: "1" chosen when loaded
        CampaignSubOpenable = 57, // PCKG_OPERABILITY: "1" the sub-package is fixed
        CampaignSubAttr1 = 58,
        CampaignSubAttr2 = 59,
    };
    // Indices into Spot.
    enum
    {
        SpotCombinationFactor = 8, // decimal text
        SpotMaPercent = 17,        // surcharge in percent, decimal text
    };

    // Campaign usage and status of a work position or part (empty otherwise).
    QString CampaignUsage() const;
    QString CampaignStatus() const;
};

class CPosition : public CPositionData
{
public:
    CPosition();
    CPosition(const CPosition &other);
    CPosition &operator=(const CPosition &other);
    ~CPosition();

    std::unique_ptr<CPaket> SubPackage; // type 17 only
    std::vector<std::unique_ptr<CPosition>> SubPositions;

    // Replaces the sub-positions by deep copies of the other line's.
    void CopySubPositions(const CPosition &other);

    // 1 when every field but the working integers, the set-3 currency and the
    // hit rectangles is equal, and nested packages and sub-positions are equal.
    int IsEqual(const CPosition &other) const;

    // Stock unknown, every price -1.0, every price flag cleared, the no-price
    // marker set, the price currencies and the replacement texts emptied.
    void ResetPrices();

    // The quantity that prices the line: "AZ", the quantity, the "M" or the
    // "U" value, trailing blanks removed.
    QString GetPriceQuantity() const;
    // The value shown in the quantity column (the package pages' name).
    QString GetDisplayNumber() const { return GetPriceQuantity(); }

    // Chooses the line unless it is optional or alternative or one of the
    // special work positions.
    void SetSelectionFlag();
    // The package pages' name of SetSelectionFlag.
    void SetDiscountableFlag() { SetSelectionFlag(); }

    // A DMS price element into set 1, 2 or 3 (ParsePriceText). False when
    // one of its number texts was refused: then the set takes none of its
    // prices, and the line stays without price.
    bool TakeDmsPrice1(const CPriceTypeData &price);
    bool TakeDmsPrice2(const CPriceTypeData &price);
    bool TakeDmsPrice3(const CPriceTypeData &price);
    // Set-3 package prices from the texts of "PackageGrossPrice" and
    // "PackageNetPrice" of a campaign answer. False, and neither price set,
    // when one of the texts was refused.
    bool SetPricesFromDms3(const QString &packageGross, const QString &packageNet);

    // Gross and net of set 1, 2 or 3 from unit prices and quantity.
    void CalcPrice1();
    void CalcPrice2();
    void CalcPrice3();

    // The work is charged by time: the time marker is text 3012 ("AZ").
    static QString AzMarker();

private:
    void CalcPrice(CPriceSet &set, bool withLineFactors);
};
