// A basket of 50, 200 and 800 labour positions written as the offer on the
// standard form to PDF through the print engine, next to the same pages
// drawn with plain QPainter calls into the same kind of PDF writer. The
// engine draws the document once and shows it sheet by sheet, so the ratio
// must not grow with the pages (target: at most 3).

#include "basket/model/WKList.h"
#include "basket/print/BasketPrintOut.h"
#include "common/EasyPrintDlg.h"
#include "packages/model/Position.h"
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
#include <vector>

namespace {

const std::vector<int> kEntries = {50, 200, 800};

QString entryText(int i)
{
    return QStringLiteral("Arbeitsposition %1: Bremsanlage pruefen, Belaege und Scheiben "
                          "nach Verschleiss ersetzen")
        .arg(i);
}

void fillBasket(CWKList &list, int entries)
{
    for (int i = 0; i < entries; ++i) {
        auto p = std::make_unique<CPosition>();
        p->Type = POS_BASKET_LABOUR;
        p->Number = QStringLiteral("34%1").arg(i, 5, 10, QLatin1Char('0'));
        p->AwText1 = entryText(i);
        p->Quantity = QStringLiteral("10");
        p->Preise1.Net = 10.0 + i;
        p->Preise1.Gross = (10.0 + i) * 1.19;
        p->Preise1.UnitNet = 1.0 + i / 10.0;
        p->Preise1.Currency = QStringLiteral("EUR");
        list.Add(CWKListItem(std::move(p)), 1);
    }
}

void BM_BasketOfferPdf(benchmark::State &state)
{
    const int entries = int(state.range(0));
    QTemporaryDir dir;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                      QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    CWKList list;
    fillBasket(list, entries);
    CBasketPrintData data;
    data.firma = QStringLiteral("Autohaus Muster GmbH");
    data.titel = QStringLiteral("Angebot");
    CBasketPrintOut printOut(&list, data);
    CEasyPrintDlg engine(&printOut);
    engine.SetPrinter(&printer);
    engine.SetPdfFolder(dir.path());
    engine.SetDocumentOpener([](const QUrl &) { return true; });
    for (auto _ : state) {
        if (!engine.Print(true))
            state.SkipWithError("PDF not written");
    }
    state.counters["pages"] = printOut.PageCount();
}

// The same rows with the same fonts and widths, drawn straight onto a PDF
// writer in 0.1 mm with y downwards: number, wrapped designation,
// quantity, unit price and price, a page number on every page.
void BM_PlainPainterPdf(benchmark::State &state)
{
    const int entries = int(state.range(0));
    QTemporaryDir dir;
    QFont body(QStringLiteral("Arial"));
    body.setPixelSize(35); // 10 pt in 0.1 mm
    body.setHintingPreference(QFont::PreferNoHinting);
    const QFontMetricsF fm(body);
    const double pageHeight = 2770;
    const double scale = 1200 / 254.0;
    int pages = 0;
    for (auto _ : state) {
        QPdfWriter writer(dir.filePath(QStringLiteral("plain.pdf")));
        writer.setResolution(1200);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                         QMarginsF(0, 0, 0, 0), QPageLayout::Point));
        QPainter painter(&writer);
        painter.translate(100 * scale, 100 * scale);
        painter.scale(scale, scale);
        painter.setFont(body);
        pages = 1;
        double y = 1500; // letterhead, vehicle block and column heads
        for (int i = 0; i < entries; ++i) {
            const QString text = entryText(i);
            const QRectF textRect =
                fm.boundingRect(QRectF(0, 0, 780, 100000), Qt::TextWordWrap, text);
            const double rowHeight = std::ceil(textRect.height()) + 19 + fm.lineSpacing();
            if (y + rowHeight > pageHeight - 650) {
                painter.drawText(QRectF(90, pageHeight - 100, 1780, fm.lineSpacing()),
                                 Qt::AlignRight, QStringLiteral("%1/%2").arg(pages).arg(99));
                writer.newPage();
                ++pages;
                y = 500;
            }
            painter.drawText(QRectF(90, y, 330, rowHeight), Qt::AlignLeft,
                             QStringLiteral("34 00 %1").arg(i));
            painter.drawText(QRectF(420, y, 780, rowHeight), Qt::TextWordWrap, text);
            painter.drawText(QRectF(1200, y, 190, rowHeight), Qt::AlignLeft, QStringLiteral("10"));
            painter.drawText(QRectF(1390, y, 190, rowHeight), Qt::AlignLeft,
                             QString::number(1.0 + i / 10.0, 'f', 2));
            painter.drawText(QRectF(1580, y, 290, rowHeight), Qt::AlignRight,
                             QString::number(10.0 + i, 'f', 2));
            painter.drawLine(QPointF(90, y + rowHeight), QPointF(1870, y + rowHeight));
            y += rowHeight;
        }
        painter.end();
    }
    state.counters["pages"] = pages;
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const int entries : kEntries) {
        for (const auto &[name, run] : {std::make_pair("BM_BasketOfferPdf", BM_BasketOfferPdf),
                                        std::make_pair("BM_PlainPainterPdf", BM_PlainPainterPdf)})
            benchmark::RegisterBenchmark(name, run)
                ->Arg(entries)
                ->MinTime(1.0)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", Fastest);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    // With repetitions, the fastest of each.
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(
        "basket offer / plain painter calls",
        AtSizes({"BM_BasketOfferPdf", "BM_PlainPainterPdf", 3.0, "offer"}, kEntries, "entries"),
        benchmark::kMillisecond);
    benchmark::Shutdown();
    return 0;
}
