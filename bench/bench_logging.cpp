// The logging window at the size of a full event, opened and written through the main window as the
// program does (its automatic backup included): opening on 32,000 contacts against an empty log and
// against the bare read of the file, a keystroke (with what it repaints) and a Find against an empty log,
// a keystroke against a small roster, and a burst of written contacts against bare durable appends.
#include "LineEnds.h"
#include "OperatorLog.h"
#include "RatioReporter.h"
#include "core/app/AppState.h"
#include "core/exchange/AutoBackupSettings.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogStatistics.h"
#include "ui/kit/LiveStatusLabel.h"
#include "ui/kit/Seams.h"
#include "ui/logging/EntryStatusLine.h"
#include "ui/logging/frm_Log.h"
#include "ui/shell/AutoBackupKeeper.h"
#include "ui/shell/frmMain.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <vector>

using namespace qvmd;

namespace {

constexpr int bigLog = 32000;
const QString logName = QStringLiteral("5QV123_MD_H_2026.Log");

// Shows a child window as the program would, lets it paint, and hands it to what the benchmark does
// with it before it closes.
class QuietSeams : public Seams {
public:
    void message(QWidget*, const QString&, const QString&, Icon) override {}
    bool ask(QWidget*, const QString&, const QString&, Icon, Default) override { return false; }
    int showModal(QDialog& dialog) override {
        dialog.show();
        QApplication::processEvents();
        shown = std::chrono::steady_clock::now();
        if (whileShown)
            whileShown(dialog);
        return 0;
    }
    std::function<void(QDialog&)> whileShown;
    std::chrono::steady_clock::time_point shown; // when the last window shown had painted
};

// A program folder with the shipped data and a log of the given number of contacts.
class Setup {
public:
    explicit Setup(int contacts) : state(dir.path()) {
        QDir root(dir.path());
        for (const char* sub : {"Data", "Logs", "Backup"})
            root.mkpath(QLatin1String(sub));
        for (const char* name : {"Prefix.dat", "Data.dat", "Lady.dat", "Hunter.dat"})
            QFile::copy(QStringLiteral(QVMD_SOURCE_DIR "/data/") + QLatin1String(name),
                        state.folder.data(QLatin1String(name)));
        state.countries = CountryTable::load(state.folder.data(QStringLiteral("Prefix.dat"))).value();
        state.weights = ScoreWeights::load(state.folder.data(QStringLiteral("Data.dat"))).value();
        state.LanguageOffset = 1000;
        state.profile = {QStringLiteral("5QV123"), QStringLiteral("OPERATOR"), QStringLiteral("5"),
                         QStringLiteral("QV"),     QStringLiteral("123"),      QStringLiteral("H")};
        state.log.LogInUse = -1;
        state.log.LogInUseName = logName;
        state.log.paperLog = QStringLiteral("N");
        state.log.year = QStringLiteral("2026");
        const QByteArray bytes = operatorLog(contacts, [](int n) {
            return QStringLiteral("06/05/2026 10:%1:%2")
                .arg((n / 60) % 60, 2, 10, QLatin1Char('0'))
                .arg(n % 60, 2, 10, QLatin1Char('0'));
        });
        QFile log(logPath());
        log.open(QIODevice::WriteOnly);
        log.write(bytes);
    }
    QString logPath() const { return state.folder.logs(logName); }
    // A Lady roster of that many lines in place of the shipped one; 3QV7 is one of them.
    void writeLadyRoster(int lines) {
        QByteArray bytes = "3QV7>LADY OF THE BENCH\r\n";
        for (int n = 1; n < lines; ++n)
            bytes += QStringLiteral("%1QV%2>OPERATOR NUMBER %3\r\n")
                         .arg(n % 300 + 1)
                         .arg(n % 3000 + 10)
                         .arg(n)
                         .toLatin1();
        QFile roster(state.folder.data(QStringLiteral("Lady.dat")));
        roster.open(QIODevice::WriteOnly | QIODevice::Truncate);
        roster.write(bytes);
    }

