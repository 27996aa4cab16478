#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/exchange/AutoBackup.h"
#include "core/exchange/BackupNames.h"
#include "core/exchange/CrashTail.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogRestore.h"
#include "core/exchange/LogRetire.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogStatistics.h"
#include "core/logging/LogInUse.h"
#include "support/FixedClock.h"
#include "support/PowerCutDisk.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <optional>

using namespace qvmd;
using qvmd::test::FixedClock;
using qvmd::test::PowerCutDisk;
using qvmd::test::TempProgramFolder;
using Target = DiskSync::Target;

namespace {

const QString logName = QStringLiteral("5QV123_MD_L_2026.Log");
const QByteArray logBytes =
    "##L\r\n#5QV123\r\n#ANNA\r\n#Y\r\n#1\r\n#01/05/2026\r\n#5\r\n#QV\r\n#123\r\n#2026\r\n#LOG\r\n"
    "1>4>7QV45>MARIA>H>Italia>08/12/2026 05:00:01>N>\r\n"
    "2>9>1QV408>SARA>L>Canada>08/12/2026 05:01:02>N>\r\n";
const QDateTime now(QDate(2026, 12, 8), QTime(6, 0, 0));
const QString copyName = *backupFileName(logName, now);

// A program folder whose log is on the disk, on a disk that can lose power.
struct Station {
    explicit Station(bool withBackupFolder) {
        folder.writeRaw("Logs/" + logName, logBytes);
        if (!withBackupFolder)
            QDir(folder.path() + "/Backup").removeRecursively();
        disk.emplace(folder.path());
    }
    QString backupFolder() const { return folder.path() + "/Backup"; }
    QStringList backups() const { return QDir(backupFolder()).entryList(QDir::Files); }
    QByteArray log() const { return folder.readRaw("Logs/" + logName); }

    TempProgramFolder folder{false};
    ProgramFolder program{folder.path()};
    std::optional<PowerCutDisk> disk;
};

} // namespace

// Delete Log moves the log only when the disk confirmed its copy and every folder on the way; whatever
// fails, after a power cut the log is whole in Logs or in Backup.
TEST(PowerCut, DeleteLogNeverLeavesTheLogInNeitherFolder) {
    enum class Failing { Nothing, CopysFolder, ProgramFolder, CopysData };
    struct Case {
        const char* name;
        bool backupFolderThere;
        Failing failing;
        bool moved;
    };
    for (const Case& c : {Case{"Backup made on the way, all confirmed", false, Failing::Nothing, true},
                          Case{"Backup there, all confirmed", true, Failing::Nothing, true},
                          Case{"the copy's folder unconfirmed", true, Failing::CopysFolder, false},
                          Case{"the new Backup folder unconfirmed", false, Failing::ProgramFolder, false},
                          Case{"the copy's data unconfirmed", true, Failing::CopysData, false}}) {
        SCOPED_TRACE(c.name);
        Station station(c.backupFolderThere);
        if (c.failing == Failing::CopysFolder)
            station.disk->failOnly(Target::Folder, station.backupFolder());
        else if (c.failing == Failing::ProgramFolder)
            station.disk->failOnly(Target::Folder, station.folder.path());
        else if (c.failing == Failing::CopysData)
            station.disk->failAll(Target::File);
        const RetireOutcome outcome = retireLog(station.program, logName, now, *station.disk);
        EXPECT_EQ(outcome.status, c.moved ? RetireOutcome::Status::Moved : RetireOutcome::Status::Failed);
        EXPECT_EQ(QFile::exists(station.program.logs(logName)), !c.moved);

        station.disk->cut();
        if (c.moved) {
            ASSERT_EQ(station.backups().size(), 1);
            EXPECT_EQ(station.folder.readRaw("Backup/" + station.backups().first()), logBytes);
            EXPECT_FALSE(QFile::exists(station.program.logs(logName)));
        } else {
            EXPECT_EQ(station.log(), logBytes);
        }
    }
}

TEST(PowerCut, DeleteLogOnALogThatIsGoneSaysSoAndNothingElse) {
    Station station(true);
    QFile::remove(station.program.logs(logName));
    const RetireOutcome outcome = retireLog(station.program, logName, now, *station.disk);
    EXPECT_EQ(outcome.status, RetireOutcome::Status::Missing);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->kind, FileError::Kind::Missing);
    EXPECT_TRUE(station.backups().isEmpty());
}

// A folder the program makes is on the disk before anything is reported written into it.
TEST(PowerCut, NewFoldersSurviveWithTheirFirstFile) {
    struct Case {
        const char* name;
        std::function<bool(Station&)> write; // true when reported written
        QString written;
    };
    const LogHeader header =
        LogHeader::forProfile({"5QV123", "ANNA", "5", "QV", "123", "L"}, "Y", 1, QDate(2026, 5, 1), 2026);
    for (const Case& c : {
             Case{"the first log, in a new Logs folder",
                  [&](Station& s) {
                      QDir(s.folder.path() + "/Logs").removeRecursively();
                      s.disk.emplace(s.folder.path());
                      return !createLog(s.program, logName, header, *s.disk);
                  },
                  "Logs/" + logName},
             Case{"the first backup, in a new Backup folder",
                  [&](Station& s) {
                      const BackupOutcome made = backupLog(s.program, logName, now, *s.disk);
                      return made.status == BackupOutcome::Status::Copied && !made.unconfirmed;
                  },
                  "Backup/" + copyName},
             Case{"the first automatic backup",
                  [&](Station& s) {
                      return makeAutoBackup(s.program, logName, now, 3, *s.disk).status ==
                             AutoBackupOutcome::Status::Made;
                  },
                  "Backup/" + copyName},
         }) {
        SCOPED_TRACE(c.name);
        Station station(false);
        ASSERT_TRUE(c.write(station));
        station.disk->cut();
        EXPECT_TRUE(QFile::exists(station.folder.path() + "/" + c.written));
        EXPECT_GT(QFileInfo(station.folder.path() + "/" + c.written).size(), 0);
    }
}

