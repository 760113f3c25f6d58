#pragma once
// Paints the rows of the model-series combo through the layout boxes: a
// model series as its code in the first head font, a heading as its text in
// the second head font. Measuring and painting run through the same two
// functions, so a row is exactly as high as what it draws.

#include <QFont>
#include <QStyledItemDelegate>

struct CEReiheEntry;
struct CRect;
class QPainter;

class CEReiheDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // The smallest row height.
    static constexpr int kItemHeight = 16;

    explicit CEReiheDelegate(QObject *parent = nullptr);

    void SetFonts(const QFont &codeFont, const QFont &separatorFont);

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override;
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const override;

    // Draw (paint 1) or measure (paint 0, painter may be null) one row in
    // rect; return the extent used.
    int DrawModelSeriesCode(QPainter *dc, const CEReiheEntry &entry, const CRect &rect,
                            int paint) const;
    int DrawModelSeriesSeparator(QPainter *dc, const CEReiheEntry &entry, const CRect &rect,
                                 int paint) const;

private:
    QFont m_codeFont;
    QFont m_separatorFont;
};
