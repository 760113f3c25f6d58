#pragma once
// Paints the rows of the two lists of the package page through the layout
// boxes: a top row or group level as its key column and title, a package
// (and a campaign package) as its number in three parts, its text and
// bracket lines and, to the right, its badges in six columns.
//
// The badges of all rows of a level stand in columns: the columns start
// after the widest text of the rows listed (SetListedRows), so measuring,
// painting and the hit areas the list asks for at a mouse event all follow
// from the row, its rectangle and that one width.

#include "common/LayoutRect.h"
#include "common/OwnLBDelegate.h"
#include "common/OwnYaqLB.h"
#include "packages/list/PackageRowText.h"

#include <QColor>
#include <QFont>

#include <vector>

struct CPackageRow;

class CSRPWlRowPainter : public COwnLBDelegate, public IOwnYaqRowHits
{
    Q_OBJECT
public:
    // pathList: the rows stand in the path list (top rows show their key
    // there only for a main group; a selection shows only with the focus).
    explicit CSRPWlRowPainter(bool pathList, QObject *parent = nullptr);

    // The fonts of the rows, made from the list's font.
    void SetFonts(const QFont &base);
    // The background of package rows (the dealer's colour setting).
    void SetPackageBackground(const QColor &colour) { m_packageBackground = colour; }
    // The rows of the level about to be shown: the badge columns start after
    // the widest text among them.
    void SetListedRows(const std::vector<CPackageRow *> &rows);
    int MaxTextWidth() const { return m_nMaxTextWidth; }

    // One badge of a package row where it stands in the row rectangle.
    struct BadgePlace
    {
        CRowBadgeText badge;
        CRect slot; // its column
        CRect cell; // the badge itself: its text and its shadow
    };
    std::vector<BadgePlace> Badges(const CPackageRow &row, const CRect &rowRect) const;
    // Draws (draw 1) or measures (draw 0; dc may be null) a row in rect;
    // answers its height.
    int PaintPackageRow(QPainter *dc, const CPackageRow &row, const CRect &rect, int draw) const;

    COwnYaqRowHits RowHits(const QModelIndex &index, const CRect &rowRect) const override;

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &index) const override;
    int MeasureRowHeight(const QStyleOptionViewItem &option,
                         const QModelIndex &index) const override;
    int EstimateRowHeight(const QModelIndex &index) const override;

private:
    static const CPackageRow *RowOf(const QModelIndex &index);
    int PaintRowOf(QPainter *dc, const CPackageRow &row, const CRect &rect, int draw) const;
    int PaintSimpleRow(QPainter *dc, const CPackageRow &row, const CRect &rect, int draw) const;
    // The number, text and bracket lines up to textRight; answers the
    // height of the line and, in textWidth, how wide it is.
    int PaintPackageText(QPainter *dc, const CPackageRow &row, const CRect &rect, int textRight,
                         int draw, int *textWidth) const;
    // Where the badge columns start in a row rectangle.
    int BadgeLeft(const CRect &rowRect) const;
    QColor Background(const CPackageRow &row) const;

    bool m_bPathList;
    QFont m_bold1, m_bold2, m_italic, m_regular, m_boldLarge;
    int m_nGap = 6;       // before, between and after the cells
    int m_nKeyWidth = 14; // the key column of simple rows
    int m_nSmallGap = 3;  // after each part of a package number
    int m_nMinSlot = 30;  // the narrowest badge column
    int m_nMaxTextWidth = 0;
    QColor m_packageBackground = Qt::white;
};
