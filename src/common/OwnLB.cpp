#include "common/OwnLB.h"

#include "common/OwnLBDelegate.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

COwnLB::COwnLB(QWidget *parent) : QAbstractItemView(parent)
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    // By rows: the scroll bar's value is the top row.
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
    QAbstractItemView::setModel(model);
    verticalScrollBar()->setValue(0);
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

int COwnLB::RowCount() const
{
    const QAbstractItemModel *items = model();
    return items && items->columnCount(rootIndex()) > 0 ? items->rowCount(rootIndex()) : 0;
}

QModelIndex COwnLB::RowIndex(int row) const
{
    return model()->index(row, 0, rootIndex());
}

int COwnLB::TopRow() const
{
    return std::clamp(verticalScrollBar()->value(), 0, std::max(0, RowCount() - 1));
}

int COwnLB::RowWidth() const
{
    const int width = viewport()->width();
    if (verticalScrollBarPolicy() != Qt::ScrollBarAsNeeded)
        return width;
    // The scroll bar shows or hides once the events queued meanwhile have
    // run; the rows take the width they will have then.
    const QScrollBar *bar = verticalScrollBar();
    const bool shown = bar->isVisibleTo(this);
    const bool needed = bar->maximum() > bar->minimum();
    if (shown == needed)
        return width;
    int extent = style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, bar);
    if (style()->styleHint(QStyle::SH_ScrollView_FrameOnlyAroundContents, nullptr, this))
        extent += style()->pixelMetric(QStyle::PM_ScrollView_ScrollBarSpacing, nullptr, this);
    return needed ? std::max(1, width - extent) : width + extent;
}

void COwnLB::FollowRowWidth() const
{
    COwnLBDelegate *delegate = RowDelegate();
    const int width = RowWidth();
    if (!delegate || delegate->RowWidth() == width)
        return;
    delegate->SetRowWidth(width);
    m_bRangeStale = true;
}

int COwnLB::KnownHeight(int row) const
{
    const QModelIndex index = RowIndex(row);
    if (const COwnLBDelegate *delegate = RowDelegate())
        return delegate->RowHeight(index);
    return ShownHeight(row);
}

int COwnLB::ShownHeight(int row) const
{
    const QModelIndex index = RowIndex(row);
    QStyleOptionViewItem option;
    COwnLBDelegate *delegate = RowDelegate();
    if (!delegate) {
        initViewItemOption(&option);
        option.rect = QRect(0, 0, RowWidth(), 0);
        return itemDelegateForIndex(index)->sizeHint(option, index).height();
    }
    FollowRowWidth();
    if (!delegate->IsMeasured(row)) {
        initViewItemOption(&option);
        // A row of the last screen measured at another height than its
        // estimate moves the end of the scroll range.
        if (delegate->MeasureRow(option, index) && row >= verticalScrollBar()->maximum())
            m_bRangeStale = true;
    }
    return delegate->RowHeight(index);
}

int COwnLB::TopEndingWith(int row) const
{
    const int height = viewport()->height();
    int filled = ShownHeight(row);
    int top = row;
    while (top > 0) {
        const int above = ShownHeight(top - 1);
        if (filled + above > height)
            break;
        filled += above;
        --top;
    }
    return top;
}

int COwnLB::RowsOnScreen() const
{
    const int rows = RowCount();
    const int height = viewport()->height();
    int count = 0;
    for (int row = TopRow(), filled = 0; row < rows; ++row) {
        filled += KnownHeight(row);
        if (filled > height)
            break;
        ++count;
    }
    return std::max(1, count);
}

void COwnLB::updateGeometries()
{
    // The last top row is the first of the rows that fit on the last
    // screen: only those are looked at.
    const int rows = RowCount();
    const int height = viewport()->height();
    int fit = 0;
    for (int row = rows - 1, filled = 0; row >= 0; --row) {
        filled += KnownHeight(row);
        if (fit > 0 && filled > height)
            break;
        ++fit;
    }
    m_bRangeStale = false;
    QScrollBar *bar = verticalScrollBar();
    // A list scrolled to its end stays there when the end moves: the rows
    // of the last screen measured, rows added or taken away.
    const bool atEnd = bar->maximum() > 0 && bar->value() == bar->maximum();
    const int last = std::max(0, rows - std::max(fit, 1));
    bar->setSingleStep(1);
    bar->setRange(0, last);
    if (atEnd)
        bar->setValue(last);
    bar->setPageStep(RowsOnScreen());
    horizontalScrollBar()->setRange(0, 0);
    QAbstractItemView::updateGeometries();
}

void COwnLB::doItemsLayout()
{
    const int rows = RowCount();
    if (rows > 0) {
        // The range first: it decides whether the scroll bar takes width
        // from the rows. Then the screen from the top row is measured at
        // the width the rows keep, and the range follows what it found.
        updateGeometries();
        const int height = viewport()->height();
        for (int row = TopRow(), filled = 0; row < rows && filled < height; ++row)
            filled += ShownHeight(row);
    }
    // Sets the range again and repaints.
    QAbstractItemView::doItemsLayout();
}

