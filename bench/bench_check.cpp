// The award manager's wait: a fresh qvmd-check process over 3,000 logs of 300 contacts into a new report
// folder, against the same input and output done by this program itself in a fresh process (read every
// log, find its line ends with memchr, write as many files of the same sizes into a new folder). Both
// are timed from outside, alternately, on all cores and on one, with their peak memory; 6,000 logs show
// how the time grows, and a set where most contacts draw a finding shows the cost of findings.
//
// The generated logs stay in the system's temporary folder between runs. The report folders of a run are
// deleted only after all of them are timed: for about half a minute after thousands of files are deleted,
// this machine's file system creates new ones slowly, and that would be measured instead.

#include "ChildProcess.h"
#include "FixtureFile.h"
#include "GeneratedLogs.h"
#include "IoBaseline.h"
#include "RatioReporter.h"

#include <QByteArray>
#include <QDir>
#include <QFileInfo>

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr int Runs = 5;

struct Fixture {
    int logs;
    unsigned errorsPerMille;
    // The number names the generator: change it with the generator, or old logs are reused.
    QString root;
    QString data;
    QString logFolder;
    qint64 bytes = 0;

    Fixture(int count, unsigned errors, const char* kind)
        : logs(count), errorsPerMille(errors),
          root(QDir::temp().filePath(
              QStringLiteral("qvmd-bench-check-3-%1-%2").arg(QLatin1String(kind)).arg(count))),
          data(root + QStringLiteral("/Data")), logFolder(root + QStringLiteral("/Logs")) {
        if (!QFileInfo::exists(root + QStringLiteral("/complete")))
            generate();
        for (const QFileInfo& info : QDir(logFolder).entryInfoList(QDir::Files))
            bytes += info.size();
    }

    void generate() const {
        QDir(root).removeRecursively();
        QDir().mkpath(data);
        QDir().mkpath(logFolder);
        writeReferenceData(data, logs);
        std::mt19937 random(7);
        for (int s = 0; s < logs; ++s)
            writeFixtureFile(logFolder + u'/' + QString::fromLatin1(logNameOf(s)),
                             logOf(s, logs, random, errorsPerMille));
        writeFixtureFile(root + QStringLiteral("/complete"), {});
    }
};

struct Spread {
    double min, median, max;
};

Spread spreadOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return {values.front(), values[values.size() / 2], values.back()};
}

// A command that runs into a new folder each time it is called.
struct Side {
    using Command = std::function<std::vector<std::string>(const std::string& folder)>;
    Side(std::string sideName, Command sideCommand, bool heldToOneCore = false)
        : name(std::move(sideName)), command(std::move(sideCommand)), oneCore(heldToOneCore) {}

    std::string name;
    Command command;
    bool oneCore;
    std::vector<Measure> runs;
};

void printSide(const Side& side) {
    std::vector<double> seconds, megabytes;
    for (const Measure& run : side.runs) {
        seconds.push_back(run.seconds * 1000);
        megabytes.push_back(run.megabytes);
    }
    const Spread time = spreadOf(seconds);
    const Spread memory = spreadOf(megabytes);
    std::printf("%-44s %7.0f %7.0f %7.0f ms   peak %5.0f %5.0f %5.0f MB\n", side.name.c_str(), time.min,
                time.median, time.max, memory.min, memory.median, memory.max);
}

// The median of the ratios run by run, so that a drift of the machine's speed hits both sides alike.
double pairedRatio(const Side& measured, const Side& baseline, const char* what) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < measured.runs.size() && i < baseline.runs.size(); ++i)
        ratios.push_back(measured.runs[i].seconds / baseline.runs[i].seconds);
    const Spread spread = spreadOf(ratios);
    std::printf("  %s, run by run: min %.2f, median %.2f, max %.2f\n", what, spread.min, spread.median,
                spread.max);
    return spread.median;
}

// The sizes of the files one checker run writes, one per line, for the baseline to write alike.
std::string sizesOf(const std::string& folder, const QString& sizesFile) {
    QByteArray sizes;
    for (const QFileInfo& info : QDir(QString::fromStdString(folder)).entryInfoList(QDir::Files))
        sizes += QByteArray::number(info.size()) + '\n';
    writeFixtureFile(sizesFile, sizes);
    return sizesFile.toStdString();
}

double peakOf(const Side& side) {
    double peak = 0;
    for (const Measure& run : side.runs)
        peak = std::max(peak, run.megabytes);
    return peak;
}

} // namespace

