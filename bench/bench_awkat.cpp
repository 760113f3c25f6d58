// Opening the labour-position level of a main group with 5,000 positions
// in a synthetic catalogue: the catalogue walk (main groups read, the group
// opened, its group levels asked, every position read with its info and
// filtered by its labour values for the vehicle through the cached
// readers, the cache emptied before each run) beside the same reads on the
// SQLite C API (the positions of the group, the labour values and the infos
// of the main group, every column copied into a text). At the end the
// ratio walk / C API is printed (target: at most 2).
//
// --benchmark_repetitions=10 compares the fastest of ten runs of each.

#include "catalogues/model/AwKatWalk.h"
#include "common/readers/CatalogueCache.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"
#include "support/RawQuery.h"
#include "yaq2-mkdb/CatalogueBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <memory>

namespace {

struct Fixture
{
    QTemporaryDir dir;
    QString file;
    std::unique_ptr<CYaqDb> catalogue, values, third;
};

Fixture *g_fixture = nullptr;

CPrgSettings Vehicle()
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.Bestellnr = SyntheticAwTypeNumber();
    s.LeadTyp = SyntheticAwLeadType();
    s.ZusatzCode = QStringLiteral("A");
    s.Fgstnr.clear();
    return s;
}

void BM_Walk_OpenPositions(benchmark::State &state)
{
    CPrgSettings s = Vehicle();
    size_t shown = 0;
    for (auto _ : state) {
        CatalogueCache().Clear();
        CAwKatWalk walk(&s, g_fixture->catalogue.get(), g_fixture->values.get(),
                        g_fixture->third.get());
        walk.ReadMainGroups();
        for (CAwKatRow *row : walk.Shown()) {
            if (row->Key == SyntheticAwMainGroup())
                walk.Open(row);
        }
        shown = walk.Shown().size();
        if (walk.ShownLevel() != AW_POSITION)
            state.SkipWithError("the positions were not opened");
    }
    state.counters["rows"] = double(shown);
}

void BM_Raw_OpenPositions(benchmark::State &state)
{
    const QByteArray file = g_fixture->file.toUtf8();
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    int rows = 0;
    for (auto _ : state) {
        sqlite3 *db = nullptr;
        sqlite3_open_v2(file.constData(), &db, SQLITE_OPEN_READONLY, nullptr);
        {
            RawQuery positions(db, CYaqDb::AwCatalogueQuery(QStringLiteral("catalogue positions")));
            RawQuery values(db, QStringLiteral("SELECT catalogue_key, position_number, unit_code,"
                                               " lead_type, extra_code, work_units, remark, flag"
                                               " FROM labour_value WHERE catalogue_key = ? AND"
                                               " main_group = ? AND lead_type = ? AND"
                                               " extra_code = ? ORDER BY position_number,"
                                               " unit_code"));
            RawQuery infos(db, QStringLiteral("SELECT catalogue_key, position_number, info_number,"
                                              " info_text FROM labour_info WHERE catalogue_key = ?"
                                              " AND main_group = ? ORDER BY position_number"));
            rows = 0;
            positions.Bind({one, SyntheticAwTypeNumber(), SyntheticAwMainGroup(), lang,
                            QStringLiteral("0000"), QStringLiteral("9999")});
            while (positions.Step())
                ++rows;
            values.Bind({one, SyntheticAwMainGroup(), SyntheticAwLeadType(), QStringLiteral("A")});
            while (values.Step()) {
            }
            infos.Bind({one, SyntheticAwMainGroup()});
            while (infos.Step()) {
            }
        }
        sqlite3_close(db);
    }
    state.counters["rows"] = rows;
}

BENCHMARK(BM_Walk_OpenPositions)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_OpenPositions)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SetPrgSprache(QStringLiteral("00"));
    Fixture fixture;
    // The identification tables and the package list stay small.
    SyntheticSize size{1000, 100, 1000, 100, 10};
    fixture.file = fixture.dir.filePath(QStringLiteral("YAQ2.dat"));
    const QString error = BuildSyntheticCatalogue(
        fixture.file, QStringLiteral(YAQ_SOURCE_DIR "/data/schema/catalogue.sql"), size);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "synthetic catalogue: %s\n", qPrintable(error));
        return 1;
    }
    g_fixture = &fixture;
    for (auto *db : {&fixture.catalogue, &fixture.values, &fixture.third}) {
        *db = std::make_unique<CYaqDb>();
        if (!(*db)->Open(QString(), QString(), QString(), 0, fixture.dir.path(), QString(),
                         QString())) {
            std::fprintf(stderr, "open failed\n");
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("labour positions opened / SQLite C API of their reads",
                         {{"BM_Walk_OpenPositions", "BM_Raw_OpenPositions", 2.0}},
                         benchmark::kMillisecond);
    return 0;
}
