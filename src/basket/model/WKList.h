#pragma once
// The basket's entries, in the order in which the basket page lists them and
// every transfer, export and print-out writes them, with the basket's totals.
// The list holds deep copies only: what a caller offers stays the caller's.
//
// Every change of the entries made here brings the totals up to date; the
// page only draws them. Whoever changes an entry in place (the labour-value
// edit does it through ApplyLabourEdit) must call RecalcTotals.
//
// A basket fills one entry at a time up to thousands of packages, so an
// added entry costs the same whatever the basket holds: the duplicate is
// looked up by the key its comparison starts from (DuplicateKey), and the
// totals keep what each entry adds, so appending adds one entry's price
// and only a removal or a replacement sums the kept prices again.

#include "basket/model/WKListItem.h"
#include "basket/model/WkDuplicateQuestion.h"
#include "packages/model/PriceMath.h"

#include <QHash>
#include <QString>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class IPaketNotice;
struct CWkLabourEdit;

// Results of CWKList::Add.
enum
{
    WK_ADD_DUPLICATE = 2, // a duplicate is stored; nothing changed
    WK_ADD_DONE = 3,      // added or replaced
};

// What became of an entry offered to the basket.
enum class WkOffered
{
    Added,       // no duplicate: appended
    Replaced,    // overwrote the first duplicate in its place
    StoredAgain, // appended beside the duplicate
    Kept,        // the duplicate stays, the entry was not stored
    Cancelled,   // the adviser cancelled; nothing stored
    Refused,     // the store took nothing (no basket, or one that refuses)
};

// The duplicate question around a store by modes (CWkBasket::Offer), the
// one way an entry is offered: stored with mode 0; on a duplicate the
// adviser's answer stores it again (mode 1), puts it in the duplicate's
// place (mode 2) or leaves the basket as it is.
// A store that answers neither "done" nor "duplicate": Refused.
WkOffered OfferByModes(const std::function<int(int mode)> &store, const CWKListItem &entry,
                       IWkDuplicateQuestion *question);

class CWKList
{
public:
    CWKList();
    CWKList(const CWKList &) = delete;
    CWKList &operator=(const CWKList &) = delete;
    ~CWKList();

    // The adviser is told of differing currencies through the notice (none:
    // nobody is told). Borrowed.
    void SetNotice(IPaketNotice *notice) { m_notice = notice; }

    // --- The entries ----------------------------------------------------
    int GetCount() const { return static_cast<int>(m_entries.size()); }
    bool IsEmpty() const { return m_entries.empty(); }
    CWKListItem *GetAt(int index) const { return m_entries.at(static_cast<size_t>(index)).get(); }
    auto begin() const { return m_entries.begin(); }
    auto end() const { return m_entries.end(); }
    // The index of this very entry; -1 when it is none of the list's.
    int IndexOf(const CWKListItem *entry) const;
    // The first entry that CWKListItem::IsEqualEntry finds equal to the given
    // one (the row to select again after the list was rebuilt); -1 when none.
    int IndexOfEqual(const CWKListItem *entry) const;

    // Stores a deep copy of the entry. Mode 1 appends without looking for a
    // duplicate. Modes 0 and 2 look for the first duplicate (DuplicateOf);
    // without one they append. With one, mode 2 puts the copy in its place
    // (later duplicates stay) and mode 0 changes nothing and returns
    // WK_ADD_DUPLICATE.
    int Add(const CWKListItem &entry, int mode);

    // A labour position whose value is the hint to the service information
    // (text 3077) becomes one charged by time; true when it did.
    static bool ChargeByTimeIfHinted(CWKListItem &entry);

    // Removes this very entry; false (and nothing changes) when it is none
    // of the list's.
    bool Remove(const CWKListItem *entry);
    // Empties the basket; an empty basket shows no sum and no currency.
    void RemoveAll();

    // One place towards the head or the tail; false at the first (last)
    // place or for an index outside the list.
    bool MoveUp(int index);
    bool MoveDown(int index);

