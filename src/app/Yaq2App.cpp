#include "app/Yaq2App.h"

#include "app/StartFlow.h"
#include "app/Yaq2Dlg.h"
#include "basket/model/BasketListDocument.h"
#include "common/readers/CatalogueCache.h"
#include "platform/AppPaths.h"
#include "platform/ClipboardHolder.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/Profile.h"
#include "platform/WindowlessPlatform.h"
#include "settings/DmsHeader.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

namespace {
CYaq2App *g_app = nullptr;

// Values the training edition forces for its run.
constexpr int kTrainingReq = 3;
constexpr int kTrainingSend = 3;
constexpr int kTrainingSendDateiFormat = 6;
constexpr int kTrainingSendDatei = 5;
constexpr int kTrainingReceive = 4;
constexpr int kTrainingXMLx = 1;
constexpr int kTrainingReceiveXMLx = 1;

// "The file ... cannot be read: <reason>" of the string table.
constexpr int kUnreadableFileText = 7092;
// "The file ... is missing. The program ends."
constexpr int kMissingFileText = 7173;
// "The answer to the calling program could not be put on the clipboard."
constexpr int kNoAnswerText = 7174;
// "The answer ... does not stay on the clipboard after the program's end:
// <reason>", and its reasons: no X display reachable; a platform that keeps
// it only while the program runs.
constexpr int kAnswerNotKeptText = 7178;
constexpr int kNoXDisplayText = 7179;
constexpr int kPlatformKeepsNothingText = 7180;
// "The program cannot show its window and ends: <reason>" (its reasons:
// WindowCannotShowReason).
constexpr int kNoWindowText = 7185;
// "The program cannot run without a Qt platform and ends: <reason>", of a
// mode without a window.
constexpr int kCannotRunText = 7208;
// "The switch ... takes a value, and none follows it."
constexpr int kSwitchWithoutValueText = 7183;
// "The address ... (ReceiveXMLAddress) is none of this computer's: <reason>".
constexpr int kListenerAddressText = 7192;
// "The port ... (ReceiveXMLPort) cannot be listened on: <reason>".
constexpr int kListenerPortText = 7193;

QString trainingFolder()
{
    return GetAppDirectory() + QStringLiteral("SRP_T_DATAS");
}
} // namespace

CYaq2App::CYaq2App(const QStringList &arguments)
    : m_pProfile(std::make_unique<CProfile>(QCoreApplication::applicationName())),
      m_arguments(arguments)
{
    g_app = this;
    m_runMainWindow = [](CYaq2App &app, const CMainWndArgs &args) {
        CYaq2Dlg dlg(&app.m_Settings, app.MainWndEnv());
        const int result = dlg.DoModal(args);
        // The package request's caller waits for the answer on the clipboard.
        if (app.m_Settings.bQvlAwToSrp && !OwnsClipboardWith(kBasketListFormat))
            app.TellNoAnswer();
        // The caller's work not done for a catalogue that could not be
        // read: told, and never to be taken for a package or position the
        // catalogue lacks.
        if (result == kEndCatalogueUnread)
            app.m_nExitCode = kExitNotDone;
    };
}

CYaq2App::~CYaq2App()
{
    if (g_app == this)
        g_app = nullptr;
    SetMsgBoxWindowless(false);
}

CYaq2App *CYaq2App::Instance()
{
    return g_app;
}

CMainWndEnv CYaq2App::MainWndEnv()
{
    return {m_connection, &m_Listener, &m_ModelMapping, &m_QtTranslations};
}

bool CYaq2App::IsCallerModeForcingReceive() const
{
    const CPrgSettings &s = m_Settings;
    return s.bQvl || s.bQvlEdit || s.bQvlAPosSearch || s.bQvlAPosQuery || s.bQvlAwToSrp;
}

bool CYaq2App::IsWindowlessMode() const
{
    return m_Settings.bQvlAwToSrp || m_Settings.bQvlSettings;
}

