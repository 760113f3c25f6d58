// The catalogue reads of vehicle identification (and a run of labour
// values) on synthetic catalogues of three sizes: 10,000, 100,000 and 1
// million VIN ranges in VIN types of 500 ranges, with 500, 5,000 and 50,000
// type keys and 5,000, 50,000 and 500,000 labour values. Each read runs
// beside the same query written directly against the SQLite C API on the
// same file: the connection kept, prepared once, keys bound, stepped, every
// column of the rows read copied into a text, as the records of the layer
// hold them. At the end the ratio layer / C API is printed for every pair
// at each size (target: at most 1.2).
//
// A VIN-range read walks the ranges of its VIN type from the VIN downwards;
// it is measured for the first and the 500th range of a type, for ranges
// spread over the catalogue, and for a VIN above the last range of its type
// that no range holds (the whole type is walked).
//
// YAQ_BENCH_SMALL=1 builds catalogues a tenth of the size (quick check);
// --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true
// compares the medians of ten runs of each, spread over the whole run.

#include "platform/db/YaqDb.h"
#include "support/BenchRatio.h"
#include "support/SyntheticCatalogues.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

constexpr int kKeys = 1024;

// Where in its VIN type the looked-up VIN lies.
enum class VinAt
{
    FirstRange,
    Range500,
    Spread,
    AboveLastRange, // in no range
};

struct VinKeys
{
    std::vector<QString> vinTypes, shortVins;
};

// The catalogue of one size, its connection, the baseline's and the keys.
struct Fixture
{
    std::unique_ptr<CYaqDb> db;
    sqlite3 *raw = nullptr;
    std::map<VinAt, VinKeys> vins;
    std::vector<QString> typeKeys, leadTypes, mainGroups;
    ~Fixture() { sqlite3_close(raw); }
};

// By the number of VIN ranges.
std::map<int, std::unique_ptr<Fixture>> g_fixtures;
Fixture *g_fixture = nullptr; // the one of the run going on

// The C API baseline: one statement prepared once; each run binds the keys
// as UTF-8, steps through the first row (or every row) and copies every
// column into a text.
class RawLookup
{
public:
    // The text itself, or the name of a read of vehicle identification
    // (the very text the layer runs).
    RawLookup(sqlite3 *db, const QString &textOrName)
    {
        const QString known = CYaqDb::IdentificationQuery(textOrName);
        const QByteArray sql = (known.isEmpty() ? textOrName : known).toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &m_stmt, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "prepare: %s\n%s\n", sqlite3_errmsg(db), sql.constData());
        m_columns = sqlite3_column_count(m_stmt);
    }
    ~RawLookup() { sqlite3_finalize(m_stmt); }
    RawLookup(const RawLookup &) = delete;
    RawLookup &operator=(const RawLookup &) = delete;

    int Run(std::initializer_list<QString> keys, bool allRows)
    {
        int n = 0;
        for (const QString &key : keys) {
            m_keys[n] = key.toUtf8();
            sqlite3_bind_text(m_stmt, n + 1, m_keys[n].constData(), int(m_keys[n].size()),
                              SQLITE_STATIC);
            ++n;
        }
        int rows = 0;
        while (sqlite3_step(m_stmt) == SQLITE_ROW) {
            for (int c = 0; c < m_columns; ++c)
                m_text[c] = QString::fromUtf8(
                    reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c)),
                    sqlite3_column_bytes(m_stmt, c));
            ++rows;
            if (!allRows)
                break;
        }
        sqlite3_reset(m_stmt);
        return rows;
    }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_columns = 0;
    QByteArray m_keys[8];
    QString m_text[16];
};

void CountHits(benchmark::State &state, int hits, int runs)
{
    state.counters["hit"] = double(hits) / double(std::max(runs, 1));
}

// --- server identification: VIN range joined with its type ------------------

void Layer_FgstnrTypSchl(benchmark::State &state, VinAt at)
{
    const VinKeys &keys = g_fixture->vins.at(at);
    CFgstnrTypSchlData rec;
    int i = 0, hits = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strFgstNr = keys.shortVins[i % kKeys];
        rec.m_strFgstTyp = keys.vinTypes[i % kKeys];
        hits += g_fixture->db->ReadFgstnrTypSchlData(rec);
        ++i;
    }
    CountHits(state, hits, i);
}

