// Full price roll-up of a package of 500 lines in three levels of nesting,
// next to the same roll-up written on numbers: the lines' unit prices,
// quantities and VAT rates parsed beforehand, each line's gross and net
// derived and rounded to the cent inline, the package sums added up level by
// level. The ratio says what the package rules (texts, sentinels, the
// rounding contract, factors) cost over that plain loop; target: at most 20.

#include "packages/model/Paket.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <cmath>
#include <cstdio>
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

// The same package as plain numbers: what a roll-up on numbers reads and
// writes.
struct NumLine
{
    double unitNet = 0.0;
    double quantity = 0.0;
    double vat = 0.0;
    double gross = 0.0;
    double net = 0.0;
    struct NumPackage *sub = nullptr;
};

struct NumPackage
{
    std::vector<NumLine> lines;
    std::vector<std::unique_ptr<NumPackage>> subs;
    double gross = 0.0;
    double net = 0.0;
};

std::unique_ptr<NumPackage> ToNumbers(const CPaket &paket)
{
    auto num = std::make_unique<NumPackage>();
    for (const auto &line : paket) {
        NumLine l;
        if (line->SubPackage) {
            num->subs.push_back(ToNumbers(*line->SubPackage));
            l.sub = num->subs.back().get();
        } else if (IsPricedLineType(line->Type)) {
            l.unitNet = line->Preise1.UnitNet;
            l.quantity = ParseNumber(line->GetPriceQuantity());
            l.vat = line->Preise1.Vat;
        } else {
            continue;
        }
        num->lines.push_back(l);
    }
    return num;
}

inline double RoundCents(double value)
{
    return std::floor(value * 100.0 + 0.5) / 100.0;
}

// Gross from net with the VAT rate, net back from the rounded gross, both
// rounded; sub-packages first; the sums of every level.
void RollUpNumbers(NumPackage &paket)
{
    double gross = 0.0;
    double net = 0.0;
    for (NumLine &line : paket.lines) {
        if (line.sub) {
            RollUpNumbers(*line.sub);
            line.gross = line.sub->gross;
            line.net = line.sub->net;
        } else {
            line.gross = RoundCents((line.vat + 100.0) * (line.unitNet * line.quantity) / 100.0);
            line.net = RoundCents(line.gross * 100.0 / (100.0 + line.vat));
        }
        gross += line.gross;
        net += line.net;
    }
    paket.gross = gross;
    paket.net = net;
}

int CountLines(const NumPackage &paket)
{
    int n = 0;
    for (const NumLine &line : paket.lines)
        n += line.sub ? CountLines(*line.sub) : 1;
    return n;
}

void BM_PaketRollUp(benchmark::State &state)
{
    auto paket = MakeBenchPackage();
    auto numbers = ToNumbers(*paket);
    paket->CalcPositionPrices1(nullptr);
    paket->CalcPrices1(nullptr);
    RollUpNumbers(*numbers);
    if (std::fabs(paket->GetKopf()->Preise1.Net - numbers->net) > 0.01 ||
        std::fabs(paket->GetKopf()->Preise1.Gross - numbers->gross) > 0.01) {
        state.SkipWithError("the roll-up on numbers computes another sum");
        return;
    }
    double rollUpSeconds = 0.0;
    double plainSeconds = 0.0;
    using Clock = std::chrono::steady_clock;
    for (auto _ : state) {
        const auto start = Clock::now();
        paket->CalcPositionPrices1(nullptr);
        paket->CalcPrices1(nullptr);
        benchmark::DoNotOptimize(paket->GetKopf()->Preise1.Net);
        rollUpSeconds += std::chrono::duration<double>(Clock::now() - start).count();

        // The roll-up on numbers, repeated for a measurable time.
        state.PauseTiming();
        const auto plainStart = Clock::now();
        for (int r = 0; r < 100; ++r) {
            RollUpNumbers(*numbers);
            benchmark::DoNotOptimize(numbers->net);
            benchmark::ClobberMemory();
        }
        plainSeconds += std::chrono::duration<double>(Clock::now() - plainStart).count() / 100.0;
        state.ResumeTiming();
    }
    state.counters["lines"] = double(CountLines(*numbers));
    state.counters["numbers_us"] =
        benchmark::Counter(plainSeconds * 1e6, benchmark::Counter::kAvgIterations);
    state.counters["ratio_to_numbers"] = plainSeconds > 0.0 ? rollUpSeconds / plainSeconds : 0.0;
}
BENCHMARK(BM_PaketRollUp)->Unit(benchmark::kMicrosecond);

void BM_RollUpNumbers(benchmark::State &state)
{
    auto paket = MakeBenchPackage();
    auto numbers = ToNumbers(*paket);
    for (auto _ : state) {
        RollUpNumbers(*numbers);
        benchmark::DoNotOptimize(numbers->net);
        benchmark::ClobberMemory();
    }
    state.counters["lines"] = double(CountLines(*numbers));
}
BENCHMARK(BM_RollUpNumbers)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const double ratio = reporter.Counter("BM_PaketRollUp", "ratio_to_numbers").value_or(0.0);
    if (ratio > 0.0)
        std::printf("\npackage roll-up / roll-up on numbers (target: at most 20): ratio %.1f  %s\n",
                    ratio, ratio <= 20.0 ? "ok" : "TOO SLOW");
    benchmark::Shutdown();
    return 0;
}
