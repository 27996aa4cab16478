#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/exchange/AutoBackup.h"
#include "core/exchange/AutoBackupList.h"
#include "core/exchange/AutoBackupSettings.h"
#include "core/exchange/LogBackup.h"
#include "support/Printers.h"
#include "support/RecordingSync.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cerrno>

using namespace qvmd;
using qvmd::test::RecordingSync;
using qvmd::test::TempProgramFolder;

namespace {

const QString logName = QStringLiteral("5QV123_MD_L_2015.Log");

class AutoBackupTest : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    ProgramFolder folder{program.path()};
    QDateTime now{QDate(2015, 12, 6), QTime(21, 45, 7)};
    int contacts = 0;

    void SetUp() override { program.writeRaw("Logs/" + logName, "##L\r\n#5QV123\r\n"); }

    // One more contact in the log, a minute later.
    void writeContact() {
        ++contacts;
        QFile log(folder.logs(logName));
        ASSERT_TRUE(log.open(QIODevice::Append));
        log.write(QByteArray::number(contacts) + ">1>7QV45>ANNA>L>Italia>06/12/2015 21:45:07>N>\r\n");
        now = now.addSecs(60);
    }

    AutoBackupOutcome backUp(int keep = 10) { return makeAutoBackup(folder, logName, now, keep); }

    QStringList backups() const {
        return QDir(folder.path("Backup")).entryList({"*.Bak"}, QDir::Files, QDir::Name);
    }
    QStringList listed() const {
        QStringList names;
        const Result<QList<AutoBackupEntry>> entries = readAutoBackupList(folder);
        for (const AutoBackupEntry& entry : entries.value())
            names.append(entry.name);
        return names;
    }
};

} // namespace

TEST_F(AutoBackupTest, KeepsTheNewestAutomaticCopiesAndNeverOnesMadeByHand) {
    // Another log's automatic copy is not this log's to remove.
    program.writeRaw("Logs/5QV123_MD_H_2015.Log", "other log");
    ASSERT_EQ(makeAutoBackup(folder, "5QV123_MD_H_2015.Log", now, 1).status, AutoBackupOutcome::Status::Made);
    QStringList made;
    for (int i = 0; i < 11; ++i) {
        writeContact();
        if (i == 3) {
            // A copy by hand among the automatic ones.
            now = now.addSecs(1);
            ASSERT_EQ(backupLog(folder, logName, now).status, BackupOutcome::Status::Copied);
            writeContact();
        }
        const AutoBackupOutcome outcome = backUp();
        ASSERT_EQ(outcome.status, AutoBackupOutcome::Status::Made) << i;
        ASSERT_FALSE(outcome.error) << i;
        EXPECT_EQ(program.readRaw("Backup/" + QFileInfo(outcome.backupPath).fileName()),
                  program.readRaw("Logs/" + logName));
        made.append(QFileInfo(outcome.backupPath).fileName());
        EXPECT_EQ(outcome.removed.size(), i == 10 ? 1 : 0) << i;
    }
    EXPECT_EQ(listed(), QStringList("5QV123_MD_H_2015-0612_214507.Bak") + made.mid(1));
    QStringList expected = made.mid(1);
    expected.append("5QV123_MD_L_2015-0612_214908.Bak"); // the one made by hand
    expected.append("5QV123_MD_H_2015-0612_214507.Bak");
    expected.sort();
    EXPECT_EQ(backups(), expected);

    // A smaller setting takes effect at the next copy; the copy by hand still stays.
    writeContact();
    const AutoBackupOutcome outcome = backUp(3);
    EXPECT_EQ(outcome.removed.size(), 8);
    EXPECT_EQ(listed().size(), 4);
    EXPECT_EQ(backups().size(), 5);
}

TEST_F(AutoBackupTest, SameContentIsNotCopiedAgain) {
    ASSERT_EQ(backUp().status, AutoBackupOutcome::Status::Made);
    now = now.addSecs(60);
    EXPECT_EQ(backUp().status, AutoBackupOutcome::Status::Unchanged);
    writeContact();
    ASSERT_EQ(backupLog(folder, logName, now).status, BackupOutcome::Status::Copied);
    now = now.addSecs(60);
    // The newest copy was made by hand with the same content.
    EXPECT_EQ(backUp().status, AutoBackupOutcome::Status::Unchanged);
    EXPECT_EQ(backups().size(), 2);
    EXPECT_EQ(listed().size(), 1);
}

TEST_F(AutoBackupTest, AFileReplacedUnderAnAutomaticNameIsNeverRemoved) {
    writeContact();
    const QString first = QFileInfo(backUp().backupPath).fileName();
    // A copy by hand made in the same second, of other content, took the name.
    program.writeRaw("Backup/" + first, "made by hand");
    for (int i = 0; i < 3; ++i) {
        writeContact();
        ASSERT_EQ(backUp(2).status, AutoBackupOutcome::Status::Made);
    }
    EXPECT_TRUE(backups().contains(first));
    EXPECT_EQ(program.readRaw("Backup/" + first), "made by hand");
    EXPECT_FALSE(listed().contains(first));
    EXPECT_EQ(listed().size(), 2);
}

