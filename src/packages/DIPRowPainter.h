#pragma once
// Paints the rows of the dealer-individual-parts list through the layout
// boxes, on light blue: a header ("TU" or "DIP" with the column titles, in
// dark blue), a part row (part number, the description in up to four
// lines, package sizes) and an information row (title, "Information",
// text). A selected part row is drawn in the highlight colour. Measuring
// and painting share one layout; the columns follow the fonts.

#include "common/OwnLBDelegate.h"
#include "packages/ListZeileData.h"

#include <QFont>

#include <vector>

class QPainter;
class QRect;
class QStandardItemModel;

class CDIPRowPainter : public COwnLBDelegate
{
    Q_OBJECT
public:
    enum Role
    {
        KindRole = Qt::UserRole + 1,
        ColumnsRole,
    };

    explicit CDIPRowPainter(QObject *parent = nullptr);

    // The five fonts from the page's font (smaller, larger and larger
    // still), and the columns measured in them.
    void SetFonts(const QFont &base);
    int PartNumberWidth() const { return m_nPartNumberWidth; }
    int DescriptionWidth() const { return m_nDescriptionWidth; }
    int ColumnGap() const { return m_nColumnGap; }

    // Fills the model with the rows; only part rows can be selected.
    static void SetRows(QStandardItemModel *model, const std::vector<CListZeileData> &rows);
    static CListZeileData RowOf(const QModelIndex &index);

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &index) const override;
    int MeasureRowHeight(const QStyleOptionViewItem &option,
                         const QModelIndex &index) const override;

private:
    // Lays the row out in rect; paints it when draw is set. Its height.
    int Layout(QPainter *dc, const CListZeileData &row, const QRect &rect, int draw,
               const QColor &text) const;

    QFont m_small;
    QFont m_medium;
    QFont m_mediumBold;
    QFont m_large;
    QFont m_largeBold;
    int m_nPartNumberWidth = 0;
    int m_nDescriptionWidth = 0;
    int m_nColumnGap = 0;
};
