// Writing a PDF of a table of 50, 100 and 200 pages: through the layout boxes
// and the print engine, next to the same table drawn by plain QPainter calls
// into the same kind of PDF writer. The ratio of the two times, printed at the
// end for each length, is the price of the layout boxes; it must not grow
// with the pages (target for 200 pages: at most 3).

#include "../examples/printdemo/TableDocument.h"
#include "common/EasyPrintDlg.h"
#include "support/BenchRatio.h"

#include <QApplication>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>

namespace {

// The rows of the test table that fill about that many A4 pages.
int rowsFor(int pages)
{
    return pages * 576 / 10;
}

void setUpPrinter(QPrinter &printer)
{
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
}

void BM_LayoutBoxesPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    setUpPrinter(printer);
    TableDocument doc(rowsFor(int(state.range(0))));
    CEasyPrintDlg engine(&doc);
    engine.SetPrinter(&printer);
    engine.SetPdfFolder(dir.path());
    engine.SetDocumentOpener([](const QUrl &) { return true; });
    for (auto _ : state) {
        if (!engine.Print(true))
            state.SkipWithError("PDF not written");
    }
    state.counters["pages"] = engine.Rows() * engine.Columns();
}

// The same table with the same fonts, page breaks and cell widths, drawn
// straight onto a PDF writer in 0.1 mm units with y downwards.
void BM_PlainPainterPdf(benchmark::State &state)
{
    QTemporaryDir dir;
    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(60);
    title.setBold(true);
    title.setHintingPreference(QFont::PreferNoHinting);
    QFont head = title;
    head.setPixelSize(38);
    QFont body = head;
    body.setBold(false);
    body.setPixelSize(35);
    const QFontMetricsF fmTitle(title), fmHead(head), fmBody(body);
    const double pageHeight = 2770;
    const QPointF margin(10 * 72 / 25.4 * 1200 / 72, 10 * 72 / 25.4 * 1200 / 72);
    const int rows = rowsFor(int(state.range(0)));
    int pages = 0;

    for (auto _ : state) {
        QPdfWriter writer(dir.filePath(QStringLiteral("plain.pdf")));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        QPainter painter(&writer);
        painter.translate(margin);
        painter.scale(1200 / 254.0, 1200 / 254.0);
        pages = 1;
        double y = 0;
        auto drawHead = [&]() {
            painter.setFont(head);
            painter.drawText(QRectF(100, y, 200, fmHead.lineSpacing()), Qt::AlignLeft,
                             QStringLiteral("Nr."));
            painter.drawText(QRectF(350, y, 1100, fmHead.lineSpacing()), Qt::AlignLeft,
                             QStringLiteral("Bezeichnung"));
            painter.drawText(QRectF(1450, y, 300, fmHead.lineSpacing()), Qt::AlignRight,
                             QStringLiteral("Preis"));
            y += std::ceil(fmHead.lineSpacing());
        };
        painter.setFont(title);
        painter.drawText(QPointF(100, y + fmTitle.ascent()), QStringLiteral("YAQ2 Testdokument"));
        y += std::ceil(fmTitle.lineSpacing()) + 50;
        drawHead();
        painter.setFont(body);
        for (int row = 1; row <= rows; ++row) {
            const QString text = TableDocument::RowText(row);
            const QRectF textRect =
                fmBody.boundingRect(QRectF(0, 0, 1100, 100000), Qt::TextWordWrap, text);
            const double rowHeight =
                std::max(std::ceil(textRect.height()), std::ceil(fmBody.lineSpacing()));
            if (y + rowHeight > pageHeight) {
                writer.newPage();
                ++pages;
                y = 0;
                drawHead();
                painter.setFont(body);
            }
            painter.drawText(QRectF(100, y, 200, rowHeight), Qt::AlignLeft,
                             TableDocument::RowNumber(row));
            painter.drawText(QRectF(350, y, 1100, rowHeight), Qt::TextWordWrap, text);
            painter.drawText(QRectF(1450, y, 300, rowHeight), Qt::AlignRight,
                             TableDocument::RowPrice(row));
            y += rowHeight;
        }
        painter.end();
    }
    state.counters["pages"] = pages;
}

} // namespace

BENCHMARK(BM_LayoutBoxesPdf)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);
BENCHMARK(BM_PlainPainterPdf)
    ->Arg(50)
    ->Arg(100)
    ->Arg(200)
    ->MinTime(2.0)
    ->Unit(benchmark::kMillisecond)
    ->ComputeStatistics("min", Fastest);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // With repetitions, the fastest of each.
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("layout boxes / plain painter calls",
                         {{"BM_LayoutBoxesPdf/50", "BM_PlainPainterPdf/50", 3.0, "50 pages"},
                          {"BM_LayoutBoxesPdf/100", "BM_PlainPainterPdf/100", 3.0, "100 pages"},
                          {"BM_LayoutBoxesPdf/200", "BM_PlainPainterPdf/200", 3.0, "200 pages"}},
                         benchmark::kMillisecond);
    benchmark::Shutdown();
    return 0;
}
