#include "core/common/ProgramFolder.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogName.h"
#include "core/logfile/LogStatistics.h"
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

// What a power cut in the middle of the last append leaves: that record cut short somewhere after its
// number, without its line end.
void tearLastRecord(const QString& path, std::mt19937& random) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite))
        return;
    const QByteArray bytes = file.readAll();
    const qsizetype start = bytes.lastIndexOf('\n', bytes.size() - 2) + 1;
    const qsizetype firstSeparator = bytes.indexOf('>', start);
    if (firstSeparator < 0 || bytes.at(start) == '#')
        return;
    // Keep the number and its ">", lose at least the last ">" and the CR LF.
    const qsizetype room = bytes.size() - 3 - (firstSeparator + 1);
    if (room <= 0)
        return;
    file.resize(firstSeparator + 1 + static_cast<qsizetype>(random() % room));
}

} // namespace

// Appends are killed at random moments; every progressive the helper reported written must be in the
// log exactly once and in order, the log must read, and opening it must set the counters right. Now and
// then the kill is a power cut that tears the last record; after each kill one more record is appended
// through the core, and it must be a line of its own.
TEST(LogCrash, KilledAppendsLoseNothingReportedAndOpeningReconciles) {
    TempProgramFolder folder(false);
    const ProgramFolder program(folder.path());
    const QString name = logFileName(QStringLiteral("5QV123"), QStringLiteral("H"), 2015);
    StationProfile profile{QStringLiteral("5QV123"), QStringLiteral("OPERATOR"), QStringLiteral("5"),
                           QStringLiteral("QV"),     QStringLiteral("123"),      QStringLiteral("H")};
    ASSERT_FALSE(createLog(program, name, LogHeader::forProfile(profile, "N", 1, QDate(2015, 3, 6), 2015)));

    std::mt19937 random(20150306);
    QElapsedTimer clock;
    clock.start();
    int trials = 0;
    int reported = 0;
    int rebuilt = 0;
    int highest = 0;
    int tornCount = 0;
    std::set<int> torn;
    while (trials < 200 || (trials < 400 && clock.elapsed() < 15000)) {
        if (clock.elapsed() > 60000)
            break; // a stalled machine: fail below on the count rather than hang
        const bool afterReady = random() % 4 != 0;
        const auto delay = std::chrono::microseconds(random() % (afterReady ? 20000 : 60000));
        const QList<QByteArray> lines = runAndKill(folder.path(), name, delay, afterReady);
        ++trials;

        if (random() % 3 == 0) {
            const Result<LogContents> before = readLog(program.logs(name));
            ASSERT_TRUE(before.ok());
            if (!before.value().records.empty()) {
                tearLastRecord(program.logs(name), random);
                torn.insert(static_cast<int>(before.value().records.size()));
                ++tornCount;
            }
        }
        const Result<LogContents> log = readLog(program.logs(name));
        ASSERT_TRUE(log.ok()) << "trial " << trials;
        ASSERT_EQ(log.value().headerValueCount, 11) << "trial " << trials;
        const std::vector<ContactRecord>& records = log.value().records;
        for (std::size_t i = 0; i < records.size(); ++i) {
            ASSERT_EQ(records[i].field(ContactRecord::Progressive).toInt(), static_cast<int>(i) + 1)
                << "trial " << trials << ": records out of order or torn";
            if (!torn.contains(static_cast<int>(i) + 1)) {
                ASSERT_EQ(records[i].field(ContactRecord::Cancelled), u"N") << "trial " << trials;
            }
        }
        int previous = highest;
        for (const QByteArray& line : lines) {
            if (!line.startsWith('P'))
                continue;
            const int n = line.mid(1).toInt();
            ASSERT_EQ(n, previous + 1) << "trial " << trials << ": reported out of order";
            ASSERT_LE(n, static_cast<int>(records.size())) << "trial " << trials << ": reported but lost";
            previous = n;
            ++reported;
        }
        highest = static_cast<int>(records.size());

        const Result<OpenedLog> opened = openLog(program, name, 340);
        ASSERT_TRUE(opened.ok()) << "trial " << trials;
        rebuilt += opened.value().countersRebuilt ? 1 : 0;
        EXPECT_EQ(opened.value().statistics.counters.NextProgressive, static_cast<int>(records.size()) + 1);
        EXPECT_EQ(readCounterFile(program).value(), opened.value().statistics.counters) << "trial " << trials;
        // One more record through the core after the kill: whatever the kill left, it is a line of its own.
        {
            const Result<LogContents> before = readLog(program.logs(name));
            ASSERT_TRUE(before.ok()) << "trial " << trials;
            const int next = static_cast<int>(before.value().records.size()) + 1;
            if (next <= LogCounters::LastProgressive) {
                const ContactRecord extra =
                    ContactRecord::contact(next, QStringLiteral("1"), QStringLiteral("9QV%1").arg(next),
                                           QStringLiteral("AFTER KILL"), QStringLiteral("H"),
                                           QStringLiteral("Country"), QStringLiteral("06/03/2015 14:05:09"));
                ASSERT_FALSE(appendRecord(program.logs(name), extra)) << "trial " << trials;
                const Result<LogContents> after = readLog(program.logs(name));
                ASSERT_TRUE(after.ok()) << "trial " << trials;
                ASSERT_EQ(after.value().records.size(), before.value().records.size() + 1)
                    << "trial " << trials << ": the appended record joined the line before it";
                EXPECT_EQ(after.value().records.back().line(), extra.line()) << "trial " << trials;
                EXPECT_TRUE(
                    readLogBytes(program.logs(name)).value().endsWith(extra.line().toLatin1() + "\r\n"));
                highest = next;
                // Log.dat in line again, as the logging window leaves it, so the next kill's rebuild counts.
                ASSERT_TRUE(openLog(program, name, 340).ok());
            }
        }
    }
    std::cout << "[ crash    ] " << trials << " kills in " << clock.elapsed() << " ms, " << reported
              << " appends reported, " << highest << " records in the log, counters rebuilt after " << rebuilt
              << " kills, " << tornCount << " records torn\n";
    EXPECT_GE(trials, 200);
    EXPECT_GT(reported, 0);
}
