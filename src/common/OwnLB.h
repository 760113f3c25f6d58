#pragma once
// The owner-drawn list box of the pages: a one-column list whose rows a
// COwnLBDelegate measures and paints through the layout boxes, each row as
// high as what it draws. It keeps the row under the mouse (the delegate
// paints it as "mouse over"; leaving the list clears it) and selects one row
// at a time; the keys move as in any list (arrows, Home/End, PageUp/Down).
//
// A list of many thousand rows opens at the cost of one screen: it never
// goes over all its rows. It scrolls by rows, the scroll bar's value being
// the top row, so a row's place on the screen is the sum of the heights of
// the rows above it from the top row, and only the rows shown are measured
// (when they are painted, hit or scrolled to; the delegate keeps the
// heights). The scroll range needs the rows of the last screen only: how
// many of them fit below the last top row. It is reckoned from the heights
// known so far (a row not measured yet counts with the delegate's
// estimate) and reckoned again when rows of the last screen are measured.
// Rows above or below the screen are placed by their known heights.
//
// The heights belong to the width the rows are drawn at: the list's width,
// without the scroll bar once the rows no longer fit. A new width measures
// the rows shown anew.
//
// Any other QAbstractItemDelegate works too: its sizeHint is asked for the
// rows shown.

#include <QAbstractItemView>
#include <QPersistentModelIndex>

class COwnLBDelegate;

class COwnLB : public QAbstractItemView
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
    // Measures the screen of rows from the top row and sets the scroll
    // range; nothing more.
    void doItemsLayout() override;
    QRect visualRect(const QModelIndex &index) const override;
    void scrollTo(const QModelIndex &index, ScrollHint hint = EnsureVisible) override;
    QModelIndex indexAt(const QPoint &point) const override;

protected:
    // Takes the row under pos as the row under the mouse.
    void TrackMouseOver(const QPoint &pos);
    // The delegate when it is one of ours.
    COwnLBDelegate *RowDelegate() const;

    QModelIndex moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers modifiers) override;
    int horizontalOffset() const override;
    int verticalOffset() const override;
    bool isIndexHidden(const QModelIndex &index) const override;
    void setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command) override;
    QRegion visualRegionForSelection(const QItemSelection &selection) const override;
    void updateGeometries() override;

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
    int RowCount() const;
    QModelIndex RowIndex(int row) const;
    // The first row shown: the scroll bar's value.
    int TopRow() const;
    // The width the rows are measured and drawn at: the list's, less the
    // scroll bar the range has just asked for (it shows a moment later),
    // or plus the one it is about to hide.
    int RowWidth() const;
    // Tells the delegate the row width; a new one forgets the heights.
    void FollowRowWidth() const;
    // The row's height as known: measured, or its estimate while it has not
    // been measured. No measuring.
    int KnownHeight(int row) const;
    // The row's height, measured first when it is not yet: a row shown.
    int ShownHeight(int row) const;
    // The top row of a screen that ends with row (the rows above it that
    // fit measured); row itself when it is higher than the screen.
    int TopEndingWith(int row) const;
    // How many rows from the top row fill the screen by their known heights.
    int RowsOnScreen() const;

    QPersistentModelIndex m_mouseOver;
    // A row of the last screen was measured at another height than it was
    // counted with: the scroll range is reckoned again.
    mutable bool m_bRangeStale = false;
};
