#include "packages/list/PackageList.h"

#include "packages/list/PackageMerge.h"

#include <algorithm>

CPackageList::CPackageList() = default;
CPackageList::~CPackageList() = default;

bool CPackageList::Contains(const CPackageRow *row) const
{
    return row && std::any_of(m_rows.begin(), m_rows.end(),
                              [row](const RowPtr &own) { return own.get() == row; });
}

std::vector<CPackageRow *> CPackageList::RowsOfLevel(int level) const
{
    std::vector<CPackageRow *> rows;
    for (const RowPtr &row : m_rows) {
        if (row->level == level)
            rows.push_back(row.get());
    }
    return rows;
}

CPackageRow *CPackageList::FirstOfLevel(int level) const
{
    for (const RowPtr &row : m_rows) {
        if (row->level == level)
            return row.get();
    }
    return nullptr;
}

void CPackageList::Clear()
{
    DropPackageIndex();
    m_path.clear();
    m_current.fill(nullptr);
    m_rows.clear();
    m_shownLevel = 0;
}

void CPackageList::Forget(const CPackageRow *row)
{
    for (CPackageRow *&current : m_current) {
        if (current == row)
            current = nullptr;
    }
    m_path.erase(std::remove(m_path.begin(), m_path.end(), row), m_path.end());
}

CPackageList::Rows::iterator CPackageList::Erase(Rows::iterator it)
{
    DropPackageIndex();
    Forget(it->get());
    return m_rows.erase(it);
}

void CPackageList::RemovePathFrom(int level)
{
    const auto first = std::find_if(m_path.begin(), m_path.end(), [level](const CPackageRow *row) {
        return row->level >= level;
    });
    m_path.erase(first, m_path.end());
}

void CPackageList::RemoveRowsFrom(int level)
{
    RemovePathFrom(level);
    // A level whose rows are gone has no current row any more, whether or
    // not the current row was among them.
    ClearCurrent(level, kPackageListLevels);
    DropPackageIndex();
    // One pass: the rows kept close up behind each other.
    size_t kept = 0;
    for (size_t i = 0; i < m_rows.size(); ++i) {
        if (m_rows[i]->level >= level) {
            Forget(m_rows[i].get());
            m_rows[i].reset();
            continue;
        }
        if (kept != i)
            m_rows[kept] = std::move(m_rows[i]);
        ++kept;
    }
    m_rows.resize(kept);
}

bool CPackageList::InsertOrdered(RowPtr row, const std::function<int(const CPackageRow &)> &compare)
{
    DropPackageIndex();
    // Rows of another level end the walk, so each level forms one block;
    // a block built later stands in front of the older ones.
    auto it = m_rows.begin();
    for (; it != m_rows.end(); ++it) {
        if ((*it)->level != row->level)
            break;
        const int order = compare(**it);
        if (order == 0)
            return false;
        if (order > 0)
            break;
    }
    m_rows.insert(it, std::move(row));
    return true;
}

namespace {
int Compare(const QString &existing, const QString &added)
{
    return existing < added ? -1 : (existing == added ? 0 : 1);
}
} // namespace

bool CPackageList::InsertTop(RowPtr row, bool byGroupNumber)
{
    DropPackageIndex();
    auto it = m_rows.begin();
    for (; it != m_rows.end(); ++it) {
        CPackageRow &existing = **it;
        if (existing.level != kLevelTop)
            break;
        if (existing.marker < row->marker)
            continue;
        if (existing.marker > row->marker)
            break;
        // The same main group: a country's line of the same text takes
        // the place of the standard line; any other line is dropped.
        const QString &a = byGroupNumber ? existing.mergeText : existing.lineText;
        const QString &b = byGroupNumber ? row->mergeText : row->lineText;
        if (row->IsStandardOrigin(false) || a != b)
            return false;
        Forget(it->get());
        *it = std::move(row);
        return true;
    }
    m_rows.insert(it, std::move(row));
    return true;
}

bool CPackageList::InsertTopRow(RowPtr row)
{
    return InsertTop(std::move(row), false);
}

bool CPackageList::InsertTopRowAlt(RowPtr row)
{
    return InsertTop(std::move(row), true);
}