QRect COwnLB::visualRect(const QModelIndex &index) const
{
    if (!index.isValid() || !model() || index.parent() != rootIndex() || index.column() != 0)
        return QRect();
    const int row = index.row();
    const int top = TopRow();
    const int height = viewport()->height();
    int y = 0;
    if (row >= top) {
        for (int r = top; r < row; ++r)
            y += y < height ? ShownHeight(r) : KnownHeight(r);
    } else {
        for (int r = row; r < top; ++r)
            y -= KnownHeight(r);
    }
    const bool shown = y >= 0 && y < height;
    return QRect(0, y, viewport()->width(), shown ? ShownHeight(row) : KnownHeight(row));
}

QModelIndex COwnLB::indexAt(const QPoint &point) const
{
    const int rows = RowCount();
    if (rows == 0 || point.x() < 0 || point.x() >= viewport()->width())
        return QModelIndex();
    const int height = viewport()->height();
    const int top = TopRow();
    if (point.y() >= 0) {
        for (int row = top, y = 0; row < rows; ++row) {
            y += y < height ? ShownHeight(row) : KnownHeight(row);
            if (point.y() < y)
                return RowIndex(row);
        }
        return QModelIndex();
    }
    for (int row = top - 1, y = 0; row >= 0; --row) {
        y -= KnownHeight(row);
        if (point.y() >= y)
            return RowIndex(row);
    }
    return QModelIndex();
}

void COwnLB::scrollTo(const QModelIndex &index, ScrollHint hint)
{
    if (!index.isValid() || !model() || index.parent() != rootIndex())
        return;
    const int row = index.row();
    const int top = TopRow();
    const int height = viewport()->height();
    int newTop = top;
    switch (hint) {
    case PositionAtTop:
        newTop = row;
        break;
    case PositionAtBottom:
        newTop = TopEndingWith(row);
        break;
    case PositionAtCenter: {
        const int above = (height - ShownHeight(row)) / 2;
        newTop = row;
        for (int filled = 0; newTop > 0;) {
            filled += ShownHeight(newTop - 1);
            if (filled > above)
                break;
            --newTop;
        }
        break;
    }
    case EnsureVisible:
        if (row < top) {
            newTop = row;
        } else {
            int y = 0;
            for (int r = top; r < row && y < height; ++r)
                y += ShownHeight(r);
            if (y > 0 && (y >= height || y + ShownHeight(row) > height))
                newTop = TopEndingWith(row);
        }
        break;
    }
    // The rows measured on the way may end the range elsewhere.
    if (m_bRangeStale || newTop > verticalScrollBar()->maximum())
        updateGeometries();
    verticalScrollBar()->setValue(newTop);
}

QModelIndex COwnLB::moveCursor(CursorAction cursorAction, Qt::KeyboardModifiers)
{
    const int rows = RowCount();
    if (rows == 0)
        return QModelIndex();
    const QModelIndex current = currentIndex();
    if (!current.isValid() || current.parent() != rootIndex())
        return RowIndex(0);
    const int height = viewport()->height();
    int row = current.row();
    switch (cursorAction) {
    case MoveUp:
    case MovePrevious:
        row = std::max(0, row - 1);
        break;
    case MoveDown:
    case MoveNext:
        row = std::min(rows - 1, row + 1);
        break;
    case MoveHome:
        row = 0;
        break;
    case MoveEnd:
        row = rows - 1;
        break;
    case MovePageUp:
    case MovePageDown: {
        // A screen on: to the last row that fits on a screen beginning (or
        // ending) with the current row, at least one row.
        const int step = cursorAction == MovePageDown ? 1 : -1;
        int filled = ShownHeight(row);
        int to = row;
        while (to + step >= 0 && to + step < rows) {
            const int next = ShownHeight(to + step);
            if (filled + next > height)
                break;
            filled += next;
            to += step;
        }
        if (to == row)
            to = std::clamp(row + step, 0, rows - 1);
        row = to;
        break;
    }
    case MoveLeft:
    case MoveRight:
        return current;
    }
    return RowIndex(row);
}

int COwnLB::horizontalOffset() const
{
    return 0;
}

int COwnLB::verticalOffset() const
{
    // Rows are placed from the top row; a rectangle of the viewport is
    // never moved by an offset.
    return 0;
}

bool COwnLB::isIndexHidden(const QModelIndex &) const
{
    return false;
}

void COwnLB::setSelection(const QRect &rect, QItemSelectionModel::SelectionFlags command)
{
    QItemSelectionModel *selection = selectionModel();
    if (!selection || !model())
        return;
    const QRect area = rect.normalized();
    const int width = viewport()->width();
    const int count = RowCount();
    QItemSelection rows;
    if (count > 0 && area.right() >= 0 && area.left() < width) {
        // The rows the rectangle meets: from the first row when it begins
        // above them, to the last when it ends below them.
        const int x = std::clamp(area.left(), 0, width - 1);
        QModelIndex first = indexAt(QPoint(x, area.top()));
        QModelIndex last = indexAt(QPoint(x, area.bottom()));
        if (!first.isValid() && area.top() < 0)
            first = RowIndex(0);
        if (!last.isValid() && area.bottom() >= 0)
            last = RowIndex(count - 1);
        if (first.isValid() && last.isValid() && first.row() <= last.row())
            rows.select(first, last);
    }
    selection->select(rows, command);
}

