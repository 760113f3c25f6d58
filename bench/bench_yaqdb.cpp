// VIN identification reads of the catalogue database layer on a synthetic
// catalogue of realistic size (1 million VIN ranges, 50,000 type keys,
// 500,000 labour values), each beside the same look-up as a raw prepared
// Qt SQL query on the same file. At the end the ratio layer / raw is printed
// for every pair (target: within 2x).
//
// YAQ_BENCH_SMALL=1 builds a catalogue a tenth of the size (quick check).

#include "platform/db/YaqDb.h"
#include "yaq2-mkdb/CatalogueBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    SyntheticSize size;
    std::unique_ptr<CYaqDb> db;
    QSqlDatabase raw;
    std::vector<QString> vinTypes, shortVins, typeKeys, leadTypes, mainGroups;
};

Fixture *g_fixture = nullptr;

constexpr int kKeys = 1024;

// The raw baseline: one statement prepared once, bound, run, every column
// of every row read as text.
class RawLookup
{
public:
    RawLookup(QSqlDatabase &db, const char *sql) : m_query(db)
    {
        m_query.setForwardOnly(true);
        m_query.prepare(QString::fromLatin1(sql));
    }
    int Run(const QVariantList &binds, int columns, bool allRows)
    {
        for (int i = 0; i < binds.size(); ++i)
            m_query.bindValue(i, binds.at(i));
        m_query.exec();
        int rows = 0;
        while (m_query.next()) {
            for (int c = 0; c < columns; ++c)
                m_text[c % 16] = m_query.value(c).toString();
            ++rows;
            if (!allRows)
                break;
        }
        m_query.finish();
        return rows;
    }

private:
    QSqlQuery m_query;
    QString m_text[16];
};

// --- server identification: VIN range joined with its type ------------------

void BM_Layer_FgstnrTypSchl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CFgstnrTypSchlData rec;
    int i = 0, hits = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strFgstNr = f.shortVins[i % kKeys];
        rec.m_strFgstTyp = f.vinTypes[i % kKeys];
        hits += f.db->ReadFgstnrTypSchlData(rec);
        ++i;
    }
    state.counters["hit"] = double(hits) / double(std::max(i, 1));
}

void BM_Raw_FgstnrTypSchl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(
        f.raw,
        "SELECT r.catalogue_key, CAST(? AS TEXT), r.vin_from, r.vin_to, r.type_key, r.vin_type,"
        " t.lead_type, t.model_name, t.model_series, r.extra_code, t.country"
        " FROM vin_range r JOIN type_key t"
        " ON t.type_key = r.type_key AND t.catalogue_key = r.catalogue_key"
        " WHERE r.vin_type = ? AND r.vin_from <= ? AND r.vin_to >= ?"
        " ORDER BY r.vin_from DESC, r.catalogue_key");
    int i = 0, hits = 0;
    for (auto _ : state) {
        const QString &vin = f.shortVins[i % kKeys];
        hits += raw.Run({vin, f.vinTypes[i % kKeys], vin, vin}, 11, false);
        ++i;
    }
    state.counters["hit"] = double(hits) / double(std::max(i, 1));
}

// --- local data set: nearest VIN range ----------------------------------------

void BM_Layer_FgstnrData(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CFgstnrData rec;
    int i = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strFgstNr = f.shortVins[i % kKeys];
        rec.m_strFgstTyp = f.vinTypes[i % kKeys];
        benchmark::DoNotOptimize(f.db->ReadFgstnrData(rec));
        ++i;
    }
}

void BM_Raw_FgstnrData(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(
        f.raw,
        "SELECT catalogue_key, CAST(? AS TEXT), vin_from, vin_to, type_key, vin_type, extra_code"
        " FROM vin_range WHERE vin_type = ? AND vin_from <= ? AND vin_to >= ?"
        " ORDER BY vin_from DESC, catalogue_key");
    int i = 0;
    for (auto _ : state) {
        const QString &vin = f.shortVins[i % kKeys];
        benchmark::DoNotOptimize(raw.Run({vin, f.vinTypes[i % kKeys], vin, vin}, 7, false));
        ++i;
    }
}

// --- brand and type by type key ------------------------------------------------

void BM_Layer_MarkeFromTypschl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CMarkeData rec;
    int i = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strTypSchl = f.typeKeys[i++ % kKeys];
        benchmark::DoNotOptimize(f.db->GetMarkeFromTypschl(rec));
    }
}

void BM_Raw_MarkeFromTypschl(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw,
                  "SELECT type_key, brand FROM type_key WHERE type_key = ? ORDER BY catalogue_key");
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(raw.Run({f.typeKeys[i++ % kKeys]}, 2, false));
}

void BM_Layer_TypSchlData2(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CTypSchlData rec;
    int i = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strKatBstNr = QStringLiteral("1");
        rec.m_strTypSchl = f.typeKeys[i++ % kKeys];
        benchmark::DoNotOptimize(f.db->ReadTypSchlData2(rec));
    }
}

void BM_Raw_TypSchlData2(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw,
                  "SELECT catalogue_key, type_key, lead_type, model_name, model_series, country"
                  " FROM type_key WHERE catalogue_key = ? AND type_key = ?");
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(raw.Run({QStringLiteral("1"), f.typeKeys[i++ % kKeys]}, 6, false));
}

