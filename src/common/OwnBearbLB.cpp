#include "common/OwnBearbLB.h"

#include <QGuiApplication>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QStyleHints>

namespace {
// Past the double-click time, so that the second click of a double click
// always arrives first.
constexpr int kClickDelayMs = 10;
} // namespace

COwnBearbLB::COwnBearbLB(QWidget *parent) : COwnLB(parent)
{
    m_clickTimer.setSingleShot(true);
    // A coarse timer may fire early, inside the double-click time.
    m_clickTimer.setTimerType(Qt::PreciseTimer);
    connect(&m_clickTimer, &QTimer::timeout, this, &COwnBearbLB::ReportClick);
}

void COwnBearbLB::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        if (m_bDoubleClick) {
            m_bDoubleClick = false;
        } else {
            m_clickedRow = indexAt(event->position().toPoint());
            m_clickTimer.start(QGuiApplication::styleHints()->mouseDoubleClickInterval() +
                               kClickDelayMs);
        }
    }
    COwnLB::mouseReleaseEvent(event);
}

void COwnBearbLB::mouseDoubleClickEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton) {
        m_bDoubleClick = true;
        m_clickTimer.stop();
    }
    COwnLB::mouseDoubleClickEvent(event);
}

void COwnBearbLB::keyPressEvent(QKeyEvent *event)
{
    const QModelIndex current = currentIndex();
    if (event->key() == Qt::Key_Down && current.isValid() && !selectionModel()->hasSelection()) {
        selectionModel()->select(current, QItemSelectionModel::ClearAndSelect);
        event->accept();
        return;
    }
    COwnLB::keyPressEvent(event);
}

void COwnBearbLB::ReportClick()
{
    m_bDoubleClick = false;
    emit delayedClick(m_clickedRow);
}
