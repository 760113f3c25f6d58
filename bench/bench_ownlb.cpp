// Opening a list of 10,000 package rows and painting its first screen, and
// scrolling it a screen at a time: the owner-drawn list box (rows measured
// and painted through the layout boxes, word-wrapped, measured only when
// shown) next to a plain QListView with the same texts and Qt's own
// delegate. Each opening brings texts not seen before, as a new vehicle
// does. The ratio of the two times is printed at the end (target: at most
// 2 for opening, at most 3 for scrolling).

#include "common/Layout.h"
#include "common/OwnLB.h"
#include "common/OwnLBDelegate.h"
#include "support/BenchRatio.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>
#include <QStringListModel>
#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>
#include <string>

namespace {

constexpr int kRows = 10000;
const QSize kListSize(420, 600);

// Package texts of one to three lines at the list's width; the round makes
// every opening's texts new.
QStringList packageTexts(int round)
{
    static const char *const kWork[] = {
        "Inspektion mit Ölwechsel und Filter",
        "Bremsbeläge vorn ersetzen, Bremsscheiben prüfen und bei Bedarf ersetzen",
        "Klimaanlage warten: Kältemittel absaugen, Anlage evakuieren, neu befüllen und "
        "Dichtheit prüfen",
        "Zahnriemen mit Wasserpumpe",
    };
    QStringList texts;
    texts.reserve(kRows);
    for (int row = 0; row < kRows; ++row)
        texts << QStringLiteral("%1 %2 (%3)")
                     .arg(row, 5, 10, QLatin1Char('0'))
                     .arg(QString::fromUtf8(kWork[row % 4]))
                     .arg(round);
    return texts;
}

// A row: the text word-wrapped in a vertical box, 4 pixels in from the left.
class PackageRowPainter : public COwnLBDelegate
{
public:
    PackageRowPainter() { m_font.setPixelSize(13); }

protected:
    void PaintRow(QPainter *painter, const QStyleOptionViewItem &option,
                  const QModelIndex &index) const override
    {
        const bool selected = option.state & QStyle::State_Selected;
        painter->save();
        painter->fillRect(option.rect,
                          selected ? option.palette.color(QPalette::Highlight) : QColor(Qt::white));
        painter->setPen(selected ? QColor(255, 255, 0) : QColor(Qt::black));
        const QRect r = option.rect;
        RowLayout(painter, index, CRect(r.left(), r.top(), r.right() + 1, r.bottom() + 1), 1);
        painter->restore();
    }
    int MeasureRowHeight(const QStyleOptionViewItem &option,
                         const QModelIndex &index) const override
    {
        return RowLayout(nullptr, index, CRect(0, 0, option.rect.width(), 10000), 0);
    }

private:
    int RowLayout(QPainter *dc, const QModelIndex &index, const CRect &rect, int paint) const
    {
        CLayoutVBox row(rect, dc);
        row.AddSize(0, 2);
        {
            CLayoutHBox line(row);
            line.AddSize(4, 0);
            CLayoutVBox text(line);
            text.SetWordbreak(1);
            text.DCDraw(&m_font, index.data().toString(), paint, 0, 0);
        }
        row.AddSize(0, 2);
        return row.GetResultRect().Height();
    }

    QFont m_font;
};

// One shown list of either kind.
struct Lists
{
    QStringListModel model;
    PackageRowPainter painter;
    std::unique_ptr<QListView> list;
    QImage screen{kListSize, QImage::Format_ARGB32_Premultiplied};

    explicit Lists(bool own)
    {
        if (own) {
            auto ownList = std::make_unique<COwnLB>();
            ownList->setItemDelegate(&painter);
            list = std::move(ownList);
        } else {
            list = std::make_unique<QListView>();
        }
        list->resize(kListSize);
        list->show();
        screen.fill(Qt::white);
    }
    void Open(const QStringList &texts)
    {
        model.setStringList(texts);
        list->setModel(&model);
        // What the list's delayed layout runs before it is first painted.
        list->doItemsLayout();
        Paint();
    }
    void Paint()
    {
        QPainter dc(&screen);
        list->viewport()->render(&dc);
    }
};

void openAndPaint(benchmark::State &state, bool own)
{
    Lists lists(own);
    int round = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const QStringList texts = packageTexts(++round);
        lists.list->setModel(nullptr);
        state.ResumeTiming();
        lists.Open(texts);
    }
}

void scrollAndPaint(benchmark::State &state, bool own)
{
    Lists lists(own);
    lists.Open(packageTexts(0));
    QScrollBar *bar = lists.list->verticalScrollBar();
    for (auto _ : state) {
        const int next = bar->value() + bar->pageStep();
        bar->setValue(next > bar->maximum() ? 0 : next);
        lists.Paint();
    }
}

void BM_OwnLBOpen(benchmark::State &state)
{
    openAndPaint(state, true);
}
void BM_PlainListOpen(benchmark::State &state)
{
    openAndPaint(state, false);
}
void BM_OwnLBScroll(benchmark::State &state)
{
    scrollAndPaint(state, true);
}
void BM_PlainListScroll(benchmark::State &state)
{
    scrollAndPaint(state, false);
}

} // namespace

BENCHMARK(BM_OwnLBOpen)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PlainListOpen)->MinTime(2.0)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_OwnLBScroll)->MinTime(1.0)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PlainListScroll)->MinTime(1.0)->Unit(benchmark::kMicrosecond);

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("owner-drawn list / plain QListView, " + std::to_string(kRows) + " rows",
                         {{"BM_OwnLBOpen", "BM_PlainListOpen", 2.0, "open and paint"},
                          {"BM_OwnLBScroll", "BM_PlainListScroll", 3.0, "scroll a screen"}});
    benchmark::Shutdown();
    return 0;
}
