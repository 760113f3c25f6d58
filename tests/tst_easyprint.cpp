// The print engine: cutting a document into printer pages, the page-range
// text of the preview, the preview's clicks, and the PDF and printer output
// of a document of many pages (checked with pdfinfo and pdftotext).

#include "../examples/printdemo/TableDocument.h"
#include "common/EasyPrintDlg.h"
#include "common/EasyPrintPages.h"
#include "common/Layout.h"
#include "platform/OrmelText.h"
#include "support/OutOfRoom.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTimer>
#include <QtTest>

#include <cerrno>
#include <csignal>

namespace {

// A document of a fixed size (0.1 mm) whose every page-high band is headed
// "Abschnitt A", "Abschnitt B", ... (no digits, so that printed page numbers
// stand out in the text of a page).
class FixedDocument : public CEasyPrintVirt
{
public:
    FixedDocument(int width, int height, int band = 2700)
        : m_width(width), m_height(height), m_band(band)
    {
        m_font.setFamily(QStringLiteral("DejaVu Sans"));
        m_font.setPixelSize(40);
    }
    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override
    {
        if (!area)
            return CSize();
        if (measureOnly)
            return CSize(m_width, -m_height);
        for (int k = 0; k * m_band < m_height; ++k) {
            CLayoutVBox box(CRect(-area->left, -area->top - k * m_band, 100000, -100000), dc);
            box.DCDraw(&m_font, QStringLiteral("Abschnitt %1").arg(QChar('A' + k)), 1, 0, 0);
        }
        return CSize();
    }

private:
    int m_width;
    int m_height;
    int m_band;
    QFont m_font;
};

// Printable area 190 mm x 277 mm.
void setUpPrinter(QPrinter &printer, const QString &file)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

QString run(const QString &program, const QStringList &args)
{
    QProcess process;
    const YaqTest::ProcessReaper reaper(process);
    process.start(program, args);
    if (!process.waitForFinished(YaqTest::kHangMs) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

int pdfPageCount(const QString &file)
{
    const QString info = run(QStringLiteral("pdfinfo"), {file});
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption)
            .match(info);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString pdfText(const QString &file, int page = 0)
{
    QStringList args;
    if (page > 0)
        args << QStringLiteral("-f") << QString::number(page) << QStringLiteral("-l")
             << QString::number(page);
    args << file << QStringLiteral("-");
    return run(QStringLiteral("pdftotext"), args);
}

std::vector<int> tiles(std::initializer_list<int> flags)
{
    return std::vector<int>(flags);
}

// The print service the test run started for itself (scripts/cups-test-server.sh).
struct TestPrintService
{
    QString server = qEnvironmentVariable("YAQ_TEST_CUPS_SERVER");
    QString queue = qEnvironmentVariable("YAQ_TEST_CUPS_QUEUE");
    QString output = qEnvironmentVariable("YAQ_TEST_CUPS_OUTPUT");
    qint64 pid = qEnvironmentVariableIntValue("YAQ_TEST_CUPS_PID");
    bool isThere() const { return !server.isEmpty() && !queue.isEmpty() && pid > 0; }
    // Runs one of the service's administration programs on the queue.
    bool admin(const QString &program) const
    {
        QProcess process;
        const YaqTest::ProcessReaper reaper(process);
        process.start(program, {queue});
        return process.waitForFinished(YaqTest::kHangMs) && process.exitCode() == 0;
    }
    // The jobs the queue has not finished.
    QString pendingJobs() const
    {
        return run(QStringLiteral("lpstat"), {QStringLiteral("-o"), queue}).trimmed();
    }
    // Every job of the queue, printed or not; those printed.
    QString allJobs() const
    {
        return run(QStringLiteral("lpstat"),
                   {QStringLiteral("-W"), QStringLiteral("all"), QStringLiteral("-o"), queue});
    }
    QString completedJobs() const
    {
        return run(QStringLiteral("lpstat"), {QStringLiteral("-W"), QStringLiteral("completed"),
                                              QStringLiteral("-o"), queue});
    }
};

// Presses the print button of Qt's print dialog once the dialog is open,
// after `change` has set its fields. A message of the dialog that refuses
// its fields is answered and the dialog cancelled; its text goes to
// `refused`.
void answerPrintDialog(QObject *context, std::function<void(QDialog *)> change,
                       QString *refused = nullptr)
{
    auto *poll = new QTimer(context);
    poll->setInterval(20);
    QObject::connect(poll, &QTimer::timeout, context, [poll, change, refused] {
        auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
        if (!dialog || !dialog->inherits("QPrintDialog"))
            return;
        poll->stop();
        poll->deleteLater();
        change(dialog);
        QTimer::singleShot(0, dialog, [dialog, refused] {
            if (auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget())) {
                if (refused)
                    *refused = box->text();
                box->accept();
                dialog->reject();
            }
        });
        auto *buttons = dialog->findChild<QDialogButtonBox *>();
        QTest::mouseClick(buttons->button(QDialogButtonBox::Ok), Qt::LeftButton);
    });
    poll->start();
}

} // namespace

class TestEasyPrint : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void tileCount_data();
    void tileCount();
    void tileRect_data();
    void tileRect();
    void rangeTextFromTiles_data();
    void rangeTextFromTiles();
    void tilesFromRangeText_data();
    void tilesFromRangeText();
    void previewHitTile_data();
    void previewHitTile();
    void previewPageIsReadable_data();
    void previewPageIsReadable();
    void physicalOffsetUsesEachAxisResolution();

    void gridFollowsDocumentAndPageNumbers();
    void pdfHoldsEveryPageOfTableDocument();
    void directOutputIgnoresPreviewChoice();
    void printedPageNumberCountsEveryTile();
    void pdfFailureLeavesNoFile_data();
    void pdfFailureLeavesNoFile();
    void pdfOnAFullDiskNamesTheReason_data();
    void pdfOnAFullDiskNamesTheReason();
    void pdfWithoutViewerNamesTheFile_data();
    void pdfWithoutViewerNamesTheFile();
    void emptyDocumentPrintsNothing();
    void unreachablePrinterPrintsNothing_data();
    void unreachablePrinterPrintsNothing();
    void pageSetOnTheWayPrintsEveryRow_data();
    void pageSetOnTheWayPrintsEveryRow();
    void pageChangedKeepsChoiceWhenCountStays_data();
    void pageChangedKeepsChoiceWhenCountStays();
    void printDialogRangeIsPrinted_data();
    void printDialogRangeIsPrinted();
    void printServiceStateIsTold_data();
    void printServiceStateIsTold();
    void silentServiceBeforeTheDialogs_data();
    void silentServiceBeforeTheDialogs();
    void printDialogPagesOnServiceQueue_data();
    void printDialogPagesOnServiceQueue();
    void clickOnTileTogglesIt();
    void typedRangeIsRewritten();

private:
    std::unique_ptr<TestEnv> m_env;
    QString m_dir;
};

