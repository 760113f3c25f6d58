// The package list of a vehicle on synthetic catalogues of 1,000, 5,000 and
// 20,000 service packages over 30 main groups (a quarter with a warranty
// variant, a tenth with an inclusive-service variant checked against the
// vehicle's contract): the top rows built and every main group opened onto
// its packages, as an adviser browsing the whole list on the local
// catalogue file would, each package asked as the page asks it whether it
// applies to the vehicle (its labour values and its catalogue line in the
// column of the vehicle's model), for its information and its parts
// clearing. Beside it the same reads written directly against the SQLite C
// API on the same file (the connection kept, statements prepared once,
// keys bound, every column copied into a text, the texts of a main group
// read once and looked up by number; each main group opened asks for its
// second group level first, the title of each second-level key once; the
// column of the model read once, the labour values, catalogue lines,
// infos and parts clearing of each main group opened once into hashes
// looked up for each package; the top rows in one read transaction and
// each main group opened in one, as the list's steps read), without making
// rows. At the end the ratio list / C API is printed for each size (target:
// at most 1.8, and not growing with the packages).
//
// --benchmark_repetitions=10 --benchmark_enable_random_interleaving=true
// compares the medians of ten runs of each, spread over the whole run.

#include "packages/CatalogueListReads.h"
#include "packages/list/PackageListBuilder.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"
#include "support/RawQuery.h"
#include "support/SyntheticCatalogues.h"

#include <QCoreApplication>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <vector>

