// Log files: reading a large log with its statistics against finding its line ends, and a durable append
// against a bare append and fsync of the same line.

#include "FixtureFile.h"
#include "LineEnds.h"
#include "RatioReporter.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogStatistics.h"
#include "core/logging/LogInUse.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <fcntl.h>
#include <map>
#include <string>
#include <unistd.h>

using namespace qvmd;

namespace {

constexpr int LogRecords = 32000;
constexpr int CountryCount = 341;

struct Fixture {
    QTemporaryDir dir;
    QString log;
    QString bareAppends;
    QString durableAppends;
    ContactRecord record = ContactRecord::contact(
        12, QStringLiteral("7"), QStringLiteral("5QV123"), QStringLiteral("OPERATOR"), QStringLiteral("L"),
        QStringLiteral("Italia"), QStringLiteral("06/03/2015 14:05:09"));

    Fixture() {
        QDir(dir.path()).mkpath(QStringLiteral("Logs"));
        QDir(dir.path()).mkpath(QStringLiteral("Data"));
        log = dir.filePath(QStringLiteral("Logs/5QV123_MD_L_2015.Log"));
        QByteArray bytes = "##L\r\n#5QV123\r\n#OPERATOR\r\n#N\r\n#1\r\n#06/03/2015\r\n#5\r\n#QV\r\n#123\r\n"
                           "#2015\r\n#LOG\r\n";
        const char* names[] = {"MARIA ROSSI", "NICOL\xD2 D'AMBROSIO", "ANNA DE' MEDICI", "G.B. KELLY"};
        const char* countries[] = {"Italia", "France", "Deutschland",
                                   "Espa\xF1"
                                   "a"};
        for (int i = 1; i <= LogRecords; ++i) {
            bytes += QByteArray::number(i) + '>' + QByteArray::number(i % 50 + 1) + '>' +
                     QByteArray::number(i % 341 + 1) + (i % 3 ? "QV" : "ABC") +
                     QByteArray::number(i % 3000 + 1) + '>' + names[i % 4] + '>' + (i % 2 ? "H" : "L") + '>' +
                     countries[i % 4] + ">06/03/2015 14:05:09>" + (i % 25 ? "N" : "S") + ">\r\n";
        }
        writeFixtureFile(log, bytes);
        bareAppends = dir.filePath(QStringLiteral("Logs/bare.Log"));
        durableAppends = dir.filePath(QStringLiteral("Logs/durable.Log"));
        writeFixtureFile(bareAppends, "##L\r\n");
        writeFixtureFile(durableAppends, "##L\r\n");
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ReadAndFindLineEnds(benchmark::State& state) {
    for (auto _ : state) {
        const Result<QByteArray> bytes = readFileBytes(fixture().log, MaxLogFileBytes);
        benchmark::DoNotOptimize(countLineEnds(bytes.value()));
    }
}
BENCHMARK(BM_ReadAndFindLineEnds)->Unit(benchmark::kMicrosecond);

// What a click in the log selection does: the log read and its statistics computed.
void BM_ReadLogAndStatistics(benchmark::State& state) {
    for (auto _ : state) {
        const Result<LogSummary> summary = readLogSummary(fixture().log, CountryCount);
        if (!summary.ok() || summary.value().statistics.counters.NextProgressive != LogRecords + 1)
            state.SkipWithError("the log did not count 32000 records");
        benchmark::DoNotOptimize(summary.value().statistics.counters);
    }
}
BENCHMARK(BM_ReadLogAndStatistics)->Unit(benchmark::kMicrosecond);

// What the logging window does to open the log in use, from a log in use created afresh each time: leftovers
// of a stopped rewrite looked for, every record kept in memory, the statistics and the worked countries,
// the counter file checked against them (rewritten only on the first run, which finds none), and the
// index of the worked stations that the window looks up.
void BM_OpenLogInUse(benchmark::State& state) {
    LogInUsePlace place;
    place.folder = ProgramFolder(fixture().dir.path());
    place.logName = QFileInfo(fixture().log).fileName();
    place.countryCount = CountryCount;
    for (auto _ : state) {
        LogInUse log(place);
        const LogInUse::Opened opened = log.open();
        if (opened.logError || log.contacts().size() != LogRecords || opened.counterError)
            state.SkipWithError("the log did not open with 32000 records");
        benchmark::DoNotOptimize(log.worked().count());
    }
}
BENCHMARK(BM_OpenLogInUse)->Unit(benchmark::kMicrosecond);

void BM_BareAppendAndFsync(benchmark::State& state) {
    const QByteArray path = QFile::encodeName(fixture().bareAppends);
    const QByteArray line = fixture().record.line().toLatin1() + "\r\n";
    for (auto _ : state) {
        const int fd = ::open(path.constData(), O_WRONLY | O_APPEND);
        if (fd < 0 || ::write(fd, line.constData(), static_cast<std::size_t>(line.size())) != line.size() ||
            ::fsync(fd) != 0)
            state.SkipWithError("bare append failed");
        ::close(fd);
    }
}
BENCHMARK(BM_BareAppendAndFsync)->Unit(benchmark::kMicrosecond);

void BM_DurableAppendRecord(benchmark::State& state) {
    for (auto _ : state) {
        if (appendRecord(fixture().durableAppends, fixture().record))
            state.SkipWithError("append failed");
    }
}
BENCHMARK(BM_DurableAppendRecord)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter({
        {"32000-record log read with statistics / read and find line ends", "BM_ReadLogAndStatistics",
         "BM_ReadAndFindLineEnds", 3.0},
        {"32000-record log opened in use (records, statistics, counter file, index) / read and find line "
         "ends",
         "BM_OpenLogInUse", "BM_ReadAndFindLineEnds", 8.0},
        {"durable append / bare append and fsync", "BM_DurableAppendRecord", "BM_BareAppendAndFsync", 2.0},
    });
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
