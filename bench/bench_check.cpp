// The award manager's check of 3,000 logs of 300 contacts against the plain cost of reading every file
// and splitting it into lines.

#include "FixtureFile.h"
#include "RatioReporter.h"
#include "core/check/CheckRun.h"
#include "core/common/TextFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <random>
#include <string>

using namespace qvmd;

namespace {

constexpr int Logs = 3000;
constexpr int ContactsPerLog = 300;

QByteArray identifierOf(int station) {
    return QByteArray::number(station % 90 + 1) + "QV" + QByteArray::number(station + 1);
}

QByteArray stampOf(int minute) {
    return "06/03/2026 " + QByteArray::number(10 + minute / 60).rightJustified(2, '0') + ':' +
           QByteArray::number(minute % 60).rightJustified(2, '0') + ":00";
}

// Station s works stations s+1 .. s+300 (wrapping), so every contact has its partner in the other log,
// at the same minute, apart from a sprinkling of errors of each kind.
//
// The logs and the report folder stay in the system's temporary folder between runs, and the report
// folder is filled once before timing: every timed run rewrites existing reports, as an award manager's
// run after more logs arrive does. Deleting and recreating thousands of files per run would measure the
// file system's inode allocator instead (on ext4 without a journal, inodes freed in the last half minute
// are skipped one by one), and that swings tenfold from run to run.
struct Fixture {
    // The number names the generator: change it with the generator, or old logs are reused.
    QString root = QDir::temp().filePath(QStringLiteral("qvmd-bench-check-1"));
    QString data = root + QStringLiteral("/Data");
    QString logs = root + QStringLiteral("/Logs");
    QString out = root + QStringLiteral("/Reports");
    QStringList paths;

    Fixture() {
        const QString done = root + QStringLiteral("/complete");
        if (QFileInfo::exists(done)) {
            for (const QString& name : QDir(logs).entryList(QDir::Files, QDir::Name))
                paths.append(logs + u'/' + name);
            return;
        }
        QDir(root).removeRecursively();
        QDir().mkpath(out);
        QDir().mkpath(data);
        QDir().mkpath(logs);
        QByteArray prefixes;
        for (int i = 1; i <= 341; ++i)
            prefixes += "P" + QByteArray::number(i) + ">Country " + QByteArray::number(i) + "\r\n";
        writeFixtureFile(data + QStringLiteral("/Prefix.dat"), prefixes);
        writeFixtureFile(data + QStringLiteral("/Data.dat"), "1\r\n3\r\n3\r\n1\r\n2\r\n");
        QByteArray lady = "# generated\r\n";
        QByteArray hunter = "# generated\r\n";
        for (int s = 0; s < Logs; ++s)
            (s % 2 ? lady : hunter) += identifierOf(s) + ">NAME " + QByteArray::number(s) + "\r\n";
        writeFixtureFile(data + QStringLiteral("/Lady.dat"), lady);
        writeFixtureFile(data + QStringLiteral("/Hunter.dat"), hunter);
        std::mt19937 random(7);
        for (int s = 0; s < Logs; ++s) {
            const QByteArray own = identifierOf(s);
            const char* category = s % 2 ? "L" : "H";
            QByteArray bytes = QByteArray("##") + category + "\r\n#" + own +
                               "\r\n#NAME\r\n#N\r\n#1\r\n#07/12/2026\r\n#" + QByteArray::number(s % 90 + 1) +
                               "\r\n#QV\r\n#" + QByteArray::number(s + 1) + "\r\n#2026\r\n#LOG\r\n";
            for (int c = 1; c <= ContactsPerLog; ++c) {
                // Contact c of station s is with station s + c and with station s - c: the pair is the
                // same minute in both logs when each log orders its partners by distance.
                const int partner = c % 2 ? (s + (c + 1) / 2) % Logs : (s - c / 2 + Logs) % Logs;
                QByteArray worked = identifierOf(partner);
                QByteArray stamp = stampOf((c + 1) / 2 * 2);
                const unsigned roll = random() % 1000;
                if (roll < 5)
                    worked.append('7'); // miscopied
                else if (roll < 10)
                    stamp = stampOf((c + 1) / 2 * 2 + 30); // time outside the window
                else if (roll < 13)
                    worked = identifierOf((s + 1) % Logs); // duplicate
                bytes += QByteArray::number(c) + ">1>" + worked + ">NAME>" + (partner % 2 ? "L" : "H") +
                         ">Country>" + stamp + (roll >= 995 ? ">S>\r\n" : ">N>\r\n");
            }
            const QString path = logs + u'/' + QString::fromLatin1(own) + QStringLiteral("_MD_") +
                                 QLatin1String(category) + QStringLiteral("_2026.Log");
            writeFixtureFile(path, bytes);
            paths.append(path);
        }
        paths.sort();
        writeFixtureFile(done, {});
    }
};

Fixture& fixture() {
    static Fixture f;
    return f;
}

void BM_ReadAndSplitLines(benchmark::State& state) {
    for (auto _ : state) {
        qsizetype lines = 0;
        for (const QString& path : fixture().paths)
            lines += splitLines(readFileBytes(path, 64 * 1024 * 1024).value()).size();
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(BM_ReadAndSplitLines)->Unit(benchmark::kMillisecond)->Iterations(5);

CheckOptions checkOptions() {
    CheckOptions options;
    options.dataFolder = fixture().data;
    options.outFolder = fixture().out;
    options.inputs = {fixture().logs};
    return options;
}

void BM_WholeCheck(benchmark::State& state) {
    const CheckOptions options = checkOptions();
    for (auto _ : state) {
        const CheckOutcome outcome = runCheck(options);
        if (outcome.exitCode != 0)
            state.SkipWithError("the generated logs must all be readable");
        benchmark::DoNotOptimize(outcome);
    }
}
BENCHMARK(BM_WholeCheck)->Unit(benchmark::kMillisecond)->Iterations(5);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    runCheck(checkOptions()); // fills the report folder on a machine's first run
    RatioReporter reporter({{"check of 3000 logs / read and split their lines", "BM_WholeCheck/iterations:5",
                             "BM_ReadAndSplitLines/iterations:5", 3.0}});
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
