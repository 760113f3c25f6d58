// One more entry offered to a basket of 200, 1,000 and 5,000 packages of 30
// lines each: the duplicate looked up by its key, the deep copy of the new
// one and its price added to the basket's totals - next to the same step
// without the basket's rules: the package copied into a plain list and its
// head prices added to running totals. The ratios say what the rules (the
// duplicate look-up, the entry's copy around the package, the markers and
// the currency check) cost over that at each size (shown only); adding at
// 5,000 entries must cost at most 1.5 times adding at 200 (filling a basket
// stays linear).

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

// The basket of that many entries, filled once for every run at that size.
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

// The same step without the basket's rules: the package copied into a
// plain list of packages and its head prices added to running totals.
void BM_PlainAdd(benchmark::State &state)
{
    const int entries = int(state.range(0));
    CWKList &list = Basket(entries);
    std::vector<std::unique_ptr<CPaket>> packages;
    double grossSum = 0.0;
    double netSum = 0.0;
    for (int n = 0; n < entries; ++n) {
        packages.push_back(std::make_unique<CPaket>(*list.GetAt(n)->Paket));
        grossSum += packages.back()->GetKopf()->Preise1.Gross;
        netSum += packages.back()->GetKopf()->Preise1.Net;
    }
    const CWKListItem offered = MakeEntry(entries);
    double gross = 0.0;
    for (auto _ : state) {
        packages.push_back(std::make_unique<CPaket>(*offered.Paket));
        const CPosition *head = packages.back()->GetKopf();
        gross = grossSum + head->Preise1.Gross;
        const double net = netSum + head->Preise1.Net;
        benchmark::DoNotOptimize(gross);
        benchmark::DoNotOptimize(net);
        state.PauseTiming();
        packages.pop_back();
        state.ResumeTiming();
    }
    if (std::fabs(gross - list.GrossTotal() - offered.Head()->Preise1.Gross) > 0.01)
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
    std::vector<RatioLine> lines = AtSizes(
        {"BM_BasketAdd", "BM_PlainAdd", 0, "basket add / plain copy and sum"}, kEntries, "entries");
    const std::string largest = std::to_string(kEntries.back());
    const std::string smallest = std::to_string(kEntries.front());
    lines.push_back({"BM_BasketAdd/" + largest, "BM_BasketAdd/" + smallest, kGrowthTarget,
                     "basket add at " + Thousands(kEntries.back()) + " / at " +
                         Thousands(kEntries.front()) + " entries"});
    reporter.PrintRatios("basket add and totals", lines, benchmark::kMicrosecond);
    benchmark::Shutdown();
    return 0;
}