int main(int argc, char** argv) {
    if (argc == 5 && std::string(argv[1]) == "--io-baseline")
        return ioBaseline(argv[2], argv[3], argv[4]);
    const std::string self = QFileInfo(QStringLiteral("/proc/self/exe")).canonicalFilePath().toStdString();
    const Fixture small(3000, 13, "confirmed");
    const Fixture large(6000, 13, "confirmed");
    const Fixture findings(3000, 700, "findings");
    const QString runs = QDir::temp().filePath(QStringLiteral("qvmd-bench-check-runs-%1").arg(::getpid()));
    QDir().mkpath(runs);
    int folders = 0;
    auto newFolder = [&] { return (runs + QStringLiteral("/%1").arg(++folders)).toStdString(); };
    auto check = [](const Fixture& fixture) {
        return [&fixture](const std::string& folder) {
            return std::vector<std::string>{
                QVMD_CHECK_PROGRAM,         "--lang", "en",   "--data",
                fixture.data.toStdString(), "--out",  folder, fixture.logFolder.toStdString()};
        };
    };
    // The first runs read the logs into the page cache and give the sizes of the files a run writes.
    std::vector<std::string> sizes;
    for (const Fixture* fixture : {&small, &findings}) {
        const std::string reference = newFolder();
        if (runProcess(check(*fixture)(reference), false).status > 1) {
            std::fprintf(stderr, "qvmd-check failed on the generated logs\n");
            return 1;
        }
        sizes.push_back(sizesOf(reference, runs + QStringLiteral("/sizes-%1").arg(sizes.size())));
    }
    runProcess(check(large)(newFolder()), false);
    auto baseline = [&](const Fixture& fixture, const std::string& sizesFile) {
        return [&, sizesFile](const std::string& folder) {
            return std::vector<std::string>{self, "--io-baseline", fixture.logFolder.toStdString(), sizesFile,
                                            folder};
        };
    };

    Side checkAll{"qvmd-check, 3000 logs, all cores", check(small)};
    Side ioAll{"same input and output, all cores", baseline(small, sizes[0])};
    Side check6000{"qvmd-check, 6000 logs, all cores", check(large)};
    Side findingsAll{"qvmd-check, 3000 logs, most with findings", check(findings)};
    Side findingsIo{"same input and output, most with findings", baseline(findings, sizes[1])};
    Side checkOne{"qvmd-check, 3000 logs, one core", check(small), true};
    Side ioOne{"same input and output, one core", baseline(small, sizes[0]), true};
    Side findingsOne{"qvmd-check, most with findings, one core", check(findings), true};
    Side findingsIoOne{"same input and output, findings, one core", baseline(findings, sizes[1]), true};
    auto timeOnce = [&](Side& side) {
        side.runs.push_back(runProcess(side.command(newFolder()), side.oneCore));
    };
    for (int i = 0; i < Runs; ++i)
        for (Side* side : {&checkAll, &ioAll, &check6000, &findingsAll, &findingsIo})
            timeOnce(*side);
    for (int i = 0; i < Runs; ++i)
        for (Side* side : {&checkOne, &ioOne, &findingsOne, &findingsIoOne})
            timeOnce(*side);

    std::printf("%.1f MB in 3000 logs, %.1f MB in 6000, %.1f MB in 3000 most with findings; %d runs each, "
                "min median max\n",
                small.bytes / 1e6, large.bytes / 1e6, findings.bytes / 1e6, Runs);
    for (const Side* side : {&checkAll, &ioAll, &checkOne, &ioOne, &check6000, &findingsAll, &findingsIo,
                             &findingsOne, &findingsIoOne})
        printSide(*side);
    // The findings set ends with status 0 too: every log is read.
    for (const Side* side : {&checkAll, &checkOne, &check6000, &findingsAll, &findingsOne})
        for (const Measure& run : side->runs)
            if (run.status != 0)
                std::printf("  ** %s ended with status %d **\n", side->name.c_str(), run.status);
    const double allCores = pairedRatio(checkAll, ioAll, "all cores");
    const double oneCore = pairedRatio(checkOne, ioOne, "one core");
    const double growth = pairedRatio(check6000, checkAll, "6000 logs against 3000");
    const double findingsAllCores = pairedRatio(findingsAll, findingsIo, "most with findings, all cores");
    const double findingsOneCore = pairedRatio(findingsOne, findingsIoOne, "most with findings, one core");
    auto allowed = [](const Fixture& fixture) {
        return 2 * static_cast<double>(fixture.bytes) / (1024 * 1024) + 30;
    };
    std::printf("  peak memory %.0f MB for %.0f MB of logs; %.0f MB for %.0f MB most with findings\n",
                peakOf(checkAll), small.bytes / (1024.0 * 1024), peakOf(findingsAll),
                findings.bytes / (1024.0 * 1024));
    printRatio("qvmd-check of 3000 logs into a new folder / the same input and output", allCores, 3.0);
    printRatio("the same on one core / the same input and output on one core", oneCore, 4.0);
    printRatio("qvmd-check of 6000 logs / of 3000 logs", growth, 2.2);
    printRatio("most contacts with findings / the same input and output", findingsAllCores, 3.0);
    printRatio("most with findings on one core / the same input and output on one core", findingsOneCore,
               4.0);
    printRatio("peak memory of qvmd-check / (2 x the logs + 30 MB)", peakOf(checkAll) / allowed(small), 1.0);
    printRatio("peak memory, most with findings / (2 x the logs + 30 MB)",
               peakOf(findingsAll) / allowed(findings), 1.0);

    // Only now, with every run timed.
    QDir(runs).removeRecursively();
    return 0;
}
