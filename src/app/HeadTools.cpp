#include "app/HeadTools.h"

#include "app/HelpFile.h"
#include "app/SiblingProgram.h"
#include "app/Utilities.h"
#include "common/ChildProgram.h"
#include "common/OpenUrl.h"
#include "common/OwnSound.h"
#include "common/WaitCursor.h"
#include "platform/AppPaths.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "settings/PrgSettings.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QUrl>
#include <QWidget>
#include <QWindow>

namespace {
bool IsUserInput(const QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ShortcutOverride:
    case QEvent::Close:
        return true;
    default:
        return false;
    }
}
} // namespace

CHeadTools::CHeadTools(IHeadToolsHost &host, CPrgSettings *settings)
    : m_host(host), m_pSettings(settings)
{
}

CHeadTools::~CHeadTools()
{
    if (m_pSibling)
        qApp->removeEventFilter(this);
}

// ---------------------------------------------------------------------------
// Help

void CHeadTools::OpenHelp(int context)
{
    if (!m_host.PreparePageSwitch())
        return;
    ShowHelpPage(context);
}

void CHeadTools::ShowHelpPage(int context)
{
    const QString fileName = GetHelpFileName(context);
    const QString path = CHelpFile::Path(GetAppDirectory(), GetPrgSprache(), fileName);
    const QString shown = QDir::toNativeSeparators(path);
    // A page that is not there (nor in the fallback language), or cannot be
    // read, would leave the browser with nothing to show.
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable()) {
        OwnMsgBox(OrmelText(CHelpFile::kFileMissingText) + QLatin1Char('\n') + shown,
                  m_host.Window(), kMsgBoxTitle, MSG_ALIGN_NOTICE);
        return;
    }
    // Without a browser the button would seem to do nothing.
    OpenWithDesktop(QUrl::fromLocalFile(file.absoluteFilePath()), this, [this, shown](bool opened) {
        if (!opened)
            OwnMsgBox(OrmelTextArgs(CHelpFile::kNoBrowserText, {shown}), m_host.Window(),
                      kMsgBoxTitle, MSG_ALIGN_NOTICE);
    });
}

void CHeadTools::Help()
{
    PlaySoundSelected(m_pSettings);
    if (m_host.CurrentPage() == CHelpFile::kContactContext)
        return;
    OpenHelp(m_host.CurrentPage());
}

void CHeadTools::HelpIndex()
{
    PlaySoundSelected(m_pSettings);
    OpenHelp(CHelpFile::kIndexContext);
}

// ---------------------------------------------------------------------------
// Sibling programs

bool CHeadTools::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_pBoxOnWindow && event->type() == QEvent::Hide) {
        m_pBoxOnWindow->removeEventFilter(this);
        m_pBoxOnWindow = nullptr;
        // Once the box is gone from the screen.
        QTimer::singleShot(0, this, [this] { BringWindowBack(); });
    }
    // Installed on the application while a sibling program runs. A click is
    // dropped where it reaches the window, before the widget under it takes
    // the keyboard focus for it.
    if (m_pSibling && IsUserInput(event) && event->type() != QEvent::Close &&
        watched->isWindowType() && watched == m_host.Window()->windowHandle())
        return true;
    if (m_pSibling && IsUserInput(event) && watched->isWidgetType()) {
        auto *widget = static_cast<QWidget *>(watched);
        if (widget == m_host.Window() || m_host.Window()->isAncestorOf(widget)) {
            // A close that is only dropped would still close the window.
            if (event->type() == QEvent::Close)
                event->ignore();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

bool CHeadTools::RunSiblingProgram(const QString &program, const QStringList &arguments,
                                   const QStringList &shownArguments, bool minimise)
{
    if (m_pSibling)
        return false;
    auto *process = new CChildProgram(this);
    if (!process->Start(program, arguments)) {
        const QString reason =
            CSiblingProgram::FailureReason(process->LastFailure(), process->SystemReason());
        delete process;
        OwnMsgBox(CSiblingProgram::StartFailedMessage(program, shownArguments, reason),
                  m_host.Window(), kMsgBoxTitle, MSG_ALIGN_NOTICE);
        return false;
    }
    // The window steps aside while the program runs, but keeps serving the
    // DMS listener: nothing here waits for the process.
    m_pSibling = process;
    m_pWait = std::make_unique<CWaitCursor>();
    m_bWasMaximised = m_host.Window()->isMaximized();
    qApp->installEventFilter(this);
    if (minimise)
        m_host.Window()->showMinimized();
    connect(process, &CChildProgram::finished, this, [this, process, minimise] {
        m_pSibling = nullptr;
        m_pWait.reset();
        process->deleteLater();
        qApp->removeEventFilter(this);
        if (!minimise) {
            m_host.Window()->activateWindow();
            return;
        }
        BringWindowBack();
        // A box open on the window now (a DMS push asks something): the
        // window comes back again when it closes, whatever became of it.
        QWidget *box = QApplication::activeModalWidget();
        if (box && box != m_host.Window() && !m_pBoxOnWindow) {
            m_pBoxOnWindow = box;
            box->installEventFilter(this);
        }
    });
    return true;
}

void CHeadTools::BringWindowBack()
{
    QWidget *window = m_host.Window();
    if (m_bWasMaximised)
        window->showMaximized();
    else
        window->showNormal();
    window->raise();
    window->activateWindow();
}

void CHeadTools::DmsDownload()
{
    PlaySoundSelected(m_pSettings);
    const QString program = CSiblingProgram::DmsDownloadPath(GetAppDirectory());
    RunSiblingProgram(program, CSiblingProgram::DmsDownloadArguments(GetPrgSprache()), {}, false);
}

void CHeadTools::StartTwoWheeler()
{
    PlaySoundSelected(m_pSettings);
    if (!m_host.PreparePageSwitch())
        return;
    const QString program = CSiblingProgram::TwoWheelerPath(GetAppDirectory());
    const QString language = GetPrgSprache();
    const QString continueIn = CSiblingProgram::LanguageAfterTwoWheeler(language);
    if (continueIn != language) {
        SetPrgSprache(continueIn);
        m_host.ReloadModelNames();
    }
    m_host.SaveWindowPlacement();
    const QStringList arguments = CSiblingProgram::TwoWheelerArguments(*m_pSettings, language);
    RunSiblingProgram(program, arguments, arguments, true);
}