void TestEasyPrint::initTestCase()
{
    // The print library reads where its service is once per thread: the
    // test run's own service, never the machine's printers.
    const QByteArray server = qgetenv("YAQ_TEST_CUPS_SERVER");
    if (!server.isEmpty())
        qputenv("CUPS_SERVER", server);
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdfinfo")).isEmpty(),
             "pdfinfo (poppler-utils) is needed");
}

void TestEasyPrint::init()
{
    m_env = std::make_unique<TestEnv>();
    m_env->answerBoxes(IDOK);
    m_dir = m_env->path();
}

void TestEasyPrint::cleanup()
{
    m_env.reset();
}

void TestEasyPrint::tileCount_data()
{
    QTest::addColumn<int>("doc");
    QTest::addColumn<int>("page");
    QTest::addColumn<int>("count");
    QTest::newRow("exactly one page wide") << 1900 << 1900 << 1;
    QTest::newRow("0.1 mm wider than a page") << 1901 << 1900 << 2;
    QTest::newRow("three and a half pages") << 9695 << 2770 << 4;
    QTest::newRow("empty document") << 0 << 2770 << 0;
    QTest::newRow("page without size") << 100 << 0 << 0;
}

void TestEasyPrint::tileCount()
{
    QFETCH(int, doc);
    QFETCH(int, page);
    QFETCH(int, count);
    QCOMPARE(TileCount(doc, page), count);
}

void TestEasyPrint::tileRect_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("centre");
    QTest::addColumn<CRect>("rect");
    // 190 x 277 mm pages, document 3000 x 5000 on 2 x 2 pages.
    // clang-format off
    QTest::newRow("first page")                << 0 << 0 << false << CRect(0, 0, 1900, -2770);
    QTest::newRow("second row, second column") << 1 << 1 << false << CRect(1900, -2770, 3800, -5540);
    QTest::newRow("centred first page")        << 0 << 0 << true  << CRect(-400, 270, 1500, -2500);
    // clang-format on
}

void TestEasyPrint::tileRect()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, centre);
    QFETCH(CRect, rect);
    const int offsetX = CenterOffset(centre, 2, 190, 3000);
    const int offsetY = CenterOffset(centre, 2, 277, 5000);
    QCOMPARE(TileRect(row, column, 190, 277, offsetX, offsetY), rect);
}

void TestEasyPrint::rangeTextFromTiles_data()
{
    QTest::addColumn<std::vector<int>>("flags");
    QTest::addColumn<QString>("text");
    // clang-format off
    QTest::newRow("runs of one, two and three") << tiles({1, 1, 1, 0, 1, 0, 1, 1}) << QStringLiteral("1-3,5,7,8");
    QTest::newRow("every page")                 << tiles({1, 1, 1, 1})             << QStringLiteral("1-4");
    QTest::newRow("none")                       << tiles({0, 0})                   << QString();
    QTest::newRow("no pages at all")            << tiles({})                       << QString();
    QTest::newRow("last page alone")            << tiles({0, 0, 1})                << QStringLiteral("3");
    // clang-format on
}

void TestEasyPrint::rangeTextFromTiles()
{
    QFETCH(std::vector<int>, flags);
    QFETCH(QString, text);
    QCOMPARE(RangeTextFromTiles(flags), text);
}

void TestEasyPrint::tilesFromRangeText_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("count");
    QTest::addColumn<std::vector<int>>("flags");
    // clang-format off
    QTest::newRow("open upper bound")                               << QStringLiteral("2,4-")     << 6 << tiles({0, 1, 0, 1, 1, 1});
    QTest::newRow("trailing comma chooses only the pages given")    << QStringLiteral("1,3,")     << 3 << tiles({1, 0, 1});
    QTest::newRow("doubled separator")                              << QStringLiteral("1,,3")     << 4 << tiles({1, 0, 1, 0});
    QTest::newRow("empty text chooses every page")                  << QString()                  << 3 << tiles({1, 1, 1});
    QTest::newRow("blanks only choose every page")                  << QStringLiteral("  ")       << 2 << tiles({1, 1});
    QTest::newRow("from page 3 on")                                 << QStringLiteral("3-")       << 5 << tiles({0, 0, 1, 1, 1});
    QTest::newRow("up to page 2")                                   << QStringLiteral("-2")       << 4 << tiles({1, 1, 0, 0});
    QTest::newRow("reversed range")                                 << QStringLiteral("5-3")      << 5 << tiles({0, 0, 1, 1, 1});
    QTest::newRow("page 0 is page 1")                               << QStringLiteral("0")        << 2 << tiles({1, 0});
    QTest::newRow("semicolon and slash separate")                   << QStringLiteral("1;3/4")    << 4 << tiles({1, 0, 1, 1});
    QTest::newRow("letters and blanks are ignored")                 << QStringLiteral("S. 2 - 3") << 4 << tiles({0, 1, 1, 0});
    QTest::newRow("only letters choose nothing")                    << QStringLiteral("abc")      << 2 << tiles({0, 0});
    QTest::newRow("a page beyond the end chooses nothing")          << QStringLiteral("7")        << 3 << tiles({0, 0, 0});
    QTest::newRow("a long run of digits does not overflow")         << QStringLiteral("1,99999999999999999999999999") << 3 << tiles({1, 0, 0});
    QTest::newRow("a range past the end ends at the last page")     << QStringLiteral("2-9")      << 3 << tiles({0, 1, 1});
    QTest::newRow("a range wholly beyond the end chooses nothing")  << QStringLiteral("5-9")      << 3 << tiles({0, 0, 0});
    QTest::newRow("from a page beyond the end on chooses nothing")  << QStringLiteral("7-")       << 3 << tiles({0, 0, 0});
    QTest::newRow("a lone dash is every page")                      << QStringLiteral("-")        << 3 << tiles({1, 1, 1});
    // clang-format on
}

void TestEasyPrint::tilesFromRangeText()
{
    QFETCH(QString, text);
    QFETCH(int, count);
    QFETCH(std::vector<int>, flags);
    QCOMPARE(TilesFromRangeText(text, count), flags);
}

void TestEasyPrint::previewHitTile_data()
{
    QTest::addColumn<QPoint>("pos");
    QTest::addColumn<int>("tile");
    // A 210 x 110 area holds 2 x 1 pages of 100 x 100 mm at one pixel per mm,
    // starting at (5, 5).
    QTest::newRow("first tile") << QPoint(10, 10) << 0;
    QTest::newRow("second tile") << QPoint(150, 50) << 1;
    QTest::newRow("left of the grid") << QPoint(2, 50) << -1;
    QTest::newRow("below the grid") << QPoint(50, 108) << -1;
    QTest::newRow("right of the grid") << QPoint(207, 50) << -1;
}

