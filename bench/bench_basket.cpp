// One more entry offered to a basket of 200 packages of 30 lines each: the
// duplicate search over the stored packages, the deep copy of the new one
// and the totals of all entries recomputed - next to what a plain basket of
// numbers does for the same step: copy the package's 31 prices and sum the
// head prices of all entries. The ratio says what the basket's rules (the
// package comparisons, the owned copies, the markers and the currency
// check) cost over that loop.

#include "basket/model/WKList.h"
#include "packages/model/Paket.h"
#include "packages/model/Position.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kEntries = 200;
constexpr int kLines = 30;

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

void BM_BasketAdd(benchmark::State &state)
{
    CWKList list;
    std::vector<NumEntry> numbers;
    for (int n = 0; n < kEntries; ++n) {
        list.Add(MakeEntry(n), 0);
        numbers.push_back(ToNumbers(*list.GetAt(n)));
    }
    const CWKListItem offered = MakeEntry(kEntries);
    const NumEntry offeredNumbers = ToNumbers(offered);

    double basketSeconds = 0.0;
    double plainSeconds = 0.0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto start = Clock::now();
        list.Add(offered, 0);
        benchmark::DoNotOptimize(list.GrossTotal());
        basketSeconds += std::chrono::duration<double>(Clock::now() - start).count();

        state.PauseTiming();
        list.Remove(list.GetAt(kEntries));
        // The plain step, repeated for a measurable time.
        const auto plainStart = Clock::now();
        double gross = 0.0;
        double net = 0.0;
        for (int r = 0; r < 100; ++r) {
            numbers.push_back(offeredNumbers);
            gross = 0.0;
            net = 0.0;
            for (const NumEntry &e : numbers) {
                gross += e.gross;
                net += e.net;
            }
            benchmark::DoNotOptimize(gross);
            benchmark::DoNotOptimize(net);
            numbers.pop_back();
            benchmark::ClobberMemory();
        }
        plainSeconds += std::chrono::duration<double>(Clock::now() - plainStart).count() / 100.0;
        if (std::fabs(gross - list.GrossTotal() - offeredNumbers.gross) > 0.01) {
            state.SkipWithError("the plain sum computes another total");
            return;
        }
        state.ResumeTiming();
    }
    state.counters["plain_us"] =
        benchmark::Counter(plainSeconds * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["ratio_to_plain"] = plainSeconds > 0.0 ? basketSeconds / plainSeconds : 0.0;
}
BENCHMARK(BM_BasketAdd)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ratio = reporter.Counter("BM_BasketAdd", "ratio_to_plain").value_or(0.0);
    if (ratio > 0.0)
        std::printf("basket add and totals / plain sum: %.1fx\n", ratio);
    benchmark::Shutdown();
    return 0;
}
