// The statistics window opened on a log of a full event (32,000 contacts over a day, some cancelled) against
// the same window on an empty log: the counting must not show beside building the charts.
#include "OperatorLog.h"
#include "RatioReporter.h"
#include "core/app/AppState.h"
#include "core/logging/ContactLog.h"
#include "ui/kit/Seams.h"
#include "ui/stats/DayCharts.h"
#include "ui/stats/frm_Stats.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QChartView>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

using namespace qvmd;

namespace {

constexpr int bigLog = 32000;

class QuietSeams : public Seams {
public:
    void message(QWidget*, const QString&, const QString&, Icon) override {}
    bool ask(QWidget*, const QString&, const QString&, Icon, Default) override { return false; }
    int showModal(QDialog&) override { return 0; }
};

QByteArray logOf(int contacts) {
    return operatorLog(contacts, [](int n) {
        const int second = n * 86399 / bigLog; // spread over the day
        return QStringLiteral("09/05/2026 %1:%2:%3")
            .arg(second / 3600, 2, 10, QLatin1Char('0'))
            .arg(second / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(second % 60, 2, 10, QLatin1Char('0'));
    });
}

// Notes the first paint of each watched widget.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(std::vector<QWidget*> watched) : waiting_(std::move(watched)) {
        for (QWidget* widget : waiting_)
            widget->installEventFilter(this);
    }
    bool all() const { return waiting_.empty(); }
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint)
            waiting_.erase(std::remove(waiting_.begin(), waiting_.end(), watched), waiting_.end());
        return false;
    }

private:
    std::vector<QWidget*> waiting_;
};

struct Setup {
    explicit Setup(int contacts) : state(dir.path()) {
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        for (const char* name : {"Prefix.dat", "Data.dat"})
            QFile::copy(QStringLiteral(QVMD_SOURCE_DIR "/data/") + QLatin1String(name),
                        state.folder.data(QLatin1String(name)));
        state.countries = CountryTable::load(state.folder.data(QStringLiteral("Prefix.dat"))).value();
        state.weights = ScoreWeights::load(state.folder.data(QStringLiteral("Data.dat"))).value();
        state.LanguageOffset = 1000;
        state.profile.StationCallsign = QStringLiteral("5QV123");
        state.profile.category = QStringLiteral("H");
        log.load(logOf(contacts));
    }
    // As the operator meets it: the window built, shown, and every chart and the grid painted once.
    void open() {
        frm_Stats window(state, seams, log);
        FirstPaint painted({window.charts().hoursView()->viewport(), window.charts().scoreView()->viewport(),
                            window.grid_Countries->viewport()});
        window.show();
        for (int round = 0; !painted.all() && round < 10000; ++round)
            QApplication::processEvents();
        if (!painted.all())
            std::fprintf(stderr, "bench_statistics: the window was never painted whole\n");
        benchmark::DoNotOptimize(window.statistics().valid);
    }
    QTemporaryDir dir;
    AppState state;
    QuietSeams seams;
    ContactLog log;
};

// Both sides in one loop, one after the other, so the machine's drifting load falls on both.
void BM_OpenStatisticsEmptyVs32000(benchmark::State& run) {
    using Clock = std::chrono::steady_clock;
    Setup empty(0);
    Setup full(bigLog);
    double base = 0;
    double measured = 0;
    for (auto _ : run) {
        const auto t0 = Clock::now();
        empty.open();
        const auto t1 = Clock::now();
        full.open();
        const auto t2 = Clock::now();
        base += std::chrono::duration<double>(t1 - t0).count();
        measured += std::chrono::duration<double>(t2 - t1).count();
    }
    const double iterations = static_cast<double>(run.iterations());
    run.counters["empty_ms"] = benchmark::Counter(base * 1e3 / iterations);
    run.counters["full_ms"] = benchmark::Counter(measured * 1e3 / iterations);
    run.counters["ratio"] = benchmark::Counter(base > 0 ? measured / base : 0);
}
BENCHMARK(BM_OpenStatisticsEmptyVs32000)->Unit(benchmark::kMillisecond)->Repetitions(5);

class StatisticsReporter : public RatioReporter {
public:
    StatisticsReporter() : RatioReporter({}) {}
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            const auto ratio = run.counters.find("ratio");
            if (run.run_type == Run::RT_Iteration && ratio != run.counters.end())
                ratios_.push_back(ratio->second.value);
        }
        RatioReporter::ReportRuns(runs);
    }
    void Finalize() override {
        RatioReporter::Finalize();
        if (ratios_.empty())
            return;
        std::sort(ratios_.begin(), ratios_.end());
        std::printf(
            "statistics window opened on 32,000 contacts / on an empty log: min %.2f, median %.2f, max "
            "%.2f\n",
            ratios_.front(), ratios_[ratios_.size() / 2], ratios_.back());
        printRatio("statistics window on 32,000 contacts / on an empty log (median)",
                   ratios_[ratios_.size() / 2], 1.5);
    }

private:
    std::vector<double> ratios_;
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    StatisticsReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
