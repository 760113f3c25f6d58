// The cached labour-value reader: a thousand GetAPosWert questions for the
// positions of one main group (as a catalogue page asks them), on a
// synthetic catalogue of 1 million labour values (20 positions per lead
// type and main group), beside the same thousand positions read with a
// prepared statement of the SQLite C API, one query per position (every row
// of the position stepped and its columns copied into texts).
//
//   Cold      the cache emptied before every thousand: one query for the
//             main group, then answers from memory
//   Warm      the cache already holds the main group
//   Uncached  the same thousand through the database layer, one query each
//             (what the local data set does)
//
// At the end cold and warm are printed as a share of the C API's time
// (targets: cold at most 0.25, warm at most 0.05).
//
// YAQ_BENCH_SMALL=1 builds a catalogue a tenth of the size (quick check).

#include "common/readers/CatalogueCache.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"
#include "yaq2-mkdb/CatalogueBuilder.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>
#include <vector>

namespace {

constexpr int kQuestions = 1000;
constexpr int kLeadTypes = 500; // of the synthetic catalogue
constexpr double kColdTarget = 0.25;
constexpr double kWarmTarget = 0.05;

struct Fixture
{
    QTemporaryDir dir;
    SyntheticSize size{1000, 500, 1000000};
    std::unique_ptr<CYaqDb> db;
    sqlite3 *raw = nullptr;
    CPrgSettings settings;
    std::vector<QString> positions; // kQuestions numbers of main group "07"
};

Fixture *g_fixture = nullptr;

int AskAll(CCatalogueCache &cache)
{
    Fixture &f = *g_fixture;
    int valid = 0;
    for (const QString &apNr : f.positions)
        valid += cache.GetAPosWert(&f.settings, apNr, f.db.get(), 0, 0, QString(), QString(), 0, 0);
    return valid;
}

void CountValid(benchmark::State &state, int valid, int runs)
{
    state.counters["valid"] = double(valid) / double(std::max(runs, 1) * kQuestions);
}

void BM_Cold(benchmark::State &state)
{
    CCatalogueCache cache;
    int valid = 0, runs = 0;
    for (auto _ : state) {
        cache.Clear();
        valid += AskAll(cache);
        ++runs;
    }
    CountValid(state, valid, runs);
}

void BM_Warm(benchmark::State &state)
{
    CCatalogueCache cache;
    AskAll(cache);
    int valid = 0, runs = 0;
    for (auto _ : state) {
        valid += AskAll(cache);
        ++runs;
    }
    CountValid(state, valid, runs);
}

void BM_Uncached(benchmark::State &state)
{
    CCatalogueCache cache;
    g_fixture->settings.bLocalDataSet = 1;
    int valid = 0, runs = 0;
    for (auto _ : state) {
        valid += AskAll(cache);
        ++runs;
    }
    g_fixture->settings.bLocalDataSet = 0;
    g_fixture->db->CloseStmt();
    CountValid(state, valid, runs);
}

void BM_Raw(benchmark::State &state)
{
    Fixture &f = *g_fixture;
    sqlite3_stmt *stmt = nullptr;
    sqlite3_prepare_v2(f.raw,
                       "SELECT catalogue_key, position_number, unit_code, lead_type, extra_code,"
                       " work_units, remark, flag FROM labour_value"
                       " WHERE catalogue_key = ? AND position_number = ? AND lead_type = ?"
                       " AND extra_code = ? ORDER BY unit_code",
                       -1, &stmt, nullptr);
    const QByteArray catalogue = f.settings.KatalogKey.toUtf8();
    const QByteArray lead = f.settings.LeadTyp.toUtf8();
    const QByteArray extra = f.settings.ZusatzCode.toUtf8();
    std::vector<QByteArray> numbers;
    for (const QString &apNr : f.positions)
        numbers.push_back(apNr.toUtf8());
    QString text[8];
    int valid = 0, runs = 0;
    for (auto _ : state) {
        for (const QByteArray &number : numbers) {
            sqlite3_bind_text(stmt, 1, catalogue.constData(), int(catalogue.size()), SQLITE_STATIC);
            sqlite3_bind_text(stmt, 2, number.constData(), int(number.size()), SQLITE_STATIC);
            sqlite3_bind_text(stmt, 3, lead.constData(), int(lead.size()), SQLITE_STATIC);
            sqlite3_bind_text(stmt, 4, extra.constData(), int(extra.size()), SQLITE_STATIC);
            int rows = 0;
            while (sqlite3_step(stmt) == SQLITE_ROW) {
                for (int c = 0; c < 8; ++c)
                    text[c] = QString::fromUtf8(
                        reinterpret_cast<const char *>(sqlite3_column_text(stmt, c)),
                        sqlite3_column_bytes(stmt, c));
                ++rows;
            }
            sqlite3_reset(stmt);
            valid += rows > 0;
        }
        ++runs;
    }
    sqlite3_finalize(stmt);
    CountValid(state, valid, runs);
}

} // namespace

BENCHMARK(BM_Cold);
BENCHMARK(BM_Warm);
BENCHMARK(BM_Uncached);
BENCHMARK(BM_Raw);

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Fixture fixture;
    if (qEnvironmentVariableIntValue("YAQ_BENCH_SMALL"))
        fixture.size.labourValues /= 10;
    const QString file = fixture.dir.filePath(QStringLiteral("YAQ2.dat"));
    const QString error = BuildSyntheticCatalogue(
        file, QStringLiteral(YAQ_SOURCE_DIR "/data/schema/catalogue.sql"), fixture.size);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "synthetic catalogue: %s\n", qPrintable(error));
        return 1;
    }
    fixture.db = std::make_unique<CYaqDb>();
    if (!fixture.db->Open(QString(), QString(), QString(), 0, fixture.dir.path(), QString(),
                          QString())) {
        std::fprintf(stderr, "open: %s\n", qPrintable(fixture.db->LastErrorText()));
        return 1;
    }
    if (sqlite3_open_v2(file.toUtf8().constData(), &fixture.raw, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        std::fprintf(stderr, "open: %s\n", sqlite3_errmsg(fixture.raw));
        return 1;
    }

    CPrgSettings &s = fixture.settings;
    s.KatalogKey = QStringLiteral("1");
    s.LeadTyp = SyntheticLeadType(3);
    s.ZusatzCode = QStringLiteral("A");
    s.bLocalDataSet = 0;
    // The positions of main group "07" of the lead type, asked in turn; one
    // in ten is a number the catalogue does not hold.
    const int perGroup = fixture.size.labourValues / (kLeadTypes * 100);
    for (int q = 0; q < kQuestions; ++q) {
        const int p = q % (perGroup + perGroup / 10 + 1);
        fixture.positions.push_back(QStringLiteral("07%1").arg(p * 10, 5, 10, QLatin1Char('0')));
    }
    std::printf("synthetic catalogue: %d labour values, %d positions per main group\n",
                fixture.size.labourValues, perGroup);
    g_fixture = &fixture;

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(std::to_string(kQuestions) +
                             " questions, share of the SQLite C API's time",
                         {{"BM_Cold", "BM_Raw", kColdTarget},
                          {"BM_Warm", "BM_Raw", kWarmTarget},
                          {"BM_Uncached", "BM_Raw"}});
    benchmark::Shutdown();
    g_fixture = nullptr;
    fixture.db.reset();
    sqlite3_close(fixture.raw);
    return 0;
}
