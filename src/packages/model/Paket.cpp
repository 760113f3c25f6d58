#include "packages/model/Paket.h"

#include "platform/StringUtil.h"

#include <iterator>
#include <list>

namespace {

bool KindIn(const QString &kind, std::initializer_list<const char *> kinds)
{
    for (const char *k : kinds)
        if (kind == QLatin1String(k))
            return true;
    return false;
}

// Whether a new line belongs before this group line: standard lines before
// the optional and alternative groups, optional lines before the optional
// sub-packages and alternatives, optional sub-packages before alternatives.
bool BelongsBeforeGroup(const CPosition &group, const CPosition &line)
{
    if (line.Type != POS_WORK && line.Type != POS_PART && line.Type != POS_GROUP)
        return false;
    if (line.Kind == QLatin1String("S"))
        return KindIn(group.Kind, {"O", "A", "B", "OP"});
    if (line.Kind == QLatin1String("O"))
        return KindIn(group.Kind, {"A", "B", "OP"});
    if (line.Kind == QLatin1String("OP"))
        return KindIn(group.Kind, {"A", "B"});
    return false;
}

CPosition *FirstOfType(const std::vector<std::unique_ptr<CPosition>> &lines, int type)
{
    for (const auto &line : lines)
        if (line->Type == type)
            return line.get();
    return nullptr;
}

} // namespace

CPaket::CPaket() = default;

CPaket::CPaket(const CPaket &other)
{
    CopyFrom(other);
}

CPaket &CPaket::operator=(const CPaket &other)
{
    CopyFrom(other);
    return *this;
}

CPaket::~CPaket()
{
    RemoveAll();
}

void CPaket::RemoveAll()
{
    m_lines.clear();
}

void CPaket::CopyFrom(const CPaket &other)
{
    if (this == &other)
        return;
    // Copied first, dropped after: the source may be nested in this package.
    std::vector<std::unique_ptr<CPosition>> copies;
    copies.reserve(other.m_lines.size());
    for (const auto &line : other.m_lines)
        copies.push_back(std::make_unique<CPosition>(*line));
    RemoveAll();
    m_lines = std::move(copies);
}

CPosition *CPaket::AddPosition(std::unique_ptr<CPosition> position)
{
    CPosition *added = position.get();
    if (!added)
        return nullptr;
    if (added->Type != POS_EMPTY) {
        for (auto it = m_lines.begin(); it != m_lines.end(); ++it) {
            switch (PlaceBy(**it, *added)) {
            case Place::After:
                m_lines.insert(it + 1, std::move(position));
                return added;
            case Place::Before:
                m_lines.insert(it, std::move(position));
                return added;
            case Place::None:
                break;
            }
        }
    }
    m_lines.push_back(std::move(position));
    return added;
}

void CPaket::AddPositions(std::vector<std::unique_ptr<CPosition>> positions)
{
    // The lines in a list, so that an insertion moves none; the heads and
    // group lines (the only lines that place another) in list order.
    using Lines = std::list<std::unique_ptr<CPosition>>;
    Lines lines(std::make_move_iterator(m_lines.begin()), std::make_move_iterator(m_lines.end()));
    m_lines.clear();
    std::vector<Lines::iterator> anchors;
    for (auto it = lines.begin(); it != lines.end(); ++it) {
        if (IsAnchor(**it))
            anchors.push_back(it);
    }
    for (std::unique_ptr<CPosition> &position : positions) {
        if (!position)
            continue;
        auto where = lines.end();
        size_t anchorAt = anchors.size();
        if (position->Type != POS_EMPTY) {
            for (size_t a = 0; a < anchors.size() && where == lines.end(); ++a) {
                switch (PlaceBy(**anchors[a], *position)) {
                case Place::After:
                    where = std::next(anchors[a]);
                    anchorAt = a + 1;
                    break;
                case Place::Before:
                    where = anchors[a];
                    anchorAt = a;
                    break;
                case Place::None:
                    break;
                }
            }
        }
        const bool anchor = IsAnchor(*position);
        const auto added = lines.insert(where, std::move(position));
        if (anchor)
            anchors.insert(anchors.begin() + std::ptrdiff_t(anchorAt), added);
    }
    m_lines.reserve(lines.size());
    for (std::unique_ptr<CPosition> &line : lines)
        m_lines.push_back(std::move(line));
}

bool CPaket::IsAnchor(const CPosition &line)
{
    return IsHeadType(line.Type) || line.Type == POS_GROUP;
}

CPaket::Place CPaket::PlaceBy(const CPosition &node, const CPosition &added)
{
    if (IsHeadType(node.Type) && node.Number == added.Number && added.Type == POS_WORK)
        return Place::After;
    if (node.Type == POS_GROUP && BelongsBeforeGroup(node, added))
        return Place::Before;
    return Place::None;
}

