// The print-out of a document drawn once and shown sheet by sheet: the
// recorded drawing looks like the painter's own, each PDF page holds the
// text that shows on its sheet and no other, and a long table keeps its
// pages, texts and page numbers (checked with pdftotext).

#include "../examples/printdemo/TableDocument.h"
#include "common/EasyPrintDlg.h"
#include "common/EasyPrintRecord.h"
#include "common/Layout.h"
#include "platform/OrmelText.h"
#include "support/TestEnv.h"
#include "support/Waits.h"

#include <QImage>
#include <QPageLayout>
#include <QPainter>
#include <QPainterPath>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QtTest>

namespace {

QString pdfText(const QString &file, int page)
{
    QProcess process;
    const YaqTest::ProcessReaper reaper(process);
    process.start(QStringLiteral("pdftotext"),
                  {QStringLiteral("-f"), QString::number(page), QStringLiteral("-l"),
                   QString::number(page), file, QStringLiteral("-")});
    if (!process.waitForFinished(YaqTest::kHangMs) || process.exitCode() != 0)
        return QString();
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Printable area 190 mm x 277 mm.
void setUpPrinter(QPrinter &printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

// Two by two sheets with one text on them, its cell's left edge at x and its
// top (or bottom) edge at y.
class OneTextDocument : public CEasyPrintVirt
{
public:
    static QString Text() { return QStringLiteral("Zylinderkopf"); }
    OneTextDocument(int x, int y, bool yIsBottom) : m_x(x), m_y(y), m_bottom(yIsBottom)
    {
        m_font.setFamily(QStringLiteral("DejaVu Sans"));
        // Small enough that a text over an edge stays on the paper of both
        // sheets (pdftotext reads nothing beyond the paper).
        m_font.setPixelSize(20);
    }
    CSize PrintPage(QPainter *dc, CRect *area, int measureOnly) override
    {
        if (!area)
            return CSize();
        if (measureOnly)
            return CSize(2 * 1900, -2 * 2770);
        int top = m_y;
        if (m_bottom) {
            CLayoutVBox probe(CRect(0, 0, 100000, -100000), dc);
            top = m_y - probe.DCDraw(&m_font, Text(), 0, 0, 0).Height();
        }
        CLayoutVBox box(CRect(m_x - area->left, top - area->top, 100000, -100000), dc);
        box.DCDraw(&m_font, Text(), 1, 0, 0);
        return CSize();
    }

private:
    int m_x;
    int m_y;
    bool m_bottom;
    QFont m_font;
};

QImage whiteImage()
{
    QImage image(120, 90, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    image.setDotsPerMeterX(3780); // 96 dpi
    image.setDotsPerMeterY(3780);
    return image;
}

void drawSample(QPainter &p, const QString &kind)
{
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(15);
    p.setRenderHint(QPainter::Antialiasing);
    if (kind == QLatin1String("rectangle")) {
        p.setPen(QPen(Qt::blue, 3));
        p.setBrush(Qt::yellow);
        p.drawRect(QRectF(10.5, 12, 60, 30));
    } else if (kind == QLatin1String("dashed line")) {
        p.setPen(QPen(Qt::red, 2, Qt::DashLine));
        p.drawLine(QPointF(5, 70), QPointF(110, 20));
    } else if (kind == QLatin1String("ellipse and polygon")) {
        p.setBrush(Qt::green);
        p.drawEllipse(QRectF(5, 5, 50, 30));
        const QPointF points[] = {{60, 80}, {110, 40}, {90, 85}};
        p.drawPolygon(points, 3);
    } else if (kind == QLatin1String("path")) {
        QPainterPath path;
        path.moveTo(10, 80);
        path.cubicTo(40, 0, 80, 120, 110, 10);
        p.setPen(QPen(Qt::darkBlue, 4));
        p.drawPath(path);
    } else if (kind == QLatin1String("text")) {
        p.setFont(font);
        p.drawText(QPointF(6, 40), QStringLiteral("Ölwechsel 12,50"));
    } else if (kind == QLatin1String("underlined text")) {
        font.setUnderline(true);
        p.setFont(font);
        p.drawText(QPointF(6, 40), QStringLiteral("Bremse"));
    } else if (kind == QLatin1String("image")) {
        QImage image(4, 4, QImage::Format_RGB32);
        for (int i = 0; i < 16; ++i)
            image.setPixel(i % 4, i / 4, i % 3 ? qRgb(200, 0, 0) : qRgb(0, 0, 200));
        p.drawImage(QRectF(20, 20, 40, 40), image);
    } else if (kind == QLatin1String("clip")) {
        p.setClipRect(QRect(20, 20, 40, 40));
        p.fillRect(QRect(0, 0, 120, 90), Qt::darkGreen);
    } else if (kind == QLatin1String("clip ends with its saved state")) {
        p.save();
        p.translate(10, 5);
        p.setClipRect(QRect(20, 20, 40, 40));
        p.fillRect(QRect(0, 0, 120, 90), Qt::darkGreen);
        p.restore();
        p.fillRect(QRect(0, 70, 120, 20), Qt::blue);
    } else if (kind == QLatin1String("turned and mirrored")) {
        p.translate(60, 45);
        p.rotate(30);
        p.scale(1.5, -1);
        p.drawRect(QRectF(-20, -10, 40, 20));
        p.setFont(font);
        p.drawText(QPointF(-20, 5), QStringLiteral("Achse"));
    } else if (kind == QLatin1String("half transparent")) {
        p.setOpacity(0.5);
        p.fillRect(QRect(10, 10, 80, 50), Qt::black);
    }
}

} // namespace

class TestPrintout : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void replayDrawsLikeThePainter_data();
    void replayDrawsLikeThePainter();
    void sheetHoldsTextThatShowsOnIt_data();
    void sheetHoldsTextThatShowsOnIt();
    void longTableKeepsPagesTextsAndNumbers();

private:
    std::unique_ptr<TestEnv> m_env;
};

void TestPrintout::initTestCase()
{
    InitOrmelText(QStringLiteral(YAQ_DEMO_DATAS_DIR "/Zirava/PrgTxt"));
    QVERIFY2(!QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty(),
             "pdftotext (poppler-utils) is needed");
}

void TestPrintout::init()
{
    m_env = std::make_unique<TestEnv>();
    m_env->answerBoxes(IDOK);
}

void TestPrintout::cleanup()
{
    m_env.reset();
}

// Drawn once straight onto an image and once recorded and replayed onto
// another: the two images are the same.
void TestPrintout::replayDrawsLikeThePainter_data()
{
    QTest::addColumn<QString>("kind");
    // clang-format off
    QTest::newRow("rectangle with pen and brush") << QStringLiteral("rectangle");
    QTest::newRow("dashed line") << QStringLiteral("dashed line");
    QTest::newRow("ellipse and polygon") << QStringLiteral("ellipse and polygon");
    QTest::newRow("path") << QStringLiteral("path");
    QTest::newRow("text") << QStringLiteral("text");
    QTest::newRow("underlined text, the line once") << QStringLiteral("underlined text");
    QTest::newRow("image") << QStringLiteral("image");
    QTest::newRow("clip") << QStringLiteral("clip");
    QTest::newRow("clip ends with its saved state") << QStringLiteral("clip ends with its saved state");
    QTest::newRow("turned and mirrored") << QStringLiteral("turned and mirrored");
    QTest::newRow("half transparent") << QStringLiteral("half transparent");
    // clang-format on
}

void TestPrintout::replayDrawsLikeThePainter()
{
    QFETCH(QString, kind);
    QImage direct = whiteImage();
    {
        QPainter painter(&direct);
        drawSample(painter, kind);
    }
    CEasyPrintRecord record(direct.size(), 96, 50);
    {
        QPainter painter(&record);
        drawSample(painter, kind);
    }
    QImage replayed = whiteImage();
    {
        QPainter painter(&replayed);
        record.Play(&painter, QRectF(QPointF(0, 0), direct.size()));
    }
    QVERIFY(direct != whiteImage());
    QCOMPARE(replayed, direct);
}

// Sheets 1 and 2 side by side, 3 and 4 below them.
void TestPrintout::sheetHoldsTextThatShowsOnIt_data()
{
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::addColumn<bool>("yIsBottom");
    QTest::addColumn<QList<int>>("pages");
    // clang-format off
    QTest::newRow("inside the first sheet") << 100 << -100 << false << QList<int>{1};
    QTest::newRow("ending on the first sheet's lower edge") << 100 << -2770 << true << QList<int>{1};
    QTest::newRow("starting on the third sheet's upper edge") << 100 << -2770 << false << QList<int>{3};
    QTest::newRow("over the edge of the first and the third sheet") << 100 << -2750 << false << QList<int>{1, 3};
    QTest::newRow("starting on the second sheet's left edge") << 1900 << -100 << false << QList<int>{2};
    QTest::newRow("over the edge of the first and the second sheet") << 1850 << -100 << false << QList<int>{1, 2};
    // clang-format on
}

void TestPrintout::sheetHoldsTextThatShowsOnIt()
{
    QFETCH(int, x);
    QFETCH(int, y);
    QFETCH(bool, yIsBottom);
    QFETCH(QList<int>, pages);

    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    OneTextDocument doc(x, y, yIsBottom);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.SetPdfFolder(m_env->path());
    dlg.SetDocumentOpener([](const QUrl &) { return true; });
    QVERIFY(dlg.Print(true));
    QCOMPARE(dlg.Columns() * dlg.Rows(), 4);
    QList<int> found;
    for (int page = 1; page <= 4; ++page)
        if (pdfText(dlg.PdfFilePath(), page).contains(OneTextDocument::Text()))
            found << page;
    QCOMPARE(found, pages);
}

// Every page: its own rows, following those of the page before, under one
// table head, and its own page number; every row once.
void TestPrintout::longTableKeepsPagesTextsAndNumbers()
{
    const int rows = 1200;
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    TableDocument doc(rows);
    CEasyPrintDlg dlg(&doc);
    dlg.SetPrinter(&printer);
    dlg.SetPageNumbers(1);
    dlg.SetPdfFolder(m_env->path());
    dlg.SetDocumentOpener([](const QUrl &) { return true; });
    QVERIFY(dlg.Print(true));
    QVERIFY(dlg.Rows() >= 20);
    QCOMPARE(dlg.Columns(), 1);

    const QRegularExpression rowPattern(QStringLiteral("Position (\\d+):"));
    const QRegularExpression numberLine(QStringLiteral("^\\d{1,3}$"),
                                        QRegularExpression::MultilineOption);
    int lastRow = 0;
    for (int page = 1; page <= dlg.Rows(); ++page) {
        const QString text = pdfText(dlg.PdfFilePath(), page);
        const QString where = QStringLiteral("page %1").arg(page);
        QVERIFY2(!text.isEmpty(), qPrintable(where));
        QVERIFY2(text.count(QStringLiteral("Bezeichnung")) == 1, qPrintable(where));
        QCOMPARE(text.contains(QStringLiteral("YAQ2 Testdokument")), page == 1);
        QStringList numbers;
        for (auto m = numberLine.globalMatch(text); m.hasNext();)
            numbers << m.next().captured();
        QCOMPARE(numbers, QStringList{QString::number(page)});
        QList<int> found;
        for (auto m = rowPattern.globalMatch(text); m.hasNext();)
            found << m.next().captured(1).toInt();
        std::sort(found.begin(), found.end());
        QVERIFY2(!found.isEmpty(), qPrintable(where));
        for (int i = 0; i < found.size(); ++i)
            QVERIFY2(found.at(i) == lastRow + 1 + i, qPrintable(where));
        lastRow = found.constLast();
        QCOMPARE(text.count(QStringLiteral("Arbeitswert")),
                 int(std::count_if(found.begin(), found.end(), [](int r) { return r % 7 != 0; })));
    }
    QCOMPARE(lastRow, rows);
}

YAQ_TEST_MAIN(TestPrintout)
#include "tst_printout.moc"
