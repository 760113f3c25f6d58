#pragma once
// Paints the lines of the package editing page through the layout boxes:
// in the head list the main-group line, the campaign period and campaign
// head of a campaign package and the package head, in the position list
// work positions and sub-package lines, parts and group lines; and the
// three painted controls around the position list: the column header, the
// legend with the standard (or a campaign's normal) price and the package
// sum.
//
// Every row is cut into the same columns: the text column, then one unit
// each for quantity, stock and choice, and three units for the price
// (gross above net). Columns() computes them from the row width, so rows,
// the header and the sum stand in one grid, and measuring and painting
// run the same code (draw 0 measures, draw 1 paints; the painter may be
// null for measuring).

#include "common/LayoutRect.h"
#include "common/OwnLBDelegate.h"

#include <QColor>
#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class CLayoutHBox;
class CPaket;
class CPosition;
class CPrgSettings;
class QPalette;
class QPainter;

class CSRPBbRowPainter : public COwnLBDelegate
{
    Q_OBJECT
public:
    // headList: the painter of the head list, else of the position list.
    explicit CSRPBbRowPainter(bool headList, QObject *parent = nullptr);

    // The fonts of the rows, made from the list's font.
    void SetFonts(const QFont &base);
    // The package shown (its head decides whether line prices are shown)
    // and the settings (which price sets are in use); both borrowed.
    void SetPackage(const CPaket *paket, const CPrgSettings *settings);
    void SetCampaignMode(bool campaignMode) { m_bCampaignMode = campaignMode; }
    // The legend names the package's standard price where the DMS or the
    // training edition gives one; the optional sub-package's legend never.
    void SetStandardPriceInLegend(bool shown) { m_bStandardInLegend = shown; }

    struct Columns
    {
        int first = 0; // width of the text column
        int unit = 0;  // quantity, stock and choice; the price takes three
        // x of the left border of a column from the row's left edge: 1
        // quantity, 2 stock, 3 choice, 4 price.
        int Border(int column) const { return first + (column - 1) * unit; }
    };
    Columns ColumnsFor(int rowWidth) const;
    int LineHeight() const { return m_nLineHeight; }

    // The seven fonts of the rows by their roles, and the gaps and widths
    // measured on them: the spot-repair page paints its rows with the same.
    struct Fonts
    {
        QFont header, head, plain, bold, italic, shortText, suffix;
    };
    Fonts RowFonts() const;
    struct Metrics
    {
        int gapWide, gapMedium, gapSmall, gapTiny, lineHeight, flatMarkWidth, currencyWidth;
    };
    Metrics RowMetrics() const;

    // The text of a price cell: "?" for a price asked for and not delivered,
    // "AZ" (text 3012) for a work position charged by time, nothing for a
    // price not set, else the price to the cent.
    static QString PriceText(double value, bool workRow);
    // The two price lines of a work position, sub-package line or part,
    // gross above net, each red or not: outside campaign mode the customer
    // price; in campaign mode "MK" for a standard or alternative line the
    // dealer must or did choose, the campaign price for an optional one the
    // dealer may choose. In both modes a work position or sub-package line
    // is red for any missing price (and a sub-package line for incomplete
    // prices), a part only for one not delivered. Whether the package shows
    // line prices at all is LinePricesShown.
    struct PriceCells
    {
        QString gross, net;
        bool redGross = false, redNet = false;
    };
    static PriceCells LinePriceCells(const CPosition &line, bool campaignMode);
    // A number in its groups: a work position or head number as 2-2-rest,
    // a part number of eleven characters as 2-2-1-3-3, any other unchanged.
    static QStringList NumberGroups(const QString &number, bool part);
    // What a part row says: the number in its groups, for a replaced part
    // the replacement number followed by the ordered one in parentheses,
    // and below them the replacement's text (the part's own without one).
    struct PartTexts
    {
        QStringList numberGroups;
        QString ordered; // empty unless the part is replaced
        QString text;
    };
    static PartTexts PartRowTexts(const CPosition &line);
    // Text line 1 and the non-empty text lines 2 to 4, each after a blank.
    static QString JoinTexts(const CPosition &line);
    // Short texts 1 to 4 as far as they fit the width in the font; short
    // text 1 always.
    static QString FitShortTexts(const CPosition &line, const QFont &font, int width);
    // The number a head row shows, in its groups, and the suffix after it:
    // a package head's own number; a campaign head's the characters 2 to 8
    // of its package reference, followed by the 9th.
    static QStringList HeadNumberGroups(const CPosition &line, QString *suffix);
    // The texts a row of the head list shows, in their order: the main
    // group (left out for the campaigns' "XX") and its text; the campaign
    // period and the campaign's name; a head's number groups, its suffix
    // and its text lines.
    static QStringList HeadRowTexts(const CPosition &line);

