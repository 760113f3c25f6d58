#pragma once
// How a line of the labour-value catalogue is laid out and drawn, on the
// screen and in the print-out alike: groups as their key and title, a
// labour position as its heading, number, texts, the vehicle's values (or
// the values per catalogue column) and its prices. One layout serves the
// measuring and the drawing; on a page the sizes are in 0.1 mm. A row is
// drawn from what it carries: nothing is read while drawing or measuring.

#include "catalogues/model/AwKatRow.h"
#include "common/LayoutRect.h"
#include "common/OwnLBDelegate.h"

#include <QFont>

class CAwKatColumns;
class CLayout;
class CPrgSettings;
class QPainter;

// The colours a row is drawn in.
struct CAwKatRowColours
{
    QColor Ground;
    QColor Text;
};

class CAwKatRowPainter
{
public:
    CAwKatRowPainter();

    // The colours of a row of the level list (levelList) or of the path:
    // the ground of its level (a labour position the settings' background
    // colour) with black text; a selected row of the level list the
    // highlight with yellow text while the list has the focus, else white;
    // grey text where the vehicle's values cannot be told
    // (CAwKatRowModel::GreyText).
    static CAwKatRowColours RowColours(const CPrgSettings *settings, int type, bool levelList,
                                       bool selected, bool focused, const QColor &highlight);

    // The fonts: from the page's font on the screen, in 0.1 mm on a page.
    void SetBaseFont(const QFont &font);
    void SetPrintFonts();
    // The variant columns. By column (catalogue view without a vehicle)
    // a row shows the values of the columns scrolled into view, else the
    // vehicle's own values in the first column's place.
    void SetColumns(const CAwKatColumns *columns, bool byColumn)
    {
        m_pColumns = columns;
        m_bByColumn = byColumn;
    }
    bool ByColumn() const { return m_bByColumn && m_pColumns; }

    // Where a row's first value cell begins, counted from the row's left
    // edge, and the width of one cell: the column titles stand there.
    int ValuesLeft() const;
    int ColumnWidth() const { return m_nValueCol; }
    // The price column at the row's right end.
    int PriceWidth() const { return m_nPriceCol; }

    // Lays the row out in the rectangle; draws it when draw is set, in the
    // text colour given. The used rectangle.
    CRect DrawRow(QPainter *dc, const CAwKatRow *row, CRect rect, bool draw,
                  const QColor &text = QColor(Qt::black));
    // The same inside a box of a page.
    void DrawRowIn(CLayout &parent, const CAwKatRow *row, bool draw);

    const QFont &LevelFont() const { return m_level; }
    const QFont &BoldFont() const { return m_bold; }

private:
    void DrawGroup(CLayout &box, const CAwKatRow *row, bool draw);
    void DrawPosition(CLayout &box, const CAwKatRow *row, bool draw);
    void DrawValues(CLayout &box, const CAwKatRow *row, bool draw);
    int LabelWidth() const;
    int ValueBlockWidth() const;

    const CAwKatColumns *m_pColumns = nullptr;
    bool m_bByColumn = false;
    QFont m_normal, m_bold, m_italic, m_level, m_heading, m_mark, m_pair;
    int m_nUnit = 1;     // one unit of space: a pixel, or 0.1 mm scaled
    int m_nValueCol = 0; // width of a value cell
    int m_nTextCol = 0;  // width of the text column
    int m_nPriceCol = 0; // width of a price
    QColor m_text;
};

// The owner-drawn rows of the page's two lists (CAwKatRowModel).
class CAwKatRowDelegate : public COwnLBDelegate
{
    Q_OBJECT
public:
    // levelList: the delegate of the level list (not of the path).
    CAwKatRowDelegate(CAwKatRowPainter *painter, const CPrgSettings *settings, bool levelList,
                      QObject *parent = nullptr);

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &index) const override;
    int MeasureRowHeight(const QStyleOptionViewItem &option,
                         const QModelIndex &index) const override;

private:
    CAwKatRowPainter *m_pPainter;
    const CPrgSettings *m_pSettings;
    bool m_bLevelList;
};