int CYaq2App::TellWindowCannotShow(CallerWindow why, const QString &platform,
                                   const QString &platformNamedBy, const CMissingPlatform &missing,
                                   bool windowless)
{
    InitOrmelText(GetAppDirectory() + QStringLiteral("Datas/Zirava/PrgTxt"));
    const QString reason = WindowCannotShowReason(why, platform, platformNamedBy, missing);
    SetMsgBoxWindowless(true);
    OwnMsgBox(
        OrmelTextArgs(windowless ? kCannotRunText : kNoWindowText, {reason}, QStringLiteral("%s")));
    SetMsgBoxWindowless(false);
    return kExitNotDone;
}

bool CYaq2App::IsWindowlessMode(const QString &mode)
{
    return mode == QLatin1String("qvlawtosrp") || mode == QLatin1String("qvlsettings");
}

bool CYaq2App::IsCallerMode(const QString &mode)
{
    return IsWindowlessMode(mode) || mode == QLatin1String("qvl") ||
           mode == QLatin1String("qvledit") || mode == QLatin1String("qvlapossearch") ||
           mode == QLatin1String("qvlaposquery");
}

bool CYaq2App::AnswersOnClipboard() const
{
    return IsCallerModeForcingReceive();
}

// A listener the settings ask for that does not listen leaves the user
// without the DMS's vehicles: the user hears so once, with the address or
// the port and the reason.
void CYaq2App::TellListenerOff()
{
    const CPrgSettings &s = m_Settings;
    if (s.SRPInterfaceReceive != SRP_INTERFACE_LISTENER)
        return;
    if (m_Listener.AddressRefused())
        OwnMsgBox(OrmelTextArgs(kListenerAddressText, {s.ReceiveXMLAddress, m_Listener.LastError()},
                                QStringLiteral("%s\n%s")));
    else
        OwnMsgBox(OrmelTextArgs(kListenerPortText,
                                {s.ReceiveXMLPort.trimmed(), m_Listener.LastError()},
                                QStringLiteral("%s\n%s")));
}