    // The stock cell of a line: only a part whose stock is known shows one
    // (shown: false leaves the cell empty); a stock below zero counts as
    // none, one above 99 reads ">99"; red when the quantity asked exceeds
    // what is in stock.
    struct StockFigure
    {
        bool shown = false;
        QString text;
        bool red = false;
    };
    static StockFigure StockCell(const CPosition &line);

    // The figures of a price block: net and gross as price texts (empty for
    // a price not set), the currency, red while the prices are incomplete,
    // and the flat-price mark; name: the legend piece before them.
    struct PriceFigures
    {
        QString name, net, gross, currency;
        bool red = false;
        bool flatMark = false;
    };
    // The package sum below the rows: the head's customer price (set 1); in
    // campaign mode its campaign price (set 3) as the campaign steps left
    // it, the optional lines' adjustments included. Nothing without a head.
    static PriceFigures SumFigures(const CPosition *head, bool campaignMode);
    // The price block of the legend, before the sum's legend piece: in
    // campaign mode "Normal" with the head's customer price (the price the
    // transfer sends); else "Standard" with its standard price where the
    // DMS or the training edition gives one (and standardShown). False for
    // no block: no head, or neither value set.
    static bool LegendFigures(const CPosition *head, const CPrgSettings *settings,
                              bool campaignMode, bool standardShown, PriceFigures *block);

    // The height the head list needs for its tallest rows: a campaign's
    // main-group and period rows above a head of two text lines.
    int HeadListHeight() const;
    // A row of the head list drawn as a head: a package head or a campaign
    // package's head.
    static bool IsHeadRow(const CPosition &line);