void TestEasyPrint::previewHitTile()
{
    QFETCH(QPoint, pos);
    QFETCH(int, tile);
    const PreviewGeometry g = ComputePreviewGeometry(QRect(0, 0, 210, 110), 100, 100, 2, 1);
    QCOMPARE(g.origin, QPoint(5, 5));
    QCOMPARE(PreviewHitTile(g, pos, 2, 1), tile);
}

void TestEasyPrint::previewPageIsReadable_data()
{
    // Row: the visible area, the grid of pages of 190 x 277 mm -> a page's
    // size in pixels, the canvas and the grid's top-left corner.
    QTest::addColumn<QSize>("area");
    QTest::addColumn<int>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<QSize>("page");
    QTest::addColumn<QSize>("canvas");
    QTest::addColumn<QPoint>("origin");
    // clang-format off
    QTest::newRow("one page in the middle")              << QSize(700, 900) << 1 << 1 << QSize(611, 891) << QSize(700, 900)  << QPoint(45, 5);
    QTest::newRow("six pages stacked: each fills it")    << QSize(700, 900) << 1 << 6 << QSize(611, 891) << QSize(700, 5350) << QPoint(45, 5);
    QTest::newRow("a wide table scrolls to the right")   << QSize(900, 700) << 3 << 1 << QSize(474, 691) << QSize(1430, 700) << QPoint(5, 5);
    QTest::newRow("a small area keeps the whole page")   << QSize(200, 300) << 1 << 2 << QSize(191, 278) << QSize(200, 564)  << QPoint(5, 5);
    // clang-format on
}

void TestEasyPrint::previewPageIsReadable()
{
    QFETCH(QSize, area);
    QFETCH(int, columns);
    QFETCH(int, rows);
    const PreviewGeometry g =
        ComputePreviewGeometry(QRect(QPoint(), area), 190, 277, columns, rows);
    QTEST(PreviewTileRect(g, 0, 0).size(), "page");
    QTEST(g.canvasSize, "canvas");
    QTEST(g.origin, "origin");
}

void TestEasyPrint::physicalOffsetUsesEachAxisResolution()
{
    // A printer with 600 x 1200 dpi and a margin of 60 x 120 pixels: 0.1 inch
    // on both sides.
    QCOMPARE(PhysicalOffsetPoints(60, 120, 600, 1200), QPointF(7.2, 7.2));
}

void TestEasyPrint::gridFollowsDocumentAndPageNumbers()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    FixedDocument doc(1901, 5540);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    QVERIFY(dlg.PreparePages());
    QCOMPARE(dlg.PageWidthMm(), 190);
    QCOMPARE(dlg.PageHeightMm(), 277);
    QCOMPARE(dlg.Columns(), 2);
    QCOMPARE(dlg.Rows(), 2);

    auto *range = dlg.findChild<QLineEdit *>(QStringLiteral("range"));
    QVERIFY(range);
    range->setText(QStringLiteral("1"));
    dlg.ParseRangeText();
    QCOMPARE(dlg.TileFlags(), tiles({1, 0, 0, 0}));
    // The same number of tiles keeps the choice.
    QVERIFY(dlg.PreparePages());
    QCOMPARE(dlg.TileFlags(), tiles({1, 0, 0, 0}));
    // Page numbers take 7 mm: a third row, and every page chosen again.
    dlg.SetPageNumbers(1);
    QVERIFY(dlg.PreparePages());
    QCOMPARE(dlg.PageHeightMm(), 270);
    QCOMPARE(dlg.Rows(), 3);
    QCOMPARE(dlg.TileFlags(), std::vector<int>(6, 1));
}

void TestEasyPrint::pdfHoldsEveryPageOfTableDocument()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    TableDocument doc(300);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    const QString folder = m_dir + QStringLiteral("/local/YAQ2");
    dlg.SetPdfFolder(folder);
    QStringList opened;
    dlg.SetDocumentOpener([&opened](const QUrl &url) {
        opened << url.toLocalFile();
        return true;
    });
    // An old file is replaced.
    QVERIFY(writeTextFile(folder + QStringLiteral("/YAQ2.pdf"), "old"));

    QVERIFY(dlg.Print(true));
    const QString file = folder + QStringLiteral("/YAQ2.pdf");
    QCOMPARE(dlg.PdfFilePath(), file);
    QCOMPARE(opened, QStringList{file});
    QVERIFY(dlg.Rows() >= 5);
    QCOMPARE(dlg.Columns(), 1);
    QCOMPARE(pdfPageCount(file), dlg.Rows());
    const QString text = pdfText(file);
    QVERIFY(text.contains(QStringLiteral("YAQ2 Testdokument")));
    QVERIFY(text.contains(TableDocument::RowText(1)));
    QVERIFY(text.contains(TableDocument::RowText(300)));
    QVERIFY(text.contains(TableDocument::RowPrice(300)));
    // The table head starts the last page too, and no row is cut in two.
    QVERIFY(pdfText(file, dlg.Rows()).contains(QStringLiteral("Bezeichnung")));
    QCOMPARE(text.count(QStringLiteral("Arbeitswert")), 300 - 300 / 7);
    QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList{QStringLiteral("YAQ2.pdf")});
    QCOMPARE(m_env->boxes().size(), 0);
}

void TestEasyPrint::directOutputIgnoresPreviewChoice()
{
    const QString printed = m_dir + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, printed);
    FixedDocument doc(1900, 4 * 2770, 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.SetPdfFolder(m_dir + QStringLiteral("/pdf"));
    dlg.SetDocumentOpener([](const QUrl &) { return true; });
    dlg.OnInitDialog();
    auto *range = dlg.findChild<QLineEdit *>(QStringLiteral("range"));
    range->setText(QStringLiteral("2,3"));
    dlg.ParseRangeText();

    // The preview's print button takes its choice ...
    QVERIFY(dlg.PrintPages());
    QCOMPARE(pdfPageCount(printed), 2);
    QVERIFY(pdfText(printed, 1).contains(QStringLiteral("Abschnitt B")));
    // ... printing or writing the PDF without it takes every page ...
    QVERIFY(dlg.Print(false));
    QCOMPARE(pdfPageCount(printed), 4);
    QVERIFY(dlg.Print(true));
    QCOMPARE(pdfPageCount(dlg.PdfFilePath()), 4);
    // ... and leaves the preview's choice for the next preview.
    QCOMPARE(dlg.TileFlags(), tiles({0, 1, 1, 0}));
}