bool CYaq2App::InitInstance()
{
    CPrgSettings &s = m_Settings;

    // Data directory and profile.
    s.DataDir = GetAppDirectory() + QStringLiteral("Datas");
    m_CmdLine.ParseArguments(m_arguments);
    if (!m_CmdLine.m_strSwitchWithoutValue.isEmpty() &&
        m_CmdLine.m_strMode == QLatin1String("qvlsettings")) {
        // The settings mode's command lacks a value ("-w" last, "-s -w 0"): the run
        // does none of it and writes nothing, not even the profile it has
        // not read. Any other run goes on with that value empty.
        InitOrmelText(s.DataDir + QStringLiteral("/Zirava/PrgTxt"));
        SetMsgBoxWindowless(true);
        OwnMsgBox(OrmelTextArgs(kSwitchWithoutValueText, {m_CmdLine.m_strSwitchWithoutValue},
                                QStringLiteral("%s")));
        m_nExitCode = kExitNotDone;
        return false;
    }
    s.ReadIni(m_pProfile.get());
    m_bWriteAtExit = true;
    s.bKatalogansicht =
        m_pProfile->HasValue(QStringLiteral("YAQ"), QStringLiteral("Katalogansicht")) ? 1 : 0;

    // Connection or session.
    if (m_CmdLine.m_strSessionFile.isEmpty()) {
        m_connection.tns = m_CmdLine.m_strTNS;
        m_connection.uid = m_CmdLine.m_strUID;
        m_connection.pwd = m_CmdLine.m_strPWD;
        s.CountryCode = m_CmdLine.m_strCC;
    } else {
        ReadOssParameters(m_CmdLine.m_strSessionFile);
        s.bSession = 1;
    }

    const QString vin = m_CmdLine.m_strFgstnr.toUpper();
    if (vin.size() == 7 || vin.size() == 17)
        s.Fgstnr = vin;

    const QString language = m_CmdLine.m_strSprache;
    if (language.size() == 2 && s.FindSprache(language)) {
        if (language != GetPrgSprache())
            SetPrgSprache(language);
        if (GetPrgSprache() == QLatin1String("15")) {
            SetPrgSprache(QStringLiteral("01"));
            s.bIndonesisch = 1;
        } else if (GetPrgSprache() == QLatin1String("12")) {
            SetPrgSprache(QStringLiteral("13"));
            s.bIndonesisch = 0;
        }
    }

    if (!m_CmdLine.m_strStartPage.isEmpty())
        s.StartPage = m_CmdLine.m_strStartPage;

    const QString &mode = m_CmdLine.m_strMode;
    if (mode == QLatin1String("qvl"))
        s.bQvl = 1;
    else if (mode == QLatin1String("qvledit"))
        s.bQvlEdit = 1;
    else if (mode == QLatin1String("qvlapossearch"))
        s.bQvlAPosSearch = 1;
    else if (mode == QLatin1String("qvlaposquery"))
        s.bQvlAPosQuery = 1;
    else if (mode == QLatin1String("qvlsettings"))
        s.bQvlSettings = 1;
    else if (mode == QLatin1String("qvlawtosrp"))
        s.bQvlAwToSrp = 1;
    // The caller of these modes waits for the program without a window
    // ("qvlaposquery" shows none either): what the run has to tell goes to
    // standard error, never into a box.
    SetMsgBoxWindowless(IsWindowlessMode() || s.bQvlAPosQuery);

    if (!m_CmdLine.m_strKilometer.isEmpty())
        s.Kilometer = m_CmdLine.m_strKilometer;
    const QString firstRegistration = FirstRegistrationFromSwitch(m_CmdLine.m_strErstzulassung);
    if (!firstRegistration.isEmpty())
        s.Erstzulassung = firstRegistration;

    // The program texts first: a version file that cannot be read is told
    // in the program's words.
    InitOrmelText(s.DataDir + QStringLiteral("/Zirava/PrgTxt"));
    // The dialogs speak the language of the texts around them.
    m_QtTranslations.Load(GetPrgTextSprache());

    // Version data.
    QString unreadableVersionFile;
    QString versionFileError;
    const bool hasVersionFile = s.ReadVersionIni(&unreadableVersionFile, &versionFileError) != 0;
    if (s.bSchulung)
        s.KatDatum = QStringLiteral("SRP Training");

    m_strClipboardFormat = QStringLiteral("YAQ_BASKET_DATA");
    // The model-name mapping in the language of the program texts, which is
    // known only once the string tables are loaded; the catalogue view shows
    // the catalogue's own codes.
    m_ModelMapping.SetCatalogueView(s.bKatalogansicht);
    m_ModelMapping.Load(GetPrgTextSprache());
    CatalogueCache().SetModelCodeCheck([](const QString &code) {
        const CYaq2App *app = CYaq2App::Instance();
        return app && app->m_ModelMapping.HasCode(code);
    });
    s.PrgTitel = QStringLiteral("Y A Q 2 ");

    if (s.bSchulung) {
        m_strSavedDealerDataStorage = s.DealerDataStorage;
        s.DealerDataStorage = trainingFolder();
    }
    s.ReadTraderIni();
    s.GetTitle();

    if (IsCallerModeForcingReceive()) {
        m_nSavedReceive = s.SRPInterfaceReceive;
        m_bReceiveSaved = true;
        s.SRPInterfaceReceive = 0;
    }
    if (s.bSchulung)
        ForceTrainingValues();

    if (!ActivateSoapXMLInterface(s.ReceiveXMLAddress, s.SRPInterfaceReceive, s.ReceiveXMLPort,
                                  &m_Listener))
        TellListenerOff();

    if (!hasVersionFile) {
        // Without a version file the program ends quietly, as it always has,
        // but for the package request, whose caller waits for an answer; one
        // that is there but cannot be read is a fault the user must see, and
        // the program ends as the message says: the exit writes nothing, so
        // the settings mode's setting stays as it was too.
        if (!unreadableVersionFile.isEmpty()) {
            OwnMsgBox(OrmelTextArgs(kUnreadableFileText, {unreadableVersionFile, versionFileError},
                                    QStringLiteral("%s\n%s")));
            m_nExitCode = kExitNotDone;
            m_bWriteAtExit = false;
        } else if (s.bQvlAwToSrp) {
            OwnMsgBox(OrmelTextArgs(
                kMissingFileText,
                {QDir::toNativeSeparators(s.DataDir + QStringLiteral("/Version.ini"))},
                QStringLiteral("%s")));
            m_nExitCode = kExitNotDone;
        }
        return false;
    }

    s.Heute = QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy"));

    CMainWndArgs args;
    if (s.bQvl) {
        args.x = m_CmdLine.m_nX;
        args.y = m_CmdLine.m_nY;
    }
    if (s.bQvlEdit) {
        if (m_CmdLine.m_strPaketNr.size() == 13)
            args.paketNr = m_CmdLine.m_strPaketNr;
    } else if (s.bQvlAPosSearch || s.bQvlAPosQuery) {
        if (m_CmdLine.m_strAPNr.size() == 7)
            args.apNr = m_CmdLine.m_strAPNr;
    } else if (s.bQvlAwToSrp) {
        args.awToSrpList = m_CmdLine.m_strAPNr;
        // The request judges the VIN the caller sent, also one the
        // identification cannot take.
        args.awToSrpVin = m_CmdLine.m_strFgstnr;
    }

    UpdateDmsHeader(&s);

    if (!s.bQvlSettings && m_runMainWindow)
        m_runMainWindow(*this, args);
    return false;
}

