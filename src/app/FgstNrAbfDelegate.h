#pragma once
// Paints the rows of the vehicle search through the layout boxes: the VIN in
// the bold font, then licence plate, owner and vehicle, each column as wide
// as its widest text plus a gap. Painting and measuring share RowLayout.

#include <QFont>
#include <QStyledItemDelegate>

class QPainter;
struct CRect;

class CFgstNrAbfDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    explicit CFgstNrAbfDelegate(QObject *parent = nullptr);

    void SetFonts(const QFont &vinFont, const QFont &textFont);
    // The gap before each column (the width of "W" in the text font) and the
    // widths of the widest VIN, plate and owner.
    void SetColumns(int gap, int vinWidth, int text1Width, int text2Width);

    // The width of the text in the font, measured through a layout box.
    static int MeasureText(const QFont &font, const QString &text);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Draws (paint 1) or measures (paint 0, painter may be null) one row
    // into rect; returns the rectangle used.
    CRect RowLayout(QPainter *dc, const QModelIndex &index, const CRect &rect, int paint) const;

private:
    QFont m_vinFont;
    QFont m_textFont;
    int m_nGap = 0;
    int m_nVinWidth = 0;
    int m_nText1Width = 0;
    int m_nText2Width = 0;
};