bool CPackageList::InsertGroupRow7(RowPtr row)
{
    const QString key = row->selectionFrom;
    return InsertOrdered(std::move(row), [&key](const CPackageRow &existing) {
        return Compare(existing.selectionFrom, key);
    });
}

bool CPackageList::InsertGroupRow8(RowPtr row)
{
    const QString key = row->selectionFrom;
    return InsertOrdered(std::move(row), [&key](const CPackageRow &existing) {
        return Compare(existing.selectionFrom, key);
    });
}

bool CPackageList::InsertGroupRow8ByNumber(RowPtr row)
{
    const QString key = row->number.mid(2, 2);
    return InsertOrdered(std::move(row), [&key](const CPackageRow &existing) {
        return Compare(existing.number.mid(2, 2), key);
    });
}

bool CPackageList::InsertAtFront(RowPtr row)
{
    DropPackageIndex();
    m_rows.insert(m_rows.begin(), std::move(row));
    return true;
}

void CPackageList::BuildPackageIndex()
{
    m_strLastLineKey.clear();
    m_packageNumbers.clear();
    for (const RowPtr &existing : m_rows) {
        if (existing->level != kLevelPackage)
            continue;
        ++m_packageNumbers[existing->number];
        if (existing->lineKey > m_strLastLineKey)
            m_strLastLineKey = existing->lineKey;
    }
    m_bPackageIndex = true;
}

void CPackageList::IndexReplaced(const QString &oldNumber, const QString &newNumber)
{
    if (!m_bPackageIndex || oldNumber == newNumber)
        return;
    if (--m_packageNumbers[oldNumber] <= 0)
        m_packageNumbers.remove(oldNumber);
    ++m_packageNumbers[newNumber];
}

bool CPackageList::MergePackage(Rows::iterator it, RowPtr &row, const CoverageTest &covered)
{
    CPackageRow &existing = **it;
    const MergeRule rule =
        PackageMergeRule(existing.kind, existing.IsStandardOrigin(existing.kind == kKindSrp),
                         row->kind, row->IsStandardOrigin(false));
    if (rule.onlyIfCovered && !(covered && covered(*row)))
        return false;
    switch (rule.action) {
    case MergeAction::Drop:
        break;
    case MergeAction::SetGrIfEmpty:
        if (existing.grNumber.isEmpty())
            existing.grNumber = row->ownNumber;
        break;
    case MergeAction::SetGr:
        existing.grNumber = row->ownNumber;
        break;
    case MergeAction::SetSpIfEmpty:
        if (existing.spNumber.isEmpty())
            existing.spNumber = row->ownNumber;
        break;
    case MergeAction::SetSp:
        existing.spNumber = row->ownNumber;
        break;
    case MergeAction::SetVl:
        existing.vlNumber = row->ownNumber;
        break;
    case MergeAction::TakeOverGr:
    case MergeAction::TakeOverSp:
    case MergeAction::TakeOverVl:
        row->grNumber = existing.grNumber;
        row->spNumber = existing.spNumber;
        row->vlNumber = existing.vlNumber;
        (rule.action == MergeAction::TakeOverGr   ? row->grNumber
         : rule.action == MergeAction::TakeOverSp ? row->spNumber
                                                  : row->vlNumber) = existing.ownNumber;
        IndexReplaced(existing.number, row->number);
        Forget(it->get());
        *it = std::move(row);
        return true;
    }
    return false;
}

