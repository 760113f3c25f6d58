// The adviser's steps on the large synthetic catalogue (yaq2-mkdb
// --synthetic at its default sizes, about 160 MB), each timed on its own as
// the program takes it on the local catalogue file (the local-data-set flag
// set, the vehicle's catalogue column known, the program's readers):
//
//   identify     the VIN of the large vehicle looked up and its catalogue
//                found
//   list         the vehicle's package list built (its top rows)
//   group        the largest main group of the list opened onto its packages
//   package      the large package (300 lines and its sub-packages) loaded
//                with the program's own validity questions
//   catalogue    the labour-value catalogue page opened: its main groups,
//                each asked whether it leads to a valued position
//   positions    the main group of 5,000 positions opened
//
// Each must stay under 100 ms (printed at the end). The catalogue is built
// once into a temporary folder (some 20 s); --benchmark_repetitions=10
// --benchmark_enable_random_interleaving=true compares the medians of ten
// runs of each.
//
// With YAQ_BENCH_TNS (host:port/db) the steps read that catalogue server
// instead (the same catalogue loaded into it; YAQ_BENCH_UID and
// YAQ_BENCH_PWD name the user): the program's steps on a server of one's
// own, without a limit of their own.

#include "app/PendingIdent.h"
#include "app/VehicleIdent.h"
#include "catalogues/model/AwKatWalk.h"
#include "common/readers/CatalogueCache.h"
#include "common/readers/CatalogueColumn.h"
#include "packages/CatalogueListReads.h"
#include "packages/list/PackageList.h"
#include "packages/list/PackageListBuilder.h"
#include "packages/list/PackageRow.h"
#include "platform/OrmelText.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"
#include "support/EditedPackage.h"
#include "support/SyntheticCatalogues.h"

#include <QCoreApplication>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <memory>

