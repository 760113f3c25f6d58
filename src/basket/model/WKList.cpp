#include "basket/model/WKList.h"

#include "basket/model/WkLabourEdit.h"
#include "packages/model/Paket.h"
#include "packages/model/PaketNotice.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "platform/OrmelText.h"

#include <iterator>
#include <utility>

CWKList::CWKList() = default;
CWKList::~CWKList() = default;

int CWKList::IndexOf(const CWKListItem *entry) const
{
    if (!entry)
        return -1;
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (m_entries[i].get() == entry)
            return static_cast<int>(i);
    return -1;
}

int CWKList::IndexOfEqual(const CWKListItem *entry) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (CWKListItem::IsEqualEntry(m_entries[i].get(), entry))
            return static_cast<int>(i);
    return -1;
}

bool CWKList::DuplicateOf(const CWKListItem &stored, const CWKListItem &offered)
{
    if (stored.Kind != offered.Kind)
        return false;
    if (stored.Kind == WK_POSITION)
        return stored.APos && offered.APos && stored.APos->Number == offered.APos->Number;
    if (!stored.Paket || !offered.Paket)
        return false;
    switch (stored.Kind) {
    case WK_SRP:
    case WK_GRP:
    case WK_SIP:
    case WK_VLP:
        return stored.Paket->IsSamePaket(*offered.Paket) != 0;
    case WK_CAMPAIGN:
    case WK_CAMPAIGN_LR:
        return stored.Paket->CompareType4(*offered.Paket) != 0;
    case WK_CCP:
        return stored.Paket->IsEqual(*offered.Paket) != 0 ||
               (CWKListItem::HasEditMark(stored.Paket.get()) &&
                CWKListItem::HasEditMark(offered.Paket.get()));
    default:
        return false;
    }
}

int CWKList::FirstDuplicate(const CWKListItem &entry) const
{
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (DuplicateOf(*m_entries[i], entry))
            return static_cast<int>(i);
    return -1;
}

int CWKList::Store(std::unique_ptr<CWKListItem> copy, int mode)
{
    if (mode != 1) {
        const int duplicate = FirstDuplicate(*copy);
        if (duplicate >= 0) {
            if (mode != 2)
                return WK_ADD_DUPLICATE;
            // The replacement keeps the place of the entry it replaces.
            m_entries[static_cast<size_t>(duplicate)] = std::move(copy);
            RecalcTotals();
            return WK_ADD_DONE;
        }
    }
    m_entries.push_back(std::move(copy));
    RecalcTotals();
    return WK_ADD_DONE;
}

int CWKList::Add(const CWKListItem &entry, int mode)
{
    return Store(std::make_unique<CWKListItem>(entry), mode);
}

WkOffered CWKList::Offer(const CWKListItem &entry, IWkDuplicateQuestion *question)
{
    auto copy = std::make_unique<CWKListItem>(entry);
    // The service information tells how this work is billed: it is charged
    // by the time it takes.
    const QString siHint = OrmelText(3077);
    if (copy->IsLabourPosition() && !siHint.isEmpty() && copy->APos->Quantity == siHint) {
        copy->APos->Az = CPosition::AzMarker();
        copy->APos->Quantity.clear();
    }
    if (FirstDuplicate(*copy) < 0) {
        Store(std::move(copy), 0);
        return WkOffered::Added;
    }
    const WkDuplicateAnswer answer =
        question ? question->AskDuplicate(entry) : WkDuplicateAnswer::Keep;
    switch (answer) {
    case WkDuplicateAnswer::Overwrite:
        Store(std::move(copy), 2);
        return WkOffered::Replaced;
    case WkDuplicateAnswer::StoreAdditionally:
        Store(std::move(copy), 1);
        return WkOffered::StoredAgain;
    case WkDuplicateAnswer::Keep:
        return WkOffered::Kept;
    case WkDuplicateAnswer::Cancel:
        break;
    }
    return WkOffered::Cancelled;
}

bool CWKList::Remove(const CWKListItem *entry)
{
    const int index = IndexOf(entry);
    if (index < 0)
        return false;
    m_entries.erase(m_entries.begin() + index);
    RecalcTotals();
    return true;
}

void CWKList::RemoveAll()
{
    m_entries.clear();
    ResetTotals();
}

bool CWKList::MoveUp(int index)
{
    if (index <= 0 || index >= GetCount())
        return false;
    std::swap(m_entries[static_cast<size_t>(index)], m_entries[static_cast<size_t>(index - 1)]);
    return true;
}

bool CWKList::MoveDown(int index)
{
    if (index < 0 || index >= GetCount() - 1)
        return false;
    std::swap(m_entries[static_cast<size_t>(index)], m_entries[static_cast<size_t>(index + 1)]);
    return true;
}

WkEditAction CWKList::PrepareEdit(CWKListItem *entry)
{
    for (const auto &stored : m_entries)
        if (stored->Kind == WK_CCP)
            CWKListItem::SetEditMark(stored->Paket.get(), false);
    if (!entry)
        return WkEditAction::None;
    const WkEditAction action = entry->EditAction();
    if (action == WkEditAction::SpotRepairPage)
        CWKListItem::SetEditMark(entry->Paket.get(), true);
    return action;
}