void TestEasyPrint::printedPageNumberCountsEveryTile()
{
    const QString printed = m_dir + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, printed);
    FixedDocument doc(1900, 3 * 2700);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.SetPageNumbers(1);
    dlg.OnInitDialog();
    QCOMPARE(dlg.Rows(), 3);
    auto *range = dlg.findChild<QLineEdit *>(QStringLiteral("range"));
    range->setText(QStringLiteral("1,3"));
    dlg.ParseRangeText();
    QVERIFY(dlg.PrintPages());
    QCOMPARE(pdfPageCount(printed), 2);
    const QString second = pdfText(printed, 2);
    QVERIFY2(second.contains(QStringLiteral("Abschnitt C")), qPrintable(second));
    QVERIFY2(second.contains(QRegularExpression(QStringLiteral("(^|\\s)3(\\s|$)"))),
             qPrintable(second));
    QVERIFY(!second.contains(QLatin1Char('2')));
}

void TestEasyPrint::pdfFailureLeavesNoFile_data()
{
    QTest::addColumn<QString>("obstacle"); // what is in the way of the PDF
    QTest::addColumn<int>("textId");
    QTest::addColumn<QString>("reason"); // the end of the message, in German
    // clang-format off
    QTest::newRow("folder cannot be created")    << QStringLiteral("file-instead-of-folder") << 7091 << "/blocked/YAQ2 kann nicht angelegt werden.\nAn der Stelle eines Ordners des Pfades steht eine Datei";
    QTest::newRow("YAQ2.pdf cannot be replaced") << QStringLiteral("folder-instead-of-file") << 7023 << "Bitte schließen Sie die Datei zuerst.\nDie Datei kann nicht angelegt werden (An der Stelle der Datei steht ein Ordner)";
    // clang-format on
}

void TestEasyPrint::pdfFailureLeavesNoFile()
{
    QFETCH(QString, obstacle);
    QFETCH(int, textId);
    QFETCH(QString, reason);
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    FixedDocument doc(1900, 2 * 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    bool opened = false;
    dlg.SetDocumentOpener([&opened](const QUrl &) {
        opened = true;
        return true;
    });

    QString folder;
    if (obstacle == QLatin1String("file-instead-of-folder")) {
        QVERIFY(writeTextFile(m_dir + QStringLiteral("/blocked"), "x"));
        folder = m_dir + QStringLiteral("/blocked/YAQ2");
    } else {
        folder = m_dir + QStringLiteral("/out");
        QVERIFY(QDir().mkpath(folder + QStringLiteral("/YAQ2.pdf")));
    }
    dlg.SetPdfFolder(folder);

    QVERIFY(!dlg.Print(true));
    QVERIFY(!opened);
    QCOMPARE(m_env->boxes().size(), 1);
    const QString message = m_env->boxes().at(0).text;
    QVERIFY2(message.contains(dlg.PdfFilePath()), qPrintable(message));
    QVERIFY2(message.startsWith(OrmelText(textId).section(QStringLiteral("%s"), 0, 0)),
             qPrintable(message));
    QVERIFY2(message.endsWith(reason), qPrintable(message));
    QCOMPARE(QFileInfo(dlg.PdfFilePath()).isFile(), false);
    if (QFileInfo(folder).isDir())
        QCOMPARE(QDir(folder).entryList(QDir::Files), QStringList());
}

// A disk that fills up while the PDF is written: the message names the
// system's reason of the failed write, however far the pages came.
void TestEasyPrint::pdfOnAFullDiskNamesTheReason_data()
{
    QTest::addColumn<int>("way");
    QTest::addColumn<qint64>("room"); // bytes the file may have (file-size limit)
    QTest::addColumn<int>("error");   // the system's reason
    // clang-format off
    QTest::newRow("no byte may be written")   << int(OutOfRoom::FileSizeLimit) << qint64(0)    << EFBIG;
    QTest::newRow("8 KB may be written")      << int(OutOfRoom::FileSizeLimit) << qint64(8192) << EFBIG;
    QTest::newRow("file system of 8 KB")      << int(OutOfRoom::FullDisk)      << qint64(0)    << ENOSPC;
    // clang-format on
}

void TestEasyPrint::pdfOnAFullDiskNamesTheReason()
{
    QFETCH(int, way);
    QFETCH(qint64, room);
    QFETCH(int, error);
    const QString reason = SystemReason(error);
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    FixedDocument doc(1900, 20 * 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.SetDocumentOpener([](const QUrl &) { return true; });
    const QString folder = m_dir + QStringLiteral("/YAQ2");
    QVERIFY(QDir().mkpath(folder));
    dlg.SetPdfFolder(folder);
    OutOfRoomGuard guard;
    if (way == int(OutOfRoom::FullDisk) && !guard.MountSmall(folder))
        QSKIP("no file system can be mounted here; the file-size limit meets the same write");
    if (way == int(OutOfRoom::FileSizeLimit))
        QVERIFY(guard.LimitFileSize(room));

    const bool written = dlg.Print(true);
    guard.End();
    QVERIFY(!written);
    QCOMPARE(m_env->boxes().size(), 1);
    const QString message = m_env->boxes().at(0).text;
    QVERIFY2(message.contains(dlg.PdfFilePath()) && message.contains(reason), qPrintable(message));
    QVERIFY(!QFileInfo::exists(dlg.PdfFilePath()));
}

void TestEasyPrint::pdfWithoutViewerNamesTheFile_data()
{
    QTest::addColumn<bool>("viewer"); // the desktop opens PDF files
    QTest::addColumn<int>("messages");
    // clang-format off
    QTest::newRow("the viewer shows the file")   << true  << 0;
    QTest::newRow("no viewer: the file is named") << false << 1;
    // clang-format on
}

void TestEasyPrint::pdfWithoutViewerNamesTheFile()
{
    QFETCH(bool, viewer);
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    FixedDocument doc(1900, 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.SetPdfFolder(m_dir + QStringLiteral("/pdf"));
    dlg.SetDocumentOpener([viewer](const QUrl &) { return viewer; });
    QVERIFY(dlg.Print(true));
    QVERIFY(QFileInfo(dlg.PdfFilePath()).isFile());
    QTEST(int(m_env->boxes().size()), "messages");
    if (viewer)
        return;
    const QString message = m_env->boxes().first().text;
    QVERIFY2(message.contains(QDir::toNativeSeparators(dlg.PdfFilePath())), qPrintable(message));
    // In the program's language, not in the shell's.
    QVERIFY2(message.contains(OrmelText(7319)), qPrintable(message));
    QVERIFY2(!message.contains(ShellErrorText(31)), qPrintable(message));
}

void TestEasyPrint::emptyDocumentPrintsNothing()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    FixedDocument doc(0, 0);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.SetPdfFolder(m_dir + QStringLiteral("/pdf"));
    dlg.SetDocumentOpener([](const QUrl &) { return true; });
    dlg.OnInitDialog();
    QCOMPARE(dlg.Columns() * dlg.Rows(), 0);
    QCOMPARE(dlg.findChild<QLineEdit *>(QStringLiteral("range"))->text(), QString());
    QVERIFY(!dlg.findChild<QPushButton *>(QStringLiteral("print"))->isEnabled());
    QVERIFY(!dlg.Print(true));
    QVERIFY(!dlg.Print(false));
    QVERIFY(!QFileInfo::exists(dlg.PdfFilePath()));
    QVERIFY(!QFileInfo::exists(m_dir + QStringLiteral("/print.pdf")));
}

void TestEasyPrint::unreachablePrinterPrintsNothing_data()
{
    QTest::addColumn<bool>("preview"); // printed from the preview, else without it
    QTest::addColumn<PrintQueueState>("state");
    // clang-format off
    QTest::newRow("preview, printer not reachable")         << true  << PrintQueueState::Unknown;
    QTest::newRow("without preview, printer not reachable") << false << PrintQueueState::Unknown;
    QTest::newRow("without preview, service not answering") << false << PrintQueueState::NoAnswer;
    QTest::newRow("preview, the service takes the job")     << true  << PrintQueueState::Ready;
    // clang-format on
}

// A printer the print service does not know now (stopped, or the queue
// gone) takes a job without a word and prints nothing: the adviser learns
// why, and the preview stays open for another printer or a PDF. Without the
// preview the print dialog offers them, unless the service hangs (the
// dialog would wait for it).
void TestEasyPrint::unreachablePrinterPrintsNothing()
{
    QFETCH(bool, preview);
    QFETCH(PrintQueueState, state);
    const bool reachable = state == PrintQueueState::Ready;
    const QString printed = m_dir + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, printed);
    FixedDocument doc(1900, 2 * 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    int asked = 0;
    dlg.SetPrinterCheck([&asked, state](const QPrinter &) {
        ++asked;
        return state;
    });

    bool done = false;
    if (preview) {
        dlg.OnInitDialog();
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg, YaqTest::kHangMs));
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("print")), Qt::LeftButton);
        done = dlg.result() == QDialog::Accepted;
        QCOMPARE(dlg.isVisible(), !reachable);
    } else {
        // Without the preview the print dialog offers another printer.
        bool offered = false;
        QTimer poll;
        poll.setInterval(20);
        connect(&poll, &QTimer::timeout, &dlg, [&offered] {
            if (auto *choice = qobject_cast<QDialog *>(QApplication::activeModalWidget());
                choice && choice->inherits("QPrintDialog")) {
                offered = true;
                choice->reject();
            }
        });
        poll.start();
        done = dlg.Print(false);
        poll.stop();
        QCOMPARE(offered, state != PrintQueueState::NoAnswer);
    }
    QCOMPARE(asked, 1);
    QCOMPARE(done, reachable);
    QCOMPARE(QFileInfo::exists(printed), reachable);
    QCOMPARE(m_env->boxes().size(), reachable ? 0 : 1);
    if (reachable)
        return;
    const QString message = m_env->boxes().at(0).text;
    QVERIFY2(message.startsWith(OrmelText(7320).section(QStringLiteral("%s"), 0, 0)) &&
                 message.contains(QDir::toNativeSeparators(printed)),
             qPrintable(message));
}

