// Opening a list of 1,000, 10,000 and 50,000 package rows and painting its
// first screen, and scrolling it a screen at a time: the owner-drawn list
// box (rows measured and painted through the layout boxes, word-wrapped,
// measured only when shown) next to what a competent engineer would use
// for the same rows: a QListView with the same texts in the same font,
// word-wrapped by Qt's own delegate, rows of their own heights, laid out
// in batches (the first batch, a screen of rows, before the first paint,
// the others while the window waits for input).
//
// The batched QListView shows no row before its last batch is laid out;
// what the user sees of it first is its first screen painted by its own
// plain delegate, so the baseline's opening paints that screen once with
// the view's delegate, each row measured and drawn at the viewport's width
// (neither its first batch laid out nor its still empty viewport rendered
// besides: the rows of that screen are measured once, as the owner-drawn
// list measures them).
// Each opening brings texts not seen before, as a new vehicle does; the
// texts of the last opening are freed outside the timed part on both
// sides. The batched list is scrolled once every batch is laid out. The
// ratios of the two times are printed at the end for each size (target: at
// most 1.5 for opening, at most 3 for scrolling).

#include "common/Layout.h"
#include "common/OwnLB.h"
#include "common/OwnLBDelegate.h"
#include "support/BenchRatio.h"

#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QListView>
#include <QPainter>
#include <QScrollBar>
#include <QStringListModel>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

