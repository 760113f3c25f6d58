#pragma once
// How the lines of an edited package are grouped, shown and chosen.
//
// A standard line ("S") or optional line ("O") may have alternatives ("A"
// pairs with "S", "B" with "O") that can replace it; the line and its
// alternatives form a group of which at most one line is chosen. A work
// position's alternative names the number of the line it replaces in its
// reference number (AwPosRef), a part's alternative the part position
// (PosLfdNrRef against PosLfdNr).
//
// Each line carries its display state and four group counters in its
// working integers, so they travel with the line into the basket and back:
//   0 no group                         shown at its place
//   1 main line, group collapsed       shown at its place
//   2 main line, group expanded        shown, followed by its group
//   3 alternative standing for its     shown in place of its main line
//     main line, group collapsed
//   4 alternative, group expanded      in place of its main line, followed
//     from it                          by the main line and the others
//   5 main line replaced               only through its alternative
//   6 alternative not standing in      only inside an expanded group
//
// The class is the one place of these rules: the page hands in clicks and
// double clicks and shows Rows(); it repaints, prices and sounds itself.

#include <QString>

#include <functional>
#include <vector>

class CPaket;
class CPosition;

enum LineState
{
    kStateAlone = 0,
    kStateCollapsed = 1,
    kStateExpanded = 2,
    kStateStandsIn = 3,
    kStateStandsInExpanded = 4,
    kStateReplaced = 5,
    kStateInGroup = 6,
};

// The display state and the group counters of a line.
int LineStateOf(const CPosition &line);
void SetLineState(CPosition &line, int state);
struct CGroupCounters
{
    int a = 0, b = 0, s = 0, o = 0;
};
CGroupCounters GroupCountersOf(const CPosition &line);

class CPackageSelection
{
public:
    // The package is borrowed; the selection keeps pointers to its lines
    // until Forget() or the next Fill().
    explicit CPackageSelection(CPaket *paket);

    // Lines the dealer may not choose or drop (dealer-optional mark "1"),
    // and sub-package lines that are fixed (open mark "1"); none without.
    void SetFixedCheck(std::function<bool(const CPosition &)> isFixed);

    // q belongs to p's group (lines of one type; see the top of the file).
    static bool InGroup(const CPosition &p, const CPosition &q);
    // The package is a campaign package: its head's kind text is "XX".
    bool IsCampaign() const;

    // Display states and counters of a freshly loaded package. A chosen
    // alternative that the package brings along (a campaign's or a stored
    // choice) stands in for its main line.
    void InitStates();
    // The position list anew from the package: every shown line in package
    // order, groups as their states say. The current row is kept when it
    // is still shown.
    void Fill();
    // The head list: list line and heads of a service-repair package; of a
    // campaign package its list line, campaign line and campaign-package line.
    static std::vector<CPosition *> HeadRows(const CPaket &paket);

    const std::vector<CPosition *> &Rows() const { return m_rows; }
    // The row whose group was handled last (the list selects it); null
    // when none.
    CPosition *Current() const { return m_pCurrent; }
    int CurrentIndex() const;
    // Forgets the rows and the current row: the package was emptied.
    void Forget();

    // A single click on a row: a collapsed group opens, an open one closes.
    // True when the rows changed.
    bool Click(CPosition *line);

    struct DoubleClickResult
    {
        // A sub-package line: the page opens the sub-package dialog and
        // then calls SubPackageDialogEnded.
        bool openSubPackage = false;
        // The line's choice changed: the page prices the package again.
        bool choiceChanged = false;
    };
    // A double click chooses or drops a line (and so the others of its
    // group), or opens a collapsed group.
    DoubleClickResult DoubleClick(CPosition *line);
    // The sub-package dialog's answer: 1 chosen, 7 dropped, others leave
    // the line. True when its choice changed.
    bool SubPackageDialogEnded(CPosition *line, int result);

    // Where the list's selection goes when it lands on a group line:
    // further in the direction of travel, back at either end.
    static int SkipGroupLine(const std::vector<CPosition *> &rows, int index, int previousIndex);

private:
    // The package's groups by number, for one pass over its lines.
    class CGroupIndex;

    bool IsFixed(const CPosition &line) const;
    bool CanToggle(const CPosition &line) const;
    void ApplyChoice(CPosition *toggled);
    void Build(CPosition *clicked, bool expanding);
    void AppendGroup(const CGroupIndex &groups, CPosition *row, CPosition *expanded);
    void ShowReplaced(const CGroupIndex &groups, CPosition *main, CPosition *clicked,
                      bool expanding);
    void CollapseGroupOf(CPosition *line);
    void Expand(CPosition *clicked);
    void Collapse(CPosition *clicked);

    CPaket *m_pPaket;
    std::function<bool(const CPosition &)> m_isFixed;
    std::vector<CPosition *> m_rows;
    CPosition *m_pCurrent = nullptr;
};
