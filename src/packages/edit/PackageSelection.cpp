#include "packages/edit/PackageSelection.h"

#include "packages/model/Paket.h"

#include <QStringView>

#include <algorithm>

namespace {

// Places of the state and the counters among the line's working integers.
enum
{
    kState = 0,
    kCountA = 1,
    kCountB = 2,
    kCountS = 3,
    kCountO = 4,
};

bool IsAlternative(const CPosition &line)
{
    return line.Kind == QLatin1String("A") || line.Kind == QLatin1String("B");
}

bool IsMain(const CPosition &line)
{
    return line.Kind == QLatin1String("S") || line.Kind == QLatin1String("O");
}

bool IsGroupable(const CPosition &line)
{
    return line.Type == POS_WORK || line.Type == POS_PART;
}

// The number a line is known by in its group, and the number of the line
// an alternative replaces.
const QString &KeyOf(const CPosition &line)
{
    return line.Type == POS_PART ? line.PosLfdNr : line.Number;
}

const QString &RefOf(const CPosition &line)
{
    return line.Type == POS_PART ? line.PosLfdNrRef : line.AwPosRef;
}

// A line of the position list: no head, list, finding or campaign line,
// and no alternative (alternatives are shown through their group).
bool IsListed(const CPosition &line)
{
    if (line.Type <= POS_HEAD_CAMPAIGN || line.Type == POS_FINDINGS || line.Type == POS_HEAD18 ||
        line.Type == POS_HEAD19 || line.Type == POS_HEAD20)
        return false;
    return !IsAlternative(line);
}

} // namespace

// A package of a thousand lines is grouped on every load and every click:
// its lines are filed once by the number that makes their group (a main
// line's own, the replaced one of an alternative), each line type apart,
// instead of comparing every pair with InGroup. Two main lines filed under
// one number are still not each other's group. The filed lines are sorted
// by type and number, so that a group is one run of them in package order,
// found by a binary search: no line's number is hashed.
class CPackageSelection::CGroupIndex
{
public:
    struct Group
    {
        size_t begin = 0, end = 0; // the run of its filed lines
        CGroupCounters kinds;      // how many of each kind
    };

    explicit CGroupIndex(const CPaket &paket)
    {
        m_filed.reserve(size_t(paket.GetCount()));
        for (const auto &owned : paket) {
            CPosition *line = owned.get();
            const bool main = IsMain(*line);
            if (!IsGroupable(*line) || !(main || IsAlternative(*line)))
                continue;
            m_filed.push_back({line->Type, main ? KeyOf(*line) : RefOf(*line), line});
        }
        std::stable_sort(m_filed.begin(), m_filed.end());
        for (size_t begin = 0; begin < m_filed.size();) {
            Group group;
            group.begin = begin;
            size_t end = begin;
            for (; end < m_filed.size() && !(m_filed[begin] < m_filed[end]); ++end)
                CountKind(group.kinds, *m_filed[end].line, 1);
            group.end = end;
            m_groups.push_back(group);
            begin = end;
        }
    }

    // The group line is filed in; null for a line of no group.
    const Group *Of(const CPosition &line) const
    {
        const bool main = IsMain(line);
        if (!IsGroupable(line) || !(main || IsAlternative(line)))
            return nullptr;
        const Filed wanted{line.Type, main ? KeyOf(line) : RefOf(line), nullptr};
        const auto it = std::lower_bound(
            m_groups.begin(), m_groups.end(), wanted,
            [this](const Group &group, const Filed &f) { return m_filed[group.begin] < f; });
        if (it == m_groups.end() || wanted < m_filed[it->begin])
            return nullptr;
        return &*it;
    }

    // The lines q of the package with InGroup(line, q), in package order:
    // the alternatives of a main line, every other line of an alternative's.
    template <typename F> void ForEachInGroup(const CPosition &line, F &&f) const
    {
        const Group *group = Of(line);
        if (!group)
            return;
        const bool main = IsMain(line);
        for (size_t i = group->begin; i < group->end; ++i) {
            CPosition *q = m_filed[i].line;
            if (q != &line && !(main && IsMain(*q)))
                f(q);
        }
    }

