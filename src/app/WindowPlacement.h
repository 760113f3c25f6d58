#pragma once
// Where the main window stands: placed at the start from the kept
// rectangle (when it still fits a screen), else centred or at the caller's
// position, and kept in the settings at the end and before a sibling
// program takes over.

#include <QSize>

class CPrgSettings;
class QWidget;

class CWindowPlacement
{
public:
    CWindowPlacement(QWidget *window, CPrgSettings *settings);

    // The window's design size: its first size and its smallest size.
    static QSize MinimumSize();
    // Gives the window its smallest size; from now on the placement is kept.
    void Begin();
    // Places the window; callerX/callerY (both >= 0) place a new window.
    void Apply(int callerX, int callerY);
    // Keeps the placement of a placed window in the settings.
    void Save();

private:
    QWidget *m_pWindow;
    CPrgSettings *m_pSettings;
    bool m_bPlaced = false;
};