namespace {

const std::vector<int> kPackages = {1000, 5000, 20000};
constexpr double kTarget = 1.8;

const QString kCountry = QStringLiteral("DE");
const QString kMonth = QStringLiteral("202406"); // of the vehicle's day below

// The vehicle as the page's settings hold it on the local catalogue file.
CPrgSettings Settings()
{
    CPrgSettings s = SyntheticPackagePageSettings(SyntheticPackageTypeKey());
    s.Fgstnr = SyntheticContractVin().right(7);
    s.CountryCode = kCountry;
    s.Heute = QStringLiteral("15.06.2024");
    return s;
}

// The catalogue of one size with the list's three connections and the
// baseline's own.
struct Catalogue
{
    std::unique_ptr<CYaqDb> packages, catalogue, contracts;
    sqlite3 *raw = nullptr;
    ~Catalogue() { sqlite3_close(raw); }
};

std::map<int, std::unique_ptr<Catalogue>> g_catalogues;

CPackageVehicle Vehicle()
{
    CPackageVehicle v;
    v.typeKey = SyntheticPackageTypeKey();
    v.typeNumber = SyntheticPackageTypeNumber();
    v.modelSeries = SyntheticPackageSeries();
    v.productionDate = QStringLiteral("20170315");
    v.today = QStringLiteral("20240601");
    v.contracts = QStringList{QStringLiteral("SYN0001")};
    return v;
}

void BM_Layer_PackageList(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    CPrgSettings settings = Settings();
    int rows = 0;
    for (auto _ : state) {
        // A new page activation: new reads and a new builder, nothing
        // remembered.
        CCatalogueListReads reads(&settings, c.catalogue.get());
        CPackageListBuilder builder(c.packages.get(), c.catalogue.get(), c.contracts.get(), &reads,
                                    Vehicle());
        CPackageList list;
        builder.Build(list);
        rows = 0;
        for (CPackageRow *top : list.RowsOfLevel(kLevelTop)) {
            builder.Open(list, top);
            rows += int(list.RowsOfLevel(kLevelPackage).size());
        }
    }
    // The connections keep their last read open until their next one; the
    // baseline's reads must not find the file locked for them.
    for (CYaqDb *db : {c.packages.get(), c.catalogue.get(), c.contracts.get()})
        db->CloseStmt();
    state.counters["packages"] = rows;
}

void BM_Raw_PackageList(benchmark::State &state)
{
    sqlite3 *db = g_catalogues.at(int(state.range(0)))->raw;
    const auto query = [](const char *name) {
        return CYaqDb::PackageListQuery(QLatin1String(name));
    };
    RawQuery groups(db, query("main groups")), tops(db, query("package lines of a kind")),
        lines(db, query("package lines of a group")),
        texts(db, query("position texts of a main group")),
        findings(db, query("findings positions")), list(db, query("contract position list")),
        option(db, query("contract")), kindLines(db, query("package lines of a kind in a group")),
        title(db, query("second group level title"));
    RawQuery column(db, RawCatalogueColumnSql()),
        values(db, CYaqDb::AwCatalogueQuery(QStringLiteral("labour values of a main group"))),
        groupLines(db, CYaqDb::AwCatalogueQuery(QStringLiteral("catalogue lines of a main group"))),
        infos(db, QStringLiteral("SELECT catalogue_key, position_number, info_number, info_text,"
                                 " info_number2 FROM labour_info WHERE catalogue_key = ?"
                                 " AND main_group = ? ORDER BY position_number, info_number")),
        clearing(db, RawPartsClearingSql());
    RawReadTransaction step(db);
    const CPackageVehicle v = Vehicle();
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    int rows = 0;
    for (auto _ : state) {
        column.Bind({one, v.typeNumber, SyntheticModelName()});
        const int at = column.Step() ? column.Text(2).toInt() - 1 : -1;
        column.Done();
        step.Begin();
        groups.Bind({one, lang, v.typeNumber});
        while (groups.Step()) {
        }
        std::set<QString> keys;
        tops.Bind({one, v.typeKey, QStringLiteral("SRP"), v.productionDate, v.productionDate});
        while (tops.Step())
            keys.insert(tops.Text(2));
        // The contract's list once; the texts of the service packages
        // listed; the findings positions of the inclusive-service variants.
        option.Bind({one, v.contracts.first()});
        option.Step();
        list.Bind({one, option.Text(6)});
        option.Done();
        while (list.Step()) {
        }
        step.Commit();
        rows = 0;
        for (const QString &group : keys) {
            step.Begin();
            // What the group's packages are asked: the labour values and
            // the catalogue lines that make one apply, its infos and its
            // parts clearing, each read once.
            QSet<QString> applies, cleared;
            QHash<QString, QString> infoOf;
            values.Bind({one, group, SyntheticEditLeadType(), QStringLiteral("A")});
            groupLines.Bind({one, v.typeNumber, group});
            RawApplyingPositions(values, groupLines, at, &applies);
            infos.Bind({one, group});
            while (infos.Step()) {
                if (!infoOf.contains(infos.Text(1)))
                    infoOf.insert(infos.Text(1), infos.Text(2));
            }
            clearing.Bind({one, v.typeKey, kCountry, group, QStringLiteral("A"), kMonth, kMonth});
            while (clearing.Step())
                cleared.insert(clearing.Text(3));
            for (RawQuery *query : {&values, &groupLines, &infos, &clearing})
                query->Done();
            // The second group level first, as every group opened asks for
            // it: the group's service package lines, the title of each
            // second-level key once.
            kindLines.Bind(
                {one, v.typeKey, QStringLiteral("SRP"), group, v.productionDate, v.productionDate});
            std::set<QString> secondKeys;
            while (kindLines.Step()) {
                if (!applies.contains(kindLines.Text(5)) ||
                    !secondKeys.insert(kindLines.Text(10)).second)
                    continue;
                title.Bind({one, v.typeNumber, group, lang, kindLines.Text(10)});
                title.Step();
            }
            title.Done();
            // The texts of the group's positions in one read, looked up by
            // number for each service package.
            QHash<QString, QStringList> groupTexts;
            QString next = group;
            next[next.size() - 1] = QChar(next.back().unicode() + 1);
            texts.Bind({one, lang, v.modelSeries, group, next});
            while (texts.Step())
                groupTexts.insert(texts.Text(3),
                                  {texts.Text(4), texts.Text(5), texts.Text(6), texts.Text(7),
                                   texts.Text(8), texts.Text(9), texts.Text(10), texts.Text(11)});
            lines.Bind({one, v.typeKey, group, v.productionDate, v.productionDate});
            while (lines.Step()) {
                const QString &number = lines.Text(5);
                if (!applies.contains(number))
                    continue;
                benchmark::DoNotOptimize(infoOf.value(number));
                benchmark::DoNotOptimize(cleared.contains(number));
                if (lines.Text(3) == QLatin1String("SRP")) {
                    benchmark::DoNotOptimize(groupTexts.value(lines.Text(5)));
                } else if (lines.Text(3) == QLatin1String("SIP")) {
                    findings.Bind({one, lines.Text(5)});
                    while (findings.Step()) {
                    }
                }
                ++rows;
            }
            step.Commit();
        }
    }
    state.counters["lines"] = rows;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SyntheticCatalogues built;
    for (const int packages : kPackages) {
        // The identification tables stay small: only the package list is read.
        SyntheticSize size{1000, 100, 1000};
        size.packages = packages;
        const QString folder = built.Build(size, Thousands(packages) + " packages");
        if (folder.isEmpty())
            return 1;
        auto c = std::make_unique<Catalogue>();
        for (auto *db : {&c->packages, &c->catalogue, &c->contracts}) {
            *db = std::make_unique<CYaqDb>();
            if (!(*db)->Open(QString(), QString(), QString(), 0, folder, QString(), QString())) {
                std::fprintf(stderr, "open: %s\n", qPrintable((*db)->LastErrorText()));
                return 1;
            }
        }
        if (!OpenRaw(folder, &c->raw))
            return 1;
        g_catalogues[packages] = std::move(c);
    }
    for (const int packages : kPackages) {
        for (const auto &[name, run] :
             {std::make_pair("BM_Layer_PackageList", BM_Layer_PackageList),
              std::make_pair("BM_Raw_PackageList", BM_Raw_PackageList)})
            benchmark::RegisterBenchmark(name, run)
                ->Arg(packages)
                ->Unit(benchmark::kMillisecond)
                ->ComputeStatistics("min", Fastest);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("package list / SQLite C API of its reads",
                         AtSizes({"BM_Layer_PackageList", "BM_Raw_PackageList", kTarget, "list"},
                                 kPackages, "packages"),
                         benchmark::kMillisecond);
    benchmark::Shutdown();
    g_catalogues.clear();
    return 0;
}
