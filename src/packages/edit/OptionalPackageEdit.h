#pragma once
// One optional sub-package of an edited package, as the adviser opens it
// from its sub-package line: its lines are chosen by the same rules as the
// package's own (CPackageSelection on the nested package), in place, so
// that every choice stays in the package whatever the adviser answers at
// the end. What the adviser answers decides only whether the sub-package
// line itself is chosen.
//
// The marks that fix a line come with campaign packages: a work position
// or part whose dealer-optional mark is "1" is neither chosen nor dropped
// by the adviser, and a sub-package whose open mark is "1" cannot be
// declined (nor opened while it is not chosen).

#include "packages/edit/PackageSelection.h"

class CPaket;
class CPosition;

class COptionalPackageEdit
{
public:
    // How the dialog of a sub-package ends: take it over (1), do not take
    // it over (7); anything else (13) leaves the line as it was.
    enum Result
    {
        TakeOver = 1,
        Decline = 7,
        Abort = 13,
    };

    // whole: the outermost package of the editing page; line: the
    // sub-package line (type 17) whose nested package is edited. Both are
    // borrowed.
    COptionalPackageEdit(CPaket *whole, CPosition *line);

    // The nested package of the line; null when the line has none.
    CPaket *SubPackage() const { return m_pSub; }
    CPaket *Whole() const { return m_pWhole; }
    CPosition *Line() const { return m_pLine; }
    CPackageSelection &Selection() { return m_selection; }

    // A line the adviser may not choose or drop (dealer-optional mark "1"
    // of a work position or part), or a fixed sub-package (open mark "1").
    static bool IsFixedLine(const CPosition &line);
    // The open mark of a sub-package line is "1": it cannot be declined.
    static bool IsFixedSubPackage(const CPosition &line);

    // Leaving the dialog by "<", Escape or Backspace: a fixed sub-package
    // is taken over without a question.
    bool CanDecline() const;

    struct DoubleClickResult
    {
        // A nested sub-package line to open in a dialog of its own.
        CPosition *openSubPackage = nullptr;
        // The choice changed: the whole package is priced again.
        bool choiceChanged = false;
    };
    // A double click on a line of the sub-package: nothing without a head
    // on both packages or with an inclusive price of the sub-package;
    // otherwise the selection rules, and when the choice changed the whole
    // package's price set by hand counts no longer.
    DoubleClickResult DoubleClick(CPosition *line);
    // The dialog of a nested sub-package ended with the result given: its
    // line is chosen (1) or dropped (7). True when its choice changed.
    bool NestedEnded(CPosition *nestedLine, int result);

private:
    void ForgetManualPrice();

    CPaket *m_pWhole;
    CPosition *m_pLine;
    CPaket *m_pSub;
    CPackageSelection m_selection;
};