QRegion COwnLB::visualRegionForSelection(const QItemSelection &selection) const
{
    // Only the rows shown need painting again, where they were drawn: no
    // row is measured for it.
    QRegion region;
    if (selection.isEmpty())
        return region;
    const int rows = RowCount();
    const int height = viewport()->height();
    const int width = viewport()->width();
    for (int row = TopRow(), y = 0; row < rows && y < height; ++row) {
        const int h = KnownHeight(row);
        if (selection.contains(RowIndex(row)))
            region += QRect(0, y, width, h);
        y += h;
    }
    return region;
}

void COwnLB::mouseMoveEvent(QMouseEvent *event)
{
    TrackMouseOver(event->position().toPoint());
    QAbstractItemView::mouseMoveEvent(event);
}

bool COwnLB::viewportEvent(QEvent *event)
{
    if (event->type() == QEvent::Leave) {
        SetMouseOverToFalse();
        // Whatever cursor a row asked for ends when the mouse leaves the list.
        viewport()->unsetCursor();
    }
    return QAbstractItemView::viewportEvent(event);
}

void COwnLB::paintEvent(QPaintEvent *event)
{
    const int rows = RowCount();
    if (rows == 0 || !itemDelegate())
        return;
    QStyleOptionViewItem option;
    initViewItemOption(&option);
    QPainter painter(viewport());
    const QRect area = event->rect();
    const QStyle::State state = option.state;
    const bool enabled = state & QStyle::State_Enabled;
    const QModelIndex current = currentIndex();
    const bool focus = (hasFocus() || viewport()->hasFocus()) && current.isValid();
    const QItemSelectionModel *selection = selectionModel();
    const int height = viewport()->height();
    const int width = RowWidth();
    for (int row = TopRow(), y = 0; row < rows && y < height; ++row) {
        const QModelIndex index = RowIndex(row);
        const int h = ShownHeight(row);
        option.rect = QRect(0, y, width, h);
        y += h;
        if (!area.intersects(option.rect))
            continue;
        option.state = state;
        if (selection && selection->isSelected(index))
            option.state |= QStyle::State_Selected;
        if (enabled) {
            const bool itemEnabled = model()->flags(index) & Qt::ItemIsEnabled;
            option.state.setFlag(QStyle::State_Enabled, itemEnabled);
            option.palette.setCurrentColorGroup(itemEnabled ? QPalette::Normal
                                                            : QPalette::Disabled);
        }
        if (focus && index == current)
            option.state |= QStyle::State_HasFocus;
        option.state.setFlag(QStyle::State_MouseOver, index == m_mouseOver);
        itemDelegateForIndex(index)->paint(&painter, option, index);
    }
    // Rows of the last screen measured now end the range elsewhere.
    if (m_bRangeStale)
        scheduleDelayedItemsLayout();
}

void COwnLB::resizeEvent(QResizeEvent *event)
{
    QAbstractItemView::resizeEvent(event);
    // A new width wraps the texts anew: the rows shown are measured again.
    if (const COwnLBDelegate *delegate = RowDelegate();
        delegate && delegate->RowWidth() != RowWidth())
        scheduleDelayedItemsLayout();
}

void COwnLB::scrollContentsBy(int, int)
{
    // Another top row: every row moves by the heights between the two.
    viewport()->update();
}

void COwnLB::dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                         const QList<int> &roles)
{
    if (COwnLBDelegate *delegate = RowDelegate(); delegate && topLeft.parent() == rootIndex()) {
        delegate->ForgetRows(topLeft.row(), bottomRight.row());
        // A row may now be higher or lower: the range is reckoned again.
        scheduleDelayedItemsLayout();
    }
    QAbstractItemView::dataChanged(topLeft, bottomRight, roles);
}

void COwnLB::rowsInserted(const QModelIndex &parent, int start, int end)
{
    if (COwnLBDelegate *delegate = RowDelegate(); delegate && parent == rootIndex())
        delegate->InsertRows(start, end - start + 1);
    QAbstractItemView::rowsInserted(parent, start, end);
    scheduleDelayedItemsLayout();
}

void COwnLB::rowsAboutToBeRemoved(const QModelIndex &parent, int start, int end)
{
    if (COwnLBDelegate *delegate = RowDelegate(); delegate && parent == rootIndex())
        delegate->RemoveRows(start, end - start + 1);
    QAbstractItemView::rowsAboutToBeRemoved(parent, start, end);
    scheduleDelayedItemsLayout();
}

void COwnLB::reset()
{
    if (COwnLBDelegate *delegate = RowDelegate())
        delegate->ForgetAllRows();
    m_mouseOver = QPersistentModelIndex();
    QAbstractItemView::reset();
}