// --- catalogue column of the lead type ------------------------------------------

void BM_Layer_KatSpalteOfLeadType(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    CAwKatSpalteData rec;
    int i = 0;
    for (auto _ : state) {
        rec.Init();
        rec.m_strKatBstNr = QStringLiteral("1");
        rec.m_strLTyp = f.leadTypes[i++ % kKeys];
        benchmark::DoNotOptimize(f.db->RdAwKatSpDatOnKatBstNr(rec));
    }
}

void BM_Raw_KatSpalteOfLeadType(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(f.raw, "SELECT catalogue_key, type_number, column_number, model_name, lead_type"
                         " FROM catalogue_column WHERE catalogue_key = ? AND lead_type = ?"
                         " ORDER BY type_number, column_number");
    int i = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(
            raw.Run({QStringLiteral("1"), f.leadTypes[i++ % kKeys]}, 5, false));
}

// --- labour values of a main group (a run of rows) ----------------------------------

void BM_Layer_APosWertFromHG(benchmark::State &state)
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

void BM_Raw_APosWertFromHG(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    RawLookup raw(
        f.raw,
        "SELECT catalogue_key, position_number, unit_code, lead_type, extra_code, work_units,"
        " remark, flag FROM labour_value"
        " WHERE catalogue_key = ? AND main_group = ? AND lead_type = ? AND extra_code = ?"
        " ORDER BY position_number, unit_code");
    int i = 0;
    int64_t rows = 0;
    for (auto _ : state) {
        rows += raw.Run({QStringLiteral("1"), f.mainGroups[i % kKeys], f.leadTypes[i % kKeys],
                         QStringLiteral("A")},
                        8, true);
        ++i;
    }
    state.counters["rows"] = double(rows) / double(std::max(i, 1));
}

BENCHMARK(BM_Layer_FgstnrTypSchl);
BENCHMARK(BM_Raw_FgstnrTypSchl);
BENCHMARK(BM_Layer_FgstnrData);
BENCHMARK(BM_Raw_FgstnrData);
BENCHMARK(BM_Layer_MarkeFromTypschl);
BENCHMARK(BM_Raw_MarkeFromTypschl);
BENCHMARK(BM_Layer_TypSchlData2);
BENCHMARK(BM_Raw_TypSchlData2);
BENCHMARK(BM_Layer_KatSpalteOfLeadType);
BENCHMARK(BM_Raw_KatSpalteOfLeadType);
BENCHMARK(BM_Layer_APosWertFromHG);
BENCHMARK(BM_Raw_APosWertFromHG);

// Prints the console report and, at the end, layer time / raw time per pair.
class RatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }
    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\nlayer / raw (target <= 2.00):\n");
        for (const auto &[name, time] : m_times) {
            if (name.rfind("BM_Layer_", 0) != 0)
                continue;
            const std::string look = name.substr(9);
            const auto raw = m_times.find("BM_Raw_" + look);
            if (raw == m_times.end() || raw->second <= 0)
                continue;
            const double ratio = time / raw->second;
            std::printf("  %-24s %6.2f  %s\n", look.c_str(), ratio, ratio <= 2.0 ? "ok" : "SLOW");
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Fixture fixture;
    if (qEnvironmentVariableIntValue("YAQ_BENCH_SMALL"))
        fixture.size = SyntheticSize{100000, 5000, 50000};
    const QString file = fixture.dir.filePath(QStringLiteral("YAQ2.dat"));
    QElapsedTimer timer;
    timer.start();
    const QString error = BuildSyntheticCatalogue(
        file, QStringLiteral(YAQ_SOURCE_DIR "/data/schema/catalogue.sql"), fixture.size);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "synthetic catalogue: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("synthetic catalogue: %d VIN ranges, %d type keys, %d labour values in %lld ms\n",
                fixture.size.vinRanges, fixture.size.typeKeys, fixture.size.labourValues,
                static_cast<long long>(timer.elapsed()));

    fixture.db = std::make_unique<CYaqDb>();
    if (!fixture.db->Open(QString(), QString(), QString(), 0, fixture.dir.path(), QString(),
                          QString())) {
        std::fprintf(stderr, "open: %s\n", qPrintable(fixture.db->LastErrorText()));
        return 1;
    }
    fixture.raw = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
    fixture.raw.setDatabaseName(file);
    fixture.raw.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    fixture.raw.open();

    // Look-up keys that hit, spread over the catalogue.
    const int vinTypes = SyntheticVinTypes(fixture.size);
    for (int k = 0; k < kKeys; ++k) {
        const int t = (k * 7919) % vinTypes;
        const int r = (k * 104729) % SyntheticRangesPerType();
        fixture.vinTypes.push_back(SyntheticVinType(t));
        fixture.shortVins.push_back(SyntheticShortVin(t, r));
        fixture.typeKeys.push_back(SyntheticTypeKey((k * 7919) % fixture.size.typeKeys));
        fixture.leadTypes.push_back(SyntheticLeadType(k * 31));
        fixture.mainGroups.push_back(
            QStringLiteral("%1").arg((k * 13) % 100, 2, 10, QLatin1Char('0')));
    }
    g_fixture = &fixture;

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    g_fixture = nullptr;
    fixture.db.reset();
    fixture.raw.close();
    fixture.raw = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("raw"));
    return 0;
}
