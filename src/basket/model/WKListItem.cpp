#include "basket/model/WKListItem.h"

#include "packages/model/Paket.h"
#include "packages/model/Position.h"

CWKListItem::CWKListItem() = default;

CWKListItem::CWKListItem(int kind, std::unique_ptr<CPaket> paket)
    : Kind(kind), Paket(std::move(paket))
{
}

CWKListItem::CWKListItem(std::unique_ptr<CPosition> position)
    : Kind(WK_POSITION), APos(std::move(position))
{
}

CWKListItem::CWKListItem(const CWKListItem &other)
    : Kind(other.Kind), Paket(other.Paket ? std::make_unique<CPaket>(*other.Paket) : nullptr),
      APos(other.APos ? std::make_unique<CPosition>(*other.APos) : nullptr)
{
}

CWKListItem &CWKListItem::operator=(const CWKListItem &other)
{
    if (this != &other) {
        CWKListItem copy(other);
        *this = std::move(copy);
    }
    return *this;
}

CWKListItem::CWKListItem(CWKListItem &&) noexcept = default;
CWKListItem &CWKListItem::operator=(CWKListItem &&) noexcept = default;
CWKListItem::~CWKListItem() = default;

bool CWKListItem::IsPackageKind(int kind)
{
    return kind >= WK_SRP && kind <= WK_VLP && kind != WK_POSITION;
}

bool CWKListItem::IsCampaignKind(int kind)
{
    return kind == WK_CAMPAIGN || kind == WK_CAMPAIGN_LR;
}

CPosition *CWKListItem::Head() const
{
    return IsPackageKind(Kind) && Paket ? Paket->GetKopf() : nullptr;
}

QString CWKListItem::Number() const
{
    if (Kind == WK_POSITION)
        return APos ? APos->Number : QString();
    const CPosition *head = Head();
    return head ? head->Number : QString();
}

bool CWKListItem::IsLabourPosition() const
{
    return Kind == WK_POSITION && APos && APos->Type == POS_BASKET_LABOUR;
}

bool CWKListItem::IsEqualEntry(const CWKListItem *a, const CWKListItem *b)
{
    if (!a || !b || a->Kind != b->Kind)
        return false;
    if (a->Kind == WK_POSITION)
        return a->APos && b->APos && a->APos->Number == b->APos->Number;
    const CPosition *headA = a->Head();
    const CPosition *headB = b->Head();
    return headA && headB && headA->Number == headB->Number;
}

WkEditAction CWKListItem::EditAction() const
{
    if (Kind == WK_POSITION)
        return IsLabourPosition() ? WkEditAction::LabourPosition : WkEditAction::None;
    if (!IsPackageKind(Kind) || !Paket)
        return WkEditAction::None;
    return Kind == WK_CCP ? WkEditAction::SpotRepairPage : WkEditAction::PackagePage;
}

// The head's spot-repair integer carries the mark; nothing else of the head
// uses it.
bool CWKListItem::HasEditMark(const CPaket *paket)
{
    const CPosition *head = paket ? paket->GetKopf() : nullptr;
    return head && head->SpotInt != 0;
}

void CWKListItem::SetEditMark(CPaket *paket, bool mark)
{
    if (CPosition *head = paket ? paket->GetKopf() : nullptr)
        head->SpotInt = mark ? 1 : 0;
}
