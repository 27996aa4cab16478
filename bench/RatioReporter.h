#pragma once

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// One figure a benchmark program promises: the time of one benchmark over the time of its baseline.
struct BenchRatio {
    std::string what;
    std::string measured;
    std::string baseline;
    double limit;
};

// Every figure reads "<what> = <ratio> (at most <limit>)", so that make bench shows each against its limit.
inline void printRatio(const std::string& what, double value, double limit) {
    std::printf("%s = %.2f (at most %g)%s\n", what.c_str(), value, limit,
                value > limit ? "  ** TOO SLOW **" : "");
}

// The usual table, then the program's figures. Times are taken in nanoseconds whatever unit each
// benchmark reports in, so a ratio never mixes units.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    // Without colours: their escape codes would run into the figures printed after the table.
    explicit RatioReporter(std::vector<BenchRatio> ratios)
        : benchmark::ConsoleReporter(OO_Tabular), ratios_(std::move(ratios)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs)
            times_[run.benchmark_name()] = run.GetAdjustedRealTime() * nanosecondsPer(run.time_unit);
        ConsoleReporter::ReportRuns(runs);
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        for (const BenchRatio& ratio : ratios_) {
            const auto measured = times_.find(ratio.measured);
            const auto baseline = times_.find(ratio.baseline);
            if (measured != times_.end() && baseline != times_.end() && baseline->second > 0)
                printRatio(ratio.what, measured->second / baseline->second, ratio.limit);
        }
    }

private:
    static double nanosecondsPer(benchmark::TimeUnit unit) {
        switch (unit) {
        case benchmark::kSecond:
            return 1e9;
        case benchmark::kMillisecond:
            return 1e6;
        case benchmark::kMicrosecond:
            return 1e3;
        default:
            return 1.0;
        }
    }

    std::vector<BenchRatio> ratios_;
    std::map<std::string, double> times_;
};
