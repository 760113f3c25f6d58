#include "platform/DialogFocusReturn.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <algorithm>

namespace {

bool IsDialogWindow(const QWidget *widget)
{
    return widget->isWindow() &&
           (widget->windowType() == Qt::Dialog || widget->windowType() == Qt::Sheet);
}

} // namespace

CDialogFocusReturn::CDialogFocusReturn(QObject *parent) : QObject(parent)
{
}

bool CDialogFocusReturn::eventFilter(QObject *watched, QEvent *event)
{
    // Only what the program does: a window the window manager shows again
    // or minimises keeps its own way.
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::Hide) && !event->spontaneous() &&
        watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (IsDialogWindow(widget)) {
            if (type == QEvent::Show)
                Opened(widget);
            else
                Closed(widget);
        }
    }
    return QObject::eventFilter(watched, event);
}

void CDialogFocusReturn::Opened(QWidget *dialog)
{
    // Openers gone meanwhile are forgotten.
    m_open.erase(std::remove_if(m_open.begin(), m_open.end(),
                                [dialog](const Opener &o) {
                                    return !o.dialog || !o.window || o.dialog == dialog;
                                }),
                 m_open.end());
    // The window the adviser was in; while none has the keyboard (the
    // dialog before has just closed), the window the dialog belongs to.
    QWidget *window = QApplication::activeWindow();
    if (!window || window == dialog || !window->isVisible())
        window = dialog->parentWidget() ? dialog->parentWidget()->window() : nullptr;
    if (window)
        m_open.push_back({dialog, window});
}

void CDialogFocusReturn::Closed(QWidget *dialog)
{
    const auto at = std::find_if(m_open.begin(), m_open.end(),
                                 [dialog](const Opener &o) { return o.dialog == dialog; });
    if (at == m_open.end())
        return;
    QWidget *window = at->window;
    m_open.erase(at);
    if (!window || !window->isVisible())
        return;
    // The adviser went on in another window while the dialog was open
    // (a box that waits without blocking): that window keeps the keyboard.
    const QWidget *active = QApplication::activeWindow();
    if (active && active != dialog && active != window && active->isVisible())
        return;
    // The window's focus goes back to the control it had last when it
    // becomes active again.
    window->activateWindow();
}
