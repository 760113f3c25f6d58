#include "support/MainWindowTest.h"

#include "app/Yaq2App.h"
#include "platform/OrmelText.h"

#include <QtTest>

void MainWindowTest::setUpDemo()
{
    m_env = std::make_unique<TestEnv>();
    const QString prog = m_env->installDemoProgram();
    m_settings = std::make_unique<CPrgSettings>();
    m_settings->DataDir = prog + QStringLiteral("Datas");
    InitOrmelText(m_settings->DataDir + QStringLiteral("/Zirava/PrgTxt"));
    SetPrgSprache(QStringLiteral("00"));
    m_env->answerBoxes(IDOK);
}

void MainWindowTest::tearDownDemo()
{
    m_dlg.reset();
    m_settings.reset();
    SetMsgBoxResponder({});
    m_env.reset();
}

void MainWindowTest::startWindow()
{
    m_dlg = std::make_unique<CYaq2Dlg>(m_settings.get());
    QCOMPARE(m_dlg->OpenError(), QString());
    m_dlg->InitDialog(CMainWndArgs());
    QVERIFY(!m_dlg->IsEnded());
}
