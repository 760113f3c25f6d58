#include "platform/InputDrop.h"

#include <QApplication>
#include <QCloseEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>

namespace {

// Closes the windows the adviser closed during a wait, once the code that
// waited has returned. A message that code showed next (the one of an
// ended session) is answered first: the window does not end inside the
// message's loop, where the end's own request would hold the message's
// answer back.
class CDeferredClose : public QObject
{
public:
    CDeferredClose(QList<QPointer<QWidget>> windows, QWidget *modalAtEnd)
        : QObject(QCoreApplication::instance()), m_windows(std::move(windows)),
          m_modalAtEnd(modalAtEnd)
    {
        QTimer::singleShot(0, this, &CDeferredClose::Close);
    }

private:
    void Close()
    {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal && modal != m_modalAtEnd) {
            QTimer::singleShot(kRetryMs, this, &CDeferredClose::Close);
            return;
        }
        for (const QPointer<QWidget> &window : std::exchange(m_windows, {})) {
            if (window && window->isVisible())
                window->close();
        }
        deleteLater();
    }

    static constexpr int kRetryMs = 50;
    QList<QPointer<QWidget>> m_windows;
    QPointer<QWidget> m_modalAtEnd;
};

} // namespace

bool IsAdviserInput(QEvent::Type type)
{
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::InputMethod:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
        return true;
    default:
        return false;
    }
}

CInputDrop::CInputDrop() : m_wait(true)
{
    Start();
}

CInputDrop::CInputDrop(int milliseconds) : m_wait(false)
{
    Start();
    if (m_filtering)
        QTimer::singleShot(milliseconds, this, &CInputDrop::Stop);
}

CInputDrop::~CInputDrop()
{
    Stop();
    if (m_closing.isEmpty())
        return;
    // Owned by the application until it has closed them.
    new CDeferredClose(m_closing, QApplication::activeModalWidget());
}

void CInputDrop::Start()
{
    // A program without windows (a test, a run for a caller) has no input
    // and no cursor.
    if (!qobject_cast<QApplication *>(QCoreApplication::instance()))
        return;
    m_modalAtBegin = QApplication::activeModalWidget();
    qApp->installEventFilter(this);
    m_filtering = true;
    if (m_wait) {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        m_cursor = true;
    }
}

void CInputDrop::Stop()
{
    if (m_filtering)
        qApp->removeEventFilter(this);
    m_filtering = false;
    if (m_cursor)
        QApplication::restoreOverrideCursor();
    m_cursor = false;
}

bool CInputDrop::IsOfNewModal(QObject *object) const
{
    QWidget *modal = QApplication::activeModalWidget();
    if (!modal || modal == m_modalAtBegin)
        return false;
    if (object->isWidgetType())
        return static_cast<QWidget *>(object)->window() == modal;
    return object->isWindowType() && object == modal->windowHandle();
}

bool CInputDrop::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (m_wait && type == QEvent::Close && watched->isWidgetType()) {
        // Windows and dialogs only: a tool tip or a menu closing is no word
        // of the adviser's.
        auto *widget = static_cast<QWidget *>(watched);
        const Qt::WindowType kind = widget->windowType();
        if (widget->isWindow() && !IsOfNewModal(widget) &&
            (kind == Qt::Window || kind == Qt::Dialog)) {
            event->ignore();
            if (!m_closing.contains(widget))
                m_closing << widget;
            return true;
        }
    }
    if (!IsAdviserInput(type) || (m_wait && IsOfNewModal(watched)))
        return false;
    if (type == QEvent::ShortcutOverride)
        event->accept(); // no shortcut fires either
    return true;
}
