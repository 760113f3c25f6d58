#pragma once
// Paints the rows of the contract page's list through the layout boxes: a
// title in bold, a text row with its text in the label column (in red and
// bold when the row is marked red) and the red reason right of it, and a
// separator line. A text wider than the label column wraps at the list's
// width. Measuring and painting share one layout.

#include "common/OwnLBDelegate.h"
#include "packages/HLXRows.h"

#include <QFont>

#include <vector>

class QPainter;
class QRect;
class QStandardItemModel;

class CHLXRowPainter : public COwnLBDelegate
{
    Q_OBJECT
public:
    enum Role
    {
        KindRole = Qt::UserRole + 1,
        TextRole,
        ExtraRole,
    };

    explicit CHLXRowPainter(QObject *parent = nullptr);

    // The fonts from the page's font; the label column follows them.
    void SetFonts(const QFont &base);
    int LabelWidth() const { return m_nLabelWidth; }

    // Fills the model with the rows.
    static void SetRows(QStandardItemModel *model, const std::vector<CHLXRow> &rows);
    static CHLXRow RowOf(const QModelIndex &index);

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &index) const override;
    int MeasureRowHeight(const QStyleOptionViewItem &option,
                         const QModelIndex &index) const override;

private:
    // Lays the row out in rect; paints it when draw is set. Its height.
    int Layout(QPainter *dc, const CHLXRow &row, const QRect &rect, int draw) const;

    QFont m_normal;
    QFont m_bold;
    int m_nLabelWidth = 0;
};