namespace {

constexpr double kStepLimitMs = 100.0;
const QString kProductionDate = QStringLiteral("20170315");

struct Large
{
    QString folder;
    std::unique_ptr<CYaqDb> db[4];
    CPrgSettings settings;
    CPackageLoadOwnConnections loaderOwn;
};

Large *g_large = nullptr;

std::unique_ptr<CYaqDb> OpenDb(const QString &folder)
{
    auto db = std::make_unique<CYaqDb>();
    const QString server = qEnvironmentVariable("YAQ_BENCH_TNS");
    const bool open =
        server.isEmpty()
            ? db->Open(QString(), QString(), QString(), 0, folder, QString(), QString())
            : db->Open(server, qEnvironmentVariable("YAQ_BENCH_UID"),
                       qEnvironmentVariable("YAQ_BENCH_PWD"), 0, QString(), QString(), QString());
    if (!open)
        return nullptr;
    return db;
}

// The vehicle as the head row leaves it in the settings.
bool Identify(CYaqDb *db, CPrgSettings &settings)
{
    CVehicleIdent ident(db, {}, nullptr);
    CPendingIdent pending;
    if (ident.LookupVin(SyntheticContractVin(), true, pending) != CVehicleIdent::VinFound)
        return false;
    if (ident.CatalogueStep(pending) != CVehicleIdent::CatalogueColumn)
        return false;
    pending.CommitTo(settings);
    return true;
}

CPackageVehicle ListVehicle(const CPrgSettings &s)
{
    CPackageVehicle v = CPackageVehicle::FromSettings(s);
    v.productionDate = kProductionDate;
    return v;
}

void BM_Step_Identify(benchmark::State &state)
{
    for (auto _ : state) {
        CPrgSettings s = g_large->settings;
        if (!Identify(g_large->db[0].get(), s))
            state.SkipWithError("the VIN was not identified");
    }
}

void BM_Step_PackageList(benchmark::State &state)
{
    CPrgSettings s = g_large->settings;
    CCatalogueListReads reads(&s, g_large->db[1].get());
    size_t rows = 0;
    for (auto _ : state) {
        CPackageListBuilder builder(g_large->db[0].get(), g_large->db[1].get(),
                                    g_large->db[2].get(), &reads, ListVehicle(s));
        CPackageList list;
        builder.Build(list);
        rows = list.RowsOfLevel(kLevelTop).size();
    }
    state.counters["rows"] = double(rows);
}

void BM_Step_PackageGroup(benchmark::State &state)
{
    CPrgSettings s = g_large->settings;
    CCatalogueListReads reads(&s, g_large->db[1].get());
    size_t rows = 0;
    for (auto _ : state) {
        state.PauseTiming();
        CPackageListBuilder builder(g_large->db[0].get(), g_large->db[1].get(),
                                    g_large->db[2].get(), &reads, ListVehicle(s));
        CPackageList list;
        builder.Build(list);
        CPackageRow *group = nullptr;
        for (CPackageRow *top : list.RowsOfLevel(kLevelTop)) {
            if (top->marker == QLatin1String("10"))
                group = top;
        }
        state.ResumeTiming();
        builder.Open(list, group);
        rows = list.RowsOfLevel(kLevelPackage).size();
    }
    state.counters["packages"] = double(rows);
}

void BM_Step_Package(benchmark::State &state)
{
    CPrgSettings s = g_large->settings;
    CCatalogueLoadReads reads(&s, g_large->db[1].get());
    CPackageLoadConnections connections;
    connections.values = g_large->db[0].get();
    connections.catalogue = g_large->db[1].get();
    connections.texts = g_large->db[3].get();
    const QString folder = g_large->folder;
    connections.open = [folder] { return OpenDb(folder); };
    connections.kept = &g_large->loaderOwn;
    CPackageLoadVehicle vehicle = CPackageLoadVehicle::FromSettings(s);
    vehicle.productionDate = kProductionDate;
    int lines = 0;
    for (auto _ : state) {
        CPackageLoader loader(connections, &reads, vehicle, nullptr);
        lines = LoadEditedPackage(loader);
        if (lines < 0)
            state.SkipWithError("the package was not loaded");
    }
    state.counters["lines"] = lines;
}

// The catalogue page's walk on the vehicle, its column set as the page
// sets it.
std::unique_ptr<CAwKatWalk> Walk(CPrgSettings &s)
{
    auto walk = std::make_unique<CAwKatWalk>(&s, g_large->db[0].get(), g_large->db[1].get(),
                                             g_large->db[2].get());
    walk->SetVehicleColumn(GetAwKatSpalte(&s, g_large->db[1].get(), s.ModellBez, {}).value);
    return walk;
}

void BM_Step_Catalogue(benchmark::State &state)
{
    CPrgSettings s = g_large->settings;
    size_t shown = 0;
    for (auto _ : state) {
        auto walk = Walk(s);
        walk->ReadMainGroups();
        shown = walk->Shown().size();
    }
    state.counters["groups"] = double(shown);
}

void BM_Step_Positions(benchmark::State &state)
{
    CPrgSettings s = g_large->settings;
    size_t shown = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto walk = Walk(s);
        walk->ReadMainGroups();
        CAwKatRow *group = nullptr;
        for (CAwKatRow *row : walk->Shown()) {
            if (row->Key == SyntheticAwMainGroup())
                group = row;
        }
        state.ResumeTiming();
        walk->Open(group);
        shown = walk->Shown().size();
        if (walk->ShownLevel() != AW_POSITION)
            state.SkipWithError("the positions were not opened");
        state.PauseTiming();
        walk.reset();
        state.ResumeTiming();
    }
    state.counters["positions"] = double(shown);
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SetPrgSprache(QStringLiteral("00"));
    SyntheticCatalogues built;
    Large large;
    const bool onServer = qEnvironmentVariableIsSet("YAQ_BENCH_TNS");
    if (!onServer)
        large.folder = built.Build(SyntheticSize(), "the default sizes");
    if (!onServer && large.folder.isEmpty())
        return 1;
    for (auto &db : large.db) {
        db = OpenDb(large.folder);
        if (!db) {
            std::fprintf(stderr, "open failed\n");
            return 1;
        }
    }
    CPrgSettings &s = large.settings;
    s.bLocalDataSet = onServer ? 0 : 1;
    s.Heute = QStringLiteral("01.06.2024");
    if (!Identify(large.db[0].get(), s)) {
        std::fprintf(stderr, "the VIN %s leads to no vehicle\n",
                     qPrintable(SyntheticContractVin()));
        return 1;
    }
    g_large = &large;
    const std::pair<const char *, void (*)(benchmark::State &)> steps[] = {
        {"BM_Step_Identify", BM_Step_Identify},
        {"BM_Step_PackageList", BM_Step_PackageList},
        {"BM_Step_PackageGroup", BM_Step_PackageGroup},
        {"BM_Step_Package", BM_Step_Package},
        {"BM_Step_Catalogue", BM_Step_Catalogue},
        {"BM_Step_Positions", BM_Step_Positions},
    };
    for (const auto &[name, run] : steps)
        benchmark::RegisterBenchmark(name, run)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\nuser steps on the large catalogue (at most %.0f ms each)\n", kStepLimitMs);
    for (const auto &[name, run] : steps) {
        const auto nanos = reporter.Nanos(name);
        if (nanos)
            std::printf("  %-22s %8.2f ms  %s\n", name + 8, *nanos / 1e6,
                        onServer                       ? ""
                        : *nanos / 1e6 <= kStepLimitMs ? "ok"
                                                       : "SLOW");
    }
    benchmark::Shutdown();
    CatalogueCache().Clear();
    for (auto &db : large.db)
        db.reset();
    return 0;
}
