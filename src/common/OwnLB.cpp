#include "common/OwnLB.h"

#include "common/OwnLBDelegate.h"

#include <QMouseEvent>
#include <QScopedValueRollback>
#include <QScrollBar>

#include <algorithm>

COwnLB::COwnLB(QWidget *parent) : QListView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    setUniformItemSizes(false);
    // Every row is laid out in one pass: with the heights known or estimated
    // that costs no measuring, and the scroll range is whole at once.
    setLayoutMode(QListView::SinglePass);
    // By rows: the top row stays put when rows above it are measured.
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    // The rows fill the list's width.
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    viewport()->setMouseTracking(true);
}

COwnLBDelegate *COwnLB::RowDelegate() const
{
    return qobject_cast<COwnLBDelegate *>(itemDelegate());
}

void COwnLB::SetMouseOverToFalse()
{
    if (!m_mouseOver.isValid())
        return;
    const QModelIndex old = m_mouseOver;
    m_mouseOver = QPersistentModelIndex();
    update(old);
}

void COwnLB::TrackMouseOver(const QPoint &pos)
{
    const QModelIndex row = indexAt(pos);
    if (row == m_mouseOver)
        return;
    const QModelIndex old = m_mouseOver;
    m_mouseOver = row;
    if (old.isValid())
        update(old);
    if (row.isValid())
        update(row);
}

void COwnLB::setModel(QAbstractItemModel *model)
{
    if (QAbstractItemModel *old = this->model()) {
        disconnect(old, &QAbstractItemModel::rowsMoved, this, nullptr);
        disconnect(old, &QAbstractItemModel::layoutChanged, this, nullptr);
    }
    if (COwnLBDelegate *delegate = RowDelegate())
        delegate->ForgetAllRows();
    m_nTopRow = 0;
    QListView::setModel(model);
    // Rows that changed places take their heights with them; the delegate
    // keeps heights by row, so it forgets them all.
    const auto forget = [this]() {
        if (COwnLBDelegate *delegate = RowDelegate())
            delegate->ForgetAllRows();
    };
    if (model) {
        connect(model, &QAbstractItemModel::rowsMoved, this, forget);
        connect(model, &QAbstractItemModel::layoutChanged, this, forget);
    }
}

bool COwnLB::MeasureFrom(int row, int step, int height, int width)
{
    COwnLBDelegate *delegate = RowDelegate();
    QAbstractItemModel *items = model();
    if (!delegate || !items)
        return false;
    // Heights belong to a row width; a list just resized measures anew.
    delegate->SetRowWidth(width < 0 ? viewport()->width() : width);
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    const int rows = items->rowCount(rootIndex());
    bool changed = false;
    for (int filled = 0; row >= 0 && row < rows && filled < height; row += step) {
        if (isRowHidden(row))
            continue;
        const QModelIndex index = items->index(row, 0, rootIndex());
        changed |= delegate->MeasureRow(option, index);
        filled += delegate->RowHeight(index);
    }
    return changed;
}

bool COwnLB::MeasureShownRows(bool around)
{
    // From the top row as the last layout or scroll left it: asking the view
    // for the row at the top would run a layout still pending.
    if (!RowDelegate() || !model())
        return false;
    const int height = viewport()->height();
    bool changed = MeasureFrom(m_nTopRow, 1, around ? 2 * height : height);
    if (around)
        changed |= MeasureFrom(m_nTopRow - 1, -1, height);
    return changed;
}

void COwnLB::NoteTopRow()
{
    const QModelIndex top = indexAt(QPoint(0, 0));
    m_nTopRow = top.isValid() ? top.row() : 0;
}

void COwnLB::MeasureShownAndRelayout(bool around)
{
    // Within a layout the layout itself has measured what it shows.
    if (m_bInLayout || !MeasureShownRows(around))
        return;
    // A layout goes over every row. Before a scroll lays them out again, the
    // rows some screens further on are measured too: the next scrolls find
    // them measured and lay nothing out, so that a long list scrolls at the
    // cost of the rows it shows, not of all its rows.
    if (around)
        MeasureFrom(m_nTopRow, 1, kScreensMeasuredAhead * viewport()->height());
    doItemsLayout();
    viewport()->update();
}

