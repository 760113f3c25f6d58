// The dealer data files of 50,000, 200,000 and 800,000 records: opening
// (time and heap), exact and prefix look-ups. Each look-up runs beside the
// same look-up in the same records held ready in memory: a QHash of the
// rows by part number for the exact search, a sorted vector of (UTF-8 key,
// row) searched with lower_bound for the prefix run. Opening runs beside
// reading the file's bytes alone. The ratios are printed at the end for
// each size; opening 200,000 records must take at most 150 ms, and the
// heap an open file keeps at most 3 times its size.

#include "platform/ccd/CDIPRec.h"
#include "platform/ccd/CETPriceRec.h"
#include "support/BenchRatio.h"

#include <QFile>
#include <QHash>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <malloc.h>
#include <map>
#include <memory>
#include <random>
#include <string>
#include <tuple>
#include <vector>

namespace {

const std::vector<int> kRecords = {50000, 200000, 800000};
constexpr int kTimedRecords = 200000; // the size the opening time is judged at
constexpr double kOpenMillis = 150.0;

// The price file of that many records, generated once: part numbers "9X" +
// 7 digits + 2 letters, so that a nine-character prefix names a small group
// of parts.
struct PriceFile
{
    QTemporaryDir dir;
    QString etPath;
    int records = 0;
    std::vector<QString> keys;     // part numbers to look up
    std::vector<QString> prefixes; // nine-character prefixes to run over