// An automatic copy the disk did not confirm is reported so, and no older copy goes for it.
TEST(PowerCut, RotationWaitsForAConfirmedCopy) {
    Station station(true);
    ASSERT_EQ(makeAutoBackup(station.program, logName, now, 1, *station.disk).status,
              AutoBackupOutcome::Status::Made);
    station.folder.writeRaw("Logs/" + logName, logBytes + "3>1>9QV1>EVA>H>Italia>08/12/2026 05:09:00>N>\r\n");
    station.disk.emplace(station.folder.path());
    station.disk->failOnly(Target::Folder, station.backupFolder());
    const AutoBackupOutcome second =
        makeAutoBackup(station.program, logName, now.addSecs(60), 1, *station.disk);
    EXPECT_EQ(second.status, AutoBackupOutcome::Status::Made);
    ASSERT_TRUE(second.error);
    EXPECT_EQ(second.error->kind, FileError::Kind::Unconfirmed);
    EXPECT_TRUE(second.removed.isEmpty());
    station.disk->cut();
    EXPECT_TRUE(station.backups().contains(copyName)) << station.backups().join(' ').toStdString();
}

// What a power cut leaves after the last line end of a log: which tails are no record.
TEST(CrashTail, OnlyNulBytesOrTextWithoutSeparatorAreLeftovers) {
    const QByteArray head = "##L\r\n1>4>7QV45>MARIA>H>Italia>08/12/2026 05:00:01>N>\r\n";
    struct Case {
        QByteArray tail;
        bool leftover;
    };
    for (const Case& c :
         {Case{"", false}, Case{QByteArray(40, '\0'), true}, Case{"2", true},
          Case{QByteArray("2>4>7QV4\0\0\0", 11), true}, Case{"2>4>7QV4", false}, Case{"HAND EDIT>", false},
          Case{"\r", false}, Case{"#LOG", false}, Case{"   ", true}}) {
        SCOPED_TRACE(c.tail.toHex().toStdString());
        const std::optional<qsizetype> start = crashTailStart(head + c.tail);
        EXPECT_EQ(start.has_value(), c.leftover);
        if (start) {
            EXPECT_EQ(*start, head.size());
        }
    }
}

// Opening the log copies the whole file to Backup first, then cuts the leftovers; without a confirmed
// copy the log stays as it is.
TEST(CrashTail, OpeningCopiesTheLogFirstThenCutsTheLeftovers) {
    const QByteArray torn = logBytes + QByteArray(24, '\0');
    for (const bool copyConfirmed : {true, false}) {
        SCOPED_TRACE(copyConfirmed);
        Station station(true);
        station.folder.writeRaw("Logs/" + logName, torn);
        station.disk.emplace(station.folder.path());
        if (!copyConfirmed)
            station.disk->failOnly(Target::Folder, station.backupFolder());
        FixedClock clock{now};
        LogInUsePlace place;
        place.folder = station.program;
        place.logName = logName;
        place.countryCount = 340;
        place.clock = &clock;
        LogInUse log(place, *station.disk);
        const LogInUse::Opened opened = log.open();
        ASSERT_FALSE(opened.logError);
        ASSERT_TRUE(opened.tailCut);
        EXPECT_EQ(opened.tailCut->error.has_value(), !copyConfirmed);
        if (copyConfirmed) {
            EXPECT_EQ(log.contacts().size(), 2);
            EXPECT_EQ(log.counters().NextProgressive, 3);
            station.disk->cut();
            EXPECT_EQ(station.log(), logBytes);
            EXPECT_EQ(station.folder.readRaw("Backup/" + copyName), torn);
        } else {
            EXPECT_EQ(station.log(), torn);
        }
    }
}

// After a restore of the log in use, opening it (as the restore window does) leaves Log.dat describing
// the restored log, and the printed totals come from the log itself.
TEST(PowerCut, RestoredLogAndItsCountersAgree) {
    Station station(true);
    const QByteArray shorter = logBytes.left(logBytes.indexOf("2>9>"));
    const QString earlier = *backupFileName(logName, now.addDays(-7));
    station.folder.writeRaw("Backup/" + earlier, shorter);
    ASSERT_FALSE(writeCounterFile(station.program, LogCounters{3, 1, 1, 2, 0}));
    station.disk.emplace(station.folder.path());
    const RestoreOutcome restored = restoreLog(station.program, earlier, logName, now, *station.disk);
    ASSERT_EQ(restored.status, RestoreOutcome::Status::Restored);
    ASSERT_TRUE(openLog(station.program, logName, 340, *station.disk).ok());
    station.disk->cut();
    EXPECT_EQ(station.log(), shorter);
    EXPECT_EQ(readCounterFile(station.program).value(), (LogCounters{2, 1, 0, 1, 0}));
}

// A restore replaces the log only once the disk confirmed the safety copy of the log it replaces.
TEST(PowerCut, RestoreWaitsForAConfirmedSafetyCopy) {
    Station station(true);
    const QString earlier = *backupFileName(logName, now.addDays(-7));
    station.folder.writeRaw("Backup/" + earlier, "##L\r\n");
    station.disk.emplace(station.folder.path());
    station.disk->failOnly(Target::Folder, station.backupFolder());
    const RestoreOutcome restored = restoreLog(station.program, earlier, logName, now, *station.disk);
    EXPECT_EQ(restored.status, RestoreOutcome::Status::CopyFailed);
    station.disk->cut();
    EXPECT_EQ(station.log(), logBytes);
}