void TestEasyPrint::pageSetOnTheWayPrintsEveryRow_data()
{
    // Row: the page the printer's dialog sets after the preview, the pages
    // chosen in the preview before.
    QTest::addColumn<QPageSize::PageSizeId>("paper");
    QTest::addColumn<QPageLayout::Orientation>("orientation");
    QTest::addColumn<QString>("chosen");
    // clang-format off
    QTest::newRow("landscape")                  << QPageSize::A4 << QPageLayout::Landscape << QString();
    QTest::newRow("A5 paper")                   << QPageSize::A5 << QPageLayout::Portrait  << QString();
    QTest::newRow("landscape, page 2 chosen")   << QPageSize::A4 << QPageLayout::Landscape << QStringLiteral("2");
    // clang-format on
}

// The page set up at the printer's dialog between the preview and the print
// is the page printed on: the document is cut for it, and no row is lost.
// The pages chosen stay when their number stays (whether it does depends
// on the font), else every page is printed.
void TestEasyPrint::pageSetOnTheWayPrintsEveryRow()
{
    QFETCH(QPageSize::PageSizeId, paper);
    QFETCH(QPageLayout::Orientation, orientation);
    QFETCH(QString, chosen);
    const QString printed = m_dir + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, printed);
    const int rows = 120;
    TableDocument doc(rows);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.OnInitDialog();
    if (!chosen.isEmpty()) {
        dlg.findChild<QLineEdit *>(QStringLiteral("range"))->setText(chosen);
        dlg.ParseRangeText();
    }
    const std::vector<int> choice = dlg.TileFlags();
    printer.setPageLayout(QPageLayout(QPageSize(paper), orientation, QMarginsF(10, 10, 10, 10),
                                      QPageLayout::Millimeter));

    QVERIFY(dlg.PrintPages());
    const QSizeF page = printer.pageRect(QPrinter::Millimeter).size();
    QCOMPARE(dlg.PageWidthMm(), int(page.width()));
    QCOMPARE(dlg.PageHeightMm(), int(page.height()));
    if (!chosen.isEmpty() && dlg.TileFlags().size() == choice.size()) {
        QCOMPARE(dlg.TileFlags(), choice);
        QCOMPARE(pdfPageCount(printed), 1);
        return;
    }
    QCOMPARE(pdfPageCount(printed), dlg.Rows() * dlg.Columns());
    const QString text = pdfText(printed);
    QCOMPARE(text.count(QStringLiteral("Arbeitswert")), rows - rows / 7);
    QVERIFY(text.contains(TableDocument::RowPrice(rows)));
    QVERIFY(pdfText(printed, (dlg.Rows() - 1) * dlg.Columns() + 1)
                .contains(QStringLiteral("Bezeichnung")));
    // The preview shows what was printed.
    QCOMPARE(dlg.TileFlags(), std::vector<int>(size_t(dlg.Rows() * dlg.Columns()), 1));
}

void TestEasyPrint::pageChangedKeepsChoiceWhenCountStays_data()
{
    // Row: the margins of the page set on the way, the pages chosen in the
    // preview, the pages printed and the bands they show.
    QTest::addColumn<int>("margin"); // mm, A4 portrait
    QTest::addColumn<QString>("chosen");
    QTest::addColumn<int>("pages");
    QTest::addColumn<QString>("bands");
    // clang-format off
    QTest::newRow("smaller page, as many pages") << 12 << QStringLiteral("2") << 1 << QStringLiteral("B");
    QTest::newRow("smaller page, more pages")    << 30 << QStringLiteral("2") << 3 << QStringLiteral("AB");
    QTest::newRow("same page")                   << 10 << QStringLiteral("1") << 1 << QStringLiteral("A");
    // clang-format on
}