    QTemporaryDir dir;
    AppState state;
    QuietSeams seams;
};

// The physical limit of reading the log: the file read whole and its line ends found.
void BM_PhysicalRead32000(benchmark::State& run) {
    Setup setup(bigLog);
    for (auto _ : run) {
        QFile file(setup.logPath());
        file.open(QIODevice::ReadOnly);
        benchmark::DoNotOptimize(countLineEnds(file.readAll()));
    }
}
BENCHMARK(BM_PhysicalRead32000)->Unit(benchmark::kMillisecond);

// The log changed since its last copy, as it is after a session of logging: opening makes a copy. The
// counter file follows, as the logging window leaves it.
void changeLog(Setup& setup) {
    {
        QFile log(setup.logPath());
        log.open(QIODevice::Append);
        log.write("1>1>7ZZ1>NAME>H>Austria>09/05/2026 12:05:09>S>\r\n");
    }
    const Result<OpenedLog> opened = openLog(setup.state.folder, logName, setup.state.countries.count());
    writeCounterFile(setup.state.folder, opened.value().statistics.counters);
}

// From a click on Open Log to a window that takes keys: read, count, fill the grid, show, paint, and the
// automatic backup started. Closing the window is not timed, nor is the copy, which runs on its own; it
// is waited for between the runs.
double openThroughMainWindow(Setup& setup, frmMain& main) {
    main.autoBackup().settle();
    changeLog(setup);
    const auto t0 = std::chrono::steady_clock::now();
    main.cmd_Open_Log->click();
    return std::chrono::duration<double>(setup.seams.shown - t0).count();
}

void BM_OpenWindow32000(benchmark::State& run) {
    Setup setup(bigLog);
    frmMain main(setup.state, setup.seams);
    for (auto _ : run)
        run.SetIterationTime(openThroughMainWindow(setup, main));
}
BENCHMARK(BM_OpenWindow32000)->Unit(benchmark::kMillisecond)->UseManualTime();

// The machine's load drifts while a benchmark runs, so each comparison times both sides in the same loop,
// one after the other, and the ratio is taken of the two sums.
struct Paired {
    double measured = 0;
    double base = 0;
};
std::map<std::string, Paired> paired;

template <typename Base, typename Measured, typename Between = void (*)()>
void timePair(
    benchmark::State& run, const std::string& name, Base base, Measured measured, Between between = [] {}) {
    using Clock = std::chrono::steady_clock;
    Paired& sums = paired[name];
    sums = {};
    for (auto _ : run) {
        run.PauseTiming();
        between();
        run.ResumeTiming();
        const auto t0 = Clock::now();
        base();
        const auto t1 = Clock::now();
        measured();
        const auto t2 = Clock::now();
        sums.base += std::chrono::duration<double>(t1 - t0).count();
        sums.measured += std::chrono::duration<double>(t2 - t1).count();
    }
    run.counters["base_us"] = benchmark::Counter(sums.base * 1e6 / static_cast<double>(run.iterations()));
    run.counters["measured_us"] =
        benchmark::Counter(sums.measured * 1e6 / static_cast<double>(run.iterations()));
}

// Opening through the main window, the log changed each time, with 32,000 contacts and with none.
void BM_OpenEmptyVs32000(benchmark::State& run) {
    Setup empty(0);
    Setup full(bigLog);
    frmMain small(empty.state, empty.seams);
    frmMain big(full.state, full.seams);
    Paired& sums = paired["open"];
    sums = {};
    for (auto _ : run) {
        const double base = openThroughMainWindow(empty, small);
        const double measured = openThroughMainWindow(full, big);
        sums.base += base;
        sums.measured += measured;
        run.SetIterationTime(base + measured);
    }
}
BENCHMARK(BM_OpenEmptyVs32000)->Unit(benchmark::kMillisecond)->UseManualTime();

// One action in a window on an empty log, timed against the same in a window on 32,000 contacts.
template <typename Action> void timeEmptyVs32000(benchmark::State& run, const char* name, Action action) {
    Setup empty(0);
    Setup full(bigLog);
    frm_Log small(empty.state, empty.seams, {});
    frm_Log big(full.state, full.seams, {});
    small.show();
    big.show();
    timePair(
        run, name, [&] { action(small); }, [&] { action(big); });
}

// A key and what it repaints: the box, the country, the flag, the status line, the grid's scroll and
// highlight, as far as they changed.
void keyAndPaint(QWidget* box, Qt::Key key) {
    QTest::keyClick(box, key, Qt::NoModifier);
    QApplication::processEvents();
}

// A digit typed into the country box and taken back (change rules, country name, flag), with an empty log
// and with 32,000 contacts.
void BM_KeystrokeEmptyVs32000(benchmark::State& run) {
    timeEmptyVs32000(run, "keystroke", [](frm_Log& window) {
        keyAndPaint(window.Text1[0], Qt::Key_5);
        keyAndPaint(window.Text1[0], Qt::Key_Backspace);
    });
}
BENCHMARK(BM_KeystrokeEmptyVs32000)->Unit(benchmark::kMicrosecond);

// The last digit of an identifier typed and taken back, with all it repaints. In the big log 2QV2 is a
// valid contact, so there the line says duplicate and the grid scrolls to that row and highlights it.
void unitKeystroke(frm_Log& window) {
    keyAndPaint(window.Text1[2], Qt::Key_2);
    keyAndPaint(window.Text1[2], Qt::Key_Backspace);
}

void BM_StatusKeystrokeEmptyVs32000(benchmark::State& run) {
    Setup empty(0);
    Setup full(bigLog);
    frm_Log small(empty.state, empty.seams, {});
    frm_Log big(full.state, full.seams, {});
    for (frm_Log* window : {&small, &big}) {
        window->show();
        window->Text1[0]->setText(QStringLiteral("2"));
    }
    timePair(
        run, "status", [&] { unitKeystroke(small); }, [&] { unitKeystroke(big); });
}
BENCHMARK(BM_StatusKeystrokeEmptyVs32000)->Unit(benchmark::kMicrosecond);

// The same keystroke on 3QV7, a Lady of a 300-line roster and of a 100,000-line one: the lookup is in
// memory, so the roster's length must not show.
void BM_StatusKeystrokeRoster300Vs100000(benchmark::State& run) {
    Setup shortRoster(0);
    Setup longRoster(0);
    shortRoster.writeLadyRoster(300);
    longRoster.writeLadyRoster(100000);
    frm_Log small(shortRoster.state, shortRoster.seams, {});
    frm_Log big(longRoster.state, longRoster.seams, {});
    for (frm_Log* window : {&small, &big}) {
        window->show();
        window->Text1[0]->setText(QStringLiteral("3"));
    }
    const auto keystroke = [](frm_Log& window) {
        keyAndPaint(window.Text1[2], Qt::Key_7);
        benchmark::DoNotOptimize(window.entryStatus().status().rosterName);
        keyAndPaint(window.Text1[2], Qt::Key_Backspace);
    };
    timePair(
        run, "roster", [&] { keystroke(small); }, [&] { keystroke(big); });
}
BENCHMARK(BM_StatusKeystrokeRoster300Vs100000)->Unit(benchmark::kMicrosecond);

// Find for a station of the Hunter roster: checks, both rosters read, the entry filled.
void BM_FindEmptyVs32000(benchmark::State& run) {
    timeEmptyVs32000(run, "find", [](frm_Log& window) {
        window.cmd_Clear_Click();
        window.Text1[0]->setText(QStringLiteral("1"));
        window.Text1[2]->setText(QStringLiteral("408"));
        window.cmd_Find_Click();
        benchmark::DoNotOptimize(window.Text1[4]->text());
    });
}
BENCHMARK(BM_FindEmptyVs32000)->Unit(benchmark::kMicrosecond);

// A burst of contacts into the big log through the window the main window opens, one after another as
// fast as an operator could press Enter: each write (checks, grid, counters, durable append, the repaint
// it causes, and after the 50th the automatic backup started) is timed on its own, and the burst ends when
// the last counter rewrite is on disk. Against as many lines appended to a file beside it and synced,
// nothing else. The log takes at most 32766 records, so the runs are counted.
constexpr int burst = 50;
std::vector<double> writeSeconds;

void BM_WriteBurstVsBareAppends(benchmark::State& run) {
    using Clock = std::chrono::steady_clock;
    Setup setup(bigLog);
    frmMain main(setup.state, setup.seams);
    const QByteArray barePath = QFile::encodeName(setup.state.folder.logs(QStringLiteral("bare.log")));
    const QByteArray line = "32001>5>7ZZ1>NAME>H>Austria>09/05/2026 12:05:09>N>\r\n";
    int unit = 1;
    Paired& sums = paired["write"];
    sums = {};
    writeSeconds.clear();
    const auto bare = [&] {
        for (int i = 0; i < burst; ++i) {
            const int fd = ::open(barePath.constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
            if (::write(fd, line.constData(), static_cast<size_t>(line.size())) != line.size() ||
                ::fsync(fd) != 0)
                run.SkipWithError("append failed");
            ::close(fd);
        }
    };
    setup.seams.whileShown = [&](QDialog& dialog) {
        auto& window = static_cast<frm_Log&>(dialog);
        double burstSeconds = 0;
        for (int i = 0; i < burst; ++i) {
            window.Check1->click();
            window.Text1[0]->setText(QStringLiteral("7"));
            window.Text1[1]->setText(QStringLiteral("ZZ"));
            window.Text1[2]->setText(QString::number(unit++));
            window.Text1[3]->setText(QStringLiteral("5"));
            window.Text1[4]->setText(QStringLiteral("NAME"));
            window.cmd_H_Click();
            QApplication::processEvents();
            const auto t0 = Clock::now();
            window.cmd_Write_Click();
            QApplication::processEvents();
            const double seconds = std::chrono::duration<double>(Clock::now() - t0).count();
            writeSeconds.push_back(seconds);
            burstSeconds += seconds;
        }
        const auto t0 = Clock::now();
        window.log().settle();
        burstSeconds += std::chrono::duration<double>(Clock::now() - t0).count();
        sums.measured += burstSeconds;
    };
    for (auto _ : run) {
        const auto t0 = Clock::now();
        bare();
        sums.base += std::chrono::duration<double>(Clock::now() - t0).count();
        run.PauseTiming();
        main.autoBackup().settle();
        main.cmd_Open_Log->click();
        run.ResumeTiming();
    }
    main.autoBackup().settle();
    if (setup.state.counters.NextProgressive != bigLog + 1 + burst * static_cast<int>(run.iterations()))
        run.SkipWithError("a contact was not written");
}
BENCHMARK(BM_WriteBurstVsBareAppends)->Unit(benchmark::kMillisecond)->Iterations(10);

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

// The paired figures time both sides in one loop (the load drifts during a run); the rest are plain ratios.
// Opening does far more than reading: it builds a window. What is promised is that the read stays near
// the physical limit and the rest does not grow with the log.
constexpr double openOverRead = 100.0;

class LoggingReporter : public RatioReporter {
public:
    LoggingReporter()
        : RatioReporter({{"open window on 32000 contacts / read the file and find its line ends",
                          "BM_OpenWindow32000/manual_time", "BM_PhysicalRead32000", openOverRead}}) {}
    void Finalize() override {
        RatioReporter::Finalize();
        pairedRatio("open window with 32000 contacts / with an empty log", "open", 1.2);
        pairedRatio("keystroke with 32000 contacts / with an empty log", "keystroke", 1.2);
        pairedRatio("keystroke with the status line, 32000 contacts / an empty log", "status", 1.2);
        pairedRatio("keystroke with the status line, 100000-line roster / 300-line roster", "roster", 1.2);
        pairedRatio("find with 32000 contacts / with an empty log", "find", 1.2);
        pairedRatio("write a burst of 50 contacts into 32000 / 50 bare appends and syncs", "write", 3.0);
        if (!writeSeconds.empty()) {
            if (qEnvironmentVariableIsSet("QVMD_BENCH_WRITES"))
                for (std::size_t i = 0; i < writeSeconds.size(); ++i)
                    std::printf("write %zu: %.3f ms\n", i % burst + 1, writeSeconds[i] * 1e3);
            // Each write's place in the burst over the runs, so that a sync the shared disk delays once
            // does not pass for a slow write; the 50th is the one that starts the automatic backup.
            std::vector<double> positions;
            for (int place = 0; place < burst; ++place) {
                std::vector<double> times;
                for (std::size_t i = place; i < writeSeconds.size(); i += burst)
                    times.push_back(writeSeconds[i]);
                positions.push_back(median(times));
            }
            const double typical = median(writeSeconds);
            const auto sorted = [](std::vector<double> v) {
                std::sort(v.begin(), v.end());
                return v;
            }(writeSeconds);
            std::printf(
                "one write of a contact in ms: min %.2f, median %.2f, max %.2f; the 50th, median %.2f\n",
                sorted.front() * 1e3, typical * 1e3, sorted.back() * 1e3, positions.back() * 1e3);
            printRatio("slowest place in the burst (the 50th included) / median write, medians over the runs",
                       *std::max_element(positions.begin(), positions.end()) / typical, 2.0);
        }
    }

private:
    static void pairedRatio(const char* what, const std::string& name, double limit) {
        const auto found = paired.find(name);
        if (found != paired.end() && found->second.base > 0)
            printRatio(what, found->second.measured / found->second.base, limit);
    }
};

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // The automatic backup reads the user's settings: a folder of the benchmark's own, at their defaults.
    QTemporaryDir settings;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settings.path());
    QApplication app(argc, argv);
    if (qEnvironmentVariableIsSet("QVMD_BENCH_NO_AUTOBACKUP")) {
        AutoBackupSettings off;
        off.enabled = false;
        off.save(*AutoBackupSettings::openUserSettings());
    }
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    LoggingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
