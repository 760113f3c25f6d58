// A small program that shows the print engine at work on a test document:
// the preview, printing (to a printer or the PDF printer of the print
// dialog) and writing "YAQ2.pdf".

#include "TableDocument.h"
#include "common/EasyPrintDlg.h"
#include "platform/AppPaths.h"
#include "platform/MsgBox.h"
#include "platform/OrmelText.h"
#include "platform/PrgLanguage.h"
#include "platform/QtNotices.h"
#include "platform/WindowlessPlatform.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>
#include <cstring>
#include <memory>

namespace {

bool AsksForHelp(int argc, char *argv[])
{
    for (int i = 1; i < argc; ++i)
        if (!std::strcmp(argv[i], "--help") || !std::strcmp(argv[i], "-h"))
            return true;
    return false;
}

// The preview window, the print dialog and the PDF's fonts all need a
// display, and Qt ends a program whose platform cannot start with an abort.
// So the platform is chosen as for the program's windows started by a
// caller, before the application object: X11 where an X display is
// reachable, else Wayland where a Wayland display is; a platform named
// that runs without a display (offscreen, minimal) stays. Where none can
// start, says why on the error output and returns false. The display's
// probe connection is held in `xDisplay` until Qt has connected.
bool ChoosePlatform(int *argc, char *argv[], std::unique_ptr<CXDisplayHold> *xDisplay)
{
    QByteArray platformArgument;
    const bool platformGiven = TakePlatformArgument(argc, argv, &platformArgument);
    const QByteArray requested = platformGiven ? platformArgument : qgetenv("QT_QPA_PLATFORM");
    // Qt reads a qt.conf beside the program, which may name its plugins
    // elsewhere, only once an application object is made.
    int probeArgc = 1;
    char *probeArgv[] = {argv[0], nullptr};
    const QCoreApplication probe(probeArgc, probeArgv);
    *xDisplay = std::make_unique<CXDisplayHold>();
    const CCallerModePlatform choice =
        ChooseCallerModePlatform(requested, (*xDisplay)->Reachable(), WaylandDisplayReachable(),
                                 false, PlatformPluginInstalled);
    if (choice.window == CallerWindow::NoDisplay ||
        choice.window == CallerWindow::PlatformMissing) {
        const QString starter =
            platformGiven ? QStringLiteral("-platform") : QStringLiteral("QT_QPA_PLATFORM");
        CMissingPlatform missing;
        if (!choice.missing.isEmpty()) {
            missing.name = QString::fromLocal8Bit(choice.missing);
            missing.calledFor = PlatformCalledFor(choice.missing, starter);
            missing.searched = PlatformPluginFolders().join(QStringLiteral(", "));
        }
        InitOrmelText(GetAppDirectory() + QStringLiteral("Datas/Zirava/PrgTxt"));
        std::fprintf(stderr,
                     "yaq2-printdemo braucht eine Anzeige, auch mit --pdf: auf dem Desktop "
                     "starten, ohne Anzeige mit QT_QPA_PLATFORM=offscreen.\n%s\n",
                     qUtf8Printable(WindowCannotShowReason(
                         choice.window, QString::fromLocal8Bit(choice.name), starter, missing)));
        return false;
    }
    // The choice is handed to Qt in QT_QPA_PLATFORM, the argument no longer
    // overriding it.
    if (!choice.platform.isEmpty())
        qputenv("QT_QPA_PLATFORM", choice.platform);
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    DropQtNotices();
    std::unique_ptr<CXDisplayHold> xDisplay;
    if (AsksForHelp(argc, argv)) {
        // The help is text only.
        qputenv("QT_QPA_PLATFORM", "offscreen");
    } else if (!ChoosePlatform(&argc, argv, &xDisplay)) {
        return 1;
    }
    QApplication app(argc, argv);
    xDisplay.reset();
    QCoreApplication::setApplicationName(QStringLiteral("yaq2"));
    QCoreApplication::setOrganizationName(QStringLiteral("ORMEL AG"));

    QCommandLineParser parser;
    parser.addHelpOption();
    QCommandLineOption rowsOption(QStringLiteral("rows"),
                                  QStringLiteral("Rows of the test table (default 300)."),
                                  QStringLiteral("count"), QStringLiteral("300"));
    parser.addOption(rowsOption);
    QCommandLineOption pdfOption(QStringLiteral("pdf"),
                                 QStringLiteral("Write YAQ2.pdf, open it, and end."));
    parser.addOption(pdfOption);
    QCommandLineOption numbersOption(QStringLiteral("page-numbers"),
                                     QStringLiteral("Print the page numbers."));
    parser.addOption(numbersOption);
    parser.process(app);

    InitOrmelText(GetAppDirectory() + QStringLiteral("Datas/Zirava/PrgTxt"));
    // Qt's dialogs (the print dialog) speak the language of the texts, as in
    // the program.
    CQtTranslations qtTexts;
    qtTexts.Load(GetPrgTextSprache());
    TableDocument document(qMax(1, parser.value(rowsOption).toInt()));

    QWidget window;
    window.setWindowTitle(QStringLiteral("YAQ2 - Druck"));
    CEasyPrintDlg engine(&document, &window);
    engine.SetDocName(QStringLiteral("YAQ2 Testdokument"));
    engine.SetPageNumbers(parser.isSet(numbersOption));

    if (parser.isSet(pdfOption)) {
        // Runs without anyone at the screen (also without a display): a
        // message, for example that no viewer could be started, goes to the
        // error output instead of a box that would wait for a click.
        SetMsgBoxResponder([](const MsgBoxRequest &request) {
            std::fprintf(stderr, "%s\n", qUtf8Printable(request.text));
            return MsgBoxAnswer{};
        });
        const bool written = engine.Print(true);
        if (written)
            std::fprintf(stdout, "%s\n",
                         qUtf8Printable(QDir::toNativeSeparators(engine.PdfFilePath())));
        return written ? 0 : 1;
    }

    auto *layout = new QVBoxLayout(&window);
    auto *info = new QLabel(QStringLiteral("Testdokument mit %1 Zeilen.\nPDF: %2")
                                .arg(document.RowCount())
                                .arg(QDir::toNativeSeparators(engine.PdfFilePath())),
                            &window);
    auto *preview = new QPushButton(QStringLiteral("Vorschau ..."), &window);
    auto *print = new QPushButton(QStringLiteral("Drucken"), &window);
    auto *pdf = new QPushButton(QStringLiteral("PDF"), &window);
    layout->addWidget(info);
    layout->addWidget(preview);
    layout->addWidget(print);
    layout->addWidget(pdf);
    QObject::connect(preview, &QPushButton::clicked, &engine, [&engine] { engine.DoModal(); });
    QObject::connect(print, &QPushButton::clicked, &engine, [&engine] { engine.Print(false); });
    QObject::connect(pdf, &QPushButton::clicked, &engine, [&engine] { engine.Print(true); });
    window.show();
    return app.exec();
}