// The page changes on the way to the printer (the print dialog's page, or
// the page another page set up for the shared printer): the pages chosen
// stay when their number stays, else every page of the new cut is printed.
void TestEasyPrint::pageChangedKeepsChoiceWhenCountStays()
{
    QFETCH(int, margin);
    QFETCH(QString, chosen);
    QFETCH(int, pages);
    QFETCH(QString, bands);
    const QString file = m_dir + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, file);
    // Two pages of 277 mm and of 273 mm alike, each with one band; three of
    // 237 mm.
    FixedDocument doc(1500, 5400, 2800);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.OnInitDialog();
    QCOMPARE(dlg.Rows() * dlg.Columns(), 2);
    dlg.findChild<QLineEdit *>(QStringLiteral("range"))->setText(chosen);
    dlg.ParseRangeText();
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(margin, margin, margin, margin),
                                      QPageLayout::Millimeter));

    QVERIFY(dlg.PrintPages());
    QCOMPARE(pdfPageCount(file), pages);
    const QString text = pdfText(file);
    for (const QChar band : QStringLiteral("AB"))
        QCOMPARE(text.contains(QStringLiteral("Abschnitt ") + band), bands.contains(band));
}

void TestEasyPrint::printDialogRangeIsPrinted_data()
{
    // Row: the pages chosen in the preview, the range chosen in Qt's print
    // dialog ("all", "from-to"), the pages printed (their bands' letters).
    QTest::addColumn<QString>("preview");
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("printed");
    // clang-format off
    QTest::newRow("pages 2 to 3")                << QString()            << QStringLiteral("2-3") << QStringLiteral("BC");
    QTest::newRow("page 3 alone")                << QString()            << QStringLiteral("3-3") << QStringLiteral("C");
    QTest::newRow("all after the preview's 2")   << QStringLiteral("2")  << QStringLiteral("all") << QStringLiteral("ABC");
    QTest::newRow("preview's 1,3 left as shown") << QStringLiteral("1,3") << QString()          << QStringLiteral("AC");
    // clang-format on
}

// Qt's print dialog, reached from the preview's "Drucker-Einstellungen",
// offers the document's pages, and a range chosen there is printed.
void TestEasyPrint::printDialogRangeIsPrinted()
{
    QFETCH(QString, preview);
    QFETCH(QString, dialog);
    QFETCH(QString, printed);
    const QString file = m_dir + QStringLiteral("/print.pdf");
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, file);
    FixedDocument doc(1900, 3 * 2770, 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.OnInitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg, YaqTest::kHangMs));
    if (!preview.isEmpty()) {
        dlg.findChild<QLineEdit *>(QStringLiteral("range"))->setText(preview);
        dlg.ParseRangeText();
    }

    int offered = 0;
    answerPrintDialog(&dlg, [&](QDialog *print) {
        auto *from = print->findChild<QSpinBox *>(QStringLiteral("from"));
        auto *to = print->findChild<QSpinBox *>(QStringLiteral("to"));
        auto *range = print->findChild<QRadioButton *>(QStringLiteral("printRange"));
        if (!from || !to || !range)
            return;
        offered = range->isEnabled() ? to->maximum() : 0;
        // The file printer, also where the print service has printers.
        auto *printers = print->findChild<QComboBox *>(QStringLiteral("printers"));
        printers->setCurrentIndex(printers->count() - 1);
        print->findChild<QLineEdit *>(QStringLiteral("filename"))->setText(file);
        if (dialog == QLatin1String("all")) {
            print->findChild<QRadioButton *>(QStringLiteral("printAll"))->setChecked(true);
        } else if (!dialog.isEmpty()) {
            range->setChecked(true);
            from->setValue(dialog.section(QLatin1Char('-'), 0, 0).toInt());
            to->setValue(dialog.section(QLatin1Char('-'), 1, 1).toInt());
        }
    });
    QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("printSetup")), Qt::LeftButton);
    QCOMPARE(offered, 3);
    QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("print")), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QCOMPARE(pdfPageCount(file), int(printed.size()));
    const QString text = pdfText(file);
    for (const QChar band : QStringLiteral("ABC"))
        QCOMPARE(text.contains(QStringLiteral("Abschnitt ") + band), printed.contains(band));
}

void TestEasyPrint::printServiceStateIsTold_data()
{
    // Row: what is done to the print service, the message told (none: 0),
    // whether the job was taken (the preview closes).
    QTest::addColumn<QString>("service");
    QTest::addColumn<int>("told");
    QTest::addColumn<bool>("taken");
    // clang-format off
    QTest::newRow("ready")                << QString()                    << 0    << true;
    QTest::newRow("paused (cupsdisable)") << QStringLiteral("cupsdisable") << 7323 << true;
    QTest::newRow("refusing (cupsreject)") << QStringLiteral("cupsreject") << 7324 << false;
    QTest::newRow("not answering (SIGSTOP)") << QStringLiteral("SIGSTOP") << 7320 << false;
    QTest::newRow("stopped after the check, before it takes the job") << QStringLiteral("SIGSTOP after the check") << 7320 << false;
    // clang-format on
}

