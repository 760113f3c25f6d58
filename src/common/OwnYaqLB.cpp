#include "common/OwnYaqLB.h"

#include <QMouseEvent>

COwnYaqLB::COwnYaqLB(QWidget *parent) : COwnLB(parent)
{
}

bool COwnYaqLB::HitInside(const CRect &rect, const QPoint &pos)
{
    return rect.left < pos.x() && pos.x() < rect.right && rect.top < pos.y() &&
           pos.y() < rect.bottom;
}

COwnYaqRowHits COwnYaqLB::HitsOf(const QModelIndex &row) const
{
    if (!m_pHits || !row.isValid())
        return COwnYaqRowHits();
    const QRect r = visualRect(row);
    return m_pHits->RowHits(row, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1));
}

int COwnYaqLB::IconAt(const QModelIndex &row, const QPoint &pos) const
{
    const COwnYaqRowHits hits = HitsOf(row);
    for (int icon = 1; icon <= COwnYaqRowHits::kIcons; ++icon) {
        if (HitInside(hits.icons[icon - 1], pos))
            return icon;
    }
    return 0;
}

void COwnYaqLB::mouseMoveEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    // While a badge is held down the list does not drag its selection along.
    if (m_nPressedIcon)
        TrackMouseOver(pos);
    else
        COwnLB::mouseMoveEvent(event);

    const QModelIndex row = indexAt(pos);
    if (!row.isValid()) {
        viewport()->unsetCursor();
        return;
    }
    emit mouseOverRow(row);
    if (IconAt(row, pos))
        viewport()->setCursor(Qt::PointingHandCursor);
    else
        viewport()->unsetCursor();
    if (HitInside(HitsOf(row).info, pos))
        emit infoHovered(row);
}

void COwnYaqLB::mousePressEvent(QMouseEvent *event)
{
    const QPoint pos = event->position().toPoint();
    const QModelIndex row = indexAt(pos);
    const int icon = event->button() == Qt::LeftButton ? IconAt(row, pos) : 0;
    // A press on a badge selects its row like any press on the row; the
    // list's double click stays the row's double click.
    COwnLB::mousePressEvent(event);
    if (!icon)
        return;
    m_nPressedIcon = icon;
    m_pressedRow = row;
    if (currentIndex() != row)
        setCurrentIndex(row);
    emit iconPressed(icon, row);
}

void COwnYaqLB::mouseReleaseEvent(QMouseEvent *event)
{
    const int pressedIcon = m_nPressedIcon;
    const QPersistentModelIndex pressedRow = m_pressedRow;
    if (event->button() == Qt::LeftButton) {
        m_nPressedIcon = 0;
        m_pressedRow = QPersistentModelIndex();
    }
    COwnLB::mouseReleaseEvent(event);
    if (event->button() != Qt::LeftButton || !pressedIcon)
        return;
    viewport()->update();
    // Only the badge that was pressed, on the row it was pressed on, counts.
    const QPoint pos = event->position().toPoint();
    const QModelIndex row = indexAt(pos);
    if (row.isValid() && row == pressedRow && HitInside(HitsOf(row).icons[pressedIcon - 1], pos))
        emit iconClicked(pressedIcon, row);
}