    // The counters of line: the kinds of the others in its group.
    static CGroupCounters CountersOf(const Group &group, const CPosition &line)
    {
        CGroupCounters n = group.kinds;
        if (IsMain(line))
            n.s = n.o = 0; // the other main lines of its number are not its group
        else
            CountKind(n, line, -1);
        return n;
    }

private:
    static void CountKind(CGroupCounters &n, const CPosition &line, int by)
    {
        if (line.Kind == QLatin1String("A"))
            n.a += by;
        else if (line.Kind == QLatin1String("B"))
            n.b += by;
        else if (line.Kind == QLatin1String("S"))
            n.s += by;
        else if (line.Kind == QLatin1String("O"))
            n.o += by;
    }

    // A line filed by its type and the number of its group.
    struct Filed
    {
        int type;
        QStringView number;
        CPosition *line;
        bool operator<(const Filed &o) const
        {
            return type != o.type ? type < o.type : number.compare(o.number) < 0;
        }
    };

    std::vector<Filed> m_filed;
    std::vector<Group> m_groups;
};

int LineStateOf(const CPosition &line)
{
    return line.WorkInts[kState];
}

void SetLineState(CPosition &line, int state)
{
    line.WorkInts[kState] = state;
}

CGroupCounters GroupCountersOf(const CPosition &line)
{
    return {line.WorkInts[kCountA], line.WorkInts[kCountB], line.WorkInts[kCountS],
            line.WorkInts[kCountO]};
}

CPackageSelection::CPackageSelection(CPaket *paket) : m_pPaket(paket)
{
}

void CPackageSelection::SetFixedCheck(std::function<bool(const CPosition &)> isFixed)
{
    m_isFixed = std::move(isFixed);
}

bool CPackageSelection::InGroup(const CPosition &p, const CPosition &q)
{
    if (&p == &q || p.Type != q.Type || !IsGroupable(p))
        return false;
    if (IsMain(p))
        return IsAlternative(q) && RefOf(q) == KeyOf(p);
    if (!IsAlternative(p))
        return false;
    if (IsAlternative(q))
        return RefOf(q) == RefOf(p);
    return IsMain(q) && KeyOf(q) == RefOf(p);
}

bool CPackageSelection::IsCampaign() const
{
    const CPosition *head = m_pPaket ? m_pPaket->GetKopf() : nullptr;
    return head && head->PaketArt == QLatin1String("XX");
}

void CPackageSelection::InitStates()
{
    if (!m_pPaket)
        return;
    const CGroupIndex groups(*m_pPaket);
    for (const auto &owned : *m_pPaket) {
        CPosition &line = *owned;
        if (!IsGroupable(line))
            continue;
        const CGroupIndex::Group *group = groups.Of(line);
        const CGroupCounters n = group ? CGroupIndex::CountersOf(*group, line) : CGroupCounters();
        line.WorkInts[kCountA] = n.a;
        line.WorkInts[kCountB] = n.b;
        line.WorkInts[kCountS] = n.s;
        line.WorkInts[kCountO] = n.o;
        if (n.a + n.b + n.s + n.o > 0)
            SetLineState(line, IsAlternative(line) ? kStateInGroup : kStateCollapsed);
    }
    // A chosen alternative that came with the package must be seen: it
    // stands in for its main line instead of hiding inside the group.
    for (const auto &owned : *m_pPaket) {
        CPosition &alt = *owned;
        if (!IsAlternative(alt) || !alt.Selected || LineStateOf(alt) != kStateInGroup)
            continue;
        bool standsIn = false;
        groups.ForEachInGroup(alt, [&standsIn](CPosition *other) {
            if (IsMain(*other) && LineStateOf(*other) == kStateCollapsed) {
                SetLineState(*other, kStateReplaced);
                standsIn = true;
            }
        });
        if (standsIn)
            SetLineState(alt, kStateStandsIn);
    }
}