void Raw_FgstnrTypSchl(benchmark::State &state, VinAt at)
{
    const VinKeys &keys = g_fixture->vins.at(at);
    RawLookup raw(g_fixture->raw, "vin range with its type");
    int i = 0, hits = 0;
    for (auto _ : state) {
        const QString &vin = keys.shortVins[i % kKeys];
        hits += raw.Run({vin, keys.vinTypes[i % kKeys], vin, vin}, false);
        ++i;
    }
    CountHits(state, hits, i);
}

// --- local data set: nearest VIN range ----------------------------------------

void Layer_Fgstnr(benchmark::State &state, VinAt at)
{
    const VinKeys &keys = g_fixture->vins.at(at);
    CFgstnrData rec;
    int i = 0, hits = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strFgstNr = keys.shortVins[i % kKeys];
        rec.m_strFgstTyp = keys.vinTypes[i % kKeys];
        hits += g_fixture->db->ReadFgstnrData(rec);
        ++i;
    }
    CountHits(state, hits, i);
}

void Raw_Fgstnr(benchmark::State &state, VinAt at)
{
    const VinKeys &keys = g_fixture->vins.at(at);
    RawLookup raw(g_fixture->raw, "vin range");
    int i = 0, hits = 0;
    for (auto _ : state) {
        const QString &vin = keys.shortVins[i % kKeys];
        hits += raw.Run({vin, keys.vinTypes[i % kKeys], vin, vin}, false);
        ++i;
    }
    CountHits(state, hits, i);
}

// --- type and brand by type key ------------------------------------------------

void Layer_TypSchl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CFgstnrTypSchlData rec;
    int i = 0, hits = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strTypSchl = f.typeKeys[i++ % kKeys];
        hits += f.db->ReadTypSchlData(rec);
    }
    CountHits(state, hits, i);
}

void Raw_TypSchl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw, "type by type key");
    int i = 0, hits = 0;
    for (auto _ : state)
        hits += raw.Run({f.typeKeys[i++ % kKeys]}, false);
    CountHits(state, hits, i);
}

void Layer_MarkeFromTypschl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CMarkeData rec;
    int i = 0, hits = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strTypSchl = f.typeKeys[i++ % kKeys];
        hits += f.db->GetMarkeFromTypschl(rec);
    }
    CountHits(state, hits, i);
}

void Raw_MarkeFromTypschl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw, "brand of a type key");
    int i = 0, hits = 0;
    for (auto _ : state)
        hits += raw.Run({f.typeKeys[i++ % kKeys]}, false);
    CountHits(state, hits, i);
}

void Layer_TypSchlData2(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CTypSchlData rec;
    int i = 0, hits = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strKatBstNr = QStringLiteral("1");
        rec.m_strTypSchl = f.typeKeys[i++ % kKeys];
        hits += f.db->ReadTypSchlData2(rec);
    }
    CountHits(state, hits, i);
}

void Raw_TypSchlData2(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw, "type of a catalogue");
    int i = 0, hits = 0;
    for (auto _ : state)
        hits += raw.Run({QStringLiteral("1"), f.typeKeys[i++ % kKeys]}, false);
    CountHits(state, hits, i);
}

// --- catalogue column of the lead type ------------------------------------------

void Layer_KatSpalteOfLeadType(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CAwKatSpalteData rec;
    int i = 0, hits = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strKatBstNr = QStringLiteral("1");
        rec.m_strLTyp = f.leadTypes[i++ % kKeys];
        hits += f.db->RdAwKatSpDatOnKatBstNr(rec);
    }
    CountHits(state, hits, i);
}

void Raw_KatSpalteOfLeadType(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw, "column of a lead type");
    int i = 0, hits = 0;
    for (auto _ : state)
        hits += raw.Run({QStringLiteral("1"), f.leadTypes[i++ % kKeys]}, false);
    CountHits(state, hits, i);
}

