#pragma once
// Paints the rows of the basket list through the layout boxes, one routine
// per entry kind that measures (draw 0) and paints (draw 1) alike: the
// number in fixed-width pieces, the texts, a red "C" for a position that
// needs a parts-clearing release, and in the price column at the right the
// gross price (bold) above the net price (italic). Around the list it paints
// the price header, the flat-price legend with the sum labels and the total
// field, all from the same column metrics.
//
// The metrics follow the fonts (SetFonts), not the rows: they are measured
// once per font change.

#include "common/LayoutRect.h"
#include "common/OwnLBDelegate.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

class CLayout;
class CPosition;
class CWKListItem;

// How a row looks: selected rows in the highlight colour with yellow text
// while the list has the focus, white text without it.
struct CWkRowState
{
    bool selected = false;
    bool focus = false;
    QColor highlight = QColor(0, 120, 215);
};

class CWkRowPainter : public COwnLBDelegate
{
    Q_OBJECT
public:
    explicit CWkRowPainter(QObject *parent = nullptr);

    // The row fonts, made from the page's font, and the column metrics.
    void SetFonts(const QFont &base);
    // The background of SI findings (the settings' background colour).
    void SetSiFindingBackground(const QColor &colour) { m_siBackground = colour; }

    // Width of the price column at the right of a row (the flat-price mark
    // included); the column starts at PriceLeft of the row's width.
    int PriceColumnWidth() const { return m_nPriceWidth; }
    int PriceLeft(int rowWidth) const { return rowWidth - m_nPriceWidth; }
    int FlatMarkWidth() const { return m_nFlatMarkWidth; }
    int LineHeight() const { return m_nLineHeight; }

    // Draws (draw 1) or measures (draw 0; dc may be null) the entry in
    // rect; answers the row's height. 0 for an entry that has no row (a
    // position entry without position).
    int PaintEntry(QPainter *dc, const CWKListItem &entry, const CRect &rect, int draw,
                   const CWkRowState &state = CWkRowState()) const;

    // The background and text colour of an entry's row: the background of
    // its kind, black text; a selected row on the highlight, its text
    // yellow while the list has the focus, white otherwise.
    void RowColours(const CWKListItem &entry, const CWkRowState &state, QColor *background,
                    QColor *text) const;

    // The controls around the list, painted into rect; priceLeft is where
    // the list's price column starts, in rect's coordinates.
    void DrawPriceHeader(QPainter *dc, const CRect &rect, int priceLeft) const;
    void DrawFlatLegend(QPainter *dc, const CRect &rect, int priceLeft) const;
    // Empty unless both totals are given (not -1.0).
    void DrawTotalField(QPainter *dc, const CRect &rect, int priceLeft, double gross, double net,
                        const QString &currency) const;

    // The four labour-value text lines in one line: the first always, each
    // further non-empty one after a blank.
    static QString JoinAwTexts(const CPosition &position);
    // The four bracket texts likewise.
    static QString JoinBracketTexts(const CPosition &position);
    // The number of the findings line inside a package row: up to eight
    // characters in groups of two separated by blanks, a longer one whole.
    static QString GroupFindingNumber(const QString &number);
    // A price as the basket shows it: "%.2f", "?" for no price available,
    // text 3012 for work charged by time, nothing when not set.
    static QString PriceText(double value);
    // The texts of an entry's two price lines, gross above net; the net
    // line of a labour position charged by time stays empty.
    static QStringList PriceLineTexts(const CWKListItem &entry);

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &index) const override;
    int MeasureRowHeight(const QStyleOptionViewItem &option,
                         const QModelIndex &index) const override;
    int EstimateRowHeight(const QModelIndex &index) const override;

private:
    QColor Background(const CWKListItem &entry) const;
    // The number column of each kind; answers its height.
    int DrawHeadNumber(CLayout &line, const CPosition *head, int draw) const;
    int DrawLabourNumber(CLayout &line, const CPosition &position, int draw) const;
    int DrawFindingNumber(CLayout &line, const CPosition &position, int draw) const;
    // The two price lines in the price column; answers their height.
    int DrawPrices(QPainter *dc, const CRect &column, const CWKListItem &entry, int draw,
                   const QColor &text) const;
    void DrawFlatPriceMark(CLayout &box, int draw) const;
    void DrawSumLabels(CLayout &box, int draw) const;

    QFont m_f1, m_f2, m_f3, m_f4, m_f5, m_f6, m_f7, m_f8;
    QColor m_siBackground = QColor(0xA6, 0xCA, 0xF0);
    int m_nMargin = 10;
    int m_nSmallGap = 4;
    int m_nGap = 3;
    int m_nSumLabelWidth = 0;
    int m_nLineHeight = 16;
    int m_nFlatMarkWidth = 0;
    int m_nCurrencyWidth = 0;
    int m_nDigit1 = 8, m_nDigit2 = 16, m_nDigit3 = 24;
    int m_nValueWidth = 32;
    int m_nMarkWidth = 20;
    int m_nPriceWidth = 120;
};
