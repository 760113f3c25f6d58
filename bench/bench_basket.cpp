// One more entry offered to a basket of 200, 1,000 and 5,000 packages of 30
// lines each: the duplicate search over the stored packages, the deep copy
// of the new one and the totals of all entries recomputed - next to what a
// plain basket of numbers does for the same step: copy the package's 31
// prices and sum the head prices of all entries. The ratios say what the
// basket's rules (the package comparisons, the owned copies, the markers
// and the currency check) cost over that loop at each size; adding at
// 5,000 entries must cost at most 1.5 times adding at 200 (the basket must
// not grow worse than its plain sum).

#include "basket/model/WKList.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

const std::vector<int> kEntries = {200, 1000, 5000};
constexpr int kLines = 30;
constexpr double kGrowthTarget = 1.5;

CWKListItem MakeEntry(int n)
{
    auto paket = std::make_unique<CPaket>();
    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD;
    head->Number = head->PaketID = QString::number(1000000 + n);
    head->AwText1 = QStringLiteral("Inspektion mit Zusatzarbeiten %1").arg(n);
    head->Preise1.Gross = 119.0 + n;
    head->Preise1.Net = 100.0 + n;
    head->Preise1.Complete = 1;
    head->Preise1.TotalsCurrency = QStringLiteral("EUR");
    paket->AddPosition(std::move(head));
    for (int i = 0; i < kLines; ++i) {
        auto line = std::make_unique<CPosition>();
        line->Type = i % 2 ? POS_PART : POS_WORK;
        line->Number = QString::number(2000000 + i);
        line->Kind = QStringLiteral("S");
        line->AwText1 = QStringLiteral("Position %1").arg(i);
        line->Quantity = QStringLiteral("1");
        line->Preise1.Gross = 11.9;
        line->Preise1.Net = 10.0;
        line->Preise1.Currency = QStringLiteral("EUR");
        paket->AddPosition(std::move(line));
    }
    return CWKListItem(WK_SRP, std::move(paket));
}

// The basket as numbers: per entry its head's gross and net and its lines'.
struct NumEntry
{
    double gross = 0.0;
    double net = 0.0;
    std::vector<double> lines;
};

NumEntry ToNumbers(const CWKListItem &entry)
{
    NumEntry num;
    num.gross = entry.Head()->Preise1.Gross;
    num.net = entry.Head()->Preise1.Net;
    for (const auto &line : *entry.Paket)
        if (line->Type != POS_HEAD) {
            num.lines.push_back(line->Preise1.Gross);
            num.lines.push_back(line->Preise1.Net);
        }
    return num;
}

// The basket of that many entries, filled once for every run at that size
// (filling the largest takes seconds while adding is not linear).
CWKList &Basket(int entries)
{
    static std::map<int, std::unique_ptr<CWKList>> baskets;
    std::unique_ptr<CWKList> &list = baskets[entries];
    if (!list) {
        list = std::make_unique<CWKList>();
        for (int n = 0; n < entries; ++n)
            list->Add(MakeEntry(n), 0);
    }
    return *list;
}

void BM_BasketAdd(benchmark::State &state)
{
    const int entries = int(state.range(0));
    CWKList &list = Basket(entries);
    const CWKListItem offered = MakeEntry(entries);
    for (auto _ : state) {
        list.Add(offered, 0);
        benchmark::DoNotOptimize(list.GrossTotal());
        state.PauseTiming();
        list.Remove(list.GetAt(entries));
        state.ResumeTiming();
    }
    state.counters["entries"] = entries;
}

// The same step on the basket as numbers.
void BM_PlainAdd(benchmark::State &state)
{
    const int entries = int(state.range(0));
    CWKList &list = Basket(entries);
    std::vector<NumEntry> numbers;
    for (int n = 0; n < entries; ++n)
        numbers.push_back(ToNumbers(*list.GetAt(n)));
    const NumEntry offeredNumbers = ToNumbers(MakeEntry(entries));
    double gross = 0.0;
    for (auto _ : state) {
        numbers.push_back(offeredNumbers);
        gross = 0.0;
        double net = 0.0;
        for (const NumEntry &e : numbers) {
            gross += e.gross;
            net += e.net;
        }
        benchmark::DoNotOptimize(gross);
        benchmark::DoNotOptimize(net);
        numbers.pop_back();
        benchmark::ClobberMemory();
    }
    if (std::fabs(gross - list.GrossTotal() - offeredNumbers.gross) > 0.01)
        state.SkipWithError("the plain sum computes another total");
    state.counters["entries"] = entries;
}

} // namespace

int main(int argc, char **argv)
{
    for (const int entries : kEntries) {
        benchmark::RegisterBenchmark("BM_BasketAdd", BM_BasketAdd)
            ->Arg(entries)
            ->Unit(benchmark::kMicrosecond)
            ->ComputeStatistics("min", Fastest);
        benchmark::RegisterBenchmark("BM_PlainAdd", BM_PlainAdd)
            ->Arg(entries)
            ->Unit(benchmark::kMicrosecond)
            ->ComputeStatistics("min", Fastest);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<RatioLine> lines =
        AtSizes({"BM_BasketAdd", "BM_PlainAdd", 0, "basket add / plain sum"}, kEntries, "entries");
    const std::string largest = std::to_string(kEntries.back());
    const std::string smallest = std::to_string(kEntries.front());
    lines.push_back({"BM_BasketAdd/" + largest, "BM_BasketAdd/" + smallest, kGrowthTarget,
                     "basket add at " + Thousands(kEntries.back()) + " / at " +
                         Thousands(kEntries.front()) + " entries"});
    reporter.PrintRatios("basket add and totals", lines, benchmark::kMicrosecond);
    benchmark::Shutdown();
    return 0;
}