std::vector<CPosition *> CPackageSelection::HeadRows(const CPaket &paket)
{
    std::vector<CPosition *> rows;
    const CPosition *head = paket.GetKopf();
    if (head && head->PaketArt == QLatin1String("XX")) {
        for (CPosition *line : {paket.GetPosType1(), paket.GetPosType2(), paket.GetPosType4()})
            if (line)
                rows.push_back(line);
        return rows;
    }
    for (const auto &line : paket) {
        const int t = line->Type;
        if (t == POS_SPECIAL1 || t == POS_HEAD_CAMPAIGN || t == POS_HEAD18 || t == POS_HEAD19 ||
            t == POS_HEAD20)
            rows.push_back(line.get());
    }
    return rows;
}

int CPackageSelection::CurrentIndex() const
{
    const auto it = std::find(m_rows.begin(), m_rows.end(), m_pCurrent);
    return it == m_rows.end() ? -1 : int(it - m_rows.begin());
}

void CPackageSelection::Forget()
{
    m_rows.clear();
    m_pCurrent = nullptr;
}

void CPackageSelection::Fill()
{
    Build(nullptr, false);
    if (CurrentIndex() < 0)
        m_pCurrent = nullptr;
}

void CPackageSelection::AppendGroup(const CGroupIndex &groups, CPosition *row, CPosition *expanded)
{
    m_rows.push_back(row);
    bool first = true;
    groups.ForEachInGroup(*expanded, [&](CPosition *q) {
        if (q == row)
            return;
        SetLineState(*q, IsAlternative(*q) ? kStateInGroup : kStateReplaced);
        if (first)
            SetLineState(*expanded,
                         IsAlternative(*expanded) ? kStateStandsInExpanded : kStateExpanded);
        first = false;
        m_rows.push_back(q);
    });
}

void CPackageSelection::ShowReplaced(const CGroupIndex &groups, CPosition *main, CPosition *clicked,
                                     bool expanding)
{
    groups.ForEachInGroup(*main, [&](CPosition *alt) {
        if (!IsAlternative(*alt))
            return;
        int state = LineStateOf(*alt);
        if (state == kStateStandsIn && expanding && alt == clicked) {
            SetLineState(*alt, kStateStandsInExpanded);
            state = kStateStandsInExpanded;
        }
        if (state == kStateStandsIn) {
            m_rows.push_back(alt);
        } else if (state == kStateStandsInExpanded) {
            m_rows.push_back(alt);
            AppendGroup(groups, main, alt);
            m_pCurrent = alt;
        }
    });
}

void CPackageSelection::Build(CPosition *clicked, bool expanding)
{
    m_rows.clear();
    if (!m_pPaket)
        return;
    const CGroupIndex groups(*m_pPaket);
    for (const auto &owned : *m_pPaket) {
        CPosition *q = owned.get();
        if (!IsListed(*q))
            continue;
        const int state = LineStateOf(*q);
        if (state == kStateStandsIn || state == kStateStandsInExpanded || state == kStateInGroup)
            continue;
        if ((expanding && q == clicked) || state == kStateExpanded)
            AppendGroup(groups, q, q);
        else if (state == kStateReplaced)
            ShowReplaced(groups, q, clicked, expanding);
        else
            m_rows.push_back(q);
    }
}

void CPackageSelection::CollapseGroupOf(CPosition *line)
{
    for (const auto &owned : *m_pPaket) {
        CPosition *q = owned.get();
        if (!InGroup(*line, *q))
            continue;
        if (IsAlternative(*q))
            SetLineState(*q, kStateInGroup);
        else if (IsAlternative(*line))
            SetLineState(*q, kStateReplaced);
    }
}

void CPackageSelection::Expand(CPosition *clicked)
{
    m_pCurrent = clicked;
    Build(clicked, true);
}

