// Full price roll-up of a package of 500 lines in three levels of nesting,
// next to a plain loop that sums the same doubles. The ratio counter says how
// much the package rules (sentinels, rounding by text, factors) cost over
// bare arithmetic.

#include "packages/model/Paket.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <vector>

namespace {

std::unique_ptr<CPosition> PricedLine(int type, int i)
{
    auto line = std::make_unique<CPosition>();
    line->Type = type;
    line->Number = QString::number(1000000 + i);
    line->Kind = QStringLiteral("S");
    line->Quantity = QString::number(1 + i % 4);
    line->Preise1.UnitNet = 10.0 + (i % 17) * 0.35;
    line->Preise1.Vat = 19.0;
    line->Preise1.Currency = QStringLiteral("EUR");
    return line;
}

std::unique_ptr<CPaket> MakePackage(int lines, int depth, int &counter)
{
    auto paket = std::make_unique<CPaket>();
    auto head = std::make_unique<CPosition>();
    head->Type = POS_HEAD_CAMPAIGN;
    head->Number = QString::number(counter);
    paket->AddPosition(std::move(head));
    for (int i = 0; i < lines; ++i)
        paket->AddPosition(PricedLine(i % 2 ? POS_PART : POS_WORK, counter++));
    if (depth > 1) {
        for (int s = 0; s < 2; ++s) {
            auto sub = std::make_unique<CPosition>();
            sub->Type = POS_SUBPACKAGE;
            sub->SubPackage = MakePackage(lines, depth - 1, counter);
            paket->AddPosition(std::move(sub));
        }
    }
    return paket;
}

// 500 lines: 71 in each of the 7 packages of three levels (1 + 2 + 4) and
// 3 more at the top.
std::unique_ptr<CPaket> MakeBenchPackage()
{
    int counter = 0;
    auto paket = MakePackage(71, 3, counter);
    for (int i = 0; i < 3; ++i)
        paket->AddPosition(PricedLine(POS_PART, counter++));
    return paket;
}

void CollectUnitPrices(const CPaket &paket, std::vector<double> &values)
{
    for (const auto &line : paket) {
        if (line->SubPackage)
            CollectUnitPrices(*line->SubPackage, values);
        else if (IsPricedLineType(line->Type))
            values.push_back(line->Preise1.UnitNet);
    }
}

double PlainSum(const std::vector<double> &values)
{
    double sum = 0.0;
    for (double v : values)
        sum += v;
    return sum;
}

void BM_PaketRollUp(benchmark::State &state)
{
    auto paket = MakeBenchPackage();
    std::vector<double> values;
    CollectUnitPrices(*paket, values);
    double rollUpSeconds = 0.0;
    double plainSeconds = 0.0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto start = Clock::now();
        paket->CalcPositionPrices1(nullptr, nullptr);
        paket->CalcPrices1(nullptr, nullptr);
        benchmark::DoNotOptimize(paket->GetKopf()->Preise1.Net);
        rollUpSeconds += std::chrono::duration<double>(Clock::now() - start).count();

        // The plain loop over the same doubles, repeated for a measurable time.
        state.PauseTiming();
        const auto plainStart = Clock::now();
        for (int r = 0; r < 100; ++r) {
            double sum = PlainSum(values);
            benchmark::DoNotOptimize(sum);
        }
        plainSeconds += std::chrono::duration<double>(Clock::now() - plainStart).count() / 100.0;
        state.ResumeTiming();
    }
    state.counters["lines"] = double(values.size());
    state.counters["plain_loop_us"] =
        benchmark::Counter(plainSeconds * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["ratio_to_plain_loop"] = plainSeconds > 0.0 ? rollUpSeconds / plainSeconds : 0.0;
}
BENCHMARK(BM_PaketRollUp)->Unit(benchmark::kMicrosecond);

void BM_PlainSum(benchmark::State &state)
{
    auto paket = MakeBenchPackage();
    std::vector<double> values;
    CollectUnitPrices(*paket, values);
    for (auto _ : state) {
        double sum = PlainSum(values);
        benchmark::DoNotOptimize(sum);
    }
    state.counters["lines"] = double(values.size());
}
BENCHMARK(BM_PlainSum)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