// Printing on a queue of a real print service (the one the test run
// started): a queue that holds its jobs or refuses them is told, and a
// service that does not answer, at the check or while the job is handed
// over, ends the wait within its bound, the window painting meanwhile and
// the adviser's clicks dropped. Printed means the service took the job.
void TestEasyPrint::printServiceStateIsTold()
{
    QFETCH(QString, service);
    QFETCH(int, told);
    QFETCH(bool, taken);
    const TestPrintService cups;
    if (!cups.isThere())
        QSKIP("No print service of the test run (scripts/cups-test-server.sh)");
    QFile::remove(cups.output);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(cups.queue);
    QCOMPARE(printer.printerName(), cups.queue);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    FixedDocument doc(1900, 2 * 2770, 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.OnInitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg, YaqTest::kHangMs));

    // The service is set back whatever the row's end.
    const auto restore = qScopeGuard([&cups] {
        ::kill(pid_t(cups.pid), SIGCONT);
        run(QStringLiteral("cancel"), {QStringLiteral("-a"), cups.queue});
        cups.admin(QStringLiteral("cupsenable"));
        cups.admin(QStringLiteral("cupsaccept"));
    });
    const QString completedBefore = cups.completedJobs();
    const bool stopped = service.startsWith(QLatin1String("SIGSTOP"));
    if (stopped)
        dlg.SetServiceBound(2000);
    if (service == QLatin1String("SIGSTOP")) {
        QCOMPARE(::kill(pid_t(cups.pid), SIGSTOP), 0);
    } else if (stopped) {
        // The service stops right after it answered the program's check.
        dlg.SetPrinterCheck([&cups](const QPrinter &p) {
            const PrintQueueState state = AskPrintService(p.printerName());
            ::kill(pid_t(cups.pid), SIGSTOP);
            return state;
        });
    } else if (!service.isEmpty()) {
        QVERIFY(cups.admin(service));
    }

    auto *print = dlg.findChild<QPushButton *>(QStringLiteral("print"));
    auto *cancel = dlg.findChild<QPushButton *>(QStringLiteral("cancel"));
    // During a wait of a second and more its window shows, and a click on
    // "Abbrechen" is dropped.
    bool waitShown = false;
    QTimer probe;
    probe.setInterval(20);
    connect(&probe, &QTimer::timeout, &dlg, [&] {
        auto *wait = dlg.findChild<QDialog *>(QStringLiteral("printServiceWait"));
        if (waitShown || !wait || !wait->isVisible())
            return;
        waitShown = true;
        QTest::mouseClick(cancel, Qt::LeftButton);
    });
    probe.start();
    QElapsedTimer clock;
    clock.start();
    QTest::mouseClick(print, Qt::LeftButton);
    probe.stop();
    // A guard against the print library's own wait of minutes.
    QVERIFY2(clock.elapsed() < 3 * kPrintServiceBoundMs,
             qPrintable(QString::number(clock.elapsed())));
    if (stopped) {
        QVERIFY(waitShown);
        QVERIFY(dlg.isVisible());
    }

    QCOMPARE(m_env->boxes().size(), told ? 1 : 0);
    if (told) {
        const QString message = m_env->boxes().at(0).text;
        QVERIFY2(message.startsWith(OrmelText(told).section(QStringLiteral("%s"), 0, 0)) &&
                     message.contains(cups.queue),
                 qPrintable(message));
    }
    QCOMPARE(dlg.result() == QDialog::Accepted, taken);
    QCOMPARE(dlg.isVisible(), !taken);
    // Counted as printed with the number the service gave the job.
    QCOMPARE(dlg.LastJobId() > 0, taken);
    if (taken) {
        const QString jobs = cups.allJobs();
        QVERIFY2(jobs.contains(QStringLiteral("%1-%2 ").arg(cups.queue).arg(dlg.LastJobId())),
                 qPrintable(jobs));
    }
    if (service.isEmpty()) {
        // The queue writes what the engine handed over: the PDF "PDF
        // erzeugen" writes, word for word.
        QTRY_VERIFY_WITH_TIMEOUT(cups.pendingJobs().isEmpty(), YaqTest::kHangMs);
        QTRY_COMPARE_WITH_TIMEOUT(pdfPageCount(cups.output), 2, YaqTest::kHangMs);
        dlg.SetPdfFolder(m_dir + QStringLiteral("/pdf"));
        dlg.SetDocumentOpener([](const QUrl &) { return true; });
        QVERIFY(dlg.WritePdf());
        QCOMPARE(pdfText(cups.output), pdfText(dlg.PdfFilePath()));
    } else if (stopped) {
        // What the service reads once it goes on prints nothing: the job it
        // makes then holds no document.
        ::kill(pid_t(cups.pid), SIGCONT);
        if (service != QLatin1String("SIGSTOP"))
            QTRY_VERIFY_WITH_TIMEOUT(!cups.pendingJobs().isEmpty(), YaqTest::kHangMs);
        QCOMPARE(cups.completedJobs(), completedBefore);
        QVERIFY(!QFileInfo::exists(cups.output));
    } else if (taken) {
        // The job waits in the paused queue.
        QVERIFY(!cups.pendingJobs().isEmpty());
        QVERIFY(!QFileInfo::exists(cups.output));
    } else {
        QCOMPARE(cups.pendingJobs(), QString());
    }
}

void TestEasyPrint::silentServiceBeforeTheDialogs_data()
{
    // Row: what opens while the print service does not answer (SIGSTOP),
    // whether it does, the message told (none: 0). The application's own
    // printer is made once a run: the row where the service does not answer
    // comes before the one where it does.
    QTest::addColumn<QString>("opening");
    QTest::addColumn<bool>("answering");
    QTest::addColumn<int>("told");
    // clang-format off
    QTest::newRow("preview on the application's printer, no answer") << QStringLiteral("preview") << false << 7326;
    QTest::newRow("preview on the application's printer, answering") << QStringLiteral("preview") << true  << 0;
    QTest::newRow("print dialog, no answer")                         << QStringLiteral("dialog")  << false << 7326;
    // clang-format on
}

// Nothing the engine opens waits on a print service that does not answer
// for longer than its bound, the window painting meanwhile: the preview
// opens on no printer, and Qt's print dialog (which would wait for the
// service as long as the print library does) does not open; the adviser is
// told why.
void TestEasyPrint::silentServiceBeforeTheDialogs()
{
    QFETCH(QString, opening);
    QFETCH(bool, answering);
    QFETCH(int, told);
    const TestPrintService cups;
    if (!cups.isThere())
        QSKIP("No print service of the test run (scripts/cups-test-server.sh)");
    const bool preview = opening == QLatin1String("preview");
    std::unique_ptr<QPrinter> printer;
    if (!preview) {
        printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setPrinterName(cups.queue);
    }
    FixedDocument doc(1900, 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(printer.get());
    dlg.SetServiceBound(2000);
    const auto restore = qScopeGuard([&cups] { ::kill(pid_t(cups.pid), SIGCONT); });
    if (!answering)
        QCOMPARE(::kill(pid_t(cups.pid), SIGSTOP), 0);

    bool waitShown = false;
    bool printDialog = false;
    QTimer probe;
    probe.setInterval(20);
    connect(&probe, &QTimer::timeout, &dlg, [&] {
        auto *wait = dlg.findChild<QDialog *>(QStringLiteral("printServiceWait"));
        waitShown = waitShown || (wait && wait->isVisible());
        if (auto *modal = QApplication::activeModalWidget();
            modal && modal->inherits("QPrintDialog")) {
            printDialog = true;
            static_cast<QDialog *>(modal)->reject();
        }
    });
    probe.start();
    QElapsedTimer clock;
    clock.start();
    if (preview) {
        dlg.OnInitDialog();
    } else {
        dlg.OnInitDialog();
        dlg.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dlg, YaqTest::kHangMs));
        QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("printSetup")),
                          Qt::LeftButton);
    }
    probe.stop();
    // A guard against the print library's own wait of minutes.
    QVERIFY2(clock.elapsed() < 3 * kPrintServiceBoundMs,
             qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(waitShown, !answering);
    QVERIFY(!printDialog);
    QCOMPARE(m_env->boxes().size(), told ? 1 : 0);
    if (told)
        QCOMPARE(m_env->boxes().at(0).text, OrmelText(told));
    // The preview is cut for the page of the printer there is.
    QCOMPARE(dlg.Rows() * dlg.Columns(), 1);
    if (preview)
        QCOMPARE(dlg.PrinterName(), answering ? cups.queue : QString());
}