void CYaq2App::ForceTrainingValues()
{
    CPrgSettings &s = m_Settings;
    m_nSavedReq = s.SRPInterfaceReq;
    m_nSavedSend = s.SRPInterfaceSend;
    m_nSavedSendDateiFormat = s.SRPInterfaceSendDateiFormat;
    m_nSavedSendDatei = s.SRPInterfaceSendDatei;
    if (!m_bReceiveSaved) {
        m_nSavedReceive = s.SRPInterfaceReceive;
        m_bReceiveSaved = true;
    }
    m_nSavedXMLx = s.XMLx;
    m_nSavedReceiveXMLx = s.ReceiveXMLx;
    m_strSavedReqDateiVerz = s.ReqDateiVerz;

    s.SRPInterfaceReq = kTrainingReq;
    s.SRPInterfaceSend = kTrainingSend;
    s.SRPInterfaceSendDateiFormat = kTrainingSendDateiFormat;
    s.SRPInterfaceSendDatei = kTrainingSendDatei;
    s.SRPInterfaceReceive = kTrainingReceive;
    s.XMLx = kTrainingXMLx;
    s.ReceiveXMLx = kTrainingReceiveXMLx;
    s.ReqDateiVerz = trainingFolder();
}

void CYaq2App::RestoreForcedValues()
{
    CPrgSettings &s = m_Settings;
    if (m_bReceiveSaved)
        s.SRPInterfaceReceive = m_nSavedReceive;
    if (s.bSchulung) {
        s.SRPInterfaceReq = m_nSavedReq;
        s.SRPInterfaceSend = m_nSavedSend;
        s.SRPInterfaceSendDateiFormat = m_nSavedSendDateiFormat;
        s.SRPInterfaceSendDatei = m_nSavedSendDatei;
        s.XMLx = m_nSavedXMLx;
        s.ReceiveXMLx = m_nSavedReceiveXMLx;
        s.ReqDateiVerz = m_strSavedReqDateiVerz;
    }
}

