#include "app/Yaq2App.h"
#include "basket/model/BasketListDocument.h"
#include "platform/ClipboardHolder.h"
#include "platform/DialogFocusReturn.h"
#include "platform/DialogTitleFit.h"
#include "platform/HeldReturnFilter.h"
#include "platform/QtNotices.h"
#include "platform/WindowlessPlatform.h"
#include "settings/CmdLine.h"

#include <QApplication>
#include <QFileInfo>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cstring>
#include <memory>
#include <vector>

namespace {

// In the caller modes the program picks the platform itself, before Qt
// does: X11 where an X display is reachable (WindowlessPlatform.h). The
// platform argument is taken into the choice and out of the arguments.
struct CCallerPlatform
{
    bool xDisplayReachable = false;
    // The display's connection of that probe, held until Qt has connected.
    std::unique_ptr<CXDisplayHold> xDisplay;
    // What named a platform the run kept: "-platform" or "QT_QPA_PLATFORM".
    QString namedBy = QStringLiteral("QT_QPA_PLATFORM");
    // Whether a caller mode with a window can show it (one without a window
    // run), and on what platform.
    CallerWindow window = CallerWindow::Shown;
    bool windowless = false;
    QString platform;
    // The platform of a reachable display that is not installed: what
    // called for it, where Qt looked.
    CMissingPlatform missing;
};

CCallerPlatform ChooseCallerPlatform(int *argc, char *argv[])
{
    CCallerPlatform result;
    // The program's own switches, as the application object will read them
    // once Qt has taken its own.
    std::vector<char *> stripped(argv, argv + *argc + 1);
    int strippedCount = *argc;
    QByteArray platformArgument;
    const bool platformGiven =
        TakePlatformArgument(&strippedCount, stripped.data(), &platformArgument);
    QStringList arguments;
    for (int i = 1; i < strippedCount; ++i)
        arguments << QString::fromLocal8Bit(stripped[i]);
    CCmdLine cmdLine;
    cmdLine.ParseArguments(arguments);
    // Elsewhere Qt reads the platform argument itself.
    if (!CYaq2App::IsCallerMode(cmdLine.m_strMode))
        return result;

    // Qt reads a qt.conf beside the program, which may name its plugins
    // elsewhere, only once an application object is made: the plugins are
    // looked for under one, made for that alone.
    int probeArgc = 1;
    char *probeArgv[] = {argv[0], nullptr};
    const QCoreApplication probe(probeArgc, probeArgv);
    result.xDisplay = std::make_unique<CXDisplayHold>();
    result.xDisplayReachable = result.xDisplay->Reachable();
    const bool windowless = CYaq2App::IsWindowlessMode(cmdLine.m_strMode);
    result.windowless = windowless;
    // Only a window goes to a Wayland display.
    const bool waylandDisplayReachable = !windowless && WaylandDisplayReachable();
    const QByteArray requested = platformGiven ? platformArgument : qgetenv("QT_QPA_PLATFORM");
    const CCallerModePlatform choice =
        ChooseCallerModePlatform(requested, result.xDisplayReachable, waylandDisplayReachable,
                                 windowless, PlatformPluginInstalled);
    if (platformGiven && choice.named)
        result.namedBy = QStringLiteral("-platform");
    result.window = choice.window;
    result.platform = QString::fromLocal8Bit(choice.name);
    if (!choice.missing.isEmpty()) {
        result.missing.name = QString::fromLocal8Bit(choice.missing);
        result.missing.calledFor =
            PlatformCalledFor(choice.missing, platformGiven ? QStringLiteral("-platform")
                                                            : QStringLiteral("QT_QPA_PLATFORM"));
        result.missing.searched = PlatformPluginFolders().join(QStringLiteral(", "));
    }
    // The choice is handed to Qt in QT_QPA_PLATFORM, the argument no longer
    // overriding it.
    if (!choice.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.platform);
    std::copy(stripped.begin(), stripped.begin() + strippedCount + 1, argv);
    *argc = strippedCount;
    return result;
}

} // namespace

int main(int argc, char *argv[])
{
    DropQtNotices();
#ifdef __GLIBC__
    // The one choice of the C library's allocator, for the whole process:
    // blocks of 128 KiB and more are mapped from the system and go back to
    // it when let go. Left to itself, the library raises that size to the
    // largest block freed, and then serves the request bodies of the DMS
    // listener (up to 1 MiB each) from its heap, where what a flood of them
    // leaves scattered stays with the program: its memory would grow past
    // what the listener holds (HttpListener::heldBytesBound()). The price
    // is paid by every large block of the program, also without a
    // listener: opening a dealer price file of 50,000 to 200,000 records
    // takes 10-23 % longer.
    mallopt(M_MMAP_THRESHOLD, 128 * 1024);
#endif
    // The process that keeps the program's answer on the clipboard after
    // the program has ended.
    if (argc == 2 && std::strcmp(argv[1], kClipboardHolderSwitch) == 0)
        return RunClipboardHolder(argc, argv);

    CCallerPlatform platform = ChooseCallerPlatform(&argc, argv);
    // The caller hears at once, before Qt could end the program or a window
    // no one sees waits for a click.
    if (platform.window != CallerWindow::Shown) {
        QCoreApplication application(argc, argv);
        return CYaq2App::TellWindowCannotShow(platform.window, platform.platform, platform.namedBy,
                                              platform.missing, platform.windowless);
    }
    QApplication application(argc, argv);
    platform.xDisplay.reset();
    // The profile is kept under the program's file name.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    QApplication::setOrganizationName(QStringLiteral("ORMEL AG"));
    CDialogTitleFit titleFit;
    application.installEventFilter(&titleFit);
    CDialogFocusReturn focusReturn;
    application.installEventFilter(&focusReturn);
    CHeldReturnFilter heldReturn;
    application.installEventFilter(&heldReturn);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CYaq2App app(arguments);
    app.InitInstance();
    const int exitCode = app.ExitInstance();
    // The Basket-List the caller reads once the program has ended.
    switch (HandClipboardToHolder(kBasketListFormat, ClipboardHoldSeconds(*app.Profile()))) {
    case ClipboardHandOver::Failed:
        return app.AnswerNotHandedOver();
    case ClipboardHandOver::NotKept:
        return app.AnswerNotKept(platform.xDisplayReachable, platform.namedBy, platform.missing);
    case ClipboardHandOver::NotNeeded:
    case ClipboardHandOver::HandedOver:
        break;
    }
    return exitCode;
}
