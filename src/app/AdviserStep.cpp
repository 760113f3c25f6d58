#include "app/AdviserStep.h"

#include "platform/db/CatalogueFailure.h"
#include "platform/db/ServerWait.h"

#include <QApplication>
#include <QEvent>
#include <QMessageBox>
#include <QTimer>
#include <QWidget>

namespace {
// The wait cursor from the step's first wait on the catalogue server until
// the window takes input again.
void ShowWaiting()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QTimer::singleShot(0, qApp, [] { QApplication::restoreOverrideCursor(); });
}
} // namespace

CAdviserStep::CAdviserStep(QWidget *window) : m_pWindow(window)
{
    QCoreApplication::instance()->installEventFilter(this);
    CServerWait::SetWaitShown(&ShowWaiting);
    CatalogueFailure::SetOncePerStep(true);
}

CAdviserStep::~CAdviserStep()
{
    CServerWait::SetWaitShown(nullptr);
    CatalogueFailure::SetOncePerStep(false);
    QCoreApplication::instance()->removeEventFilter(this);
}

bool CAdviserStep::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::KeyPress:
        if (!watched->isWidgetType())
            break;
        if (QWidget *window = static_cast<QWidget *>(watched)->window(); window == m_pWindow)
            CServerWait::BeginStep();
        else if (!qobject_cast<QMessageBox *>(window))
            // An action in a dialog the step opened tells its own failure;
            // the answer to a message box belongs to the step.
            CatalogueFailure::NewStep();
        break;
    default:
        break;
    }
    return false;
}
