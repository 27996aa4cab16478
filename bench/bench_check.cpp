// The award manager's wait: a fresh qvmd-check process over 3,000 logs of 300 contacts into a new report
// folder, against io_baseline, a small program doing the same input and output (read every log, find its
// line ends with memchr, write as many files of the same sizes into a new folder). Both are timed from
// outside, alternately, on all cores and on one, with their peak memory; 6,000 logs show how the time
// grows.
//
// The generated logs stay in the system's temporary folder between runs. The report folders of a run are
// deleted only after all of them are timed: for about half a minute after thousands of files are deleted,
// this machine's file system creates new ones slowly, and that would be measured instead.

#include "ChildProcess.h"
#include "FixtureFile.h"
#include "GeneratedLogs.h"
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
    // The number names the generator: change it with the generator, or old logs are reused.
    QString root;
    QString data;
    QString logFolder;
    qint64 bytes = 0;

    explicit Fixture(int count)
        : logs(count), root(QDir::temp().filePath(QStringLiteral("qvmd-bench-check-2-%1").arg(count))),
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
            writeFixtureFile(logFolder + u'/' + QString::fromLatin1(logNameOf(s)), logOf(s, logs, random));
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

} // namespace

int main() {
    const Fixture small(3000);
    const Fixture large(6000);
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

    // The first runs read the logs into the page cache; one gives the sizes of the files a run writes.
    const std::string reference = newFolder();
    if (runProcess(check(small)(reference), false).status != 0) {
        std::fprintf(stderr, "qvmd-check failed on the generated logs\n");
        return 1;
    }
    runProcess(check(large)(newFolder()), false);
    QByteArray sizes;
    for (const QFileInfo& info : QDir(QString::fromStdString(reference)).entryInfoList(QDir::Files))
        sizes += QByteArray::number(info.size()) + '\n';
    const std::string sizesFile = (runs + QStringLiteral("/sizes")).toStdString();
    writeFixtureFile(QString::fromStdString(sizesFile), sizes);
    auto baseline = [&](const std::string& folder) {
        return std::vector<std::string>{QVMD_IO_BASELINE, small.logFolder.toStdString(), sizesFile, folder};
    };

    Side checkAll{"qvmd-check, 3000 logs, all cores", check(small)};
    Side ioAll{"same input and output, all cores", baseline};
    Side check6000{"qvmd-check, 6000 logs, all cores", check(large)};
    Side checkOne{"qvmd-check, 3000 logs, one core", check(small), true};
    Side ioOne{"same input and output, one core", baseline, true};
    auto timeOnce = [&](Side& side) {
        side.runs.push_back(runProcess(side.command(newFolder()), side.oneCore));
    };
    for (int i = 0; i < Runs; ++i)
        for (Side* side : {&checkAll, &ioAll, &check6000})
            timeOnce(*side);
    for (int i = 0; i < Runs; ++i)
        for (Side* side : {&checkOne, &ioOne})
            timeOnce(*side);

    std::printf("%.1f MB in 3000 logs, %.1f MB in 6000; %d runs each, min median max\n", small.bytes / 1e6,
                large.bytes / 1e6, Runs);
    for (const Side* side : {&checkAll, &ioAll, &checkOne, &ioOne, &check6000})
        printSide(*side);
    for (const Side* side : {&checkAll, &checkOne, &check6000})
        for (const Measure& run : side->runs)
            if (run.status != 0)
                std::printf("  ** %s ended with status %d **\n", side->name.c_str(), run.status);
    const double allCores = pairedRatio(checkAll, ioAll, "all cores");
    const double oneCore = pairedRatio(checkOne, ioOne, "one core");
    const double growth = pairedRatio(check6000, checkAll, "6000 logs against 3000");
    double peak = 0;
    for (const Measure& run : checkAll.runs)
        peak = std::max(peak, run.megabytes);
    const double allowed = 2 * static_cast<double>(small.bytes) / (1024 * 1024) + 30;
    std::printf("  peak memory %.0f MB, logs %.0f MB\n", peak, small.bytes / (1024.0 * 1024));
    printRatio("qvmd-check of 3000 logs into a new folder / the same input and output", allCores, 3.0);
    printRatio("the same on one core / the same input and output on one core", oneCore, 4.0);
    printRatio("qvmd-check of 6000 logs / of 3000 logs", growth, 2.2);
    printRatio("peak memory of qvmd-check / (2 x the logs + 30 MB)", peak / allowed, 1.0);

    // Only now, with every run timed.
    QDir(runs).removeRecursively();
    return 0;
}
