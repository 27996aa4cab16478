#include "core/common/ProgramFolder.h"
#include "core/exchange/AutoBackupList.h"
#include "core/exchange/LogBackup.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogName.h"
#include "support/Printers.h"
#include "support/SpawnAndKill.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>

#include <gtest/gtest.h>

#include <iostream>
#include <random>

using namespace qvmd;
using namespace qvmd::test;

namespace {

QMap<QString, QByteArray> backupFiles(const ProgramFolder& folder) {
    QMap<QString, QByteArray> files;
    const QDir backup(folder.path("Backup"));
    for (const QString& name : backup.entryList({"*.Bak"}, QDir::Files)) {
        QFile file(backup.filePath(name));
        if (file.open(QIODevice::ReadOnly))
            files.insert(name, file.readAll());
    }
    return files;
}

} // namespace

// A program logging and backing up by itself is killed at random moments, mostly in the middle of an
// automatic backup. The log keeps every contact it reported; every copy made before stays as it was,
// unless it was an automatic one that a newer copy pushed out; no copy is ever torn.
TEST(AutoBackupCrash, KilledBackupsLeaveTheLogAndEarlierCopiesIntact) {
    TempProgramFolder program(false);
    const ProgramFolder folder(program.path());
    const QString name = logFileName(QStringLiteral("5QV123"), QStringLiteral("H"), 2015);
    StationProfile profile{QStringLiteral("5QV123"), QStringLiteral("OPERATOR"), QStringLiteral("5"),
                           QStringLiteral("QV"),     QStringLiteral("123"),      QStringLiteral("H")};
    ASSERT_FALSE(createLog(folder, name, LogHeader::forProfile(profile, "N", 1, QDate(2015, 3, 6), 2015)));
    // A copy made by hand, which no automatic copy may ever remove.
    ASSERT_EQ(backupLog(folder, name, QDateTime(QDate(2015, 1, 1), QTime(0, 0))).status,
              BackupOutcome::Status::Copied);
    const QString byHand = QStringLiteral("5QV123_MD_H_2015-0101_000000.Bak");

    std::mt19937 random(20151206);
    constexpr int keep = 5;
    int trials = 0;
    int reported = 0;
    int highest = 0;
    int removedByRotation = 0;
    QElapsedTimer clock;
    clock.start();
    for (; trials < 50 && clock.elapsed() < 90000; ++trials) {
        const QMap<QString, QByteArray> before = backupFiles(folder);
        QStringList automatic;
        const Result<QList<AutoBackupEntry>> entries = readAutoBackupList(folder);
        for (const AutoBackupEntry& entry : entries.value())
            automatic.append(entry.name);

        const auto delay = std::chrono::microseconds(random() % 60000);
        const QList<QByteArray> lines =
            spawnAndKill({QVMD_AUTO_BACKUP_HELPER, QFile::encodeName(program.path()), QFile::encodeName(name),
                          QByteArray::number(trials * 100000), QByteArray::number(keep)},
                         delay);

        const Result<LogContents> log = readLog(folder.logs(name));
        ASSERT_TRUE(log.ok()) << "trial " << trials;
        const std::vector<ContactRecord>& records = log.value().records;
        for (std::size_t i = 0; i < records.size(); ++i)
            ASSERT_EQ(records[i].field(ContactRecord::Progressive).toInt(), static_cast<int>(i) + 1)
                << "trial " << trials << ": records out of order or torn";
        for (const QByteArray& line : lines) {
            if (line.startsWith('P')) {
                ASSERT_LE(line.mid(1).toInt(), static_cast<int>(records.size())) << "trial " << trials;
                ++reported;
            }
        }
        highest = static_cast<int>(records.size());

        const QMap<QString, QByteArray> after = backupFiles(folder);
        for (auto it = before.cbegin(); it != before.cend(); ++it) {
            if (after.contains(it.key())) {
                ASSERT_EQ(after.value(it.key()), it.value())
                    << "trial " << trials << ": " << it.key().toStdString();
                continue;
            }
            ASSERT_TRUE(automatic.contains(it.key()))
                << "trial " << trials << ": " << it.key().toStdString() << " removed";
            ++removedByRotation;
        }
        ASSERT_TRUE(after.contains(byHand)) << "trial " << trials;
        // Every copy is a whole log: its records are a run from the first one.
        for (auto it = after.cbegin(); it != after.cend(); ++it) {
            const Result<LogContents> copy = readLog(folder.backup(it.key()));
            ASSERT_TRUE(copy.ok()) << "trial " << trials << ": " << it.key().toStdString();
            ASSERT_LE(copy.value().records.size(), records.size()) << it.key().toStdString();
        }
    }
    std::cout << "[ crash    ] " << trials << " kills in " << clock.elapsed() << " ms, " << reported
              << " contacts reported, " << highest << " in the log, " << backupFiles(folder).size()
              << " copies kept, " << removedByRotation << " removed by rotation\n";
    EXPECT_EQ(trials, 50);
    EXPECT_GT(reported, 0);
    EXPECT_GT(removedByRotation, 0);
}