bool CPackageList::InsertPackage(RowPtr row, const CoverageTest &covered)
{
    auto isCovered = [&]() { return covered && covered(*row); };
    if (!m_bPackageIndex)
        BuildPackageIndex();
    // The rows arrive in line order: a row behind every listed line, or on
    // the last listed line, is placed without walking the rows before it.
    // Those rows all have smaller lines, so of them only an equal number
    // matters (a package is listed under its first line only).
    if (!row->lineKey.isEmpty() && row->lineKey >= m_strLastLineKey) {
        if (row->lineKey > m_strLastLineKey) {
            if (m_packageNumbers.contains(row->number))
                return false;
            if (row->kind == kKindSip && !isCovered())
                return false;
            m_strLastLineKey = row->lineKey;
            ++m_packageNumbers[row->number];
            m_rows.push_back(std::move(row));
            return true;
        }
        // The block of the last line: the first row of it takes the merge.
        auto first = m_rows.end();
        int inBlock = 0;
        for (auto it = m_rows.end(); it != m_rows.begin();) {
            --it;
            const CPackageRow &existing = **it;
            if (existing.level != kLevelPackage)
                continue;
            if (existing.lineKey != row->lineKey)
                break;
            first = it;
            inBlock += existing.number == row->number ? 1 : 0;
        }
        if (first != m_rows.end()) {
            if (m_packageNumbers.value(row->number) > inBlock)
                return false;
            return MergePackage(first, row, covered);
        }
    }
    DropPackageIndex();
    for (auto it = m_rows.begin(); it != m_rows.end(); ++it) {
        CPackageRow &existing = **it;
        if (existing.level != kLevelPackage)
            continue;
        if (row->lineKey.isEmpty()) {
            if (existing.number > row->number) {
                m_rows.insert(it, std::move(row));
                return true;
            }
            if (existing.number == row->number) {
                if (row->IsStandardOrigin(false))
                    return false;
                Forget(it->get());
                *it = std::move(row);
                return true;
            }
            continue;
        }
        if (existing.lineKey > row->lineKey) {
            m_rows.insert(it, std::move(row));
            return true;
        }
        if (existing.lineKey < row->lineKey) {
            // A package is listed under its first line only.
            if (existing.number == row->number)
                return false;
            continue;
        }
        return MergePackage(it, row, covered);
    }
    // An inclusive-service row stands alone only while a contract covers it.
    if (row->kind == kKindSip && !isCovered())
        return false;
    m_rows.push_back(std::move(row));
    return true;
}

void CPackageList::RemoveLooseVariants()
{
    for (auto it = m_rows.begin(); it != m_rows.end();) {
        const CPackageRow &row = **it;
        if (row.level == kLevelPackage &&
            (row.kind == kKindGrp || row.kind == kKindSip || row.kind == kKindVlp))
            it = Erase(it);
        else
            ++it;
    }
}

CPackageRow *CPackageList::Current(int level) const
{
    return level >= 1 && level <= kPackageListLevels ? m_current[size_t(level)] : nullptr;
}

void CPackageList::SetCurrent(CPackageRow *row)
{
    if (!row)
        return;
    SetCurrentOfLevel(row->level == kLevelPaintClass ? kLevelMatrixRow : row->level, row);
}

void CPackageList::SetCurrentOfLevel(int level, CPackageRow *row)
{
    if (level >= 1 && level <= kPackageListLevels)
        m_current[size_t(level)] = row;
}

void CPackageList::ClearCurrent(int fromLevel, int toLevel)
{
    for (int level = std::max(fromLevel, 1); level <= std::min(toLevel, kPackageListLevels);
         ++level)
        m_current[size_t(level)] = nullptr;
}

void CPackageList::AppendPath(CPackageRow *row)
{
    if (row)
        m_path.push_back(row);
}

CPackageRow *CPackageList::Show(int level, bool selectFirst)
{
    m_shownLevel = level;
    if (!selectFirst) {
        CPackageRow *current = Current(level);
        return current && current->level == level && Contains(current) ? current : nullptr;
    }
    return FirstOfLevel(level);
}

int CPackageList::LevelAbove() const
{
    if (!FirstOfLevel(m_shownLevel))
        return kLevelTop;
    switch (m_shownLevel) {
    case kLevelCampaign:
    case kLevelSpotRepairEntry:
    case kLevelGroup7:
        return kLevelTop;
    case kLevelCampaignPackage:
        return kLevelCampaign;
    case kLevelPaintClass:
        return kLevelSpotRepairEntry;
    case kLevelMatrixRow:
        return kLevelPaintClass;
    case kLevelGroup8:
        return Current(kLevelGroup7) ? kLevelGroup7 : kLevelTop;
    case kLevelPackage:
        if (Current(kLevelGroup8))
            return kLevelGroup8;
        return Current(kLevelGroup7) ? kLevelGroup7 : kLevelTop;
    default:
        return kLevelTop;
    }
}
