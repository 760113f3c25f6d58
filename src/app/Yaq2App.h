#pragma once
// The application object: runs the start-up sequence, shows the main window
// and on exit undoes what a caller mode or the training edition forced and
// writes the settings back.

#include "app/ModelMapping.h"
#include "platform/PrgLanguage.h"
#include "platform/SoapSvr.h"
#include "settings/CmdLine.h"
#include "settings/PrgSettings.h"

#include <QStringList>
#include <functional>
#include <memory>

class CProfile;

// What the start-up hands to the main window.
struct CMainWndArgs
{
    int x = -1;
    int y = -1;
    QString paketNr;     // mode "qvledit": a 13-character package number
    QString apNr;        // modes "qvlapossearch", "qvlaposquery": a 7-character AP number
    QString awToSrpList; // mode "qvlawtosrp": ";"-separated numbers
    QString awToSrpVin;  // mode "qvlawtosrp": the VIN as the caller gave it
};

class CYaq2App
{
public:
    // The arguments are the program's command-line parameters without the
    // program name. The profile is opened under the application name of the
    // running program.
    explicit CYaq2App(const QStringList &arguments);
    ~CYaq2App();
    CYaq2App(const CYaq2App &) = delete;
    CYaq2App &operator=(const CYaq2App &) = delete;

    // The one application object of the running program (null outside a run).
    static CYaq2App *Instance();

    // The start-up sequence; shows the main window unless the caller mode is
    // "qvlsettings". Always returns false: the program ends afterwards.
    bool InitInstance();
    // The shut-down sequence; runs after every InitInstance. Returns the
    // program's exit code: 0, or 1 when the start-up could not read a file
    // it needs.
    int ExitInstance();
    void ReadOssParameters(const QString &fileName);

    // Runs the main window; tests replace it to run the sequence without one.
    using MainWindowRunner = std::function<void(CYaq2App &, const CMainWndArgs &)>;
    void SetMainWindowRunner(MainWindowRunner runner) { m_runMainWindow = std::move(runner); }

    CProfile *Profile() const { return m_pProfile.get(); }

    CPrgSettings m_Settings;
    ISoapSvr m_Listener;
    QString m_strClipboardFormat; // "YAQ_BASKET_DATA"
    QString m_strTNS;
    QString m_strUID;
    QString m_strPWD;
    QString m_strSessionId;
    QString m_strAppServer;
    QString m_strAppServerAddress;
    CCmdLine m_CmdLine;
    // Model designations of the head row by catalogue code.
    CModelMapping m_ModelMapping;
    // Qt's standard buttons and dialogs in the language of the texts.
    CQtTranslations m_QtTranslations;

private:
    // The caller modes that show no window at all.
    bool IsWindowlessMode() const;
    void TellListenerOff();
    void ForceTrainingValues();
    void RestoreForcedValues();
    bool IsCallerModeForcingReceive() const;

    std::unique_ptr<CProfile> m_pProfile;
    MainWindowRunner m_runMainWindow;
    QStringList m_arguments;
    bool m_bSettingsRead = false;
    int m_nExitCode = 0;
    bool m_bReceiveSaved = false;
    int m_nSavedReceive = 0;
    int m_nSavedReq = 0;
    int m_nSavedSend = 0;
    int m_nSavedSendDateiFormat = 0;
    int m_nSavedSendDatei = 0;
    int m_nSavedXMLx = 0;
    int m_nSavedReceiveXMLx = 0;
    QString m_strSavedReqDateiVerz;
    QString m_strSavedDealerDataStorage;
};
