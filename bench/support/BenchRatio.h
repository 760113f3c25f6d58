// The console report of a benchmark program that also keeps, by name, the
// time per iteration and the counters of every run, and prints at the end
// how each run compares with its baseline.
#pragma once

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

// A run against its baseline: the ratio of their times must stay at most
// the target (0: shown only). The label, if any, is printed for the name.
struct RatioLine
{
    std::string name;
    std::string baseline;
    double target = 0;
    std::string label = {};
};

// The statistic "min" of a run with repetitions (ComputeStatistics("min",
// Fastest)): the fastest repetition, which a busy machine disturbs least.
inline double Fastest(const std::vector<double> &v)
{
    return v.empty() ? 0.0 : *std::min_element(v.begin(), v.end());
}

// A number with thousands separated by commas ("20,000"), as the lines
// name sizes.
inline std::string Thousands(long long n)
{
    std::string digits = std::to_string(n < 0 ? -n : n);
    for (int at = int(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(size_t(at), ",");
    return (n < 0 ? "-" : "") + digits;
}

// The line at each size: the run "<name>/<size>" against
// "<baseline>/<size>" (registered with Arg(size)), labelled with the size
// and what it counts ("5,000 packages"), so that a growing ratio shows.
inline std::vector<RatioLine> AtSizes(const RatioLine &line, const std::vector<int> &sizes,
                                      const std::string &unit)
{
    std::vector<RatioLine> lines;
    for (const int size : sizes) {
        const std::string arg = "/" + std::to_string(size);
        const std::string label = line.label.empty() ? line.name : line.label;
        lines.push_back({line.name + arg, line.baseline + arg, line.target,
                         label + ", " + Thousands(size) + " " + unit});
    }
    return lines;
}

// The command line of a program whose plain run is the stable one: each
// benchmark repeated, the repetitions of all of them run in one random
// order over the whole run, so that a change of the machine's load falls on
// a program and its baseline alike, and the reporter's median stands for
// each. A flag the caller gives for any of these wins over its default.
class StableRun
{
public:
    StableRun(int argc, char **argv, int repetitions, double minSeconds) : m_args(argv, argv + argc)
    {
        Default("--benchmark_repetitions", std::to_string(repetitions));
        Default("--benchmark_enable_random_interleaving", "true");
        Default("--benchmark_min_time", std::to_string(minSeconds));
        // Each benchmark's repetitions as one line of median, mean, ...
        Default("--benchmark_report_aggregates_only", "true");
        for (std::string &arg : m_args)
            m_argv.push_back(arg.data());
        m_argc = int(m_argv.size());
    }
    StableRun(const StableRun &) = delete;
    StableRun &operator=(const StableRun &) = delete;

    // For benchmark::Initialize.
    int *Argc() { return &m_argc; }
    char **Argv() { return m_argv.data(); }

private:
    void Default(const std::string &flag, const std::string &value)
    {
        const bool given = std::any_of(m_args.begin() + 1, m_args.end(), [&](const std::string &a) {
            return a.compare(0, flag.size(), flag) == 0;
        });
        if (!given)
            m_args.insert(m_args.begin() + 1, flag + "=" + value);
    }

    std::vector<std::string> m_args;
    std::vector<char *> m_argv;
    int m_argc = 0;
};

class RatioReporter : public benchmark::ConsoleReporter
{
public:
    // With repetitions, the aggregate named here ("min", "median", "mean")
    // stands for a run; without it (or when none is named), the run itself.
    explicit RatioReporter(std::string aggregate = {}) : m_aggregate(std::move(aggregate)) {}

    void ReportRuns(const std::vector<Run> &runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run &run : runs) {
            // The name without the time and repetitions asked for it.
            const benchmark::BenchmarkName &n = run.run_name;
            std::string name = n.function_name;
            for (const std::string *part : {&n.args, &n.iterations, &n.time_type, &n.threads})
                name += part->empty() ? std::string() : "/" + *part;
            const bool chosen =
                run.run_type == Run::RT_Aggregate && run.aggregate_name == m_aggregate;
            if (run.error_occurred ||
                (run.run_type == Run::RT_Aggregate ? !chosen : m_chosen.count(name) > 0))
                continue;
            if (chosen)
                m_chosen.insert(name);
            m_nanos[name] =
                run.GetAdjustedRealTime() * 1e9 / benchmark::GetTimeUnitMultiplier(run.time_unit);
            for (const auto &[counter, value] : run.counters)
                m_counters[{name, counter}] = value;
        }
    }

    std::optional<double> Nanos(const std::string &name) const { return Find(m_nanos, name); }
    std::optional<double> Counter(const std::string &name, const std::string &counter) const
    {
        return Find(m_counters, std::make_pair(name, counter));
    }

    // The heading, then every line whose runs both ran: both times in the
    // unit, the ratio and, with a target, ok or SLOW.
    void PrintRatios(const std::string &heading, const std::vector<RatioLine> &lines,
                     benchmark::TimeUnit unit = benchmark::kNanosecond) const
    {
        std::printf("\n%s\n", heading.c_str());
        int width = 0;
        for (const RatioLine &line : lines)
            width = std::max(width, int((line.label.empty() ? line.name : line.label).size()));
        const double perUnit = 1e9 / benchmark::GetTimeUnitMultiplier(unit);
        const int digits = unit == benchmark::kNanosecond ? 0 : 2;
        const char *unitName = benchmark::GetTimeUnitString(unit);
        for (const RatioLine &line : lines) {
            const auto time = Nanos(line.name);
            const auto base = Nanos(line.baseline);
            if (!time || !base || *base <= 0)
                continue;
            const double ratio = *time / *base;
            std::printf("  %-*s %10.*f %s  vs %10.*f %s  ratio %6.3f", width,
                        (line.label.empty() ? line.name : line.label).c_str(), digits,
                        *time / perUnit, unitName, digits, *base / perUnit, unitName, ratio);
            if (line.target > 0)
                std::printf("  %s (at most %g)", ratio <= line.target ? "ok" : "SLOW", line.target);
            std::printf("\n");
        }
    }

private:
    template <class Map, class Key>
    static std::optional<double> Find(const Map &map, const Key &key)
    {
        const auto it = map.find(key);
        return it == map.end() ? std::nullopt : std::optional<double>(it->second);
    }

    std::string m_aggregate;
    std::set<std::string> m_chosen; // names whose aggregate has been seen
    std::map<std::string, double> m_nanos;
    std::map<std::pair<std::string, std::string>, double> m_counters;
};
