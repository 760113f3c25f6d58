// The cached labour-value reader: a thousand GetAPosWert questions spread
// over the positions of one main group (as a catalogue page asks them, one
// in ten for a number the catalogue does not hold), for main groups of
// 1,000, 5,000 and 20,000 positions in synthetic catalogues of 200,000
// further labour values. Beside it what a competent engineer writes for the
// same answers: one query of the main group on the SQLite C API (prepared
// once) into a QHash from position number to its rows (every column
// copied into a text, as the cache keeps them; a column equal to the row
// before keeps its text, as the database layer reads), then the thousand
// look-ups.
//
// The questions are asked as the program asks them on the local catalogue
// file (the local-data-set flag set): the catalogue page's walk, the
// package load and the package list each read by main group into a cache
// of their own there.
//
//   Cold      the cache emptied before every thousand: one query for the
//             main group, then answers from memory; the hash built anew
//   Warm      the cache already holds the main group, asked by a walk over
//             the positions (CAPosValidityWalk, as the catalogue page
//             asks); beside it a hash of each position's validity, worked
//             out once and held, as the cache keeps it
//   Uncached  the same thousand through the program's own cache, which
//             asks the local file one query each, beside one prepared
//             query per question on the C API
//
// At the end the ratios are printed for each size (targets: cold and warm
// at most 1.5). A plain run compares the medians of nine runs of each,
// interleaved over the whole run (StableRun).

#include "common/readers/CatalogueCache.h"
#include "platform/db/YaqDb.h"
#include "settings/PrgSettings.h"
#include "support/BenchRatio.h"
#include "support/RawQuery.h"
#include "support/SyntheticCatalogues.h"

#include <QCoreApplication>
#include <QHash>
#include <QList>

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <vector>

