// Opening the labour-position level of a main group with 1,000, 5,000 and
// 20,000 positions in synthetic catalogues, the vehicle's other main
// groups beside it, for the identified vehicle as the page has it: its VIN,
// and the catalogue column of its model, read when the page is shown. The
// catalogue walk (the main groups read and each asked whether it leads to
// a valued position, whose catalogue line must be marked in the vehicle's
// column; the group opened, every position read with its info and its
// parts clearing, filtered by its labour values and its catalogue line)
// beside the same reads on the SQLite C API (one connection kept open,
// opened as the program's, and its statements prepared once: the column of
// the model; the main groups, for each its first leading position's values
// and catalogue lines; then the positions of the group, the labour values,
// catalogue lines, infos and parts clearing of the main group; every column
// copied into a text; each of the two steps in one read transaction).
//
// The walk runs the path the program takes on the local catalogue file
// (the local-data-set flag set: the walk reads by main group into a cache
// of its own, a group's question position by position) and, beside it,
// the path of the shared server (the process-wide cache, emptied before
// each run, which reads every main group whole to answer whether it leads
// to a valued position). At the end the ratio walk / C API is printed for
// each size and path (target for the local file: at most 1.5; the
// server's cache is judged by its round trips, not by SQLite's time, and
// is shown only).
//
// A plain run compares the medians of nine runs of each, interleaved over
// the whole run (StableRun); --benchmark_repetitions=1 times each once.

#include "catalogues/model/AwKatWalk.h"
#include "common/readers/CatalogueCache.h"
#include "common/readers/CatalogueColumn.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"
#include "support/RawQuery.h"
#include "support/SyntheticCatalogues.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

const std::vector<int> kPositions = {1000, 5000, 20000};
constexpr double kTarget = 1.5;
// The plain run: nine repetitions of each benchmark interleaved (StableRun).
constexpr int kRepetitions = 9;
constexpr double kMinSeconds = 0.2;

const QString kCountry = QStringLiteral("DE");
const QString kMonth = QStringLiteral("202406"); // of the vehicle's day below

// The reads of the level on the C API, prepared once.
struct RawLevel
{
    explicit RawLevel(sqlite3 *db)
        : column(db, RawCatalogueColumnSql()),
          mainGroups(db, CYaqDb::PackageListQuery(QStringLiteral("main groups"))),
          groupPositions(db, CYaqDb::AwCatalogueQuery(QStringLiteral("catalogue positions"))),
          positionValues(db,
                         CYaqDb::AwCatalogueQuery(QStringLiteral("labour values of a position"))),
          positionLines(
              db, CYaqDb::AwCatalogueQuery(QStringLiteral("catalogue lines of a position number"))),
          positions(db, CYaqDb::AwCatalogueQuery(QStringLiteral("catalogue positions"))),
          values(db, CYaqDb::AwCatalogueQuery(QStringLiteral("labour values of a main group"))),
          lines(db, CYaqDb::AwCatalogueQuery(QStringLiteral("catalogue lines of a main group"))),
          infos(db, QStringLiteral("SELECT catalogue_key, position_number, info_number,"
                                   " info_text FROM labour_info WHERE catalogue_key = ?"
                                   " AND main_group = ? ORDER BY position_number")),
          clearing(db, RawPartsClearingSql()), transaction(db)
    {
    }