TEST_F(AutoBackupTest, AFullDiskIsReportedAndChangesNothing) {
    writeContact();
    ASSERT_EQ(backUp().status, AutoBackupOutcome::Status::Made);
    const QByteArray listBefore = program.readRaw("Backup/" + autoBackupListName());
    writeContact();
    const QByteArray logBefore = program.readRaw("Logs/" + logName);
    RecordingSync fullDisk;
    fullDisk.failAll(DiskSync::Target::File, ENOSPC);
    const AutoBackupOutcome outcome = makeAutoBackup(folder, logName, now, 10, fullDisk);
    EXPECT_EQ(outcome.status, AutoBackupOutcome::Status::Failed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->reason, FileError::Reason::NoSpace);
    EXPECT_EQ(backups().size(), 1);
    EXPECT_EQ(QDir(folder.path("Backup")).entryList(QDir::Files).size(), 2); // no half copy left behind
    EXPECT_EQ(program.readRaw("Backup/" + autoBackupListName()), listBefore);

    // A missing log and a log name without a base are failures too.
    EXPECT_EQ(makeAutoBackup(folder, "none.Log", now, 10).status, AutoBackupOutcome::Status::Failed);
    EXPECT_EQ(makeAutoBackup(folder, "noDot", now, 10).status, AutoBackupOutcome::Status::NoBaseName);
    EXPECT_EQ(program.readRaw("Logs/" + logName), logBefore);
}

TEST(AutoBackupSettings, StoredAndReadBackWithDefaultsAndLimits) {
    QTemporaryDir dir;
    QSettings settings(dir.filePath("qvmd.ini"), QSettings::IniFormat);
    EXPECT_EQ(AutoBackupSettings::load(settings), AutoBackupSettings{});
    EXPECT_TRUE((AutoBackupSettings{false, 25}).save(settings));
    EXPECT_EQ(AutoBackupSettings::load(QSettings(dir.filePath("qvmd.ini"), QSettings::IniFormat)),
              (AutoBackupSettings{false, 25}));

    struct Case {
        const char* enabled;
        const char* keep;
        AutoBackupSettings expected;
    };
    const Case cases[] = {
        {"true", "0", {true, 1}},    {"0", "1000", {false, 99}}, {"yes", "many", {true, 10}},
        {"false", "-5", {false, 1}}, {"1", " 7 ", {true, 7}},
    };
    for (const Case& c : cases) {
        settings.setValue("AutoBackup/Enabled", c.enabled);
        settings.setValue("AutoBackup/Keep", c.keep);
        EXPECT_EQ(AutoBackupSettings::load(settings), c.expected) << c.enabled << " " << c.keep;
    }
}

namespace {

// Writes a contact into the log, as the logging window would, while the copy of it is synced.
class WriteDuringCopy : public DiskSync {
public:
    WriteDuringCopy(WriteSequence& writes, QString log, int times)
        : writes_(writes), log_(log), times_(times) {}
    int sync(int, Target target, const QString& path) const override {
        if (target == Target::File && path.endsWith(QLatin1String(".Bak")) && times_ > 0) {
            --times_;
            const WriteSequence::Writing writing(writes_);
            QFile log(log_);
            if (log.open(QIODevice::Append))
                log.write("99>1>8QV9>BEA>H>Francia>06/12/2015 21:45:09>N>\r\n");
        }
        return 0;
    }

private:
    WriteSequence& writes_;
    QString log_;
    mutable int times_;
};

} // namespace

TEST_F(AutoBackupTest, ACopyTakenWhileTheLogIsWrittenRemovesNothingUntilTakenAgain) {
    writeContact();
    ASSERT_EQ(backUp(1).status, AutoBackupOutcome::Status::Made);
    const QStringList before = backups();
    writeContact();
    WriteSequence writes;
    WriteDuringCopy writing(writes, folder.logs(logName), 1);
    const AutoBackupOutcome overtaken = makeAutoBackup(folder, logName, now, 1, writing, &writes);
    EXPECT_EQ(overtaken.status, AutoBackupOutcome::Status::Overtaken);
    EXPECT_TRUE(overtaken.removed.isEmpty());
    EXPECT_TRUE(backups().contains(before.first()));

    // Taken again at the same moment: the same name, now the log as it is, and the old copy goes.
    const AutoBackupOutcome made = makeAutoBackup(folder, logName, now, 1, writing, &writes);
    EXPECT_EQ(made.status, AutoBackupOutcome::Status::Made);
    EXPECT_EQ(made.backupPath, overtaken.backupPath);
    EXPECT_EQ(program.readRaw("Backup/" + QFileInfo(made.backupPath).fileName()),
              program.readRaw("Logs/" + logName));
    EXPECT_EQ(backups(), QStringList({QFileInfo(made.backupPath).fileName()}));
}

TEST_F(AutoBackupTest, ALogOfTheSameSizeButOtherContentIsCopied) {
    writeContact();
    ASSERT_EQ(backUp().status, AutoBackupOutcome::Status::Made);
    QByteArray changed = program.readRaw("Logs/" + logName);
    changed.replace("ANNA", "ANNE");
    program.writeRaw("Logs/" + logName, changed);
    now = now.addSecs(60);
    EXPECT_EQ(backUp().status, AutoBackupOutcome::Status::Made);
    EXPECT_EQ(backups().size(), 2);
}