bool CWKList::ApplyLabourEdit(CWKListItem *entry, const CWkLabourEdit &edit)
{
    if (IndexOf(entry) < 0 || !entry->IsLabourPosition())
        return false;
    edit.ApplyTo(*entry->APos);
    PriceLabourPosition(*entry->APos);
    RecalcTotals();
    return true;
}

void CWKList::PriceLabourPosition(CPosition &position)
{
    CPriceSet &set = position.Preise1;
    const bool grossGiven = IsPriceGiven(set.UnitGross);
    const bool netGiven = IsPriceGiven(set.UnitNet);
    const QString value = position.GetDisplayNumber();
    const bool flat = set.FlatPrice != 0;
    const bool byTime = !flat && value == CPosition::AzMarker();
    double gross = kPriceNotSet;
    double net = kPriceNotSet;
    if (flat) {
        if (grossGiven)
            gross = set.UnitGross;
        if (netGiven)
            net = set.UnitNet;
    } else if (byTime) {
        if (grossGiven)
            gross = kPriceByTime;
        if (netGiven)
            net = kPriceByTime;
    } else {
        const double quantity = ParseNumber(value);
        if (grossGiven)
            gross = set.UnitGross * quantity;
        if (netGiven)
            net = set.UnitNet * quantity;
    }
    // Unlike a package line, whose net follows its gross, a labour position
    // priced both ways keeps the dealer's net: 12.00 gross beside 10.00 net
    // stays 10.00 net whatever the rate.
    if (net != kPriceNotSet && IsPriceGiven(set.Vat) && !grossGiven)
        gross = byTime ? kPriceByTime : GrossFromNet(net, set.Vat);
    if (gross != kPriceNotSet && IsPriceGiven(set.Vat) && !netGiven)
        net = byTime ? kPriceByTime : NetFromGross(gross, set.Vat);
    if (set.NoPrice) {
        if (gross == kPriceNotSet)
            gross = kPriceNone;
        if (net == kPriceNotSet)
            net = kPriceNone;
    }
    set.Net = RoundPrice(net);
    set.Gross = RoundPrice(gross);
}

void CWKList::ResetTotals()
{
    m_gross = kPriceNotSet;
    m_net = kPriceNotSet;
    m_complete = true;
    m_mixed = false;
    m_currency.clear();
}

namespace {

// The price an entry adds to the basket's totals.
struct EntryPrice
{
    bool counts = false; // findings and unknown kinds add nothing
    bool usable = false;
    double gross = kPriceNotSet;
    double net = kPriceNotSet;
    QString currency;
};

EntryPrice PriceOf(const CWKListItem &entry)
{
    EntryPrice p;
    if (entry.Kind == WK_POSITION) {
        if (!entry.IsLabourPosition())
            return p;
        const CPriceSet &set = entry.APos->Preise1;
        p.counts = true;
        p.usable = !IsPriceSentinel(set.Gross) && !IsPriceSentinel(set.Net);
        p.gross = set.Gross;
        p.net = set.Net;
        p.currency = set.Currency;
        return p;
    }
    if (!CWKListItem::IsPackageKind(entry.Kind))
        return p;
    // A package without head has no price the basket could add: the sum
    // would look complete without it.
    p.counts = true;
    const CPosition *head = entry.Head();
    if (!head)
        return p;
    // The package's roll-up left its price on the head: the campaign
    // price for campaign packages, the customer price for the others.
    const CPriceSet &set = CWKListItem::IsCampaignKind(entry.Kind) ? head->Preise3 : head->Preise1;
    p.usable = set.Complete != 0 && !IsPriceSentinel(set.Gross) && !IsPriceSentinel(set.Net);
    p.gross = set.Gross;
    p.net = set.Net;
    p.currency = set.TotalsCurrency;
    return p;
}

} // namespace

void CWKList::RecalcTotals()
{
    ResetTotals();
    int mixed = 0;
    for (const auto &entry : m_entries) {
        const EntryPrice p = PriceOf(*entry);
        if (!p.counts)
            continue;
        if (!p.usable) {
            m_complete = false;
            continue;
        }
        const int wasMixed = mixed;
        TakeCurrency(m_currency, p.currency, &mixed);
        if (mixed && !wasMixed && m_notice)
            m_notice->Notice(OrmelText(5070));
        AddToPackageSum(m_gross, p.gross, 1.0, false);
        AddToPackageSum(m_net, p.net, 1.0, false);
    }
    m_mixed = mixed != 0;
    if (m_mixed || !m_complete) {
        m_gross = kPriceNotSet;
        m_net = kPriceNotSet;
    }
}

void CWKList::KindToBasketType(int &target, int kind)
{
    static const int kTypes[] = {0, 1, 3, 3, 2, 4, 5, 6, 7};
    if (kind >= 0 && kind < int(std::size(kTypes)))
        target = kTypes[kind];
}

void CWKList::PositionTypeToItemType(int &target, const CPosition &position)
{
    static const int kTypes[] = {0, 1,  10, 15, 11, 16, 17, 12, 13, 2, 3,
                                 4, 19, 5,  6,  7,  8,  9,  14, 18, 20};
    if (position.Type >= 0 && position.Type < int(std::size(kTypes)))
        target = kTypes[position.Type];
}
