#include "platform/DialogTitleFit.h"

#include <QApplication>
#include <QDialog>
#include <QEvent>
#include <QFontMetrics>
#include <QMessageBox>

namespace {
// The window manager's icon, the close, maximise and minimise buttons and
// the margins around the title.
constexpr int kTitleBarRoom = 120;
} // namespace

CDialogTitleFit::CDialogTitleFit(QObject *parent) : QObject(parent)
{
}

int CDialogTitleFit::TitleWidth(const QString &title)
{
    if (title.isEmpty())
        return 0;
    // Qt's own guess of the title bar's font; title bars often set it bold.
    QFont font = QApplication::font("QMdiSubWindowTitleBar");
    font.setBold(true);
    return QFontMetrics(font).horizontalAdvance(title) + kTitleBarRoom;
}

void CDialogTitleFit::Fit(QWidget *dialog)
{
    if (!dialog || !dialog->isWindow() || !qobject_cast<QDialog *>(dialog) ||
        qobject_cast<QMessageBox *>(dialog))
        return;
    const int width = TitleWidth(dialog->windowTitle());
    if (dialog->minimumWidth() >= width || dialog->maximumWidth() < width)
        return;
    dialog->setMinimumWidth(width);
}

bool CDialogTitleFit::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if ((type == QEvent::Show || type == QEvent::WindowTitleChange) && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (type == QEvent::Show || widget->isVisible())
            Fit(widget);
    }
    return QObject::eventFilter(watched, event);
}
