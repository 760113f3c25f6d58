#pragma once
// The owner-drawn list box of the pages: a one-column list whose rows a
// COwnLBDelegate measures and paints through the layout boxes, each row as
// high as what it draws. It keeps the row under the mouse (the delegate
// paints it as "mouse over"; leaving the list clears it) and selects one row
// at a time; the keys move as in any list (arrows, Home/End, PageUp/Down).
//
// A list of many thousand rows opens without measuring them all: the
// layout takes the delegate's estimate for a row until the row is about to
// be shown. Before every layout the first and the last screen of rows are
// measured (the scroll range and the first sight are then exact), and the
// rows of the screen shown, one screen above and one below are measured
// when the list scrolls, paints or is asked to show a row; when a
// measured height differs from its estimate, the rows are laid out again
// from the known heights, which costs no measuring. The list scrolls by
// rows, so the top row stays in place when rows above it get measured.
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
    // Measures rows from row on, upwards (step -1) or downwards (step 1),
    // until they fill height; true when one differs from its estimate.
    bool MeasureFrom(int row, int step, int height);
    // The rows of the screen shown and one screen either side.
    bool MeasureShownRows();
    // Measures the rows shown and, when one differs from its estimate, lays
    // the rows out again and repaints them all.
    void MeasureShownAndRelayout();

    QPersistentModelIndex m_mouseOver;
    bool m_bInLayout = false;
};
