// The package list of a vehicle on a synthetic catalogue of 5,000 service
// packages over 30 main groups (a quarter with a warranty variant, a tenth
// with an inclusive-service variant checked against the vehicle's contract):
// the top rows built and every main group opened onto its packages, as an
// adviser browsing the whole list would. Beside it the same reads written
// directly against the SQLite C API on the same file (prepared once, keys
// bound, every column copied into a text), without making rows. At the end
// the ratio list / C API is printed (target: at most 2).
//
// --benchmark_repetitions=10 compares the fastest of ten runs of each.

#include "packages/list/PackageListBuilder.h"
#include "packages/list/PackageListReads.h"
#include "platform/db/YaqDb.h"
#include "support/BenchRatio.h"
#include "yaq2-mkdb/CatalogueBuilder.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QHash>
#include <QStringList>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <QHash>
#include <QStringList>
#include <cstdio>
#include <memory>

#include <set>

namespace {

// Every package has values for the vehicle.
class AllValid : public IPackageListReads
{
public:
    int CatalogueColumn() override { return 0; }
    bool PositionValid(const QString &, int) override { return true; }
};

struct Fixture
{
    QTemporaryDir dir;
    std::unique_ptr<CYaqDb> packages, catalogue, contracts;
    sqlite3 *raw = nullptr;
};

Fixture *g_fixture = nullptr;

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
    AllValid reads;
    int rows = 0;
    for (auto _ : state) {
        // A new page activation: a new builder, nothing remembered.
        CPackageListBuilder builder(g_fixture->packages.get(), g_fixture->catalogue.get(),
                                    g_fixture->contracts.get(), &reads, Vehicle());
        CPackageList list;
        builder.Build(list);
        rows = 0;
        for (CPackageRow *top : list.RowsOfLevel(kLevelTop)) {
            builder.Open(list, top);
            rows += int(list.RowsOfLevel(kLevelPackage).size());
        }
    }
    state.counters["packages"] = rows;
}

class RawQuery
{
public:
    RawQuery(sqlite3 *db, const char *name)
    {
        const QByteArray sql = CYaqDb::PackageListQuery(QLatin1String(name)).toUtf8();
        if (sqlite3_prepare_v2(db, sql.constData(), -1, &m_stmt, nullptr) != SQLITE_OK)
            std::fprintf(stderr, "prepare %s: %s\n", name, sqlite3_errmsg(db));
        m_columns = sqlite3_column_count(m_stmt);
    }
    ~RawQuery() { sqlite3_finalize(m_stmt); }
    RawQuery(const RawQuery &) = delete;
    RawQuery &operator=(const RawQuery &) = delete;

    void Bind(std::initializer_list<QString> keys)
    {
        sqlite3_reset(m_stmt);
        int n = 0;
        for (const QString &key : keys) {
            m_keys[n] = key.toUtf8();
            sqlite3_bind_text(m_stmt, n + 1, m_keys[n].constData(), int(m_keys[n].size()),
                              SQLITE_STATIC);
            ++n;
        }
    }
    bool Step()
    {
        if (sqlite3_step(m_stmt) != SQLITE_ROW)
            return false;
        for (int c = 0; c < m_columns; ++c)
            m_text[c] =
                QString::fromUtf8(reinterpret_cast<const char *>(sqlite3_column_text(m_stmt, c)),
                                  sqlite3_column_bytes(m_stmt, c));
        return true;
    }
    const QString &Text(int column) const { return m_text[column]; }

private:
    sqlite3_stmt *m_stmt = nullptr;
    int m_columns = 0;
    QByteArray m_keys[8];
    QString m_text[16];
};

void BM_Raw_PackageList(benchmark::State &state)
{
    sqlite3 *db = g_fixture->raw;
    RawQuery groups(db, "main groups"), tops(db, "package lines of a kind"),
        lines(db, "package lines of a group"), texts(db, "position texts of a main group"),
        findings(db, "findings positions"), list(db, "contract position list");
    RawQuery option(db, "contract");
    const CPackageVehicle v = Vehicle();
    const QString one = QStringLiteral("1"), lang = QStringLiteral("00");
    int rows = 0;
    for (auto _ : state) {
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
        while (list.Step()) {
        }
        rows = 0;
        for (const QString &group : keys) {
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
                if (lines.Text(3) == QLatin1String("SRP")) {
                    benchmark::DoNotOptimize(groupTexts.value(lines.Text(5)));
                } else if (lines.Text(3) == QLatin1String("SIP")) {
                    findings.Bind({one, lines.Text(5)});
                    while (findings.Step()) {
                    }
                }
                ++rows;
            }
        }
    }
    state.counters["lines"] = rows;
}

BENCHMARK(BM_Layer_PackageList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Raw_PackageList)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    Fixture fixture;
    // The identification tables stay small: only the package list is read.
    SyntheticSize size{1000, 100, 1000};
    const QString file = fixture.dir.filePath(QStringLiteral("YAQ2.dat"));
    QElapsedTimer timer;
    timer.start();
    const QString error = BuildSyntheticCatalogue(
        file, QStringLiteral(YAQ_SOURCE_DIR "/data/schema/catalogue.sql"), size);
    if (!error.isEmpty()) {
        std::fprintf(stderr, "synthetic catalogue: %s\n", qPrintable(error));
        return 1;
    }
    std::printf("synthetic catalogue: %d packages over %d main groups in %lld ms\n", size.packages,
                size.packageGroups, static_cast<long long>(timer.elapsed()));
    for (auto *db : {&fixture.packages, &fixture.catalogue, &fixture.contracts}) {
        *db = std::make_unique<CYaqDb>();
        if (!(*db)->Open(QString(), QString(), QString(), 0, fixture.dir.path(), QString(),
                         QString())) {
            std::fprintf(stderr, "open: %s\n", qPrintable((*db)->LastErrorText()));
            return 1;
        }
    }
    if (sqlite3_open_v2(file.toUtf8().constData(), &fixture.raw, SQLITE_OPEN_READONLY, nullptr) !=
        SQLITE_OK) {
        std::fprintf(stderr, "open: %s\n", sqlite3_errmsg(fixture.raw));
        return 1;
    }
    g_fixture = &fixture;
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("min");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios("package list / SQLite C API of its reads",
                         {{"BM_Layer_PackageList", "BM_Raw_PackageList", 2.0}},
                         benchmark::kMillisecond);
    benchmark::Shutdown();
    g_fixture = nullptr;
    fixture.packages.reset();
    fixture.catalogue.reset();
    fixture.contracts.reset();
    sqlite3_close(fixture.raw);
    return 0;
}
