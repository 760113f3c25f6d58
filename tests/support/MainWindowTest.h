#pragma once
// Base of the test programs that drive the main window on a copy of the demo
// data: a private program folder, the German texts, message boxes answered
// with OK, and the window started without its modal loop.

#include "app/Yaq2Dlg.h"
#include "settings/PrgSettings.h"
#include "support/TestEnv.h"

#include <QObject>
#include <memory>

class MainWindowTest : public QObject
{
protected:
    // Call from init(): a fresh demo program and settings.
    void setUpDemo();
    // Call from cleanup(): the window first, then the settings and folder.
    void tearDownDemo();
    // Constructs the window on the settings and runs its start.
    void startWindow();

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<CPrgSettings> m_settings;
    std::unique_ptr<CYaq2Dlg> m_dlg;
};