void CPackageSelection::Collapse(CPosition *clicked)
{
    m_pCurrent = clicked;
    switch (LineStateOf(*clicked)) {
    case kStateExpanded:
    case kStateReplaced:
        SetLineState(*clicked, kStateCollapsed);
        CollapseGroupOf(clicked);
        break;
    case kStateStandsInExpanded:
        if (clicked->Selected) {
            SetLineState(*clicked, kStateStandsIn);
            CollapseGroupOf(clicked);
            break;
        }
        // Dropped: the main line comes back, or another chosen alternative.
        SetLineState(*clicked, kStateInGroup);
        for (const auto &owned : *m_pPaket) {
            CPosition *q = owned.get();
            if (!InGroup(*clicked, *q))
                continue;
            if (IsAlternative(*q)) {
                SetLineState(*q, q->Selected ? kStateStandsIn : kStateInGroup);
            } else {
                SetLineState(*q, kStateCollapsed);
                m_pCurrent = q;
            }
        }
        break;
    case kStateInGroup:
        SetLineState(*clicked, kStateStandsIn);
        CollapseGroupOf(clicked);
        break;
    default:
        break;
    }
    Build(nullptr, false);
}

bool CPackageSelection::Click(CPosition *line)
{
    if (!line || !m_pPaket || line->Type == POS_SUBPACKAGE)
        return false;
    switch (LineStateOf(*line)) {
    case kStateCollapsed:
    case kStateStandsIn:
        Expand(line);
        return true;
    case kStateExpanded:
    case kStateStandsInExpanded:
        Collapse(line);
        return true;
    default:
        return false;
    }
}

bool CPackageSelection::IsFixed(const CPosition &line) const
{
    return m_isFixed && m_isFixed(line);
}

bool CPackageSelection::CanToggle(const CPosition &line) const
{
    if (!IsGroupable(line) || IsFixed(line))
        return false;
    // A chosen standard line of a campaign whose group is open stays chosen:
    // the campaign price is built on it.
    return !(line.Selected && LineStateOf(line) == kStateExpanded && IsCampaign());
}

CPackageSelection::DoubleClickResult CPackageSelection::DoubleClick(CPosition *line)
{
    DoubleClickResult result;
    if (!line || !m_pPaket)
        return result;
    const CPosition *head = m_pPaket->GetKopf();
    if (head && head->Preise1.FlatPrice)
        return result; // an inclusive price: the package is taken as it is
    if (line->Type == POS_SUBPACKAGE) {
        result.openSubPackage = !(IsFixed(*line) && !line->Selected);
        return result;
    }
    const int before = line->Selected;
    const int state = LineStateOf(*line);
    if (state == kStateCollapsed || state == kStateStandsIn) {
        Expand(line);
        return result;
    }
    const bool toggle = CanToggle(*line);
    if (toggle) {
        line->Selected = line->Selected ? 0 : 1;
        ApplyChoice(line);
    }
    if (state == kStateExpanded || state == kStateStandsInExpanded || state == kStateReplaced ||
        (state == kStateInGroup && toggle))
        Collapse(line);
    result.choiceChanged = line->Selected != before;
    return result;
}

bool CPackageSelection::SubPackageDialogEnded(CPosition *line, int result)
{
    if (!line)
        return false;
    const int before = line->Selected;
    if (result == 1)
        line->Selected = 1;
    else if (result == 7)
        line->Selected = 0;
    return line->Selected != before;
}

void CPackageSelection::ApplyChoice(CPosition *p)
{
    const bool campaign = IsCampaign();
    const struct
    {
        const char *alt;
        const char *main;
    } passes[] = {{"A", "S"}, {"B", "O"}};
    for (const auto &pass : passes) {
        const QLatin1String alt(pass.alt), main(pass.main);
        for (CPosition *q : m_rows) {
            if (!InGroup(*p, *q))
                continue;
            if (p->Kind == alt) {
                if (q->Kind == alt)
                    q->Selected = 0;
                else if (q->Kind == main && p->Selected)
                    q->Selected = 0;
                else if (q->Kind == main && campaign)
                    q->Selected = 1; // a campaign falls back on its standard line
            } else if (p->Kind == main && p->Selected && q->Kind == alt) {
                q->Selected = 0;
            }
        }
    }
}

int CPackageSelection::SkipGroupLine(const std::vector<CPosition *> &rows, int index,
                                     int previousIndex)
{
    const int n = int(rows.size());
    if (index < 0 || index >= n || rows[size_t(index)]->Type != POS_GROUP)
        return index;
    if (index > previousIndex)
        index = index + 1 < n ? index + 1 : index - 1;
    if (index < previousIndex)
        index = index > 0 ? index - 1 : index + 1;
    return index;
}