namespace {

const std::vector<int> kPositions = {1000, 5000, 20000};
constexpr int kQuestions = 1000;
constexpr double kTarget = 1.5;
// The plain run: nine repetitions of each benchmark interleaved (StableRun).
constexpr int kRepetitions = 9;
constexpr double kMinSeconds = 0.2;

struct Catalogue
{
    std::unique_ptr<CYaqDb> db;
    sqlite3 *raw = nullptr;
    std::vector<QString> positions; // the kQuestions numbers asked, in turn
    ~Catalogue() { sqlite3_close(raw); }
};

std::map<int, std::unique_ptr<Catalogue>> g_catalogues;

CPrgSettings Vehicle()
{
    CPrgSettings s;
    s.KatalogKey = QStringLiteral("1");
    s.LeadTyp = SyntheticAwLeadType();
    s.ZusatzCode = QStringLiteral("A");
    s.bLocalDataSet = 1;
    return s;
}

int AskAll(CCatalogueCache &cache, CPrgSettings &settings, Catalogue &c)
{
    int valid = 0;
    for (const QString &apNr : c.positions)
        valid += cache.GetAPosWert(&settings, apNr, c.db.get(), 0, 0, QString(), QString(), 0, 0);
    return valid;
}

void CountValid(benchmark::State &state, int valid, int runs)
{
    state.counters["valid"] = double(valid) / double(std::max(runs, 1) * kQuestions);
}

void BM_Cold(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    CPrgSettings settings = Vehicle();
    CCatalogueCache cache(CCatalogueCache::OnLocalFile::ReadByGroup);
    int valid = 0, runs = 0;
    for (auto _ : state) {
        cache.Clear();
        valid += AskAll(cache, settings, c);
        ++runs;
    }
    c.db->CloseStmt();
    CountValid(state, valid, runs);
}

void BM_Warm(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    CPrgSettings settings = Vehicle();
    CCatalogueCache cache(CCatalogueCache::OnLocalFile::ReadByGroup);
    AskAll(cache, settings, c);
    c.db->CloseStmt();
    int valid = 0, runs = 0;
    for (auto _ : state) {
        // A page's walk over the positions: the keys compared once.
        CAPosValidityWalk walk(cache, &settings, c.db.get());
        for (const QString &apNr : c.positions)
            valid += walk.GetAPosWert(apNr, 0, 0, QString(), QString(), 0, 0);
        ++runs;
    }
    CountValid(state, valid, runs);
}

void BM_Uncached(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    CPrgSettings settings = Vehicle();
    CCatalogueCache cache; // the program's: past it to the file
    int valid = 0, runs = 0;
    for (auto _ : state) {
        valid += AskAll(cache, settings, c);
        ++runs;
    }
    c.db->CloseStmt();
    CountValid(state, valid, runs);
}

// --- the baseline: a hash of the main group from one query ----------------------

// A labour-value row as the query gives it.
struct ValueRow
{
    QString text[8];
    // Counts for validity unless it holds no work units and is marked as
    // not counting.
    bool Counts() const { return text[5] != QLatin1String("-") || text[7] != QLatin1String("N"); }
};

using GroupHash = QHash<QString, QList<ValueRow>>;

GroupHash ReadGroup(RawQuery &query, const CPrgSettings &s)
{
    GroupHash group;
    query.Bind({s.KatalogKey, SyntheticAwMainGroup(), s.LeadTyp, s.ZusatzCode});
    while (query.Step()) {
        ValueRow row;
        for (int c = 0; c < 8; ++c)
            row.text[c] = query.Text(c);
        group[row.text[1]].append(row);
    }
    return group;
}

int AskHash(const GroupHash &group, const std::vector<QString> &positions)
{
    int valid = 0;
    for (const QString &apNr : positions) {
        const auto it = group.constFind(apNr);
        if (it == group.constEnd())
            continue;
        for (const ValueRow &row : *it) {
            if (row.Counts()) {
                ++valid;
                break;
            }
        }
    }
    return valid;
}

// The main group's values, as the cache reads them.
const QString kGroupQuery = QStringLiteral(
    "SELECT catalogue_key, position_number, unit_code, lead_type, extra_code, work_units, remark,"
    " flag FROM labour_value WHERE catalogue_key = ? AND main_group = ? AND lead_type = ?"
    " AND extra_code = ? ORDER BY position_number, unit_code");

void BM_Hash_Cold(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    const CPrgSettings s = Vehicle();
    RawQuery query(c.raw, kGroupQuery);
    query.KeepEqualTexts();
    int valid = 0, runs = 0;
    for (auto _ : state) {
        const GroupHash group = ReadGroup(query, s);
        valid += AskHash(group, c.positions);
        ++runs;
    }
    CountValid(state, valid, runs);
}

void BM_Hash_Warm(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    const CPrgSettings s = Vehicle();
    RawQuery query(c.raw, kGroupQuery);
    const GroupHash group = ReadGroup(query, s);
    query.Done();
    // A position's validity worked out once and kept, as the cache keeps it.
    QHash<QString, bool> validity;
    for (auto it = group.constBegin(); it != group.constEnd(); ++it)
        validity.insert(it.key(), std::any_of(it->begin(), it->end(),
                                              [](const ValueRow &row) { return row.Counts(); }));
    int valid = 0, runs = 0;
    for (auto _ : state) {
        // Asked anew each time, as the cache is.
        benchmark::DoNotOptimize(validity);
        for (const QString &apNr : c.positions)
            valid += validity.value(apNr) ? 1 : 0;
        benchmark::DoNotOptimize(valid);
        ++runs;
    }
    CountValid(state, valid, runs);
}

// One prepared query per question, as without a cache.
void BM_Raw_PerQuestion(benchmark::State &state)
{
    Catalogue &c = *g_catalogues.at(int(state.range(0)));
    const CPrgSettings s = Vehicle();
    RawQuery query(c.raw, QStringLiteral("SELECT catalogue_key, position_number, unit_code,"
                                         " lead_type, extra_code, work_units, remark, flag"
                                         " FROM labour_value WHERE catalogue_key = ? AND"
                                         " position_number = ? AND lead_type = ? AND"
                                         " extra_code = ? ORDER BY unit_code"));
    int valid = 0, runs = 0;
    for (auto _ : state) {
        for (const QString &apNr : c.positions) {
            query.Bind({s.KatalogKey, apNr, s.LeadTyp, s.ZusatzCode});
            while (query.Step()) {
                if (query.Text(5) != QLatin1String("-") || query.Text(7) != QLatin1String("N")) {
                    ++valid;
                    break;
                }
            }
        }
        query.Done();
        ++runs;
    }
    CountValid(state, valid, runs);
}

// The questions of a main group of that many positions: spread over the
// group, every tenth for a number behind its last position.
std::vector<QString> Questions(int positions)
{
    std::vector<QString> numbers;
    for (int q = 0; q < kQuestions; ++q) {
        const int n = q % 10 == 9 ? positions + 1 + q : 1 + q * positions / kQuestions;
        numbers.push_back(SyntheticAwMainGroup() +
                          QStringLiteral("%1").arg(n, 5, 10, QLatin1Char('0')));
    }
    return numbers;
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    SyntheticCatalogues built;
    for (const int positions : kPositions) {
        SyntheticSize size{1000, 100, 200000, 100, 10};
        size.labourPositions = positions;
        const QString folder =
            built.Build(size, "a main group of " + Thousands(positions) + " positions");
        if (folder.isEmpty())
            return 1;
        auto c = std::make_unique<Catalogue>();
        c->db = std::make_unique<CYaqDb>();
        if (!OpenBothWays(folder, *c->db, &c->raw))
            return 1;
        c->positions = Questions(positions);
        g_catalogues[positions] = std::move(c);
    }
    const std::pair<const char *, void (*)(benchmark::State &)> runs[] = {
        {"BM_Cold", BM_Cold},         {"BM_Hash_Cold", BM_Hash_Cold},
        {"BM_Warm", BM_Warm},         {"BM_Hash_Warm", BM_Hash_Warm},
        {"BM_Uncached", BM_Uncached}, {"BM_Raw_PerQuestion", BM_Raw_PerQuestion},
    };
    for (const int positions : kPositions) {
        for (const auto &[name, run] : runs)
            benchmark::RegisterBenchmark(name, run)
                ->Arg(positions)
                ->Unit(benchmark::kMicrosecond)
                ->ComputeStatistics("min", Fastest);
    }
    StableRun run(argc, argv, kRepetitions, kMinSeconds);
    benchmark::Initialize(run.Argc(), run.Argv());
    RatioReporter reporter("median");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::vector<RatioLine> lines;
    for (const RatioLine &line :
         {RatioLine{"BM_Cold", "BM_Hash_Cold", kTarget, "cold / hash built"},
          RatioLine{"BM_Warm", "BM_Hash_Warm", kTarget, "warm / hash held"},
          RatioLine{"BM_Uncached", "BM_Raw_PerQuestion", 0, "uncached / query per question"}}) {
        for (const RatioLine &sized : AtSizes(line, kPositions, "positions"))
            lines.push_back(sized);
    }
    reporter.PrintRatios(std::to_string(kQuestions) +
                             " questions, cache / hash of the main group from one query",
                         lines, benchmark::kMicrosecond);
    benchmark::Shutdown();
    g_catalogues.clear();
    return 0;
}
