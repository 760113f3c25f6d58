#include "common/OwnLB.h"

#include "common/OwnLBDelegate.h"

#include <QMouseEvent>
#include <QScopedValueRollback>

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

bool COwnLB::MeasureFrom(int row, int step, int height)
{
    COwnLBDelegate *delegate = RowDelegate();
    QAbstractItemModel *items = model();
    if (!delegate || !items)
        return false;
    // Heights belong to a row width; a list just resized measures anew.
    delegate->SetRowWidth(viewport()->width());
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

bool COwnLB::MeasureShownRows()
{
    if (!RowDelegate() || !model())
        return false;
    const int height = viewport()->height();
    const QModelIndex top = indexAt(QPoint(0, 0));
    const int row = top.isValid() ? top.row() : 0;
    bool changed = MeasureFrom(row, 1, 2 * height);
    changed |= MeasureFrom(row - 1, -1, height);
    return changed;
}

void COwnLB::MeasureShownAndRelayout()
{
    // Within a layout the layout itself measures what it shows at its end.
    if (m_bInLayout || !MeasureShownRows())
        return;
    const QScopedValueRollback<bool> inLayout(m_bInLayout, true);
    QListView::doItemsLayout();
    viewport()->update();
}

void COwnLB::doItemsLayout()
{
    // Laying out moves the scroll bar, which asks to measure the rows shown:
    // not while the rows are being laid out.
    const QScopedValueRollback<bool> inLayout(m_bInLayout, true);
    if (RowDelegate() && model()) {
        const int height = viewport()->height();
        MeasureFrom(0, 1, height);
        MeasureFrom(model()->rowCount(rootIndex()) - 1, -1, height);
    }
    QListView::doItemsLayout();
    if (MeasureShownRows())
        QListView::doItemsLayout();
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
    MeasureShownAndRelayout();
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
    MeasureShownAndRelayout();
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
    QListView::reset();
}
