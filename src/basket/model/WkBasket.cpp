#include "basket/model/WkBasket.h"

#include "basket/model/WkLabourEdit.h"
#include "settings/PrgSettings.h"

#include <memory>

CWkBasket::CWkBasket(CPrgSettings *settings, QObject *parent)
    : QObject(parent), m_pSettings(settings)
{
    m_WkList.SetNotice(this);
}

CWkBasket::~CWkBasket() = default;

void CWkBasket::Notice(const QString &text)
{
    if (m_pAsk)
        m_pAsk->TellNotice(text);
}

WkOffered CWkBasket::Offer(CWKListItem &entry, IWkDuplicateQuestion *question)
{
    return OfferByModes([this, &entry](int mode) { return AddToBasket(&entry, mode); }, entry,
                        question);
}

int CWkBasket::AddToBasket(CWKListItem *entry, int mode)
{
    if (m_bVehicleChanged) {
        if (!entry && GetEntryCount() > 0) {
            const IWkBasketAsk::Answer answer =
                m_pAsk ? m_pAsk->AskDropEntries() : IWkBasketAsk::Answer::No;
            // A box closed without an answer gives nothing up either: taken
            // as a yes later, it would empty the basket with the next entry.
            if (answer != IWkBasketAsk::Answer::Yes)
                return 1;
            ClearBasket();
            ResetPrintData();
            m_bVehicleChanged = false;
            return 0;
        }
        ClearBasket();
        ResetPrintData();
        m_bVehicleChanged = false;
    }
    if (!entry)
        return 0;

    const CWKListItem *offered = entry;
    std::unique_ptr<CWKListItem> byTime;
    if (entry->IsLabourPosition()) {
        byTime = std::make_unique<CWKListItem>(*entry);
        if (CWKList::ChargeByTimeIfHinted(*byTime))
            offered = byTime.get();
    }
    const int result = m_WkList.Add(*offered, mode);
    if (result == WK_ADD_DONE) {
        if (m_pAsk && m_pSettings && !m_pSettings->bDirectTransfer && m_pSettings->bMeldungWK)
            m_pAsk->TellStored();
        m_bVehicleChanged = false;
        emit entriesChanged(offered);
    }
    return result;
}

void CWkBasket::EntriesChanged()
{
    emit entriesChanged(nullptr);
}

bool CWkBasket::Remove(const CWKListItem *entry)
{
    if (!m_WkList.Remove(entry))
        return false;
    emit entriesChanged(nullptr);
    return true;
}

bool CWkBasket::MoveUp(int row)
{
    if (!m_WkList.MoveUp(row))
        return false;
    emit entriesChanged(m_WkList.GetAt(row - 1));
    return true;
}

bool CWkBasket::MoveDown(int row)
{
    if (row < 0 || !m_WkList.MoveDown(row))
        return false;
    emit entriesChanged(m_WkList.GetAt(row + 1));
    return true;
}

void CWkBasket::ApplyLabourEdit(CWKListItem *entry, const CWkLabourEdit &fields)
{
    if (!m_WkList.ApplyLabourEdit(entry, fields))
        return;
    emit entryChanged(m_WkList.IndexOf(entry));
}

void CWkBasket::ClearBasket()
{
    m_WkList.RemoveAll();
    m_WkList.TakeOrderSent();
    emit entriesChanged(nullptr);
    ClearOrderData();
}

void CWkBasket::ClearOrderData()
{
    SetOrder(CWkOrderData());
}

void CWkBasket::ResetPrintData()
{
    if (!m_pSettings)
        return;
    m_pSettings->nBasketPrintForm = 0;
    for (QString &text : m_pSettings->PrintTexts)
        text.clear();
}

void CWkBasket::SetOrder(const CWkOrderData &order)
{
    if (order == m_order)
        return;
    m_order = order;
    emit orderChanged();
}

void CWkBasket::SetTransferHandler(std::function<void()> handler)
{
    m_transfer = std::move(handler);
    emit entriesChanged(nullptr);
}

void CWkBasket::Transfer()
{
    if (m_transfer)
        m_transfer();
    // The order went out with the basket: the next basket must not go to
    // the dealer system under the old order number. Entries the road could
    // not carry stay, for another road or another order.
    if (!m_WkList.TakeOrderSent())
        return;
    if (m_WkList.IsEmpty())
        ClearBasket();
    else
        ClearOrderData();
}

void CWkBasket::TransferDirectly(const std::function<bool()> &store)
{
    // The adviser who transfers from the package page knows where his
    // entries go: the notice stays away for the rest of the run.
    if (m_pSettings)
        m_pSettings->bDirectTransfer = 1;
    if (store())
        Transfer();
}