int COwnLB::LaidOutRowWidth() const
{
    const int width = viewport()->width();
    const COwnLBDelegate *delegate = RowDelegate();
    if (!delegate || !model() || verticalScrollBarPolicy() != Qt::ScrollBarAsNeeded ||
        verticalScrollBar()->isVisible())
        return width;
    // Rows taller than the screen bring the scroll bar, which takes its
    // width from the rows: they are measured at the width they will have,
    // so that the bar appearing does not lay them out again.
    const int rows = model()->rowCount(rootIndex());
    const int height = viewport()->height();
    int filled = 0;
    for (int row = 0; row < rows && filled <= height; ++row) {
        if (!isRowHidden(row))
            filled += delegate->RowHeight(model()->index(row, 0, rootIndex()));
    }
    if (filled <= height)
        return width;
    int bar = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, verticalScrollBar());
    if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, this))
        bar += style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, this);
    return std::max(1, width - bar);
}

void COwnLB::doItemsLayout()
{
    {
        // Laying out moves the scroll bar, which asks to measure the rows
        // shown: not while the rows are being laid out.
        const QScopedValueRollback<bool> inLayout(m_bInLayout, true);
        // The screen of rows the layout is about to show is measured first,
        // so that one pass lays them out as high as they are; the others
        // are measured as the list scrolls to them.
        if (RowDelegate() && model())
            MeasureFrom(m_nTopRow, 1, viewport()->height(), LaidOutRowWidth());
        QListView::doItemsLayout();
    }
    // No layout is pending now: the view answers without another one.
    NoteTopRow();
}

void COwnLB::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    // The rows that may share the screen with the row are measured first,
    // so that the row lands where the scroll puts it.
    if (index.isValid() && index.parent() == rootIndex()) {
        const int height = viewport()->height();
        bool changed = MeasureFrom(index.row(), -1, height);
        changed |= MeasureFrom(index.row(), 1, height);
        if (changed)
            doItemsLayout();
    }
    QListView::scrollTo(index, hint);
}

void COwnLB::mouseMoveEvent(QMouseEvent *event)
{
    TrackMouseOver(event->position().toPoint());
    QListView::mouseMoveEvent(event);
}

bool COwnLB::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave) {
        SetMouseOverToFalse();
        // Whatever cursor a row asked for ends when the mouse leaves the list.
        viewport()->unsetCursor();
    }
    return QListView::viewportEvent(event);
}

void COwnLB::paintEvent(QPaintEvent *event)
{
    MeasureShownAndRelayout(false);
    QListView::paintEvent(event);
}

void COwnLB::resizeEvent(QResizeEvent *event)
{
    QListView::resizeEvent(event);
    // A new width wraps the texts anew: the heights are measured again.
    if (COwnLBDelegate *delegate = RowDelegate()) {
        if (delegate->RowWidth() != viewport()->width())
            scheduleDelayedItemsLayout();
    }
}

void COwnLB::scrollContentsBy(int dx, int dy)
{
    QListView::scrollContentsBy(dx, dy);
    if (m_bInLayout)
        return;
    NoteTopRow();
    MeasureShownAndRelayout(true);
}

void COwnLB::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                         const QList<int> &roles)
{
    if (COwnLBDelegate *delegate = RowDelegate(); delegate && topLeft.parent() == rootIndex()) {
        delegate->ForgetRows(topLeft.row(), bottomRight.row());
        // The list view keeps its layout on changed data; a row may now be
        // higher or lower.
        scheduleDelayedItemsLayout();
    }
    QListView::dataChanged(topLeft, bottomRight, roles);
}

void COwnLB::rowsInserted(const QModelIndex &parent, int start, int end)
{
    if (COwnLBDelegate *delegate = RowDelegate(); delegate && parent == rootIndex())
        delegate->InsertRows(start, end - start + 1);
    QListView::rowsInserted(parent, start, end);
}

void COwnLB::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    if (COwnLBDelegate *delegate = RowDelegate(); delegate && parent == rootIndex())
        delegate->RemoveRows(start, end - start + 1);
    QListView::rowsAboutToBeRemoved(parent, start, end);
}

void COwnLB::reset()
{
    if (COwnLBDelegate *delegate = RowDelegate())
        delegate->ForgetAllRows();
    m_mouseOver = QPersistentModelIndex();
    m_nTopRow = 0;
    QListView::reset();
}
