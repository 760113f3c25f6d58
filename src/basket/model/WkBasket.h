#pragma once
// The basket of the session: the labour positions, findings and packages the
// adviser collected for the vehicle, and the order data that go with them to
// the dealer system.
//
// The application owns the one basket; every page reaches it through its
// page host (IPageHost::Basket) and stores entries with Offer. The
// basket page only shows it: it follows entriesChanged, entryChanged and
// orderChanged. The adviser's answers the basket needs (giving up the
// entries of a vehicle left, the notice that an entry was stored) come
// through IWkBasketAsk, which the basket page answers with message boxes.

#include "basket/model/WKList.h"
#include "packages/model/PaketNotice.h"

#include <QObject>
#include <QString>

#include <functional>

class CPrgSettings;
struct CWkLabourEdit;

// The order data sent with the transfer.
struct CWkOrderData
{
    QString strAuftragsNr; // order number
    QString strAbrechnung; // settlement code
    QString strJobHinweis; // job note
    QString strJobNr;      // job number
    int bAngebot = 0;      // the order is an offer
    // The order number came with the vehicle the DMS pushed; one the adviser
    // types is not.
    bool bAuftragsNrVomDms = false;

    bool operator==(const CWkOrderData &o) const
    {
        return strAuftragsNr == o.strAuftragsNr && strAbrechnung == o.strAbrechnung &&
               strJobHinweis == o.strJobHinweis && strJobNr == o.strJobNr &&
               bAngebot == o.bAngebot && bAuftragsNrVomDms == o.bAuftragsNrVomDms;
    }
    bool operator!=(const CWkOrderData &o) const { return !(*this == o); }
};

class IWkBasketAsk
{
public:
    virtual ~IWkBasketAsk() = default;
    enum class Answer
    {
        Yes,
        No,
        Closed, // the box was closed without an answer
    };
    // The vehicle changed while the basket holds entries of the old one:
    // give them up (text 4045)?
    virtual Answer AskDropEntries() = 0;
    // An entry was stored (text 4021, with its "don't show again" box).
    virtual void TellStored() = 0;
    // The entries differ in currency.
    virtual void TellNotice(const QString &text) = 0;
};

class CWkBasket : public QObject, private IPaketNotice
{
    Q_OBJECT
public:
    explicit CWkBasket(CPrgSettings *settings = nullptr, QObject *parent = nullptr);
    ~CWkBasket() override;

    // Borrowed; none: the entries of a vehicle left are kept, nothing is told.
    void SetAsk(IWkBasketAsk *ask) { m_pAsk = ask; }

    // The pages' way to store an entry: a deep copy is stored (the caller
    // keeps and frees its own), and when the entry is there already the
    // page's question decides (OfferByModes). A labour position whose value
    // is the hint to the service information (text 3077) is stored as
    // charged by time. An entry offered while the vehicle-change flag is
    // set empties the basket first, without a question.
    WkOffered Offer(CWKListItem &entry, IWkDuplicateQuestion *question);
    // Settles a pending change of vehicle or first registration before it
    // takes effect: with the vehicle-change flag set and entries in the
    // basket AskDropEntries decides; "No", or the box closed without an
    // answer, keeps everything (result 1, the caller keeps the old vehicle),
    // "Yes" or an empty basket empties the basket and its print data
    // (result 0). Without the flag: 0.
    int SettleVehicleChange() { return AddToBasket(nullptr, 0); }
    int GetEntryCount() const { return m_WkList.GetCount(); }

    // The entries, in list order, with their totals. Whoever changes them
    // through the non-const list (the transfer marks what it sent) calls
    // EntriesChanged afterwards.
    const CWKList &Entries() const { return m_WkList; }
    CWKList &Entries() { return m_WkList; }
    void EntriesChanged();

    // Changes of single entries, each announced.
    bool Remove(const CWKListItem *entry);
    bool MoveUp(int row);
    bool MoveDown(int row);
    void ApplyLabourEdit(CWKListItem *entry, const CWkLabourEdit &fields);

    // Empties the basket and the order data. A confirmed transfer ends the
    // same way: what went out leaves the basket, and the order data go with it.
    void ClearBasket();
    // Clears the print-form flag and the customer and print texts.
    void ResetPrintData();

    const CWkOrderData &Order() const { return m_order; }
    void SetOrder(const CWkOrderData &order);

    // Set before the main window asks about a changed vehicle or first
    // registration; cleared when the change is settled.
    bool VehicleChanged() const { return m_bVehicleChanged; }
    void SetVehicleChanged(bool changed) { m_bVehicleChanged = changed; }

    // The road to the dealer system, set by the main window; unset: the
    // basket cannot be transferred.
    void SetTransferHandler(std::function<void()> handler);
    bool HasTransfer() const { return bool(m_transfer); }
    // Runs the transfer; an order that went out takes the order data with it.
    void Transfer();
    // A package page stores its package for an immediate transfer, and the
    // basket goes out. From then on, for the rest of the run, the notice
    // that an entry was stored is not shown (the settings' direct-transfer
    // flag).
    void TransferDirectly(const std::function<bool()> &store);

signals:
    // The list changed as a whole (added, removed, moved, emptied, marked
    // by the transfer); `newEntry` is the entry just stored, if any.
    void entriesChanged(const CWKListItem *newEntry);
    // One entry was edited in its place.
    void entryChanged(int row);
    void orderChanged();

protected:
    // The store by modes behind both: mode 0 refuses a duplicate (result
    // 2), mode 1 stores it beside the first, mode 2 puts it in the first
    // one's place; result 3: stored. A null entry only settles a pending
    // vehicle change. (Virtual for the page tests, which answer as they
    // are told.)
    virtual int AddToBasket(CWKListItem *entry, int mode);

private:
    void Notice(const QString &text) override;
    void ClearOrderData();

    CPrgSettings *m_pSettings;
    IWkBasketAsk *m_pAsk = nullptr;
    CWKList m_WkList;
    CWkOrderData m_order;
    bool m_bVehicleChanged = false;
    std::function<void()> m_transfer;
};
