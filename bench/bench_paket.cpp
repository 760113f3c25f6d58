// Full price roll-up of a package of 100, 500 and 2,000 lines in three
// levels of nesting, next to the same roll-up written on numbers: the
// lines' unit prices, quantities and VAT rates parsed beforehand, each
// line's gross and net derived and rounded to the cent inline, the package
// sums added up level by level. The ratio at each size says what the
// package rules (texts, sentinels, the rounding contract, factors) cost
// over that plain loop; target: at most 20.

#include "packages/model/Paket.h"
#include "support/BenchRatio.h"

#include <benchmark/benchmark.h>

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

const std::vector<int> kLines = {100, 500, 2000};
constexpr double kTarget = 20.0;

// The lines shared out over the 7 packages of three levels (1 + 2 + 4),
// the rest at the top: 500 lines are 71 in each and 3 more.
std::unique_ptr<CPaket> MakeBenchPackage(int lines)
{
    int counter = 0;
    auto paket = MakePackage((lines - 3) / 7, 3, counter);
    for (int i = 7 * ((lines - 3) / 7); i < lines; ++i)
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
    auto paket = MakeBenchPackage(int(state.range(0)));
    auto numbers = ToNumbers(*paket);
    paket->CalcPositionPrices1(nullptr);
    paket->CalcPrices1(nullptr);
    RollUpNumbers(*numbers);
    if (std::fabs(paket->GetKopf()->Preise1.Net - numbers->net) > 0.01 ||
        std::fabs(paket->GetKopf()->Preise1.Gross - numbers->gross) > 0.01) {
        state.SkipWithError("the roll-up on numbers computes another sum");
        return;
    }
    for (auto _ : state) {
        paket->CalcPositionPrices1(nullptr);
        paket->CalcPrices1(nullptr);
        benchmark::DoNotOptimize(paket->GetKopf()->Preise1.Net);
    }
    state.counters["lines"] = double(CountLines(*numbers));
}

void BM_RollUpNumbers(benchmark::State &state)
{
    auto paket = MakeBenchPackage(int(state.range(0)));
    auto numbers = ToNumbers(*paket);
    for (auto _ : state) {
        RollUpNumbers(*numbers);
        benchmark::DoNotOptimize(numbers->net);
        benchmark::ClobberMemory();
    }
    state.counters["lines"] = double(CountLines(*numbers));
}

} // namespace

int main(int argc, char **argv)
{
    for (const int lines : kLines) {
        for (const auto &[name, run] : {std::make_pair("BM_PaketRollUp", BM_PaketRollUp),
                                        std::make_pair("BM_RollUpNumbers", BM_RollUpNumbers)})
            benchmark::RegisterBenchmark(name, run)
                ->Arg(lines)
                ->Unit(benchmark::kMicrosecond)
                ->ComputeStatistics("min", Fastest);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(
        "package roll-up / roll-up on numbers",
        AtSizes({"BM_PaketRollUp", "BM_RollUpNumbers", kTarget, "roll-up"}, kLines, "lines"),
        benchmark::kMicrosecond);
    benchmark::Shutdown();
    return 0;
}
