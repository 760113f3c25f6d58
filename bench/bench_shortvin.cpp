// Counting the vehicles of a 7-character VIN (CountShortVin: every VIN
// range of any VIN type that holds it, counted up to two) on synthetic
// catalogues of 1,000, 30,000 and 1 million VIN ranges, as the pages ask
// before they send a short VIN to the DMS. Three in four short VINs lie in
// a range (shared by the VIN types of their form, so that most are counted
// twice), one in four in the gap between two ranges, where no range holds
// it. Beside it the same query written directly against the SQLite C API
// on the same file: the connection kept, prepared once, its eleven keys
// bound as UTF-8, stepped up to the second row, every column of the rows
// read copied into a text, as the records of the layer hold them; a
// single read on both sides, each its own read transaction as the
// program's is. At the end the ratio layer / C API is printed for each
// size (target: at most 1.2, and not growing with the ranges).
//
// --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true
// compares the medians of ten runs of each, spread over the whole run.

#include "platform/db/YaqDb.h"
#include "support/BenchRatio.h"
#include "support/SyntheticCatalogues.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

const std::vector<int> kRanges = {1000, 30000, 1000000};
constexpr int kKeys = 1024;
constexpr double kTarget = 1.2;

struct Catalogue
{
    std::unique_ptr<CYaqDb> db;
    sqlite3 *raw = nullptr;
    std::vector<QString> shortVins;
    ~Catalogue() { sqlite3_close(raw); }
};

std::map<int, std::unique_ptr<Catalogue>> g_catalogues;

void BM_Layer_CountShortVin(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    int i = 0;
    long long counted = 0;
    for (auto _ : state)
        counted += c.db->CountShortVin(c.shortVins[size_t(i++ % kKeys)]).value;
    state.counters["vehicles"] = double(counted) / double(std::max(i, 1));
}

void BM_Raw_CountShortVin(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    const QByteArray sql =
        CYaqDb::IdentificationQuery(QStringLiteral("vin range of any vin type")).toUtf8();
    sqlite3_stmt *stmt = nullptr;
    if (sqlite3_prepare_v2(c.raw, sql.constData(), -1, &stmt, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(c.raw));
        return;
    }
    const int columns = sqlite3_column_count(stmt);
    std::vector<QString> text(static_cast<size_t>(columns));
    QByteArray keys[8];
    int i = 0;
    long long counted = 0;
    for (auto _ : state) {
        // The short VIN, its eight prefixes (none to all seven
        // characters), the short VIN twice.
        const QByteArray vin = c.shortVins[size_t(i++ % kKeys)].toUtf8();
        sqlite3_bind_text(stmt, 1, vin.constData(), int(vin.size()), SQLITE_STATIC);
        for (int length = 0; length <= 7; ++length) {
            keys[length] = vin.left(length);
            sqlite3_bind_text(stmt, 2 + length, keys[length].constData(), int(keys[length].size()),
                              SQLITE_STATIC);
        }
        sqlite3_bind_text(stmt, 10, vin.constData(), int(vin.size()), SQLITE_STATIC);
        sqlite3_bind_text(stmt, 11, vin.constData(), int(vin.size()), SQLITE_STATIC);
        int count = 0;
        while (count < 2 && sqlite3_step(stmt) == SQLITE_ROW) {
            for (int col = 0; col < columns; ++col)
                text[size_t(col)] = QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(stmt, col)),
                    sqlite3_column_bytes(stmt, col));
            ++count;
        }
        sqlite3_reset(stmt);
        counted += count;
    }
    sqlite3_finalize(stmt);
    state.counters["vehicles"] = double(counted) / double(std::max(i, 1));
}

// Short VINs spread over the ranges of a type: three in four inside a
// range, one in four in a gap (ordinary form only).
std::vector<QString> ShortVins(const SyntheticSize &size)
{
    const int perType = std::min(size.vinRanges, SyntheticRangesPerType());
    const int vinTypes = SyntheticVinTypes(size);
    std::vector<QString> vins;
    for (int k = 0; k < kKeys; ++k) {
        const int range = (k * 104729) % perType;
        const int type = (k * 7919) % vinTypes;
        if (k % 4 == 3)
            vins.push_back(SyntheticShortVinAfter(1, range));
        else
            vins.push_back(SyntheticShortVin(type, range));
    }
    return vins;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SyntheticCatalogues built;
    for (const int ranges : kRanges) {
        // Only the VIN ranges grow; the other tables stay small.
        SyntheticSize size{ranges, 100, 1000, 100, 10};
        const QString folder = built.Build(size, Thousands(ranges) + " VIN ranges");
        if (folder.isEmpty())
            return 1;
        auto c = std::make_unique<Catalogue>();
        c->db = std::make_unique<CYaqDb>();
        if (!OpenBothWays(folder, *c->db, &c->raw))
            return 1;
        c->shortVins = ShortVins(size);
        g_catalogues[ranges] = std::move(c);
    }
    for (const int ranges : kRanges) {
        for (const auto &[name, run] :
             {std::make_pair("BM_Layer_CountShortVin", BM_Layer_CountShortVin),
              std::make_pair("BM_Raw_CountShortVin", BM_Raw_CountShortVin)})
            benchmark::RegisterBenchmark(name, run)->Arg(ranges)->Unit(benchmark::kMicrosecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(
        "short-VIN count / SQLite C API of the same query",
        AtSizes({"BM_Layer_CountShortVin", "BM_Raw_CountShortVin", kTarget, "short VIN counted"},
                kRanges, "ranges"),
        benchmark::kMicrosecond);
    benchmark::Shutdown();
    g_catalogues.clear();
    return 0;
}
