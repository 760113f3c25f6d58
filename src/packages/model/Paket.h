#pragma once
// A package: an ordered list of lines that it owns. One line is the head
// (type 6, 9, 18, 19 or 20) that carries the package's identity and totals;
// the others are work positions, parts, group lines, special lines and
// sub-package lines (type 17), each of which owns a nested package. The order
// of the list is the order in which the lines are shown, printed and sent.

#include "packages/model/PaketNotice.h"
#include "packages/model/Position.h"

#include <QString>

#include <memory>
#include <vector>

class CPrgSettings;
struct CPartTypeData;
struct CFlatRateTypeData;
class CHGPriceRec;
class CETPriceRec;
class CDIPRec;
class CLagerRec;
class CPauschalRec;
class CRabattRec;

class CPaket
{
public:
    CPaket();
    CPaket(const CPaket &other);
    CPaket &operator=(const CPaket &other);
    virtual ~CPaket();

    // --- The list -------------------------------------------------------
    int GetCount() const { return static_cast<int>(m_lines.size()); }
    bool IsEmpty() const { return m_lines.empty(); }
    CPosition *GetAt(int index) const { return m_lines.at(static_cast<size_t>(index)).get(); }
    auto begin() const { return m_lines.begin(); }
    auto end() const { return m_lines.end(); }

    // Deletes every line with its sub-positions and nested package.
    void RemoveAll();
    // RemoveAll, then a deep copy of every line of the other package.
    void CopyFrom(const CPaket &other);
    // Takes the line and inserts it where the package's order puts it:
    // work positions with the head's number right after the head, standard,
    // optional and optional sub-package lines before the group lines of the
    // later groups, everything else at the end. Returns the line.
    CPosition *AddPosition(std::unique_ptr<CPosition> position);
    // Takes the lines in their order, each placed as AddPosition places it
    // after the ones before; the heads and group lines that decide the
    // places are looked up among themselves, not among all lines (a loaded
    // package of many lines).
    void AddPositions(std::vector<std::unique_ptr<CPosition>> positions);

    // The first head; null when there is none.
    CPosition *GetKopf() const;
    CPosition *GetPosType1() const;
    CPosition *GetPosType2() const;
    CPosition *GetPosType4() const;
    // The first line of the type whose number (and kind, when one is given)
    // equals the given one, trailing blanks removed on both sides.
    CPosition *FindPosition(int type, const QString &number, const QString &kind) const;
    // The selected priced lines, the nested packages' lines included.
    int CountPricedPositions(bool withoutHeads) const;
    // Deselects every line that can be chosen, nested packages included.
    void ClearSelection();
    // The package pages' name of ClearSelection.
    void ClearDiscountable() { ClearSelection(); }

    // Same package key on both heads.
    virtual int IsSamePaket(const CPaket &other) const;
    // The campaign lines (type 4) agree in campaign number, package number
    // and reference.
    virtual int CompareType4(const CPaket &other) const;
    // The heads agree and every work position has an equal twin in the other
    // package, in both directions.
    virtual int IsEqual(const CPaket &other) const;

    // Both packages hold the same number of lines, pairwise equal in order.
    bool HasEqualLines(const CPaket &other) const;

    // --- Prices ---------------------------------------------------------
    // Set 2 (standard) and set 3 (campaign) are computed only with the XML
    // request to the DMS ("XMLx") or in the training edition.
    static bool AreExtraPriceSetsActive(const CPrgSettings *settings);

    void CalcPositionPrices1(const CPrgSettings *settings);
    void CalcPositionPrices2(const CPrgSettings *settings);
    void CalcPositionPrices3(const CPrgSettings *settings);
    void CalcPrices1(const CPrgSettings *settings);
    void CalcPrices2(const CPrgSettings *settings);

    // The one currency of the lines of set 1 or 2; *mixed := 1 when two lines
    // differ. Stays empty for a flat-price head.
    QString GetCommonCurrency1(QString &out, int *mixed) const;
    QString GetCommonCurrency2(QString &out, int *mixed) const;
    // The one currency of the active campaign items in set 3.
    QString GetCampaignCurrency(QString &out, int *mixed) const;
    // The package pages' names of the three currency checks.
    QString GetFirstText1(QString &out, int *mixed) const { return GetCommonCurrency1(out, mixed); }
    QString GetFirstText2(QString &out, int *mixed) const { return GetCommonCurrency2(out, mixed); }
    QString GetKindSummary(QString &out, int *mixed) const
    {
        return GetCampaignCurrency(out, mixed);
    }

    // The campaign package price onto the head's set 3: the delivered
    // package prices with the optional and alternative adjustments, else
    // (list-price campaigns) the fixed price. Missing package prices are
    // told to the notice only when prices just came in (pricesArrived: a
    // DMS answer or the dealer's files; not after a change of choice or a
    // load, where none were asked for), naming a fixed price text that is
    // no plain number (ParsePriceText).
    void ApplyCampaignPrices(const CPrgSettings *settings, IPaketNotice *notice,
                             bool pricesArrived);

    // --- Price sources --------------------------------------------------
    // Takes the prices of a part or flat rate of a DMS answer into every
    // matching line. 1 when a line matched; a part or flat rate that
    // matches no line is told to the notice (none: nobody is told), and so
    // are price texts that are no plain number (ParsePriceText): the lines
    // keep no price from their element.
    int ApplyDmsPartsResponse(const CPrgSettings *settings, const CPartTypeData &part,
                              IPaketNotice *notice);
    int ApplyDmsWorkPosResponse(const CPrgSettings *settings, const CFlatRateTypeData &flatRate,
                                IPaketNotice *notice);
    // Set 1 from the dealer's price files. A record whose price is empty or
    // no plain number counts as not found; such a VAT rate or discount
    // percentage as not given.
    void LookupHGPrices(const CPrgSettings *settings, CHGPriceRec *hgPrice, CETPriceRec *etPrice,
                        CDIPRec *dipPart, CLagerRec *stock, CPauschalRec *flatRate,
                        CRabattRec *discount, bool lookUp);
    // Set 2 and set 1 from the price files with flat rates, discounts and stock.
    void LookupPricesAndStock(const CPrgSettings *settings, CHGPriceRec *hgPrice,
                              CETPriceRec *etPrice, CDIPRec *dipPart, CLagerRec *stock,
                              CPauschalRec *flatRate, CRabattRec *discount, bool lookUp);

private:
    // Where a line added goes by one line of the package: right after it
    // (a head of its number), right before it (a group line of a later
    // group), or not by this one.
    enum class Place
    {
        None,
        After,
        Before
    };
    static Place PlaceBy(const CPosition &node, const CPosition &added);
    // A line that can place another: a head or a group line.
    static bool IsAnchor(const CPosition &line);

    enum class SetNo
    {
        One,
        Two
    };
    void CalcPositionPrices(SetNo setNo, const CPrgSettings *settings);
    void CalcPrices(SetNo setNo);
    QString CommonCurrency(SetNo setNo, int *mixed) const;
    void LookupPricesAndStock(const CPrgSettings *settings, CHGPriceRec *hgPrice,
                              CETPriceRec *etPrice, CDIPRec *dipPart, CLagerRec *stock,
                              CPauschalRec *flatRate, double partsPercent, double workPercent,
                              bool lookUp);

    std::vector<std::unique_ptr<CPosition>> m_lines;
};