int CYaq2App::ExitInstance()
{
    if (m_Listener.HasInterface())
        m_Listener.StopListener();
    CatalogueCache().Clear();

    // Nothing is written over the stored profile and dealer file when the
    // start-up ended before the settings were read, or at a version file it
    // could not read.
    if (!m_bWriteAtExit)
        return m_nExitCode;

    CPrgSettings &s = m_Settings;
    RestoreForcedValues();
    // A dealer file or profile that could not be written stays as it was;
    // the user learns that this session's changes to it are lost, and why.
    // The caller of a mode without a window learns it from the status too.
    bool written = true;
    QString failure;
    if (!s.WriteTraderIni(s.DealerDataStorage, &failure) && !failure.isEmpty()) {
        OwnMsgBox(failure);
        written = false;
    }
    if (s.bSchulung)
        s.DealerDataStorage = m_strSavedDealerDataStorage;
    failure.clear();
    if (!s.WriteIni(m_pProfile.get(), &failure)) {
        OwnMsgBox(failure);
        written = false;
    } else if (s.bQvlSettings && !m_CmdLine.m_strSetting.isEmpty() &&
               !s.CheckKey(m_pProfile.get(), m_CmdLine.m_strSetting, m_CmdLine.m_strValue,
                           &failure)) {
        OwnMsgBox(failure);
        written = false;
    }
    if (!written && IsWindowlessMode())
        m_nExitCode = kExitNotDone;
    return m_nExitCode;
}

void CYaq2App::TellNoAnswer()
{
    OwnMsgBox(OrmelText(kNoAnswerText));
    m_nExitCode = kExitNotDone;
}

void CYaq2App::TellAnswerLost(const QString &text)
{
    // A box on a platform that shows no window would wait for a click no
    // one can make.
    if (PlatformShowsNoWindow(QGuiApplication::platformName()))
        SetMsgBoxWindowless(true);
    OwnMsgBox(text);
    m_nExitCode = kExitNotDone;
}

int CYaq2App::AnswerNotHandedOver()
{
    if (AnswersOnClipboard())
        TellAnswerLost(OrmelText(kNoAnswerText));
    return m_nExitCode;
}

int CYaq2App::AnswerNotKept(bool xDisplayReachable, const QString &platformNamedBy,
                            const CMissingPlatform &x11Missing)
{
    if (!AnswersOnClipboard())
        return m_nExitCode;
    // With the X display reachable the answer is lost only on a platform
    // other than X11's: one the starter named, or the one taken because
    // X11's is not installed.
    const QString reason =
        !xDisplayReachable
            ? OrmelTextArgs(kNoXDisplayText, {QString::fromLocal8Bit(qgetenv("DISPLAY"))},
                            QStringLiteral("DISPLAY \"%s\""))
        : x11Missing.name == QLatin1String("xcb")
            ? WindowCannotShowReason(CallerWindow::PlatformMissing, QString(), QString(),
                                     x11Missing)
            : OrmelTextArgs(kPlatformKeepsNothingText,
                            {QGuiApplication::platformName(), platformNamedBy},
                            QStringLiteral("%s (%s)"));
    TellAnswerLost(OrmelTextArgs(kAnswerNotKeptText, {reason}, QStringLiteral("%s")));
    return m_nExitCode;
}

void CYaq2App::ReadOssParameters(const QString &fileName)
{
    COssParameters values;
    QString unreadable;
    // The program runs on without the session values; why they are missing
    // goes to the start's log.
    if (!ReadOssParametersFile(fileName, &values, &unreadable) && !unreadable.isEmpty())
        qWarning("%s: %s", qPrintable(QDir::toNativeSeparators(fileName)), qPrintable(unreadable));
    if (values.hasSessionId)
        m_connection.sessionId = values.sessionId;
    if (values.hasApplicationServer)
        m_connection.appServer = values.applicationServer;
    if (values.hasApplicationServerAddress)
        m_connection.appServerAddress = values.applicationServerAddress;
    if (values.hasLanguage)
        m_CmdLine.m_strSprache = values.language;
}