    // The vehicle's column in the catalogue (from 0; -1 for none).
    int Column()
    {
        column.Bind({QStringLiteral("1"), SyntheticAwTypeNumber(), SyntheticModelName()});
        const int at = column.Step() ? column.Text(2).toInt() - 1 : -1;
        column.Done();
        return at;
    }
    // Whether a position has a row that counts for the vehicle.
    bool Valued(const QString &number)
    {
        positionValues.Bind(
            {QStringLiteral("1"), number, SyntheticAwLeadType(), QStringLiteral("A")});
        bool valued = false;
        while (!valued && positionValues.Step())
            valued = positionValues.Text(5) != QLatin1String("-") ||
                     positionValues.Text(7) != QLatin1String("N");
        positionValues.Done();
        return valued;
    }
    // Whether the position's line in its main group is marked in the column.
    bool LineMarked(const QString &number, const QString &group, const QString &line, int at)
    {
        positionLines.Bind({QStringLiteral("1"), SyntheticAwTypeNumber(), group, number});
        bool marked = false;
        while (!marked && positionLines.Step()) {
            const QString &flags = positionLines.Text(7);
            marked = positionLines.Text(3) == line && at >= 0 && at < flags.size() &&
                     flags.at(at) == QLatin1Char('N');
        }
        positionLines.Done();
        return marked;
    }
    // The main groups shown: each a valued position itself, or holding a
    // leading position (the first one that is leading) with values and its
    // line marked.
    int ValuedMainGroups(int at)
    {
        const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
        std::vector<QString> groups;
        mainGroups.Bind({one, lang, SyntheticAwTypeNumber()});
        while (mainGroups.Step())
            groups.push_back(mainGroups.Text(3));
        int shown = 0;
        for (const QString &group : groups) {
            bool valued = Valued(group);
            groupPositions.Bind({one, SyntheticAwTypeNumber(), group, lang, QStringLiteral("0000"),
                                 QStringLiteral("9999")});
            while (!valued && groupPositions.Step()) {
                const bool leading =
                    groupPositions.Text(6).isEmpty() || groupPositions.Text(7).isEmpty();
                if (leading && groupPositions.Text(5) != group) {
                    const QString &number = groupPositions.Text(5);
                    valued =
                        Valued(number) && LineMarked(number, group, groupPositions.Text(4), at);
                }
            }
            groupPositions.Done();
            shown += valued ? 1 : 0;
        }
        return shown;
    }

    RawQuery column, mainGroups, groupPositions, positionValues, positionLines;
    RawQuery positions, values, lines, infos, clearing;
    RawReadTransaction transaction;
};

// The vehicle and the walk a page keeps for its life, on one path (local
// file or the server's cache).
struct Page
{
    CPrgSettings settings;
    std::unique_ptr<CAwKatWalk> walk;
};

// The catalogue of one size with the page's three connections and the
// baseline's one.
struct Catalogue
{
    std::unique_ptr<CYaqDb> catalogue, values, third;
    sqlite3 *raw = nullptr;
    std::unique_ptr<RawLevel> rawLevel;
    Page pages[2]; // server's cache, local file
    ~Catalogue()
    {
        for (Page &page : pages)
            page.walk.reset();
        rawLevel.reset();
        sqlite3_close(raw);
    }
};

std::map<int, std::unique_ptr<Catalogue>> g_catalogues;

// The vehicle of the synthetic catalogue as the page has it once
// identified: VIN, keys and model, the dealer's country.
CPrgSettings Vehicle()
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.Bestellnr = SyntheticAwTypeNumber();
    s.LeadTyp = SyntheticAwLeadType();
    s.ZusatzCode = QStringLiteral("A");
    s.TypSchl = SyntheticEditTypeKey();
    s.ModellBez = SyntheticModelName();
    s.Fgstnr = SyntheticContractVin().right(7);
    s.CountryCode = kCountry;
    s.Heute = QStringLiteral("15.06.2024");
    return s;
}

// The level opened as the page opens a main group after it was shown (the
// vehicle's column read, the main groups read anew): on the walk the page
// keeps for its life, so each run (and each repetition) finds the rooms the
// one before left; local: the program on the local catalogue file.
void OpenPositions(benchmark::State &state, bool local)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    Page &page = c.pages[local ? 1 : 0];
    if (!page.walk) {
        page.settings = Vehicle();
        page.settings.bLocalDataSet = local ? 1 : 0;
        page.walk = std::make_unique<CAwKatWalk>(&page.settings, c.catalogue.get(), c.values.get(),
                                                 c.third.get());
    }
    CPrgSettings &s = page.settings;
    CAwKatWalk &walk = *page.walk;
    size_t shown = 0;
    for (auto _ : state) {
        CatalogueCache().Clear();
        walk.SetVehicleColumn(GetAwKatSpalte(&s, c.catalogue.get(), s.ModellBez, {}).value);
        walk.ReadMainGroups();
        for (CAwKatRow *row : walk.Shown()) {
            if (row->Key == SyntheticAwMainGroup())
                walk.Open(row);
        }
        shown = walk.Shown().size();
        if (walk.ShownLevel() != AW_POSITION || walk.VehicleColumn() < 0)
            state.SkipWithError("the positions were not opened for the vehicle's column");
    }
    for (CYaqDb *db : {c.catalogue.get(), c.values.get(), c.third.get()})
        db->CloseStmt();
    state.counters["rows"] = double(shown);
}

