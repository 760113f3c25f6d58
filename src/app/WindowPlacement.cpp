#include "app/WindowPlacement.h"

#include "platform/Profile.h"
#include "settings/PrgSettings.h"

#include <QScreen>
#include <QWidget>

namespace {
// As in the original layout of the head row and the button column.
constexpr int kMinWidth = 1100;
constexpr int kMinHeight = 680;
} // namespace

CWindowPlacement::CWindowPlacement(QWidget *window, CPrgSettings *settings)
    : m_pWindow(window), m_pSettings(settings)
{
}

QSize CWindowPlacement::MinimumSize()
{
    return QSize(kMinWidth, kMinHeight);
}

void CWindowPlacement::Begin()
{
    m_bPlaced = true;
    m_pWindow->setMinimumSize(MinimumSize());
}

void CWindowPlacement::Apply(int callerX, int callerY)
{
    QRect rect = m_pSettings->YAQ2DlgPosRect;
    if (!rect.isEmpty())
        ValidateWndRect(&rect);
    if (!rect.isEmpty()) {
        m_pWindow->setGeometry(rect);
        return;
    }
    QSize size = MinimumSize();
    QPoint pos;
    if (const QScreen *screen = m_pWindow->screen()) {
        const QRect available = screen->availableGeometry();
        size = size.boundedTo(available.size()).expandedTo(MinimumSize());
        pos = available.center() - QPoint(size.width() / 2, size.height() / 2);
    }
    if (callerX >= 0 && callerY >= 0)
        pos = QPoint(callerX, callerY);
    m_pWindow->resize(size);
    m_pWindow->move(pos);
}

void CWindowPlacement::Save()
{
    // Only a window that was placed has a placement worth keeping.
    if (!m_bPlaced)
        return;
    QWidget &w = *m_pWindow;
    if (w.isMinimized()) {
        m_pSettings->bYAQ2DlgIsZoomed = w.isMaximized() ? 1 : 0;
        return;
    }
    m_pSettings->YAQ2DlgPosRect = w.isMaximized() ? w.normalGeometry() : w.geometry();
    m_pSettings->bYAQ2DlgIsZoomed = w.isMaximized() ? 1 : 0;
}
