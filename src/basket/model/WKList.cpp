#include "basket/model/WKList.h"

#include "basket/model/WkLabourEdit.h"
#include "packages/model/Paket.h"
#include "packages/model/PaketNotice.h"
#include "packages/model/Position.h"
#include "packages/model/PriceMath.h"
#include "platform/OrmelText.h"

#include <algorithm>
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

QString CWKList::DuplicateKey(const CWKListItem &entry)
{
    const QChar separator(0x1f);
    const QString kind = QString::number(entry.Kind) + separator;
    switch (entry.Kind) {
    case WK_POSITION:
        return entry.APos ? kind + entry.APos->Number : QString();
    case WK_SRP:
    case WK_GRP:
    case WK_SIP:
    case WK_VLP: {
        const CPosition *head = entry.Head();
        return head ? kind + head->PaketID : QString();
    }
    case WK_CAMPAIGN:
    case WK_CAMPAIGN_LR: {
        // The fields CPaket::CompareType4 compares.
        const CPosition *campaign = entry.Paket ? entry.Paket->GetPosType4() : nullptr;
        if (!campaign)
            return QString();
        QString key = kind;
        for (int index : {int(CPosition::CampaignNumber), int(CPosition::CampaignPackageNumber),
                          int(CPosition::CampaignSubsField), int(CPosition::CampaignPackageRef)})
            key += campaign->Campaign[size_t(index)] + separator;
        return key;
    }
    case WK_CCP:
        return entry.Paket ? kind : QString();
    default:
        return QString();
    }
}

int CWKList::FirstDuplicate(const CWKListItem &entry, const QString &key) const
{
    if (key.isEmpty())
        return -1;
    const auto bucket = m_byKey.constFind(key);
    if (bucket == m_byKey.cend())
        return -1;
    // The key only narrows the search; the comparison decides.
    std::vector<const CWKListItem *> found;
    for (const CWKListItem *candidate : *bucket)
        if (DuplicateOf(*candidate, entry))
            found.push_back(candidate);
    if (found.empty())
        return -1;
    if (found.size() == 1)
        return IndexOf(found.front());
    // Stored more than once (or moved since): the first in the basket.
    for (size_t i = 0; i < m_entries.size(); ++i)
        if (std::find(found.begin(), found.end(), m_entries[i].get()) != found.end())
            return static_cast<int>(i);
    return -1;
}

void CWKList::Unindex(size_t index)
{
    const QString &key = m_keys[index];
    if (key.isEmpty())
        return;
    const auto bucket = m_byKey.find(key);
    if (bucket == m_byKey.end())
        return;
    std::vector<const CWKListItem *> &entries = *bucket;
    entries.erase(std::remove(entries.begin(), entries.end(), m_entries[index].get()),
                  entries.end());
    if (entries.empty())
        m_byKey.erase(bucket);
}

void CWKList::Place(std::unique_ptr<CWKListItem> copy, QString key, int duplicate)
{
    const CWKListItem *stored = copy.get();
    EntryPrice price = PriceOf(*copy);
    if (duplicate < 0) {
        m_entries.push_back(std::move(copy));
        m_prices.push_back(std::move(price));
        m_keys.push_back(key);
    } else {
        // The replacement keeps the place of the entry it replaces.
        const auto at = static_cast<size_t>(duplicate);
        Unindex(at);
        m_entries[at] = std::move(copy);
        m_prices[at] = std::move(price);
        m_keys[at] = key;
    }
    if (!key.isEmpty())
        m_byKey[key].push_back(stored);
    if (duplicate >= 0) {
        SumTotals();
        return;
    }
    int mixed = m_mixed ? 1 : 0;
    AddToTotals(m_prices.back(), mixed);
    CloseTotals(mixed);
}

int CWKList::Add(const CWKListItem &entry, int mode)
{
    auto copy = std::make_unique<CWKListItem>(entry);
    QString key = DuplicateKey(*copy);
    const int duplicate = mode == 1 ? -1 : FirstDuplicate(*copy, key);
    if (duplicate >= 0 && mode != 2)
        return WK_ADD_DUPLICATE;
    Place(std::move(copy), std::move(key), duplicate);
    return WK_ADD_DONE;
}

bool CWKList::ChargeByTimeIfHinted(CWKListItem &entry)
{
    // The service information tells how this work is billed: it is charged
    // by the time it takes.
    const QString siHint = OrmelText(3077);
    if (!entry.IsLabourPosition() || siHint.isEmpty() || entry.APos->Quantity != siHint)
        return false;
    entry.APos->Az = CPosition::AzMarker();
    entry.APos->Quantity.clear();
    return true;
}

