#pragma once
// Paints the rows of the catalogue picker through the layout boxes: a
// catalogue as model-series code, market and model range in three columns,
// a heading in the heading font. Painting and measuring share RowLayout.

#include <QFont>
#include <QStyledItemDelegate>

class QPainter;
struct CRect;

class CKatAuswahlDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    static constexpr int kRowHeight = 16;
    static constexpr int kLeftMargin = 16;
    static constexpr int kColumnGap = 20;

    explicit CKatAuswahlDelegate(QObject *parent = nullptr);

    // The column widths (model range, series code, market) and the fonts.
    void SetColumns(int rangeWidth, int seriesWidth, int marketWidth);
    void SetFonts(const QFont &font, const QFont &headingFont);

    // Measures a text in the font through a layout box (the column widths
    // are taken from sample texts this way).
    static int MeasureText(const QFont &font, const QString &text);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Draws (paint 1) or measures (paint 0, painter may be null) one row
    // into rect; returns the width used.
    int RowLayout(QPainter *dc, const QModelIndex &index, const CRect &rect, int paint) const;

private:
    int m_nRangeWidth = 100;
    int m_nSeriesWidth = 100;
    int m_nMarketWidth = 100;
    QFont m_font;
    QFont m_headingFont;
};
