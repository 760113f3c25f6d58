#pragma once
// The application object: runs the start-up sequence, shows the main window
// and on exit undoes what a caller mode or the training edition forced and
// writes the settings back.

#include "app/MainWndArgs.h"
#include "app/ModelMapping.h"
#include "platform/PrgLanguage.h"
#include "platform/SoapSvr.h"
#include "platform/WindowlessPlatform.h" // CallerWindow
#include "settings/CmdLine.h"
#include "settings/PrgSettings.h"

#include <QStringList>
#include <functional>
#include <memory>

class CProfile;

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
    // The exit status of a run that could not do what it was asked: the
    // settings mode's command line ends with a switch that lacks its value,
    // or the version file could not be read (the run then writes nothing at
    // its end); a caller mode with a window that cannot show it; in every
    // caller mode an answer on the clipboard that does not outlive the
    // program; in the modes without a window also no version file for
    // the package request, no answer put on the clipboard, the named
    // setting, the profile or the dealer file not written. A run that did it
    // ends with 0.
    static constexpr int kExitNotDone = 1;

    // The shut-down sequence; runs after every InitInstance. Returns the
    // program's exit status: 0, or kExitNotDone.
    int ExitInstance();
    // After the end: the answer on the clipboard could not be handed to the
    // process that keeps it for the caller. The exit status then.
    int AnswerNotHandedOver();
    // After the end: the answer on the clipboard is lost with this process,
    // as no X11 session keeps it (none reachable, or another platform the
    // starter named, by `platformNamedBy`). The adviser hears so in a box,
    // the caller of a mode without a window on standard error; the exit
    // status then.
    // Where X11's platform is not installed (`x11Missing` named), that is
    // the reason.
    int AnswerNotKept(bool xDisplayReachable, const QString &platformNamedBy,
                      const CMissingPlatform &x11Missing);
    // Before any window: a caller mode with a window cannot show it (no
    // display reachable, a platform that shows none, named by
    // `platformNamedBy`, or no platform it could show it on installed:
    // `missing`), or a mode without a window (`windowless`) has no platform
    // to run on. Tells the caller so on standard error, in the program's
    // texts, and returns the exit status; nothing is read or written. Needs
    // the core application object only.
    static int TellWindowCannotShow(CallerWindow why, const QString &platform,
                                    const QString &platformNamedBy, const CMissingPlatform &missing,
                                    bool windowless);
    // The caller modes (switch "m") that show no window at all.
    static bool IsWindowlessMode(const QString &mode);
    // The modes (switch "m") of a calling program, with a window or without.
    static bool IsCallerMode(const QString &mode);
    void ReadOssParameters(const QString &fileName);

    // Runs the main window; tests replace it to run the sequence without one.
    using MainWindowRunner = std::function<void(CYaq2App &, const CMainWndArgs &)>;
    void SetMainWindowRunner(MainWindowRunner runner) { m_runMainWindow = std::move(runner); }

    CProfile *Profile() const { return m_pProfile.get(); }
    CPrgSettings &Settings() { return m_Settings; }
    // The connection values of the command line or the session file.
    const CConnectValues &Connection() const { return m_connection; }
    const CModelMapping &ModelMapping() const { return m_ModelMapping; }

private:
    // What the main window borrows of the application.
    CMainWndEnv MainWndEnv();
    // The caller modes that show no window at all.
    bool IsWindowlessMode() const;
    void TellListenerOff();
    // The package request left no answer on the clipboard: the caller hears
    // so on standard error, and the run ends with kExitNotDone.
    void TellNoAnswer();
    // The caller's answer is gone at the end: told before the program ends,
    // on standard error where no one sees a window; the run ends with
    // kExitNotDone.
    void TellAnswerLost(const QString &text);
    // The modes whose answer the caller reads from the clipboard.
    bool AnswersOnClipboard() const;
    void ForceTrainingValues();
    void RestoreForcedValues();
    bool IsCallerModeForcingReceive() const;

    CPrgSettings m_Settings;
    ISoapSvr m_Listener;
    QString m_strClipboardFormat; // "YAQ_BASKET_DATA"
    CConnectValues m_connection;
    CCmdLine m_CmdLine;
    // Model designations of the head row by catalogue code.
    CModelMapping m_ModelMapping;
    // Qt's standard buttons and dialogs in the language of the texts.
    CQtTranslations m_QtTranslations;

    std::unique_ptr<CProfile> m_pProfile;
    MainWindowRunner m_runMainWindow;
    QStringList m_arguments;
    // The exit writes the dealer file, the profile and the settings mode's
    // setting: the settings were read and the start-up did not end at an
    // unreadable version file.
    bool m_bWriteAtExit = false;
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
