// Keyed reads over a dealer price file of 200,000 records, each beside a
// raw file scan of the same look-up (read the file line by line until the
// key is found) in the same run. The ratio of each indexed read to its
// scan is printed at the end.

#include "platform/ccd/CDIPRec.h"
#include "platform/ccd/CETPriceRec.h"

#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int kRecords = 200000;

// The price file, generated once: part numbers "9X" + 7 digits + 2 letters,
// so that a nine-character prefix names a small group of parts.
struct PriceFile
{
    QTemporaryDir dir;
    QString etPath;
    std::vector<QString> keys;     // part numbers to look up
    std::vector<QString> prefixes; // nine-character prefixes to run over

    PriceFile()
    {
        etPath = dir.filePath(QStringLiteral("ETPrice.dat"));
        std::FILE *et = std::fopen(etPath.toLocal8Bit().constData(), "wb");
        std::FILE *dip =
            std::fopen(dir.filePath(QStringLiteral("DIP_00.dat")).toLocal8Bit().constData(), "wb");
        std::fputs("TeileNr\tBezeichnung\tPreis\tMwSt\n", et);
        std::fputs("TeileNr\tErsetztDurchNr\tErsetztDurchText\tPreis\tMwSt\n", dip);
        std::mt19937 rng(4711);
        std::vector<std::string> numbers;
        numbers.reserve(kRecords);
        for (int i = 0; i < kRecords; ++i) {
            char number[16];
            std::snprintf(number, sizeof number, "9X%07d%c%c", i / 4, 'A' + i % 4,
                          'A' + static_cast<int>(rng() % 26));
            numbers.emplace_back(number);
        }
        std::shuffle(numbers.begin(), numbers.end(), rng);
        for (const std::string &n : numbers) {
            const double price = static_cast<double>(rng() % 100000) / 100.0;
            std::fprintf(et, "%s\tErsatzteil %s\t%.2f\t19\n", n.c_str(), n.c_str(), price);
            std::fprintf(dip, "%s\tH-%s\tHaendlerteil\t%.2f\t19\n", n.c_str(), n.c_str(), price);
        }
        std::fclose(et);
        std::fclose(dip);
        for (int i = 0; i < 64; ++i) {
            const std::string &n = numbers[rng() % numbers.size()];
            keys.push_back(QString::fromStdString(n));
            prefixes.push_back(QString::fromStdString(n.substr(0, 9)));
        }
    }
};

PriceFile &priceFile()
{
    static PriceFile file;
    return file;
}

// The raw baseline: scans the file from its start and collects the lines
// whose first field matches (exactly, or beginning with the key).
int rawScan(const QString &path, const std::string &key, bool prefix, bool firstOnly)
{
    std::FILE *f = std::fopen(path.toLocal8Bit().constData(), "rb");
    if (!f)
        return 0;
    static char line[4096];
    int found = 0;
    bool header = true;
    while (std::fgets(line, sizeof line, f)) {
        if (header) {
            header = false;
            continue;
        }
        const char *tab = std::strchr(line, '\t');
        const size_t len = tab ? static_cast<size_t>(tab - line) : std::strlen(line);
        const bool match = prefix
                               ? len >= key.size() && std::memcmp(line, key.data(), key.size()) == 0
                               : len == key.size() && std::memcmp(line, key.data(), len) == 0;
        if (match) {
            ++found;
            if (firstOnly)
                break;
        }
    }
    std::fclose(f);
    return found;
}

void BM_SearchPrice_Indexed(benchmark::State &state)
{
    PriceFile &pf = priceFile();
    CETPriceRec rec;
    if (!rec.Open(pf.dir.path())) {
        state.SkipWithError("price file did not open");
        return;
    }
    size_t i = 0;
    for (auto _ : state) {
        const int found = rec.SearchPrice(pf.keys[i++ % pf.keys.size()]);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(rec.Preis);
    }
}
BENCHMARK(BM_SearchPrice_Indexed);

void BM_SearchPrice_RawScan(benchmark::State &state)
{
    PriceFile &pf = priceFile();
    size_t i = 0;
    for (auto _ : state) {
        const int found =
            rawScan(pf.etPath, pf.keys[i++ % pf.keys.size()].toStdString(), false, true);
        benchmark::DoNotOptimize(found);
    }
}
BENCHMARK(BM_SearchPrice_RawScan)->Unit(benchmark::kMicrosecond);

// A keyed run (first, then next until the end) over a prefix key.
void BM_PrefixRun_Indexed(benchmark::State &state)
{
    PriceFile &pf = priceFile();
    CDIPRec rec;
    if (!rec.Open(pf.dir.path(), QStringLiteral("00"))) {
        state.SkipWithError("parts file did not open");
        return;
    }
    size_t i = 0;
    for (auto _ : state) {
        int rows = 0;
        for (int ok = rec.AutoMove(rec.m_ntxTeileNr, CCD_MOVE_FIRST,
                                   pf.prefixes[i++ % pf.prefixes.size()]);
             ok; ok = rec.AutoMove(rec.m_ntxTeileNr, CCD_MOVE_NEXT, QString()))
            ++rows;
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_PrefixRun_Indexed);

void BM_PrefixRun_RawScan(benchmark::State &state)
{
    PriceFile &pf = priceFile();
    const QString path = pf.dir.filePath(QStringLiteral("DIP_00.dat"));
    size_t i = 0;
    for (auto _ : state) {
        const int rows =
            rawScan(path, pf.prefixes[i++ % pf.prefixes.size()].toStdString(), true, false);
        benchmark::DoNotOptimize(rows);
    }
}
BENCHMARK(BM_PrefixRun_RawScan)->Unit(benchmark::kMicrosecond);

// Opening reads and indexes the whole file once; shown for scale.
void BM_OpenPriceFile(benchmark::State &state)
{
    PriceFile &pf = priceFile();
    for (auto _ : state) {
        CETPriceRec rec;
        benchmark::DoNotOptimize(rec.Open(pf.dir.path()));
    }
}
BENCHMARK(BM_OpenPriceFile)->Unit(benchmark::kMillisecond)->Iterations(3);

// Collects the time per iteration of every run to print the ratios.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    std::map<std::string, double> nanos;
    void ReportRuns(const std::vector<Run> &runs) override
    {
        for (const Run &run : runs)
            if (run.iterations > 0 && run.run_type == Run::RT_Iteration)
                nanos[run.benchmark_name()] = run.GetAdjustedRealTime() * 1e9 /
                                              benchmark::GetTimeUnitMultiplier(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
};

} // namespace

int main(int argc, char **argv)
{
    benchmark::Initialize(&argc, argv);
    priceFile(); // generate before any timing
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const std::pair<const char *, const char *> pairs[] = {
        {"BM_SearchPrice_Indexed", "BM_SearchPrice_RawScan"},
        {"BM_PrefixRun_Indexed", "BM_PrefixRun_RawScan"},
    };
    std::printf("\nindexed read / raw file scan of the same look-up (target: at most 2.0)\n");
    for (const auto &[indexed, raw] : pairs) {
        const auto a = reporter.nanos.find(indexed);
        const auto b = reporter.nanos.find(raw);
        if (a == reporter.nanos.end() || b == reporter.nanos.end() || b->second <= 0)
            continue;
        const double ratio = a->second / b->second;
        std::printf("  %-24s %12.0f ns  vs %12.0f ns  ratio %.5f  %s\n", indexed, a->second,
                    b->second, ratio, ratio <= 2.0 ? "ok" : "TOO SLOW");
    }
    benchmark::Shutdown();
    return 0;
}
