#include "app/Yaq2App.h"
#include "basket/model/BasketListDocument.h"
#include "platform/ClipboardHolder.h"
#include "platform/DialogFocusReturn.h"
#include "platform/DialogTitleFit.h"

#include <QApplication>
#include <QFileInfo>

#include <cstring>

int main(int argc, char *argv[])
{
    // The process that keeps the program's answer on the clipboard after
    // the program has ended.
    if (argc == 2 && std::strcmp(argv[1], kClipboardHolderSwitch) == 0)
        return RunClipboardHolder(argc, argv);

    QApplication application(argc, argv);
    // The profile is kept under the program's file name.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    QApplication::setOrganizationName(QStringLiteral("ORMEL AG"));
    CDialogTitleFit titleFit;
    application.installEventFilter(&titleFit);
    CDialogFocusReturn focusReturn;
    application.installEventFilter(&focusReturn);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CYaq2App app(arguments);
    app.InitInstance();
    const int exitCode = app.ExitInstance();
    // The Basket-List the caller reads once the program has ended.
    if (HandClipboardToHolder(kBasketListFormat, ClipboardHoldSeconds(*app.Profile())) ==
        ClipboardHandOver::Failed)
        return app.AnswerNotHandedOver();
    return exitCode;
}
