#include "core/common/ProgramFolder.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogName.h"
#include "core/logfile/LogStatistics.h"
#include "core/logging/LogInUse.h"
#include "support/Printers.h"
#include "support/SpawnAndKill.h"
#include "support/TempProgramFolder.h"

#include <QElapsedTimer>
#include <QFile>

#include <gtest/gtest.h>

#include <chrono>
#include <iostream>
#include <random>
#include <set>

using namespace qvmd;
using qvmd::test::TempProgramFolder;

namespace {

// One life of the append helper, killed with SIGKILL after `delay`: the lines it printed.
QList<QByteArray> runAndKill(const QString& folder, const QString& logName, std::chrono::microseconds delay,
                             bool afterReady) {
    return qvmd::test::spawnAndKill(
        {QVMD_LOG_APPEND_HELPER, QFile::encodeName(folder), QFile::encodeName(logName)}, delay, afterReady);
}

// What a power cut in the middle of an append leaves after the last line end: the record never reported,
// cut somewhere (kept as a short record once it holds a ">"), or a run of NUL bytes where the file
// system had grown the file but not yet written it.
void leaveAppendLeftovers(const QString& path, int next, std::mt19937& random) {
    QFile file(path);
    if (!file.open(QIODevice::Append))
        return;
    if (random() % 2 == 0) {
        file.write(QByteArray(static_cast<qsizetype>(random() % 64) + 1, '\0'));
        return;
    }
    const QByteArray record = QByteArray::number(next) + ">1>9QV1>POWER CUT>H>Country>06/03/2015 14:05:09>N>";
    file.write(record.left(static_cast<qsizetype>(random() % record.size()) + 1));
}

} // namespace

// Appends are killed at random moments, and now and then a power cut leaves the leftovers of one more
// append behind. The promise: every contact reported written is in the log exactly once, whole and in
// order; whatever else a kill or a power cut left is either cut off when the log is opened (no ">", NUL
// bytes) or stays one short record of its own; opening sets the counters right, and the next record
// through the core is a line of its own.
TEST(LogCrash, KilledAppendsLoseNothingReportedAndOpeningReconciles) {
    TempProgramFolder folder(false);
    const ProgramFolder program(folder.path());
    const QString name = logFileName(QStringLiteral("5QV123"), QStringLiteral("H"), 2015);
    StationProfile profile{QStringLiteral("5QV123"), QStringLiteral("OPERATOR"), QStringLiteral("5"),
                           QStringLiteral("QV"),     QStringLiteral("123"),      QStringLiteral("H")};
    ASSERT_FALSE(createLog(program, name, LogHeader::forProfile(profile, "N", 1, QDate(2015, 3, 6), 2015)));
    LogInUsePlace place;
    place.folder = program;
    place.logName = name;
    place.countryCount = 340;

    std::mt19937 random(20150306);
    QElapsedTimer clock;
    clock.start();
    int trials = 0;
    int reported = 0;
    int rebuilt = 0;
    int leftovers = 0;
    std::set<int> whole; // every record reported written, by the helper or through the core here
    // 200 kills, or fewer on a machine busy with other work: the time limit bounds the test, and a slow
    // machine is no fault of the program.
    while (trials < 200 || (trials < 400 && clock.elapsed() < 15000)) {
        if (clock.elapsed() > 60000)
            break;
        const bool afterReady = random() % 4 != 0;
        const auto delay = std::chrono::microseconds(random() % (afterReady ? 20000 : 60000));
        const QList<QByteArray> lines = runAndKill(folder.path(), name, delay, afterReady);
        ++trials;
        int previous = whole.empty() ? 0 : *whole.rbegin();
        for (const QByteArray& line : lines) {
            if (!line.startsWith('P'))
                continue;
            const int n = line.mid(1).toInt();
            ASSERT_EQ(n, previous + 1) << "trial " << trials << ": reported out of order";
            whole.insert(n);
            previous = n;
            ++reported;
        }
        if (random() % 3 == 0) {
            const Result<LogContents> before = readLog(program.logs(name));
            ASSERT_TRUE(before.ok());
            leaveAppendLeftovers(program.logs(name), static_cast<int>(before.value().records.size()) + 1,
                                 random);
            ++leftovers;
        }

        const Result<LogCounters> onDisk = readCounterFile(program);
        LogCounters counters;
        {
            LogInUse opened(place);
            const LogInUse::Opened result = opened.open();
            ASSERT_FALSE(result.logError) << "trial " << trials;
            ASSERT_FALSE(result.counterError) << "trial " << trials;
            if (result.tailCut) {
                ASSERT_FALSE(result.tailCut->error) << "trial " << trials;
            }
            counters = opened.counters();
            rebuilt += !onDisk || onDisk.value() != counters ? 1 : 0;
        }
        const QByteArray bytes = readLogBytes(program.logs(name)).value();
        EXPECT_FALSE(bytes.contains('\0')) << "trial " << trials << ": leftovers kept as a record";
        const Result<LogContents> log = readLog(program.logs(name));
        ASSERT_TRUE(log.ok()) << "trial " << trials;
        ASSERT_EQ(log.value().headerValueCount, 11) << "trial " << trials;
        const std::vector<ContactRecord>& records = log.value().records;
        for (std::size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(records[i].field(ContactRecord::Progressive).toInt(), static_cast<int>(i) + 1)
                << "trial " << trials << ": records out of order or joined";
        }
        for (const int n : whole) {
            ASSERT_LE(n, static_cast<int>(records.size())) << "trial " << trials << ": reported but lost";
            ASSERT_EQ(records[static_cast<std::size_t>(n) - 1].field(ContactRecord::Cancelled), u"N")
                << "trial " << trials << ": record " << n << " reported whole but torn";
        }
        EXPECT_EQ(counters.NextProgressive, static_cast<int>(records.size()) + 1) << "trial " << trials;
        EXPECT_EQ(readCounterFile(program).value(), counters) << "trial " << trials;

        // One more record through the core after the kill: whatever the kill left, it is a line of its own.
        const int next = static_cast<int>(records.size()) + 1;
        if (next <= LogCounters::LastProgressive) {
            const ContactRecord extra = ContactRecord::contact(
                next, QStringLiteral("1"), QStringLiteral("9QV%1").arg(next), QStringLiteral("AFTER KILL"),
                QStringLiteral("H"), QStringLiteral("Country"), QStringLiteral("06/03/2015 14:05:09"));
            ASSERT_FALSE(appendRecord(program.logs(name), extra)) << "trial " << trials;
            const Result<LogContents> after = readLog(program.logs(name));
            ASSERT_TRUE(after.ok()) << "trial " << trials;
            ASSERT_EQ(after.value().records.size(), records.size() + 1)
                << "trial " << trials << ": the appended record joined the line before it";
            EXPECT_EQ(after.value().records.back().line(), extra.line()) << "trial " << trials;
            EXPECT_TRUE(readLogBytes(program.logs(name)).value().endsWith(extra.line().toLatin1() + "\r\n"));
            whole.insert(next);
            // Log.dat in line again, as the logging window leaves it, so the next kill's rebuild counts.
            ASSERT_TRUE(openLog(program, name, 340).ok());
        }
    }
    std::cout << "[ crash    ] " << trials << " kills in " << clock.elapsed() << " ms, " << reported
              << " appends reported, " << whole.size() << " records whole, counters rebuilt after " << rebuilt
              << " kills, " << leftovers << " power cut leftovers\n";
    EXPECT_GE(trials, 20);
    EXPECT_GT(reported, 0);
}