    // --- Editing --------------------------------------------------------
    // "Edit" on an entry (none: nothing chosen). Only the spot-repair
    // package handed to the spot-repair page keeps the edit mark, so that
    // it alone is replaced when it comes back; every other spot-repair
    // entry loses it.
    WkEditAction PrepareEdit(CWKListItem *entry);
    // Writes the dialog's fields back into a stored labour position,
    // prices it again and brings the totals up to date. False when the
    // entry is no labour position of the list.
    bool ApplyLabourEdit(CWKListItem *entry, const CWkLabourEdit &edit);
    // Gross and net of an edited labour position's price set 1: a flat
    // price as it is, "AZ" work as -2.0, else unit price times the value.
    // The VAT rate only fills in the one of gross and net whose unit price
    // is missing: a position that has both keeps both as the dealer set
    // them. What is still missing becomes -3.0 under the no-price marker.
    static void PriceLabourPosition(CPosition &position);

    // --- Transfer -------------------------------------------------------
    // The dealer system took the basket (or the export wrote it): the order
    // it went under must not go out with the next basket. The transfer
    // marks it; the page that owns the order data takes the mark once.
    void MarkOrderSent() { m_orderSent = true; }
    bool TakeOrderSent() { return std::exchange(m_orderSent, false); }

    // --- Totals ---------------------------------------------------------
    // Gross and net of the priced entries in the common currency: the
    // package totals of their heads (campaign packages: the campaign
    // prices), the prices of the labour positions; findings count nothing.
    // An entry without usable price makes the totals incomplete, differing
    // currencies tell the notice once; either leaves both totals at -1.0.
    // Reads every entry again (its price and its duplicate key): the call
    // after an entry was changed in place.
    void RecalcTotals();
    double GrossTotal() const { return m_gross; }
    double NetTotal() const { return m_net; }
    bool IsTotalComplete() const { return m_complete; }
    bool HasMixedCurrencies() const { return m_mixed; }
    QString CommonCurrency() const { return m_currency; }

    // --- Basket-List type numbers ---------------------------------------
    // The basket type of an entry kind; the target keeps its value for a
    // kind that has none.
    static void KindToBasketType(int &target, int kind);
    // The item type of a position's type; the target keeps its value for a
    // type that has none.
    static void PositionTypeToItemType(int &target, const CPosition &position);

    // Whether a stored entry and an offered one are the same thing for the
    // basket: same kind and the same package (service repair, warranty,
    // inclusive-service, value-line), the same campaign lines (campaign
    // packages), equal spot-repair packages or both carrying the edit mark,
    // or the same labour-position number (exact). A missing package or
    // position is a duplicate of nothing.
    static bool DuplicateOf(const CWKListItem &stored, const CWKListItem &offered);
    // What two entries share when DuplicateOf finds them the same: the kind
    // with the labour-position number, the package key or the campaign
    // fields; the kind alone for spot-repair packages (their comparison
    // reads the work lines and the edit mark, which changes in place).
    // Empty for an entry that is a duplicate of nothing.
    static QString DuplicateKey(const CWKListItem &entry);

private:
    // What an entry adds to the totals, read when it is stored.
    struct EntryPrice
    {
        bool counts = false; // findings and unknown kinds add nothing
        bool usable = false;
        double gross = kPriceNotSet;
        double net = kPriceNotSet;
        QString currency;
    };
    static EntryPrice PriceOf(const CWKListItem &entry);

    int FirstDuplicate(const CWKListItem &entry, const QString &key) const;
    // Appends the copy (duplicate < 0) or puts it in the duplicate's place.
    void Place(std::unique_ptr<CWKListItem> copy, QString key, int duplicate);
    void Unindex(size_t index);
    // The totals with one more entry at the end.
    void AddToTotals(const EntryPrice &price, int &mixed);
    // The totals of the kept prices of every entry, in the list's order.
    void SumTotals();
    void CloseTotals(int mixed);
    void ResetTotals();

    std::vector<std::unique_ptr<CWKListItem>> m_entries;
    // Beside each entry, at its index: its price and its duplicate key.
    std::vector<EntryPrice> m_prices;
    std::vector<QString> m_keys;
    // The entries by duplicate key, each list in the order stored (their
    // order in the basket is read from m_entries when several fit).
    QHash<QString, std::vector<const CWKListItem *>> m_byKey;
    // The running sums of the usable prices, before the totals close them.
    double m_grossSum = kPriceNotSet;
    double m_netSum = kPriceNotSet;
    IPaketNotice *m_notice = nullptr;
    double m_gross = -1.0;
    double m_net = -1.0;
    bool m_complete = true;
    bool m_mixed = false;
    QString m_currency;
    bool m_orderSent = false;
};