WkOffered OfferByModes(const std::function<int(int mode)> &store, const CWKListItem &entry,
                       IWkDuplicateQuestion *question)
{
    int result = store(0);
    if (result == WK_ADD_DONE)
        return WkOffered::Added;
    if (result != WK_ADD_DUPLICATE)
        return WkOffered::Refused;
    WkOffered stored = WkOffered::Refused;
    switch (question ? question->AskDuplicate(entry) : WkDuplicateAnswer::Keep) {
    case WkDuplicateAnswer::Overwrite:
        // The question ran the program's loop: the duplicate is looked up
        // again where it stands now.
        result = store(2);
        stored = WkOffered::Replaced;
        break;
    case WkDuplicateAnswer::StoreAdditionally:
        result = store(1);
        stored = WkOffered::StoredAgain;
        break;
    case WkDuplicateAnswer::Keep:
        return WkOffered::Kept;
    case WkDuplicateAnswer::Cancel:
        return WkOffered::Cancelled;
    }
    return result == WK_ADD_DONE ? stored : WkOffered::Refused;
}

bool CWKList::Remove(const CWKListItem *entry)
{
    const int index = IndexOf(entry);
    if (index < 0)
        return false;
    Unindex(static_cast<size_t>(index));
    m_entries.erase(m_entries.begin() + index);
    m_prices.erase(m_prices.begin() + index);
    m_keys.erase(m_keys.begin() + index);
    SumTotals();
    return true;
}

void CWKList::RemoveAll()
{
    m_entries.clear();
    m_prices.clear();
    m_keys.clear();
    m_byKey.clear();
    ResetTotals();
}

bool CWKList::MoveUp(int index)
{
    if (index <= 0 || index >= GetCount())
        return false;
    const auto at = static_cast<size_t>(index);
    std::swap(m_entries[at], m_entries[at - 1]);
    std::swap(m_prices[at], m_prices[at - 1]);
    std::swap(m_keys[at], m_keys[at - 1]);
    return true;
}

bool CWKList::MoveDown(int index)
{
    if (index < 0 || index >= GetCount() - 1)
        return false;
    const auto at = static_cast<size_t>(index);
    std::swap(m_entries[at], m_entries[at + 1]);
    std::swap(m_prices[at], m_prices[at + 1]);
    std::swap(m_keys[at], m_keys[at + 1]);
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
    const auto at = static_cast<size_t>(IndexOf(entry));
    m_prices[at] = PriceOf(*entry);
    SumTotals();
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
    m_grossSum = kPriceNotSet;
    m_netSum = kPriceNotSet;
    m_gross = kPriceNotSet;
    m_net = kPriceNotSet;
    m_complete = true;
    m_mixed = false;
    m_currency.clear();
}

CWKList::EntryPrice CWKList::PriceOf(const CWKListItem &entry)
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

void CWKList::AddToTotals(const EntryPrice &p, int &mixed)
{
    if (!p.counts)
        return;
    if (!p.usable) {
        m_complete = false;
        return;
    }
    TakeCurrency(m_currency, p.currency, &mixed);
    AddToPackageSum(m_grossSum, p.gross, 1.0, false);
    AddToPackageSum(m_netSum, p.net, 1.0, false);
}

void CWKList::CloseTotals(int mixed)
{
    m_mixed = mixed != 0;
    // Differing currencies are told at every change that leaves them in the
    // basket, once.
    if (m_mixed && m_notice)
        m_notice->Notice(OrmelText(5070));
    const bool summed = !m_mixed && m_complete;
    m_gross = summed ? m_grossSum : kPriceNotSet;
    m_net = summed ? m_netSum : kPriceNotSet;
}

void CWKList::SumTotals()
{
    ResetTotals();
    int mixed = 0;
    for (const EntryPrice &price : m_prices)
        AddToTotals(price, mixed);
    CloseTotals(mixed);
}

void CWKList::RecalcTotals()
{
    m_byKey.clear();
    for (size_t i = 0; i < m_entries.size(); ++i) {
        m_prices[i] = PriceOf(*m_entries[i]);
        m_keys[i] = DuplicateKey(*m_entries[i]);
        if (!m_keys[i].isEmpty())
            m_byKey[m_keys[i]].push_back(m_entries[i].get());
    }
    SumTotals();
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
