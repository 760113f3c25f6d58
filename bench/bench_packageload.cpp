// Loading an edited package from a synthetic catalogue: a package of 300
// lines (labour positions with alternatives and options, parts) whose three
// optional sub-packages each hold a further one down to the third level,
// with texts, labour values, part texts and the sub-package look-ups; as
// the editing page loads it when the adviser opens the package (its own two
// connections opened for the load). Beside it the same reads written
// directly against the SQLite C API on the same file (two handles opened,
// statements prepared once per load, keys bound, every column copied into
// a text), without making lines. At the end the ratio load / C API is
// printed (target: at most 2).
//
// --benchmark_repetitions=10 compares the fastest of ten runs of each.

#include "packages/edit/PackageLoader.h"
#include "packages/model/Paket.h"
#include "platform/db/YaqDb.h"
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
#include <vector>

namespace {

// Every labour position applies to the vehicle.
class AllApply : public IPackageLoadReads
{
public:
    int CatalogueColumn() override { return 0; }
    bool PositionApplies(const QString &, int) override { return true; }
};

struct Fixture
{
    QTemporaryDir dir;
    QString file;
    std::unique_ptr<CYaqDb> values, catalogue, texts;
};

Fixture *g_fixture = nullptr;

CPackageLoadVehicle Vehicle()
{
    CPackageLoadVehicle v;
    v.typeKey = SyntheticEditTypeKey();
    v.typeNumber = SyntheticPackageTypeNumber();
    v.leadType = SyntheticEditLeadType();
    v.extraCode = QStringLiteral("A");
    v.modelSeries = SyntheticPackageSeries();
    v.productionDate = QStringLiteral("20170315");
    return v;
}

std::unique_ptr<CYaqDb> OpenDb()
{
    auto db = std::make_unique<CYaqDb>();
    if (!db->Open(QString(), QString(), QString(), 0, g_fixture->dir.path(), QString(), QString()))
        return nullptr;
    return db;
}

int CountLines(const CPaket &paket)
{
    int n = 0;
    for (const auto &line : paket)
        n += 1 + (line->SubPackage ? CountLines(*line->SubPackage) : 0);
    return n;
}

void BM_Layer_PackageLoad(benchmark::State &state)
{
    AllApply reads;
    CPackageLoadConnections connections;
    connections.values = g_fixture->values.get();
    connections.catalogue = g_fixture->catalogue.get();
    connections.texts = g_fixture->texts.get();
    connections.open = OpenDb;
    int lines = 0;
    for (auto _ : state) {
        CPackageLoader loader(connections, &reads, Vehicle(), nullptr);
        CPaket paket;
        auto listLine = std::make_unique<CPosition>();
        listLine->Type = POS_SPECIAL1;
        paket.AddPosition(std::move(listLine));
        auto head = std::make_unique<CPosition>();
        head->Type = POS_HEAD_CAMPAIGN;
        head->Number = head->PaketID = SyntheticEditPackage();
        CPosition *h = paket.AddPosition(std::move(head));
        if (loader.Load(paket, h, kKindSR) != CPackageLoader::Result::Loaded)
            state.SkipWithError("load failed");
        lines = CountLines(paket);
    }
    state.counters["lines"] = lines;
}

// The reads of one load on the C API.
struct RawLoad
{
    explicit RawLoad(sqlite3 *db)
        : positions(db, CYaqDb::PackageEditQuery(QStringLiteral("labour positions of a package"))),
          parts(db, CYaqDb::PackageEditQuery(QStringLiteral("parts of a package"))),
          partText(db, CYaqDb::PackageEditQuery(QStringLiteral("part text"))),
          subs(db, CYaqDb::PackageEditQuery(QStringLiteral("standard sub-packages"))),
          groupText(db, CYaqDb::PackageEditQuery(QStringLiteral("main group text"))),
          texts(db, CYaqDb::PackageListQuery(QStringLiteral("position texts"))),
          values(db, QStringLiteral(
                         "SELECT catalogue_key, position_number, unit_code, lead_type, extra_code,"
                         " work_units, remark, flag FROM labour_value"
                         " WHERE catalogue_key = ? AND position_number = ? AND lead_type = ?"
                         " AND extra_code = ? ORDER BY unit_code"))
    {
    }