    // Draws (draw 1) or measures (draw 0) a line in rect; answers its height.
    int PaintLine(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;

    // What the package pages' lists share, the spot-repair page's too.
    // Whether the lines show their prices: not without a head, nor when the
    // package has one price for the whole (an inclusive price or one set by
    // hand), which only the legend and the sum show.
    static bool LinePricesShown(const CPaket *paket);
    // The grey of the rows above the lines (head, way to the package).
    static QColor HeadBackground();
    // A selected row stands on the list's highlight, its text yellow while
    // the list has the focus, else white.
    static void SelectedColours(const QStyleOptionViewItem &option, QColor *background,
                                QColor *text);
    // The background and text of a row of the position list: a selected
    // line (not a group line) as SelectedColours; an unchosen work position
    // or part in the palette's grey text; a work position or sub-package
    // line of an optional kind ("O", "A", "OP", "B") that is not selected
    // black when chosen, green while open to the choice; a group line on
    // light blue.
    static void PositionRowColours(const CPosition &line, bool selected, bool focus,
                                   const QPalette &palette, QColor *background, QColor *text);
    // A row of the list: its background filled, then its line painted by
    // paintLine (draw 1) with the text colour as pen in the row's rectangle.
    static void PaintRowIn(QPainter *painter, const QRect &rect, const QColor &background,
                           const QColor &text, const std::function<void(const CRect &)> &paintLine);
    // A row of head texts on the grey: each text in the head font after a
    // gap, three pixels above and below; answers its height.
    int PaintTextRow(QPainter *dc, const QStringList &texts, const CRect &rect, int draw) const;
    // Red while a cell is drawn (dc null: nothing); the colour before comes
    // back after it.
    class RedCell
    {
    public:
        RedCell(QPainter *dc, bool red);
        ~RedCell();
        RedCell(const RedCell &) = delete;
        RedCell &operator=(const RedCell &) = delete;

    private:
        QPainter *m_dc;
    };

    // A column header of turned titles: on white framed in grey right of
    // x0, each title (a text id) turned upright in the middle of a field
    // beginning `at` right of x0, grey lines at the column borders (x right
    // of x0). Its height: the widest title and a margin.
    struct HeaderTitle
    {
        int textId;
        int at;
    };
    void PaintTurnedHeader(QPainter *dc, const QRect &rect, int x0, int field,
                           const std::vector<HeaderTitle> &titles,
                           const std::vector<int> &borders) const;
    int TurnedHeaderHeight(const std::vector<HeaderTitle> &titles) const;

    // The titles of the position list's column header and where their
    // fields begin right of the text column, for columns of `unit` pixels.
    static std::vector<HeaderTitle> ColumnTitles(int unit);

    // The painted controls, across the width of the position list's rows
    // (rowLeft: where the rows begin inside the control).
    void PaintColumnHeader(QPainter *dc, const QRect &rect, int rowLeft, int rowWidth) const;
    int ColumnHeaderHeight() const;
    void PaintLegend(QPainter *dc, const QRect &rect) const;
    void PaintSum(QPainter *dc, const QRect &rect, int rowLeft, int rowWidth) const;
    // Where the sum's figures stand, x inside the control: the net in
    // parentheses ends at netRight, the gross ends at grossRight, followed
    // by the currency (and the flat-price mark).
    struct SumPlace
    {
        int netLeft = 0, netRight = 0, grossLeft = 0, grossRight = 0;
    };
    void PaintSum(QPainter *dc, const QRect &rect, const SumPlace &place) const;

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &index) const override;
    int MeasureRowHeight(const QStyleOptionViewItem &option,
                         const QModelIndex &index) const override;

private:
    static const CPosition *LineOf(const QModelIndex &index);
    int PaintWorkRow(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;
    int PaintPartRow(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;
    int PaintGroupRow(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;
    int PaintMainGroupRow(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;
    int PaintHeadRow(QPainter *dc, const CPosition &line, const CRect &rect, int draw) const;
    // The display-state picture of a line (states 1 to 6) in a square.
    void PaintStateIcon(QPainter *dc, int state, const QRect &square) const;
    // A line with a display state shows its picture first in the row.
    void AddStateIcon(QPainter *dc, const CPosition &line, CLayoutHBox &row, int draw) const;
    // The quantity, stock and choice cells and the price cell; answers the
    // height used below top.
    int PaintCells(QPainter *dc, const CPosition &line, const CRect &rect, int top, int draw) const;
    int PaintPrices(QPainter *dc, const CPosition &line, const CRect &cell, int draw) const;
    void PaintBorders(QPainter *dc, const CRect &rect, int height, int columns) const;

    bool m_bHeadList;
    bool m_bCampaignMode = false;
    bool m_bStandardInLegend = true;
    const CPaket *m_pPaket = nullptr;
    const CPrgSettings *m_pSettings = nullptr;
    QFont m_plain, m_bold, m_italic, m_shortText, m_headFont, m_headerFont;
    int m_nGapWide = 8;
    int m_nGapMedium = 12;
    int m_nGapSmall = 4;
    int m_nGapTiny = 3;
    int m_nLineHeight = 16;
    int m_nFlatMarkWidth = 20;
    int m_nCurrencyWidth = 30;
    int m_nUnit = 50;
};
