#include "app/Yaq2App.h"
#include "platform/DialogTitleFit.h"

#include <QApplication>
#include <QFileInfo>

int main(int argc, char *argv[])
{
    QApplication application(argc, argv);
    // The profile is kept under the program's file name.
    QApplication::setApplicationName(
        QFileInfo(QApplication::applicationFilePath()).completeBaseName());
    QApplication::setOrganizationName(QStringLiteral("ORMEL AG"));
    CDialogTitleFit titleFit;
    application.installEventFilter(&titleFit);

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    CYaq2App app(arguments);
    app.InitInstance();
    return app.ExitInstance();
}