    int Load(const QString &key)
    {
        const CPackageLoadVehicle v = Vehicle();
        const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
        std::vector<std::pair<QString, QString>> rows; // number, kind
        positions.Bind({one, key});
        while (positions.Step())
            rows.emplace_back(positions.Text(2), positions.Text(3));
        std::vector<QString> partNumbers;
        parts.Bind({one, key});
        while (parts.Step())
            partNumbers.push_back(parts.Text(2));
        int lines = 0;
        for (const auto &row : rows) {
            ++lines;
            texts.Bind({one, lang, v.modelSeries, row.first});
            texts.Step();
            if (row.second == QLatin1String("O")) {
                subs.Bind({one, v.typeKey, row.first, v.productionDate, v.productionDate});
                if (subs.Step() && subs.Text(6) == QLatin1String("SRP")) {
                    const QString subKey = subs.Text(4);
                    groupText.Bind({one, lang, v.typeNumber, row.first.left(2)});
                    groupText.Step();
                    texts.Bind({one, lang, v.modelSeries, row.first});
                    texts.Step();
                    lines += 2 + Load(subKey);
                    continue;
                }
            }
            values.Bind({one, row.first, v.leadType, v.extraCode});
            while (values.Step()) {
            }
        }
        for (const QString &number : partNumbers) {
            ++lines;
            partText.Bind({one, number, lang});
            partText.Step();
        }
        return lines;
    }

    RawQuery positions, parts, partText, subs, groupText, texts, values;
};

void BM_Raw_PackageLoad(benchmark::State &state)
{
    int lines = 0;
    const QByteArray file = g_fixture->file.toUtf8();
    for (auto _ : state) {
        // The load's two handles: the lines and the look-up.
        sqlite3 *lineDb = nullptr, *lookupDb = nullptr;
        sqlite3_open_v2(file.constData(), &lineDb, SQLITE_OPEN_READONLY, nullptr);
        sqlite3_open_v2(file.constData(), &lookupDb, SQLITE_OPEN_READONLY, nullptr);
        {
            RawLoad load(lineDb);
            lines = load.Load(SyntheticEditPackage());
        }
        sqlite3_close(lineDb);
        sqlite3_close(lookupDb);
    }
    state.counters["lines"] = lines;
}

BENCHMARK(BM_Layer_PackageLoad)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_PackageLoad)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Fixture fixture;
    // The identification tables and the package list stay small: only the
    // edited package is read.
    SyntheticSize size{1000, 100, 1000, 100, 10};
    fixture.file = fixture.dir.filePath(QStringLiteral("YAQ2.dat"));
    QElapsedTimer timer;
    timer.start();
    const QString error = BuildSyntheticCatalogue(
        fixture.file, QStringLiteral(YAQ_SOURCE_DIR "/data/schema/catalogue.sql"), size);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "synthetic catalogue: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("synthetic catalogue in %lld ms\n", static_cast<long long>(timer.elapsed()));
    g_fixture = &fixture;
    for (auto *db : {&fixture.values, &fixture.catalogue, &fixture.texts}) {
        *db = OpenDb();
        if (!*db) {
            std::fprintf(stderr, "open failed\n");
            return 1;
        }
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("package load / SQLite C API of its reads",
                         {{"BM_Layer_PackageLoad", "BM_Raw_PackageLoad", 2.0}},
                         benchmark::kMillisecond);
    benchmark::Shutdown();
    fixture.values.reset();
    fixture.catalogue.reset();
    fixture.texts.reset();
    g_fixture = nullptr;
    return 0;
}