// --- labour values of a main group (a run of rows) ----------------------------------

void Layer_APosWertFromHG(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CAPosWertData rec;
    int i = 0;
    int64_t rows = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strKatBstNr = QStringLiteral("1");
        rec.m_strAPosNr = f.mainGroups[i % kKeys];
        rec.m_strLTyp = f.leadTypes[i % kKeys];
        rec.m_strZusatz = QStringLiteral("A");
        for (int found = f.db->ReadAPosWertDataFromHG(rec); found; found = f.db->ReadNext())
            ++rows;
        ++i;
    }
    state.counters["rows"] = double(rows) / double(std::max(i, 1));
}

void Raw_APosWertFromHG(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw,
                  QStringLiteral("SELECT catalogue_key, position_number, unit_code, lead_type,"
                                 " extra_code, work_units, remark, flag FROM labour_value"
                                 " WHERE catalogue_key = ? AND main_group = ? AND lead_type = ?"
                                 " AND extra_code = ? ORDER BY position_number, unit_code"));
    int i = 0;
    int64_t rows = 0;
    for (auto _ : state) {
        rows += raw.Run({QStringLiteral("1"), f.mainGroups[i % kKeys], f.leadTypes[i % kKeys],
                         QStringLiteral("A")},
                        true);
        ++i;
    }
    state.counters["rows"] = double(rows) / double(std::max(i, 1));
}

// Registers the layer read and its baseline as "BM_Layer_<name>" and
// "BM_Raw_<name>", side by side.
// The pairs in the order of registration (the order of the ratios).
std::vector<std::string> g_pairs;

// Both at every size, the size as the argument.
void RegisterPair(const std::string &name, const std::function<void(benchmark::State &)> &layer,
                  const std::function<void(benchmark::State &)> &raw)
{
    g_pairs.push_back(name);
    const auto layerRun = [layer](benchmark::State &state) {
        g_fixture = g_fixtures.at(int(state.range(0))).get();
        layer(state);
        // The connection keeps its last read open until its next one; while
        // it does, it holds a lock on the file that would spare the
        // baseline's connection its own locking.
        g_fixture->db->CloseStmt();
    };
    const auto rawRun = [raw](benchmark::State &state) {
        g_fixture = g_fixtures.at(int(state.range(0))).get();
        raw(state);
    };
    for (const auto &[ranges, fixture] : g_fixtures) {
        benchmark::RegisterBenchmark(("BM_Layer_" + name).c_str(), layerRun)
            ->Arg(ranges)
            ->ComputeStatistics("min", Fastest);
        benchmark::RegisterBenchmark(("BM_Raw_" + name).c_str(), rawRun)
            ->Arg(ranges)
            ->ComputeStatistics("min", Fastest);
    }
}

void RegisterAll()
{
    const std::pair<const char *, VinAt> positions[] = {
        {"FirstRange", VinAt::FirstRange},
        {"Range500", VinAt::Range500},
        {"Spread", VinAt::Spread},
        {"Miss", VinAt::AboveLastRange},
    };
    for (const auto &[label, at] : positions) {
        const VinAt where = at;
        RegisterPair(
            std::string("FgstnrTypSchl/") + label,
            [where](benchmark::State &s) { Layer_FgstnrTypSchl(s, where); },
            [where](benchmark::State &s) { Raw_FgstnrTypSchl(s, where); });
    }
    for (const auto &[label, at] : positions) {
        const VinAt where = at;
        RegisterPair(
            std::string("Fgstnr/") + label,
            [where](benchmark::State &s) { Layer_Fgstnr(s, where); },
            [where](benchmark::State &s) { Raw_Fgstnr(s, where); });
    }
    RegisterPair("TypSchl", Layer_TypSchl, Raw_TypSchl);
    RegisterPair("MarkeFromTypschl", Layer_MarkeFromTypschl, Raw_MarkeFromTypschl);
    RegisterPair("TypSchlData2", Layer_TypSchlData2, Raw_TypSchlData2);
    RegisterPair("KatSpalteOfLeadType", Layer_KatSpalteOfLeadType, Raw_KatSpalteOfLeadType);
    RegisterPair("APosWertFromHG", Layer_APosWertFromHG, Raw_APosWertFromHG);
}

