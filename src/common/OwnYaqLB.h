#pragma once
// The package list of the package pages: its rows carry four small badges
// the adviser clicks and an information area. Where they sit in a row only
// the page's row painter knows; the list asks it (IOwnYaqRowHits) for the
// row's rectangle as it is at the moment of the mouse event, so scrolling
// or resizing never leaves stale hit areas behind.
//
// The badges as the package list places them:
//   icon 1  service package (SP)
//   icon 2  value-line package (VL)
//   icon 3  campaign package
//   icon 4  warranty-repair package (GR)
//
// What the list reports, always with the row (a row of the model; a point
// below the last row reports nothing):
// - mouseOverRow: every mouse move over a row (the page clears the hover
//   state of the list it remembered, SetMouseOverToFalse, and remembers this
//   one);
// - infoHovered: every mouse move inside the row's information area;
// - iconPressed: a press of the left button inside a badge (badges tested
//   1, 2, 3, 4, the first holding the point wins); the row becomes the
//   current row;
// - iconClicked: the release of that press inside the same badge of the
//   same row (the page opens the package of that badge). A release
//   elsewhere only ends the press.
// A press outside every badge selects the row as in any list. A point on
// the border of a badge or of the information area is outside it. The
// cursor is a pointing hand over a badge.

#include "common/LayoutRect.h"
#include "common/OwnLB.h"

#include <array>

// The hit areas of one row, in the list's viewport coordinates.
struct COwnYaqRowHits
{
    static constexpr int kIcons = 4;
    std::array<CRect, kIcons> icons; // icon 1 at [0]; an empty rectangle: no badge
    CRect info;
};

// The page's row painter: where the badges and the information area of a
// row lie when the row occupies rowRect.
class IOwnYaqRowHits
{
public:
    virtual ~IOwnYaqRowHits() = default;
    virtual COwnYaqRowHits RowHits(const QModelIndex &row, const CRect &rowRect) const = 0;
};

class COwnYaqLB : public COwnLB
{
    Q_OBJECT
public:
    explicit COwnYaqLB(QWidget *parent = nullptr);

    // The row painter (borrowed; null: the rows have no badges).
    void SetRowHits(const IOwnYaqRowHits *hits) { m_pHits = hits; }

    // Strict on every side: left < x < right and top < y < bottom.
    static bool HitInside(const CRect &rect, const QPoint &pos);

signals:
    void mouseOverRow(const QModelIndex &row);
    void infoHovered(const QModelIndex &row);
    void iconPressed(int icon, const QModelIndex &row);
    void iconClicked(int icon, const QModelIndex &row);

protected:
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    COwnYaqRowHits HitsOf(const QModelIndex &row) const;
    // The badge (1 to 4) of the row holding pos, 0 for none.
    int IconAt(const QModelIndex &row, const QPoint &pos) const;

    const IOwnYaqRowHits *m_pHits = nullptr;
    int m_nPressedIcon = 0; // 1 to 4 from a press on a badge to the next release
    QPersistentModelIndex m_pressedRow;
};