CPosition *CPaket::GetKopf() const
{
    for (const auto &line : m_lines)
        if (IsHeadType(line->Type))
            return line.get();
    return nullptr;
}

CPosition *CPaket::GetPosType1() const
{
    return FirstOfType(m_lines, 1);
}
CPosition *CPaket::GetPosType2() const
{
    return FirstOfType(m_lines, 2);
}
CPosition *CPaket::GetPosType4() const
{
    return FirstOfType(m_lines, 4);
}

CPosition *CPaket::FindPosition(int type, const QString &number, const QString &kind) const
{
    const QString wantedNumber = WithoutTrailingBlanks(number);
    const QString wantedKind = WithoutTrailingBlanks(kind);
    for (const auto &line : m_lines) {
        if (line->Type != type)
            continue;
        if (!IsHeadType(type) && type != POS_WORK && type != POS_PART && type != POS_FINDINGS &&
            type != POS_SUBPACKAGE)
            continue;
        if (WithoutTrailingBlanks(line->Number) != wantedNumber)
            continue;
        if (!wantedKind.isEmpty() && WithoutTrailingBlanks(line->Kind) != wantedKind)
            continue;
        return line.get();
    }
    return nullptr;
}

int CPaket::CountPricedPositions(bool withoutHeads) const
{
    int count = 0;
    for (const auto &line : m_lines) {
        if (!line->Selected)
            continue;
        if (line->Type == POS_SUBPACKAGE) {
            if (line->SubPackage)
                count += line->SubPackage->CountPricedPositions(true);
            continue;
        }
        if (IsUnpricedType(line->Type))
            continue;
        if (withoutHeads && IsHeadType(line->Type))
            continue;
        ++count;
    }
    return count;
}

void CPaket::ClearSelection()
{
    for (const auto &line : m_lines) {
        if (IsUnpricedType(line->Type) || IsHeadType(line->Type))
            continue;
        if (line->Type == POS_SUBPACKAGE && line->SubPackage)
            line->SubPackage->ClearSelection();
        line->Selected = 0;
    }
}

int CPaket::IsSamePaket(const CPaket &other) const
{
    const CPosition *mine = GetKopf();
    const CPosition *theirs = other.GetKopf();
    if (!mine || !theirs)
        return 0;
    return mine->PaketID == theirs->PaketID ? 1 : 0;
}

int CPaket::CompareType4(const CPaket &other) const
{
    const CPosition *mine = GetPosType4();
    const CPosition *theirs = other.GetPosType4();
    if (!mine || !theirs)
        return 0;
    for (int index : {int(CPosition::CampaignNumber), int(CPosition::CampaignPackageNumber),
                      int(CPosition::CampaignSubsField), int(CPosition::CampaignPackageRef)})
        if (mine->Campaign[size_t(index)] != theirs->Campaign[size_t(index)])
            return 0;
    return 1;
}

namespace {

// The work-position fields by which two packages are told apart.
bool SameWork(const CPosition &a, const CPosition &b)
{
    for (size_t index : {9u, 7u, 17u, 8u})
        if (a.Spot[index] != b.Spot[index])
            return false;
    return a.Quantity == b.Quantity && a.Selected == b.Selected && a.Doubled == b.Doubled &&
           a.Spot[18] == b.Spot[18];
}

// Every work position of one package has an equal twin in the other.
bool EveryWorkHasTwin(const CPaket &from, const CPaket &in)
{
    for (const auto &line : from) {
        if (line->Type != POS_WORK)
            continue;
        bool found = false;
        for (const auto &candidate : in) {
            if (candidate->Type == POS_WORK && SameWork(*line, *candidate)) {
                found = true;
                break;
            }
        }
        if (!found)
            return false;
    }
    return true;
}

} // namespace

int CPaket::IsEqual(const CPaket &other) const
{
    const CPosition *mine = GetKopf();
    const CPosition *theirs = other.GetKopf();
    if (!mine || !theirs)
        return 0;
    for (size_t index : {4u, 10u, 14u})
        if (mine->Spot[index] != theirs->Spot[index])
            return 0;
    return EveryWorkHasTwin(*this, other) && EveryWorkHasTwin(other, *this) ? 1 : 0;
}

bool CPaket::HasEqualLines(const CPaket &other) const
{
    if (m_lines.size() != other.m_lines.size())
        return false;
    for (size_t i = 0; i < m_lines.size(); ++i)
        if (!m_lines[i]->IsEqual(*other.m_lines[i]))
            return false;
    return true;
}
