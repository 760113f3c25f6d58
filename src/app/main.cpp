#include "app/Yaq2App.h"
#include "basket/model/BasketListDocument.h"
#include "platform/ClipboardHolder.h"
#include "platform/DialogFocusReturn.h"
#include "platform/DialogTitleFit.h"
#include "platform/HeldReturnFilter.h"
#include "platform/WindowlessPlatform.h"
#include "settings/CmdLine.h"

#include <QApplication>
#include <QFileInfo>

#include <cstring>

namespace {

// In the caller modes without a window the program picks the platform
// itself, before Qt does: X11 where an X display is reachable, else none
// (WindowlessPlatform.h). Returns whether an X display was reachable.
bool ChooseWindowlessPlatform(int argc, char *argv[])
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    CCmdLine cmdLine;
    cmdLine.ParseArguments(arguments);
    if (!CYaq2App::IsWindowlessMode(cmdLine.m_strMode))
        return false;
    const bool reachable = XDisplayReachable();
    qputenv("QT_QPA_PLATFORM", WindowlessPlatform(qgetenv("QT_QPA_PLATFORM"), reachable));
    return reachable;
}

} // namespace

int main(int argc, char *argv[])
{
    // The process that keeps the program's answer on the clipboard after
    // the program has ended.
    if (argc == 2 && std::strcmp(argv[1], kClipboardHolderSwitch) == 0)
        return RunClipboardHolder(argc, argv);

    const bool xDisplayReachable = ChooseWindowlessPlatform(argc, argv);
    QApplication application(argc, argv);
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
        return app.AnswerNotKept(xDisplayReachable);
    case ClipboardHandOver::NotNeeded:
    case ClipboardHandOver::HandedOver:
        break;
    }
    return exitCode;
}
