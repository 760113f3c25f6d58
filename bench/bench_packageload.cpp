// Loading an edited package from synthetic catalogues: a package of 100,
// 300 and 1,000 lines (labour positions with alternatives and options,
// parts) whose three optional sub-packages each hold a further one down to
// the third level, with texts, labour values, part texts and the
// sub-package look-ups; as the editing page loads it on the local
// catalogue file when the adviser opens the package (the page's
// connections and the loader's own kept from load to load, as the page
// keeps them), each labour position asked whether it applies to the
// vehicle: its labour values and its catalogue line in the column of the
// vehicle's model, read by main group once per load. Beside it the same
// reads written directly against the SQLite C API on the same file (one
// connection kept open and its statements prepared once, as a program
// that keeps its connections would; the whole load in one read
// transaction, as the loader's is; keys bound, every column copied into a
// text; the column of the model read once, the labour values and catalogue
// lines of each main group once per load into a hash of the positions that
// apply), without making lines. At the end the ratio load / C API is
// printed for each size (target: at most 1.5).
//
// --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true
// compares the medians of ten runs of each, spread over the whole run.

#include "packages/edit/PackageLoader.h"
#include "packages/model/Paket.h"
#include "platform/db/PackageOrigin.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"
#include "support/EditedPackage.h"
#include "support/RawQuery.h"
#include "support/SyntheticCatalogues.h"

#include <QCoreApplication>
#include <QSet>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

const std::vector<int> kLines = {100, 300, 1000};
constexpr double kTarget = 1.5;

// The vehicle as the page's settings hold it on the local catalogue file.
CPrgSettings Settings()
{
    return SyntheticPackagePageSettings(SyntheticEditTypeKey());
}

// The reads of one load on the C API.
struct RawLoad
{
    explicit RawLoad(sqlite3 *db)
        : transaction(db),
          positions(db, CYaqDb::PackageEditQuery(QStringLiteral("labour positions of a package"))),
          parts(db, CYaqDb::PackageEditQuery(QStringLiteral("parts of a package"))),
          partText(db, CYaqDb::PackageEditQuery(QStringLiteral("part text"))),
          subs(db, CYaqDb::PackageEditQuery(QStringLiteral("standard sub-packages"))),
          groupText(db, CYaqDb::PackageEditQuery(QStringLiteral("main group text"))),
          texts(db, CYaqDb::PackageListQuery(QStringLiteral("position texts"))),
          values(db, QStringLiteral(
                         "SELECT catalogue_key, position_number, unit_code, lead_type, extra_code,"
                         " work_units, remark, flag FROM labour_value"
                         " WHERE catalogue_key = ? AND position_number = ? AND lead_type = ?"
                         " AND extra_code = ? ORDER BY unit_code")),
          column(db, RawCatalogueColumnSql()),
          groupValues(db,
                      CYaqDb::AwCatalogueQuery(QStringLiteral("labour values of a main group"))),
          groupLines(db,
                     CYaqDb::AwCatalogueQuery(QStringLiteral("catalogue lines of a main group")))
    {
    }

    // A load begins: the column of the vehicle's model read, no main group
    // read yet.
    void Begin()
    {
        column.Bind({QStringLiteral("1"), SyntheticPackageTypeNumber(), SyntheticModelName()});
        at = column.Step() ? column.Text(2).toInt() - 1 : -1;
        column.Done();
        groups.clear();
        applies.clear();
    }
    // Whether a labour position applies: a value row that counts and a
    // catalogue line marked in the column, both read by main group.
    bool Applies(const QString &number, const CPackageLoadVehicle &v)
    {
        const QString group = number.left(2);
        if (!groups.contains(group)) {
            groups.insert(group);
            const QString one = QStringLiteral("1");
            groupValues.Bind({one, group, v.leadType, v.extraCode});
            groupLines.Bind({one, v.typeNumber, group});
            RawApplyingPositions(groupValues, groupLines, at, &applies);
            groupValues.Done();
            groupLines.Done();
        }
        return applies.contains(number);
    }

