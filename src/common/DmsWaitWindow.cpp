#include "common/DmsWaitWindow.h"

#include "platform/InputDrop.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>
#include <QWindow>

namespace {

// Program texts of the wait window.
enum
{
    kTextWaiting = 7120, // "Warten auf die Antwort des DMS …"
    kTextCancel = 7121,  // "Abbrechen"
};

bool IsClick(QEvent::Type type)
{
    return type == QEvent::MouseButtonPress || type == QEvent::MouseButtonRelease ||
           type == QEvent::MouseButtonDblClick;
}

} // namespace

CDmsWaitWindow::CDmsWaitWindow(QWidget *owner) : m_owner(owner)
{
    m_showTimer.setSingleShot(true);
    m_showTimer.setInterval(kShowAfterMs);
    connect(&m_showTimer, &QTimer::timeout, this, &CDmsWaitWindow::ShowWindow);
    m_tailTimer.setSingleShot(true);
    connect(&m_tailTimer, &QTimer::timeout, this, &CDmsWaitWindow::StopFiltering);
}

CDmsWaitWindow::~CDmsWaitWindow()
{
    StopFiltering();
    delete m_window;
}

void CDmsWaitWindow::Begin(std::function<void()> cancel)
{
    if (m_depth++ > 0) {
        // A request within a request shares the wait that shows.
        m_cancel = std::move(cancel);
        return;
    }
    m_cancel = std::move(cancel);
    m_modalAtBegin = QApplication::activeModalWidget();
    m_tailTimer.stop();
    if (!m_filtering) {
        qApp->installEventFilter(this);
        m_filtering = true;
    }
    QApplication::setOverrideCursor(Qt::WaitCursor);
    m_showTimer.start();
    // A window the adviser closed waits for its close: nothing new is asked.
    if (!m_closing.isEmpty())
        Cancel();
}

void CDmsWaitWindow::End()
{
    if (m_depth == 0 || --m_depth > 0)
        return;
    m_cancel = nullptr;
    m_showTimer.stop();
    QApplication::restoreOverrideCursor();
    if (m_window) {
        m_window->hide();
        m_window->deleteLater();
    }
    // The second click of the double click that asked the DMS comes within
    // the double-click time of the first: it is dropped too.
    m_tailTimer.start(QApplication::doubleClickInterval());
    if (!m_closing.isEmpty()) {
        // The request is back: the windows the adviser closed close now,
        // once the code that waited has returned.
        QTimer::singleShot(0, this, [this] {
            const QList<QPointer<QWidget>> closing = m_closing;
            m_closing.clear();
            for (const QPointer<QWidget> &window : closing) {
                if (window)
                    window->close();
            }
        });
    }
}

void CDmsWaitWindow::ShowWindow()
{
    if (m_depth == 0)
        return;
    QWidget *parent = QApplication::activeModalWidget();
    if (!parent)
        parent = QApplication::activeWindow();
    if (!parent)
        parent = m_owner;
    auto *window = new QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                                           Qt::WindowCloseButtonHint);
    window->setObjectName(QStringLiteral("dmsWaitWindow"));
    window->setWindowTitle(kMsgBoxTitle);
    window->setAttribute(Qt::WA_DeleteOnClose, false);
    auto *layout = new QVBoxLayout(window);
    auto *label = new QLabel(OrmelText(kTextWaiting), window);
    label->setObjectName(QStringLiteral("dmsWaitText"));
    auto *bar = new QProgressBar(window);
    bar->setRange(0, 0);
    bar->setTextVisible(false);
    auto *button = new QPushButton(OrmelText(kTextCancel), window);
    button->setObjectName(QStringLiteral("dmsWaitCancel"));
    layout->addWidget(label);
    layout->addWidget(bar);
    layout->addWidget(button, 0, Qt::AlignHCenter);
    connect(button, &QPushButton::clicked, this, &CDmsWaitWindow::Cancel);
    connect(window, &QDialog::rejected, this, &CDmsWaitWindow::Cancel);
    m_window = window;
    m_cancelButton = button;
    // Over the window an arrow that still says "busy": the button can be
    // hit.
    QApplication::changeOverrideCursor(Qt::BusyCursor);
    window->adjustSize();
    if (parent) {
        const QRect area = parent->frameGeometry();
        window->move(area.center() - window->rect().center());
    }
    window->show();
    window->raise();
    window->activateWindow();
}

void CDmsWaitWindow::Cancel()
{
    if (m_cancelButton)
        m_cancelButton->setEnabled(false);
    if (!m_cancel)
        return;
    auto cancel = std::move(m_cancel);
    m_cancel = nullptr;
    cancel();
}

bool CDmsWaitWindow::IsOfWindow(QObject *object) const
{
    QWidget *modal = QApplication::activeModalWidget();
    if (modal == m_modalAtBegin)
        modal = nullptr;
    for (QWidget *open : {static_cast<QWidget *>(m_window.data()), modal}) {
        if (!open)
            continue;
        if (object->isWidgetType() && static_cast<QWidget *>(object)->window() == open)
            return true;
        if (object->isWindowType() && object == open->windowHandle())
            return true;
    }
    return false;
}

void CDmsWaitWindow::StopFiltering()
{
    if (!m_filtering || m_depth > 0)
        return;
    m_tailTimer.stop();
    qApp->removeEventFilter(this);
    m_filtering = false;
}

bool CDmsWaitWindow::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (m_depth == 0) {
        // After the wait only the rest of a double click is dropped.
        return IsClick(type);
    }
    if (type == QEvent::Close && watched->isWidgetType()) {
        // Windows and dialogs only: a tool tip or a menu closing is no
        // word of the adviser's.
        auto *widget = static_cast<QWidget *>(watched);
        const Qt::WindowType kind = widget->windowType();
        if (widget->isWindow() && !IsOfWindow(widget) &&
            (kind == Qt::Window || kind == Qt::Dialog)) {
            // The adviser closed a window: the request is given up, and the
            // window closes once it is back.
            event->ignore();
            if (!m_closing.contains(widget))
                m_closing << widget;
            Cancel();
            return true;
        }
    }
    if (!IsAdviserInput(type) || IsOfWindow(watched))
        return false;
    if (type == QEvent::ShortcutOverride)
        event->accept(); // no shortcut of the pages fires either
    return true;
}
