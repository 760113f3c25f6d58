#pragma once
// Paints the two lists of the spot-repair page: the way to the package
// (the spot-repair entry, the paint class, the matrix row) on grey, and the
// work lines on white in fourteen column units right of the text column:
// colour (2), quantity (2), "MA in %" (3), choice (4) and the price (3).
// The column geometry is one helper used by the rows, the column header and
// the package total, so that all stand in one grid.
//
// The fonts, gaps and price texts are those of the package editing page:
// the page's CSRPBbRowPainter lends them (and paints the legend and the
// total). Measuring and painting run the same code (draw 0 measures, draw 1
// paints; the painter may be null for measuring).

#include "common/LayoutRect.h"
#include "packages/SRPBbRowPainter.h"

#include <QStyledItemDelegate>

class CPaket;
class CPosition;

class CSpotRRowPainter : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // pathList: the painter of the way, else of the works. scheme: the
    // painter whose fonts and gaps the rows use; borrowed.
    CSpotRRowPainter(bool pathList, const CSRPBbRowPainter *scheme, QObject *parent = nullptr);

    // The package shown (its head decides whether line prices are shown);
    // borrowed.
    void SetPackage(const CPaket *paket) { m_pPaket = paket; }

    struct Columns
    {
        int first = 0; // the text column
        int unit = 0;  // one of the fourteen units
        int colour() const { return first; }
        int quantity() const { return first + 2 * unit; }
        int percent() const { return first + 4 * unit; }
        int choice() const { return first + 7 * unit; }
        int price() const { return first + 11 * unit; }
    };
    static Columns ColumnsFor(int rowWidth);

    // The choice cell: "[-]", "[1]" or "[2]".
    static QString ChoiceText(const CPosition &line);
    // The text column of a work line: the damage class once per pair (on
    // the green line, or on the yellow one whose green partner is missing).
    static QString WorkText(const CPosition &line);

    // The rows' price column, for the package total below the works (x in
    // a control whose rows begin at rowLeft).
    CSRPBbRowPainter::SumPlace SumPlace(int rowLeft, int rowWidth) const;
    // The titles of the works list's column header and where their fields
    // begin right of the text column, for units of `unit` pixels.
    static std::vector<CSRPBbRowPainter::HeaderTitle> ColumnTitles(int unit);
    void PaintColumnHeader(QPainter *dc, const QRect &rect, int rowLeft, int rowWidth) const;
    int ColumnHeaderHeight() const;

    // Draws (draw 1) or measures (draw 0) a line in rect; answers its height.
    int PaintLine(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

private:
    int PaintWork(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;
    int PaintPath(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;
    int PaintMatrixRow(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;

    bool m_bPathList;
    const CSRPBbRowPainter *m_pScheme;
    const CPaket *m_pPaket = nullptr;
};
