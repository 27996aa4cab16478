// The logging window at the size of a full event: opening on 32,000 contacts, a keystroke (with the status
// line under the entry row) and a Find against an empty log, a keystroke against a small roster, and a
// burst of written contacts against bare durable appends.
#include "RatioReporter.h"
#include "core/app/AppState.h"
#include "core/logfile/LogFile.h"
#include "ui/kit/Seams.h"
#include "ui/kit/LiveStatusLabel.h"
#include "ui/logging/EntryStatusLine.h"
#include "ui/logging/frm_Log.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>

#include <benchmark/benchmark.h>

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <memory>

using namespace qvmd;

namespace {

constexpr int bigLog = 32000;
const QString logName = QStringLiteral("5QV123_MD_H_2026.Log");

class QuietSeams : public Seams {
public:
    void message(QWidget*, const QString&, const QString&, Icon) override {}
    bool ask(QWidget*, const QString&, const QString&, Icon, Default) override { return false; }
    int showModal(QDialog&) override { return 0; }
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
        QByteArray bytes = "##H\r\n#5QV123\r\n#OPERATOR\r\n#N\r\n#1\r\n#01/05/"
                           "2026\r\n#5\r\n#QV\r\n#123\r\n#2026\r\n#LOG\r\n";
        for (int n = 1; n <= contacts; ++n)
            bytes += QStringLiteral("%1>%2>%3QV%4>OPERATOR %5>%6>Country %3>06/05/2026 10:%7:%8>%9>\r\n")
                         .arg(n)
                         .arg(n % 500)
                         .arg(n % 300 + 1)
                         .arg(n % 3000 + 1)
                         .arg(n % 97)
                         .arg(QLatin1String(n % 3 ? "H" : "L"))
                         .arg((n / 60) % 60, 2, 10, QLatin1Char('0'))
                         .arg(n % 60, 2, 10, QLatin1Char('0'))
                         .arg(QLatin1String(n % 11 ? "N" : "S"))
                         .toLatin1();
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

void BM_ReadLog32000(benchmark::State& run) {
    Setup setup(bigLog);
    for (auto _ : run) {
        Result<LogContents> log = readLog(setup.logPath());
        benchmark::DoNotOptimize(log.ok());
    }
}
BENCHMARK(BM_ReadLog32000)->Unit(benchmark::kMillisecond);

// From nothing to a window that takes keys: read, count, fill the grid, show, scroll to the end.
void BM_OpenWindow32000(benchmark::State& run) {
    Setup setup(bigLog);
    for (auto _ : run) {
        frm_Log window(setup.state, setup.seams, {});
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.ready());
    }
}
BENCHMARK(BM_OpenWindow32000)->Unit(benchmark::kMillisecond);

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

// A digit typed into the country box and taken back (change rules, country name, flag), with an empty log
// and with 32,000 contacts.
void BM_KeystrokeEmptyVs32000(benchmark::State& run) {
    timeEmptyVs32000(run, "keystroke", [](frm_Log& window) {
        QTest::keyClick(window.Text1[0], Qt::Key_5, Qt::NoModifier);
        QTest::keyClick(window.Text1[0], Qt::Key_Backspace);
    });
}
BENCHMARK(BM_KeystrokeEmptyVs32000)->Unit(benchmark::kMicrosecond);

// The last digit of an identifier typed and taken back, the status line repainted each time. In the big
// log 2QV2 is a valid contact, so there the line says duplicate and the grid highlights that row.
void unitKeystroke(frm_Log& window) {
    QTest::keyClick(window.Text1[2], Qt::Key_2, Qt::NoModifier);
    window.entryStatus().label()->repaint();
    QTest::keyClick(window.Text1[2], Qt::Key_Backspace);
    window.entryStatus().label()->repaint();
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
        QTest::keyClick(window.Text1[2], Qt::Key_7, Qt::NoModifier);
        window.entryStatus().label()->repaint();
        benchmark::DoNotOptimize(window.entryStatus().status().rosterName);
        QTest::keyClick(window.Text1[2], Qt::Key_Backspace);
        window.entryStatus().label()->repaint();
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

// A burst of contacts into the big log, one after another as fast as an operator could press Enter: each
// write (checks, grid, counters, durable append) waits for the counter-file rewrite of the one before,
// and the burst ends when the last rewrite is on disk. Against as many lines appended to a file beside it
// and synced, nothing else. The log takes at most 32766 records, so the runs are counted.
constexpr int burst = 50;

void BM_WriteBurstVsBareAppends(benchmark::State& run) {
    Setup setup(bigLog);
    frm_Log window(setup.state, setup.seams, {});
    window.show();
    const QByteArray barePath = QFile::encodeName(setup.state.folder.logs(QStringLiteral("bare.log")));
    const QByteArray line = "32001>5>7ZZ1>NAME>H>Austria>09/05/2026 12:05:09>N>\r\n";
    int unit = 1;
    const auto bare = [&] {
        for (int i = 0; i < burst; ++i) {
            const int fd = ::open(barePath.constData(), O_WRONLY | O_APPEND | O_CREAT, 0644);
            if (::write(fd, line.constData(), static_cast<size_t>(line.size())) != line.size() ||
                ::fsync(fd) != 0)
                run.SkipWithError("append failed");
            ::close(fd);
        }
    };
    const auto write = [&] {
        for (int i = 0; i < burst; ++i) {
            window.Check1->click();
            window.Text1[0]->setText(QStringLiteral("7"));
            window.Text1[1]->setText(QStringLiteral("ZZ"));
            window.Text1[2]->setText(QString::number(unit++));
            window.Text1[3]->setText(QStringLiteral("5"));
            window.Text1[4]->setText(QStringLiteral("NAME"));
            window.cmd_H_Click();
            window.cmd_Write_Click();
        }
        window.log().settle();
    };
    timePair(run, "write", bare, write);
    if (setup.state.counters.NextProgressive != bigLog + 1 + burst * static_cast<int>(run.iterations()))
        run.SkipWithError("a contact was not written");
}
BENCHMARK(BM_WriteBurstVsBareAppends)->Unit(benchmark::kMillisecond)->Iterations(10);

// The paired figures time both sides in one loop (the load drifts during a run); the rest are plain ratios.
class LoggingReporter : public RatioReporter {
public:
    LoggingReporter()
        : RatioReporter({{"open window on 32000 contacts / read the log", "BM_OpenWindow32000",
                          "BM_ReadLog32000", 10.0}}) {}
    void Finalize() override {
        RatioReporter::Finalize();
        pairedRatio("keystroke with 32000 contacts / with an empty log", "keystroke", 1.2);
        pairedRatio("keystroke with the status line, 32000 contacts / an empty log", "status", 1.2);
        pairedRatio("keystroke with the status line, 100000-line roster / 300-line roster", "roster", 1.2);
        pairedRatio("find with 32000 contacts / with an empty log", "find", 1.2);
        pairedRatio("write a burst of 50 contacts into 32000 / 50 bare appends and syncs", "write", 3.0);
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
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    LoggingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