namespace {

const std::vector<int> kRows = {1000, 10000, 50000};
const QSize kListSize(420, 600);

QFont RowFont()
{
    QFont font;
    font.setPixelSize(13);
    return font;
}

// Package texts of one to three lines at the list's width; the round makes
// every opening's texts new.
QStringList packageTexts(int rows, int round)
{
    static const char *const kWork[] = {
        "Inspektion mit Ölwechsel und Filter",
        "Bremsbeläge vorn ersetzen, Bremsscheiben prüfen und bei Bedarf ersetzen",
        "Klimaanlage warten: Kältemittel absaugen, Anlage evakuieren, neu befüllen und "
        "Dichtheit prüfen",
        "Zahnriemen mit Wasserpumpe",
    };
    QStringList texts;
    texts.reserve(rows);
    for (int row = 0; row < rows; ++row)
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
    PackageRowPainter() : m_font(RowFont()) {}

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
    std::unique_ptr<QAbstractItemView> list;
    QImage screen{kListSize, QImage::Format_ARGB32_Premultiplied};
    const bool own;

    explicit Lists(bool ownDrawn) : own(ownDrawn)
    {
        NewList();
        screen.fill(Qt::white);
    }
    // A new list shown without rows. The batched list would not start a
    // new layout while the batches of the last one are still waiting.
    void NewList()
    {
        list.reset();
        if (own) {
            auto ownList = std::make_unique<COwnLB>();
            ownList->setItemDelegate(&painter);
            list = std::move(ownList);
        } else {
            auto batched = std::make_unique<QListView>();
            batched->setFont(RowFont());
            batched->setWordWrap(true);
            batched->setLayoutMode(QListView::Batched);
            // The first batch is a screen: as many rows as fit when each
            // holds one line, as the owner-drawn list measures one screen
            // before its first paint.
            batched->setBatchSize(
                std::max(1, kListSize.height() / (QFontMetrics(RowFont()).lineSpacing() + 4)));
            batched->setUniformItemSizes(false);
            list = std::move(batched);
        }
        list->resize(kListSize);
        list->show();
    }
    // Lets go of the texts of the last opening (outside the timing).
    void Empty() { model.setStringList(QStringList()); }
    // A function of its own, so that a profile can count the opening alone.
    [[gnu::noinline]] void Open(const QStringList &texts)
    {
        model.setStringList(texts);
        list->setModel(&model);
        if (own) {
            // What the list's delayed layout runs before it is first painted.
            list->doItemsLayout();
            Paint();
        } else {
            // Its first screen, once: each row measured and drawn one time.
            PaintFirstScreen();
        }
    }
    void Paint()
    {
        QPainter dc(&screen);
        list->viewport()->render(&dc);
    }
    // The first screen of the batched list as the user sees it: its rows
    // from the top, each measured and drawn by the view's own delegate at
    // the viewport's width, word-wrapped in the view's font.
    void PaintFirstScreen()
    {
        QPainter dc(&screen);
        QAbstractItemDelegate *delegate = list->itemDelegate();
        const QWidget *viewport = list->viewport();
        QStyleOptionViewItem option;
        option.initFrom(viewport);
        option.font = list->font();
        option.features = QStyleOptionViewItem::WrapText;
        option.displayAlignment = Qt::AlignLeft | Qt::AlignVCenter;
        option.textElideMode = list->textElideMode();
        option.widget = list.get();
        const int width = viewport->width();
        const int height = viewport->height();
        const int rows = model.rowCount();
        for (int row = 0, y = 0; row < rows && y < height; ++row) {
            const QModelIndex index = model.index(row, 0);
            option.rect = QRect(0, 0, width, height);
            const int h = delegate->sizeHint(option, index).height();
            option.rect = QRect(0, y, width, h);
            delegate->paint(&dc, option, index);
            y += h;
        }
    }
    // Lets the batched list lay out its remaining rows, as it does while
    // the window waits for input; a layout that starts again (the scroll
    // bar shown takes width from the rows) runs to its end too.
    void FinishLayout(int rows)
    {
        const QModelIndex last = model.index(rows - 1, 0);
        int done = 0;
        for (int pass = 0; pass < 20 * (rows / 100 + 10) && done < 10; ++pass) {
            QCoreApplication::processEvents();
            done = list->visualRect(last).isValid() ? done + 1 : 0;
        }
    }
};

void openAndPaint(benchmark::State &state, bool own)
{
    const int rows = int(state.range(0));
    Lists lists(own);
    int round = 0;
    QStringList texts;
    for (auto _ : state) {
        state.PauseTiming();
        // The last opening's texts and list go before the timing resumes.
        lists.Empty();
        lists.NewList();
        texts = packageTexts(rows, ++round);
        state.ResumeTiming();
        lists.Open(texts);
    }
}

void scrollAndPaint(benchmark::State &state, bool own)
{
    const int rows = int(state.range(0));
    Lists lists(own);
    lists.Open(packageTexts(rows, 0));
    lists.FinishLayout(rows);
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
void BM_BatchedListOpen(benchmark::State &state)
{
    openAndPaint(state, false);
}
void BM_OwnLBScroll(benchmark::State &state)
{
    scrollAndPaint(state, true);
}
void BM_BatchedListScroll(benchmark::State &state)
{
    scrollAndPaint(state, false);
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    for (const int rows : kRows) {
        for (const auto &[name, run] : {std::make_pair("BM_OwnLBOpen", BM_OwnLBOpen),
                                        std::make_pair("BM_BatchedListOpen", BM_BatchedListOpen)})
            benchmark::RegisterBenchmark(name, run)->Arg(rows)->MinTime(1.0)->Unit(
                benchmark::kMillisecond);
    }
    for (const int rows : kRows) {
        for (const auto &[name, run] :
             {std::make_pair("BM_OwnLBScroll", BM_OwnLBScroll),
              std::make_pair("BM_BatchedListScroll", BM_BatchedListScroll)})
            benchmark::RegisterBenchmark(name, run)->Arg(rows)->MinTime(0.5)->Unit(
                benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<RatioLine> lines =
        AtSizes({"BM_OwnLBOpen", "BM_BatchedListOpen", 1.5, "open and paint"}, kRows, "rows");
    for (const RatioLine &line :
         AtSizes({"BM_OwnLBScroll", "BM_BatchedListScroll", 3.0, "scroll a screen"}, kRows, "rows"))
        lines.push_back(line);
    reporter.PrintRatios("owner-drawn list / word-wrapping QListView laid out in batches", lines,
                         benchmark::kMicrosecond);
    benchmark::Shutdown();
    return 0;
}
