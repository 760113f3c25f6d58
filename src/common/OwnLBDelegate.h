#pragma once
// The painter of an owner-drawn list box (COwnLB): a page derives from it,
// measures a row through the layout boxes in MeasureRowHeight and draws it in
// PaintRow, both from the same row geometry.
//
// Long lists (the package list holds thousands of rows) are not measured up
// front: a row not yet shown counts with the cheap EstimateRowHeight (where
// the list places rows off the screen and reckons its scroll range), and the
// list measures the rows it shows and keeps their heights here, one per row,
// until the row width, the rows or their data change.
// A delegate serves one list.

#include <QStyledItemDelegate>

#include <vector>

class COwnLBDelegate : public QStyledItemDelegate
{
    Q_OBJECT
public:
    // The height of a row nobody has estimated otherwise.
    static constexpr int kRowHeight = 16;

    explicit COwnLBDelegate(QObject *parent = nullptr);

    // Sets the list's mouse-over state in the option (only the row under the
    // mouse is "mouse over"), then PaintRow.
    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const final;
    // The measured height of the row, or its estimate while it has not been
    // measured; the width is the row width the heights belong to.
    QSize sizeHint(const QStyleOptionViewItem &option, const QModelIndex &index) const final;

    // What the list calls. The row width the heights are measured for;
    // another width forgets every height.
    void SetRowWidth(int width);
    int RowWidth() const { return m_nRowWidth; }
    // The row's height as the layout takes it (measured or estimated).
    int RowHeight(const QModelIndex &index) const;
    // Measures the row unless its height is known (option: the list's item
    // option). Returns true when the measured height differs from the
    // estimate, so that the rows below it have to move.
    bool MeasureRow(const QStyleOptionViewItem &option, const QModelIndex &index);
    bool IsMeasured(int row) const;
    // The rows changed: their heights are measured again when shown.
    void ForgetRows(int first, int last);
    void ForgetAllRows() { m_heights.clear(); }
    // Rows came or went: the known heights move with their rows.
    void InsertRows(int first, int count);
    void RemoveRows(int first, int count);

protected:
    // Draws the row into option.rect.
    virtual void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                          const QModelIndex &index) const = 0;
    // The row's height at the width option.rect.width().
    virtual int MeasureRowHeight(const QStyleOptionViewItem &option,
                                 const QModelIndex &index) const = 0;
    // A cheap guess of the row's height before it is shown: no text layout.
    // It must give the same answer for a row every time it is asked.
    virtual int EstimateRowHeight(const QModelIndex &index) const;

private:
    std::vector<int> m_heights; // by row; 0: not measured
    int m_nRowWidth = 0;
};