void BM_Walk_OpenPositions(benchmark::State &state)
{
    OpenPositions(state, true);
}

void BM_Walk_OpenPositionsCached(benchmark::State &state)
{
    OpenPositions(state, false);
}

void BM_Raw_OpenPositions(benchmark::State &state)
{
    RawLevel &raw = *g_catalogues.at(int(state.range(0)))->rawLevel;
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    const QString group = SyntheticAwMainGroup();
    int rows = 0;
    for (auto _ : state) {
        rows = 0;
        const int at = raw.Column();
        raw.transaction.Begin();
        if (raw.ValuedMainGroups(at) < 1)
            state.SkipWithError("no main group valued");
        raw.transaction.Commit();
        raw.transaction.Begin();
        raw.positions.Bind({one, SyntheticAwTypeNumber(), group, lang, QStringLiteral("0000"),
                            QStringLiteral("9999")});
        while (raw.positions.Step())
            ++rows;
        raw.values.Bind({one, group, SyntheticAwLeadType(), QStringLiteral("A")});
        while (raw.values.Step()) {
        }
        raw.lines.Bind({one, SyntheticAwTypeNumber(), group});
        while (raw.lines.Step()) {
        }
        raw.infos.Bind({one, group});
        while (raw.infos.Step()) {
        }
        raw.clearing.Bind(
            {one, SyntheticEditTypeKey(), kCountry, group, QStringLiteral("A"), kMonth, kMonth});
        while (raw.clearing.Step()) {
        }
        for (RawQuery *query : {&raw.positions, &raw.values, &raw.lines, &raw.infos, &raw.clearing})
            query->Done();
        raw.transaction.Commit();
    }
    state.counters["rows"] = rows;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SetPrgSprache(QStringLiteral("00"));
    SyntheticCatalogues built;
    for (const int positions : kPositions) {
        // The identification tables and the package list stay small.
        SyntheticSize size{1000, 100, 1000, 100, 10};
        size.labourPositions = positions;
        const QString folder =
            built.Build(size, "a main group of " + Thousands(positions) + " positions");
        if (folder.isEmpty())
            return 1;
        auto c = std::make_unique<Catalogue>();
        for (auto *db : {&c->catalogue, &c->values, &c->third}) {
            *db = std::make_unique<CYaqDb>();
            if (!(*db)->Open(QString(), QString(), QString(), 0, folder, QString(), QString())) {
                std::fprintf(stderr, "open failed\n");
                return 1;
            }
        }
        if (!OpenRaw(folder, &c->raw))
            return 1;
        c->rawLevel = std::make_unique<RawLevel>(c->raw);
        g_catalogues[positions] = std::move(c);
    }
    for (const int positions : kPositions) {
        for (const auto &[name, run] :
             {std::make_pair("BM_Walk_OpenPositions", BM_Walk_OpenPositions),
              std::make_pair("BM_Walk_OpenPositionsCached", BM_Walk_OpenPositionsCached),
              std::make_pair("BM_Raw_OpenPositions", BM_Raw_OpenPositions)})
            benchmark::RegisterBenchmark(name, run)
                ->Arg(positions)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", Fastest);
    }
    StableRun run(argc, argv, kRepetitions, kMinSeconds);
    benchmark::Initialize(run.Argc(), run.Argv());
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<RatioLine> lines = AtSizes(
        {"BM_Walk_OpenPositions", "BM_Raw_OpenPositions", kTarget, "level opened, local file"},
        kPositions, "positions");
    for (const RatioLine &line : AtSizes({"BM_Walk_OpenPositionsCached", "BM_Raw_OpenPositions", 0,
                                          "level opened, shared server's cache"},
                                         kPositions, "positions"))
        lines.push_back(line);
    reporter.PrintRatios("labour positions opened / SQLite C API of their reads", lines,
                         benchmark::kMillisecond);
    benchmark::Shutdown();
    CatalogueCache().Clear();
    g_catalogues.clear();
    return 0;
}