    explicit PriceFile(int count) : records(count)
    {
        etPath = dir.filePath(QStringLiteral("ETPrice.dat"));
        std::FILE *et = std::fopen(etPath.toLocal8Bit().constData(), "wb");
        std::FILE *dip =
            std::fopen(dir.filePath(QStringLiteral("DIP_00.dat")).toLocal8Bit().constData(), "wb");
        std::fputs("TeileNr\tBezeichnung\tPreis\tMwSt\n", et);
        std::fputs("TeileNr\tErsetztDurchNr\tErsetztDurchText\tPreis\tMwSt\n", dip);
        std::mt19937 rng(4711);
        std::vector<std::string> numbers;
        numbers.reserve(size_t(records));
        for (int i = 0; i < records; ++i) {
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

PriceFile &priceFile(int records)
{
    static std::map<int, std::unique_ptr<PriceFile>> files;
    std::unique_ptr<PriceFile> &file = files[records];
    if (!file)
        file = std::make_unique<PriceFile>(records);
    return *file;
}

// The rows of a file as an in-memory table would hold them: decoded once.
struct Row
{
    QString fields[5];
};

std::vector<std::pair<QString, Row>> ReadRows(const QString &path)
{
    QFile file(path);
    std::vector<std::pair<QString, Row>> rows;
    if (!file.open(QIODevice::ReadOnly))
        return rows;
    file.readLine(); // the field names
    while (!file.atEnd()) {
        const QString line = QString::fromUtf8(file.readLine()).trimmed();
        const QStringList parts = line.split(QLatin1Char('\t'));
        Row row;
        for (int i = 0; i < parts.size() && i < 5; ++i)
            row.fields[i] = parts.at(i);
        rows.push_back({parts.at(0), row});
    }
    return rows;
}

// Copies a found row into the fields a caller reads, as the record does.
void TakeRow(const Row &row, QString (&out)[5], int fields)
{
    for (int i = 0; i < fields; ++i)
        out[i] = row.fields[i];
}

void BM_SearchPrice_Record(benchmark::State &state)
{
    PriceFile &pf = priceFile(int(state.range(0)));
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

void BM_SearchPrice_QHash(benchmark::State &state)
{
    PriceFile &pf = priceFile(int(state.range(0)));
    QHash<QString, Row> hash;
    for (auto &[key, row] : ReadRows(pf.etPath))
        hash.insert(key, row);
    QString out[5];
    size_t i = 0;
    for (auto _ : state) {
        const auto it = hash.constFind(pf.keys[i++ % pf.keys.size()]);
        const bool found = it != hash.constEnd();
        if (found)
            TakeRow(*it, out, 4);
        benchmark::DoNotOptimize(found);
        benchmark::DoNotOptimize(out[2]);
    }
}

// A keyed run (first, then next until the end) over a prefix key.
void BM_PrefixRun_Record(benchmark::State &state)
{
    PriceFile &pf = priceFile(int(state.range(0)));
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
        benchmark::DoNotOptimize(rec.Preis);
    }
}

void BM_PrefixRun_SortedVector(benchmark::State &state)
{
    PriceFile &pf = priceFile(int(state.range(0)));
    std::vector<std::pair<QByteArray, Row>> sorted;
    for (auto &[key, row] : ReadRows(pf.dir.filePath(QStringLiteral("DIP_00.dat"))))
        sorted.push_back({key.toUtf8(), row});
    std::stable_sort(sorted.begin(), sorted.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    QString out[5];
    size_t i = 0;
    for (auto _ : state) {
        const QByteArray key = pf.prefixes[i++ % pf.prefixes.size()].toUtf8();
        auto it = std::lower_bound(sorted.begin(), sorted.end(), key,
                                   [](const auto &e, const QByteArray &k) { return e.first < k; });
        int rows = 0;
        for (; it != sorted.end() && it->first.startsWith(key); ++it, ++rows)
            TakeRow(it->second, out, 5);
        benchmark::DoNotOptimize(rows);
        benchmark::DoNotOptimize(out[3]);
    }
}

size_t HeapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd; // small blocks and mmapped ones
}

// Opening reads and indexes the whole file; the heap it keeps is counted
// while the record is open.
template <class Rec, class OpenFn>
void OpenAndCount(benchmark::State &state, const QString &path, OpenFn open)
{
    const double fileBytes = static_cast<double>(QFile(path).size());
    double heap = 0.0;
    for (auto _ : state) {
        const size_t before = HeapInUse();
        Rec rec;
        benchmark::DoNotOptimize(open(rec));
        heap = static_cast<double>(HeapInUse() - before);
        if (rec.GetFileEntries() != int(state.range(0)))
            state.SkipWithError("not every record was read");
    }
    state.counters["heap_MB"] = heap / 1e6;
    state.counters["heap_per_file_byte"] = heap / fileBytes;
}

void BM_Open_PriceFile(benchmark::State &state)
{
    PriceFile &pf = priceFile(int(state.range(0)));
    OpenAndCount<CETPriceRec>(state, pf.etPath,
                              [&](CETPriceRec &rec) { return rec.Open(pf.dir.path()); });
}

void BM_Open_PrefixFile(benchmark::State &state)
{
    PriceFile &pf = priceFile(int(state.range(0)));
    OpenAndCount<CDIPRec>(state, pf.dir.filePath(QStringLiteral("DIP_00.dat")), [&](CDIPRec &rec) {
        return rec.Open(pf.dir.path(), QStringLiteral("00"));
    });
}

// The least any opening does: the file's bytes into memory.
void BM_Open_ReadBytesOnly(benchmark::State &state)
{
    PriceFile &pf = priceFile(int(state.range(0)));
    for (auto _ : state) {
        QFile file(pf.etPath);
        file.open(QIODevice::ReadOnly);
        const QByteArray bytes = file.readAll();
        benchmark::DoNotOptimize(bytes.size());
    }
}

} // namespace

int main(int argc, char **argv)
{
    // Five rounds of each, interleaved at random with the others; the
    // fastest round counts, so that a busy machine hurts neither side.
    // The searches run a fixed number of times: every round opens the file
    // or builds its table in memory again, which takes seconds at the
    // largest size.
    const std::tuple<const char *, void (*)(benchmark::State &), int> searches[] = {
        {"BM_SearchPrice_Record", BM_SearchPrice_Record, 200000},
        {"BM_SearchPrice_QHash", BM_SearchPrice_QHash, 200000},
        {"BM_PrefixRun_Record", BM_PrefixRun_Record, 100000},
        {"BM_PrefixRun_SortedVector", BM_PrefixRun_SortedVector, 100000},
    };
    const std::pair<const char *, void (*)(benchmark::State &)> opens[] = {
        {"BM_Open_PriceFile", BM_Open_PriceFile},
        {"BM_Open_PrefixFile", BM_Open_PrefixFile},
        {"BM_Open_ReadBytesOnly", BM_Open_ReadBytesOnly},
    };
    for (const int records : kRecords) {
        for (const auto &[name, run, iterations] : searches)
            benchmark::RegisterBenchmark(name, run)
                ->Arg(records)
                ->Iterations(iterations)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true)
                ->ComputeStatistics("min", Fastest);
        for (const auto &[name, run] : opens)
            benchmark::RegisterBenchmark(name, run)
                ->Arg(records)
                ->Unit(benchmark::kMillisecond)
                ->Iterations(10)
                ->Repetitions(5)
                ->ReportAggregatesOnly(true)
                ->ComputeStatistics("min", Fastest);
    }
    std::vector<char *> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    if (std::none_of(args.begin(), args.end(), [](const char *a) {
            return std::strncmp(a, "--benchmark_enable_random_interleaving", 38) == 0;
        }))
        args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    for (const int records : kRecords)
        priceFile(records); // generate before any timing
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<RatioLine> lines;
    const auto add = [&](const RatioLine &line, const std::string &suffix) {
        for (const int records : kRecords) {
            const std::string arg = "/" + std::to_string(records);
            lines.push_back({line.name + arg + suffix, line.baseline + arg + suffix, line.target,
                             line.label + ", " + Thousands(records) + " records"});
        }
    };
    add({"BM_SearchPrice_Record", "BM_SearchPrice_QHash", 3.0, "exact search / QHash"},
        "/iterations:200000");
    add({"BM_PrefixRun_Record", "BM_PrefixRun_SortedVector", 3.0, "prefix run / sorted vector"},
        "/iterations:100000");
    add({"BM_Open_PriceFile", "BM_Open_ReadBytesOnly", 0, "open price file / read bytes"},
        "/iterations:10");
    add({"BM_Open_PrefixFile", "BM_Open_ReadBytesOnly", 0, "open prefix file / read bytes"},
        "/iterations:10");
    reporter.PrintRatios("record / the same records in memory, or opening / reading the bytes "
                         "(fastest of five rounds each)",
                         lines);
    for (const int records : kRecords) {
        const std::string arg = "/" + std::to_string(records) + "/iterations:10";
        for (const char *open : {"BM_Open_PriceFile", "BM_Open_PrefixFile"}) {
            const std::string name = open + arg;
            if (const auto nanos = reporter.Nanos(name)) {
                std::printf("  %-42s %9.1f ms", name.c_str(), *nanos / 1e6);
                if (records == kTimedRecords)
                    std::printf("  %s (at most %g ms)", *nanos <= kOpenMillis * 1e6 ? "ok" : "SLOW",
                                kOpenMillis);
                std::printf("\n");
            }
            if (const auto heap = reporter.Counter(name, "heap_per_file_byte"))
                std::printf("  %-42s heap %5.2f x the file  %s\n", name.c_str(), *heap,
                            *heap <= 3.0 ? "ok (at most 3)" : "TOO BIG (target at most 3)");
        }
    }
    benchmark::Shutdown();
    return 0;
}