    int Load(const QString &key, const CPackageLoadVehicle &v)
    {
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
            if (!Applies(row.first, v))
                continue;
            ++lines;
            texts.Bind({one, lang, v.modelSeries, row.first});
            texts.Step();
            if (row.second == QLatin1String("O")) {
                // The standard rows by their three origin codes.
                const QStringList &standard = StandardPackageOrigins();
                subs.Bind({one, v.typeKey, row.first, standard[0], standard[1], standard[2],
                           v.productionDate, v.productionDate});
                if (subs.Step() && subs.Text(6) == QLatin1String("SRP")) {
                    const QString subKey = subs.Text(4);
                    groupText.Bind({one, lang, v.typeNumber, row.first.left(2)});
                    groupText.Step();
                    texts.Bind({one, lang, v.modelSeries, row.first});
                    texts.Step();
                    lines += 2 + Load(subKey, v);
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

    // Ends the reads left after their first row and the read transaction,
    // so that no statement holds a lock on the file between loads.
    void Done()
    {
        for (RawQuery *query : {&texts, &subs, &groupText, &partText})
            query->Done();
        transaction.Commit();
    }

    RawReadTransaction transaction;
    RawQuery positions, parts, partText, subs, groupText, texts, values;
    RawQuery column, groupValues, groupLines;
    int at = -1;          // the vehicle's column
    QSet<QString> groups; // main groups read in this load
    QSet<QString> applies;
};

// The catalogue of one size with the page's three connections, the
// loader's two and the baseline's one, its statements prepared.
struct Catalogue
{
    QString folder;
    std::unique_ptr<CYaqDb> values, catalogue, texts;
    CPackageLoadOwnConnections loaderOwn; // kept by the page from load to load
    sqlite3 *raw = nullptr;
    std::unique_ptr<RawLoad> rawLoad;
    ~Catalogue()
    {
        rawLoad.reset();
        sqlite3_close(raw);
    }
};

std::map<int, std::unique_ptr<Catalogue>> g_catalogues;

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

std::unique_ptr<CYaqDb> OpenDb(const QString &folder)
{
    auto db = std::make_unique<CYaqDb>();
    if (!db->Open(QString(), QString(), QString(), 0, folder, QString(), QString()))
        return nullptr;
    return db;
}

void BM_Layer_PackageLoad(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    CPrgSettings settings = Settings();
    CCatalogueLoadReads reads(&settings, c.catalogue.get());
    CPackageLoadConnections connections;
    connections.values = c.values.get();
    connections.catalogue = c.catalogue.get();
    connections.texts = c.texts.get();
    const QString folder = c.folder;
    connections.open = [folder] { return OpenDb(folder); };
    connections.kept = &c.loaderOwn;
    int lines = 0;
    for (auto _ : state) {
        CPackageLoader loader(connections, &reads, Vehicle(), nullptr);
        lines = LoadEditedPackage(loader);
        if (lines < 0)
            state.SkipWithError("load failed");
    }
    for (CYaqDb *db : {c.values.get(), c.catalogue.get(), c.texts.get(), c.loaderOwn.lines.get(),
                       c.loaderOwn.lookup.get()}) {
        if (db)
            db->CloseStmt();
    }
    state.counters["lines"] = lines;
}

void BM_Raw_PackageLoad(benchmark::State &state)
{
    RawLoad &load = *g_catalogues.at(int(state.range(0)))->rawLoad;
    const CPackageLoadVehicle v = Vehicle();
    int lines = 0;
    for (auto _ : state) {
        load.Begin();
        load.transaction.Begin();
        lines = load.Load(SyntheticEditPackage(), v);
        load.Done();
    }
    state.counters["lines"] = lines;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SyntheticCatalogues built;
    for (const int lines : kLines) {
        // The identification tables and the package list stay small: only
        // the edited package is read.
        SyntheticSize size{1000, 100, 1000, 100, 10};
        size.packageLines = lines;
        auto c = std::make_unique<Catalogue>();
        c->folder = built.Build(size, "a package of " + Thousands(lines) + " lines");
        if (c->folder.isEmpty())
            return 1;
        for (auto *db : {&c->values, &c->catalogue, &c->texts}) {
            *db = OpenDb(c->folder);
            if (!*db) {
                std::fprintf(stderr, "open failed\n");
                return 1;
            }
        }
        if (!OpenRaw(c->folder, &c->raw))
            return 1;
        c->rawLoad = std::make_unique<RawLoad>(c->raw);
        g_catalogues[lines] = std::move(c);
    }
    for (const int lines : kLines) {
        for (const auto &[name, run] :
             {std::make_pair("BM_Layer_PackageLoad", BM_Layer_PackageLoad),
              std::make_pair("BM_Raw_PackageLoad", BM_Raw_PackageLoad)})
            benchmark::RegisterBenchmark(name, run)
                ->Arg(lines)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", Fastest);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios(
        "package load / SQLite C API of its reads",
        AtSizes({"BM_Layer_PackageLoad", "BM_Raw_PackageLoad", kTarget, "load"}, kLines, "lines"),
        benchmark::kMillisecond);
    benchmark::Shutdown();
    g_catalogues.clear();
    return 0;
}
