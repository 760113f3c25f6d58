#pragma once
// The owner-drawn list box of the pages: a one-column list whose rows a
// COwnLBDelegate measures and paints through the layout boxes, each row as
// high as what it draws. It keeps the row under the mouse (the delegate
// paints it as "mouse over"; leaving the list clears it) and selects one row
// at a time; the keys move as in any list (arrows, Home/End, PageUp/Down).
//
// A list of many thousand rows opens without measuring them all: the
// layout takes the delegate's estimate for a row until the row is about to
// be shown. Before every layout the screen of rows it is about to show is
// measured (at the width the rows will have, the scroll bar the layout
// brings taken off), so that one layout pass makes the first sight exact;
// the rows of the screen shown, one screen above and one below are
// measured in batches when the list scrolls, paints or is asked to show a
// row; when a measured height differs from its estimate, the rows are laid
// out again from the known heights, which costs no measuring (a scroll
// measures some screens further on first, so that the scrolls after it lay
// nothing out). The list
// scrolls by rows, so the top row stays in place when rows above it get
// measured.
//
// Any other QAbstractItemDelegate works too, measured by Qt as usual.

#include <QListView>
#include <QPersistentModelIndex>

class COwnLBDelegate;

class COwnLB : public QListView
{
    Q_OBJECT
public:
    explicit COwnLB(QWidget *parent = nullptr);

    // The row under the mouse (invalid when there is none).
    QModelIndex MouseOverRow() const { return m_mouseOver; }
    // Forgets the row under the mouse and repaints it: a page calls it on
    // the list it remembered when the mouse has moved on to another one.
    void SetMouseOverToFalse();

    void setModel(QAbstractItemModel *model) override;
    void doItemsLayout() override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;

protected:
    // Takes the row under pos as the row under the mouse.
    void TrackMouseOver(const QPoint &pos);
    // The delegate when it is one of ours.
    COwnLBDelegate *RowDelegate() const;

    void mouseMoveEvent(QMouseEvent *event) override;
    bool viewportEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QList<int> &roles = QList<int>()) override;
    void rowsInserted(const QModelIndex &parent, int start, int end) override;
    void rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end) override;
    void reset() override;

private:
    // How far below the screen a scroll that lays the rows out again
    // measures first.
    static constexpr int kScreensMeasuredAhead = 6;
    // Measures rows from row on, upwards (step -1) or downwards (step 1),
    // until they fill height; true when one differs from its estimate.
    // At the row width given, or at the list's (-1).
    bool MeasureFrom(int row, int step, int height, int width = -1);
    // The width the rows will have once laid out: without the scroll bar
    // that the layout is about to show.
    int LaidOutRowWidth() const;
    // The rows of the screen shown (from the top row noted) and, around,
    // one screen either side: the batch a scroll measures.
    bool MeasureShownRows(bool around);
    // Notes the row at the top of the screen; never while a layout runs.
    void NoteTopRow();
    // Measures the rows shown and, when one differs from its estimate, lays
    // the rows out again and repaints them all.
    void MeasureShownAndRelayout(bool around);

    QPersistentModelIndex m_mouseOver;
    bool m_bInLayout = false;
    int m_nTopRow = 0; // the first row shown, as the last layout or scroll left it
};