void TestEasyPrint::printDialogPagesOnServiceQueue_data()
{
    // Row: the pages chosen in the preview, the text typed into the print
    // dialog's "Seiten", the pages printed (their bands' letters).
    QTest::addColumn<QString>("preview");
    QTest::addColumn<QString>("pages");
    QTest::addColumn<QString>("printed");
    // clang-format off
    QTest::newRow("every page chosen, pages 2-3") << QString()           << QStringLiteral("2-3") << QStringLiteral("BC");
    QTest::newRow("every page chosen, page 1")    << QString()           << QStringLiteral("1")   << QStringLiteral("A");
    QTest::newRow("page 2 chosen, pages 1,3")     << QStringLiteral("2") << QStringLiteral("1,3") << QStringLiteral("AC");
    // clang-format on
}

// On a queue of the print service the print dialog also takes a list of
// pages ("Seiten"); the engine prints exactly those, and the service is
// not asked to pick pages out of them again.
void TestEasyPrint::printDialogPagesOnServiceQueue()
{
    QFETCH(QString, preview);
    QFETCH(QString, pages);
    QFETCH(QString, printed);
    const TestPrintService cups;
    if (!cups.isThere())
        QSKIP("No print service of the test run (scripts/cups-test-server.sh)");
    QFile::remove(cups.output);
    QPrinter printer(QPrinter::HighResolution);
    printer.setPrinterName(cups.queue);
    // Three pages of the queue's page (the print dialog sets it up as the
    // queue describes it), each with one band.
    const int band = int(printer.pageRect(QPrinter::Millimeter).height()) * 10;
    FixedDocument doc(1900, 3 * band, band);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.OnInitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg, YaqTest::kHangMs));
    if (!preview.isEmpty()) {
        dlg.findChild<QLineEdit *>(QStringLiteral("range"))->setText(preview);
        dlg.ParseRangeText();
    }

    QString refused;
    answerPrintDialog(
        &dlg,
        [&](QDialog *print) {
            print->findChild<QRadioButton *>(QStringLiteral("pagesRadioButton"))->setChecked(true);
            print->findChild<QLineEdit *>(QStringLiteral("pagesLineEdit"))->setText(pages);
        },
        &refused);
    QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("printSetup")), Qt::LeftButton);
    QVERIFY2(refused.isEmpty(), qPrintable(refused));
    // The preview shows the dialog's choice.
    QCOMPARE(dlg.TileFlags(), TilesFromRangeText(pages, 3));
    QTest::mouseClick(dlg.findChild<QPushButton *>(QStringLiteral("print")), Qt::LeftButton);
    QCOMPARE(dlg.result(), int(QDialog::Accepted));
    QTRY_VERIFY_WITH_TIMEOUT(cups.pendingJobs().isEmpty(), YaqTest::kHangMs);
    QTRY_COMPARE_WITH_TIMEOUT(pdfPageCount(cups.output), int(printed.size()), YaqTest::kHangMs);
    const QString text = pdfText(cups.output);
    for (const QChar band : QStringLiteral("ABC"))
        QCOMPARE(text.contains(QStringLiteral("Abschnitt ") + band), printed.contains(band));
}

void TestEasyPrint::clickOnTileTogglesIt()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    FixedDocument doc(1900, 3 * 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.OnInitDialog();
    dlg.resize(900, 700);
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg, YaqTest::kHangMs));

    auto *preview = dlg.findChild<QWidget *>(QStringLiteral("preview"));
    auto *range = dlg.findChild<QLineEdit *>(QStringLiteral("range"));
    auto *somePages = dlg.findChild<QRadioButton *>(QStringLiteral("somePages"));
    auto *allPages = dlg.findChild<QRadioButton *>(QStringLiteral("allPages"));
    QCOMPARE(range->text(), QStringLiteral("1-3"));
    QVERIFY(allPages->isChecked());

    // The pages are fitted into the visible part of the scrolling preview.
    const PreviewGeometry g = ComputePreviewGeometry(preview->parentWidget()->rect(),
                                                     dlg.PageWidthMm(), dlg.PageHeightMm(), 1, 3);
    const QPoint second = PreviewTileRect(g, 1, 0).center();
    QTest::mouseClick(preview, Qt::LeftButton, {}, second);
    QCOMPARE(dlg.TileFlags(), tiles({1, 0, 1}));
    QCOMPARE(range->text(), QStringLiteral("1,3"));
    QVERIFY(somePages->isChecked());

    // Outside the grid nothing changes.
    QTest::mouseClick(preview, Qt::LeftButton, {}, QPoint(1, 1));
    QCOMPARE(dlg.TileFlags(), tiles({1, 0, 1}));

    QTest::mouseClick(preview, Qt::LeftButton, {}, second);
    QCOMPARE(range->text(), QStringLiteral("1-3"));
    QVERIFY(allPages->isChecked());

    // Unchoosing every page disables printing.
    for (int row : {0, 1, 2})
        QTest::mouseClick(preview, Qt::LeftButton, {}, PreviewTileRect(g, row, 0).center());
    QCOMPARE(range->text(), QString());
    QVERIFY(!dlg.findChild<QPushButton *>(QStringLiteral("print"))->isEnabled());
}

void TestEasyPrint::typedRangeIsRewritten()
{
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer, m_dir + QStringLiteral("/print.pdf"));
    FixedDocument doc(1900, 6 * 2770);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.OnInitDialog();
    dlg.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dlg, YaqTest::kHangMs));
    auto *range = dlg.findChild<QLineEdit *>(QStringLiteral("range"));
    auto *print = dlg.findChild<QPushButton *>(QStringLiteral("print"));
    range->setFocus();
    range->clear();
    QTest::keyClicks(range, QStringLiteral("2,4-"));
    QCOMPARE(dlg.TileFlags(), tiles({0, 1, 0, 1, 1, 1}));
    QCOMPARE(range->text(), QStringLiteral("2,4-")); // not rewritten while typing
    // Enter leaves the field for the print button, without printing.
    QTest::keyClick(range, Qt::Key_Return);
    QCOMPARE(range->text(), QStringLiteral("2,4-6"));
    QVERIFY(print->hasFocus());
    QVERIFY(dlg.isVisible());

    // A page the document does not have chooses nothing: nothing to print.
    range->setFocus();
    range->selectAll();
    QTest::keyClicks(range, QStringLiteral("7"));
    QCOMPARE(dlg.TileFlags(), tiles({0, 0, 0, 0, 0, 0}));
    QVERIFY(!print->isEnabled());

    // Return presses the button that has the focus.
    auto *cancel = dlg.findChild<QPushButton *>(QStringLiteral("cancel"));
    cancel->setFocus();
    QTest::keyClick(cancel, Qt::Key_Return);
    QVERIFY(!dlg.isVisible());
}

YAQ_TEST_MAIN(TestEasyPrint)
#include "tst_easyprint.moc"