// Builds and opens the catalogue of that size and makes its look-up keys.
std::unique_ptr<Fixture> MakeFixture(SyntheticCatalogues &built, const SyntheticSize &size)
{
    const QString folder =
        built.Build(size, Thousands(size.vinRanges) + " VIN ranges, " + Thousands(size.typeKeys) +
                              " type keys, " + Thousands(size.labourValues) + " labour values");
    if (folder.isEmpty())
        return nullptr;
    auto fixture = std::make_unique<Fixture>();
    fixture->db = std::make_unique<CYaqDb>();
    if (!fixture->db->Open(QString(), QString(), QString(), 0, folder, QString(), QString())) {
        std::fprintf(stderr, "open: %s\n", qPrintable(fixture->db->LastErrorText()));
        return nullptr;
    }
    if (!OpenRaw(folder, &fixture->raw))
        return nullptr;

    // Look-up keys spread over the catalogue. The first and the 500th range
    // and the VIN above the last range are taken in ordinary VIN types
    // (those of the special form have no gaps between their ranges).
    const int vinTypes = SyntheticVinTypes(size);
    const int last = SyntheticRangesPerType() - 1;
    for (int k = 0; k < kKeys; ++k) {
        const int t = (k * 7919) % vinTypes;
        int ordinary = t % 10 ? t : t + 1;
        if (ordinary >= vinTypes)
            ordinary = 1;
        const QString type = SyntheticVinType(ordinary);
        fixture->vins[VinAt::FirstRange].vinTypes.push_back(type);
        fixture->vins[VinAt::FirstRange].shortVins.push_back(SyntheticShortVin(ordinary, 0));
        fixture->vins[VinAt::Range500].vinTypes.push_back(type);
        fixture->vins[VinAt::Range500].shortVins.push_back(SyntheticShortVin(ordinary, last));
        fixture->vins[VinAt::AboveLastRange].vinTypes.push_back(type);
        fixture->vins[VinAt::AboveLastRange].shortVins.push_back(
            SyntheticShortVinAfter(ordinary, last));
        fixture->vins[VinAt::Spread].vinTypes.push_back(SyntheticVinType(t));
        fixture->vins[VinAt::Spread].shortVins.push_back(
            SyntheticShortVin(t, (k * 104729) % SyntheticRangesPerType()));
        fixture->typeKeys.push_back(SyntheticTypeKey((k * 7919) % size.typeKeys));
        fixture->leadTypes.push_back(SyntheticLeadType(k * 31));
        fixture->mainGroups.push_back(
            QStringLiteral("%1").arg((k * 13) % 100, 2, 10, QLatin1Char('0')));
    }
    return fixture;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // Each size ten times the one before; the largest is the default
    // catalogue of the generator.
    const int tenth = qEnvironmentVariableIntValue("YAQ_BENCH_SMALL") ? 10 : 1;
    SyntheticCatalogues built;
    for (const int scale : {100, 10, 1}) {
        const SyntheticSize full;
        SyntheticSize size = full;
        size.vinRanges = full.vinRanges / scale / tenth;
        size.typeKeys = full.typeKeys / scale / tenth;
        size.labourValues = full.labourValues / scale / tenth;
        auto fixture = MakeFixture(built, size);
        if (!fixture)
            return 1;
        g_fixtures[size.vinRanges] = std::move(fixture);
    }

    RegisterAll();
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<int> sizes;
    for (const auto &entry : g_fixtures)
        sizes.push_back(entry.first);
    std::vector<RatioLine> lines;
    for (const std::string &pair : g_pairs) {
        for (const RatioLine &line :
             AtSizes({"BM_Layer_" + pair, "BM_Raw_" + pair, 1.2, pair}, sizes, "ranges"))
            lines.push_back(line);
    }
    reporter.PrintRatios("layer / SQLite C API of the same query", lines);
    benchmark::Shutdown();
    g_fixture = nullptr;
    g_fixtures.clear();
    return 0;
}
