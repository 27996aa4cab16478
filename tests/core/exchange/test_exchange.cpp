#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/exchange/BackupNames.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogPath.h"
#include "core/exchange/LogRestore.h"
#include "core/exchange/MailLink.h"
#include "core/exchange/PCCBackup.h"
#include "support/Printers.h"
#include "support/RecordingSync.h"
#include "support/SystemFiles.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::RecordingSync;
using qvmd::test::TempProgramFolder;

namespace {

QDateTime at(int day, int month, int hour, int minute, int second, int year = 2015) {
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second));
}

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                                  QDir::Name);
}

void makeFifo(const QString& path) {
    ASSERT_TRUE(test::makeNamedPipe(path)) << path.toStdString();
}

} // namespace

TEST(BackupNames, CopiesAreNamedFromTheLogAndBack) {
    struct Case {
        QString log;
        QDateTime now;
        std::optional<QString> expected;
    };
    const Case cases[] = {
        {"5QV123_MD_L_2015.Log", at(6, 12, 21, 45, 7), "5QV123_MD_L_2015-0612_214507.Bak"},
        {"5QV123_MD_L_2015.Log", at(1, 3, 9, 5, 3), "5QV123_MD_L_2015-0103_090503.Bak"},
        {"5QV123_MD_L_2015.Log.old.txt", at(1, 3, 9, 5, 3), "5QV123_MD_L_2015-0103_090503.Bak"},
        {" 5QV123_MD_H_2016.Log ", at(31, 12, 23, 59, 59), "5QV123_MD_H_2016-3112_235959.Bak"},
        {"5QV123_MD_H_2016", at(9, 7, 0, 0, 0), std::nullopt},
        {".Log", at(9, 7, 0, 0, 0), std::nullopt},
        {"", at(9, 7, 0, 0, 0), std::nullopt},
    };
    for (const Case& c : cases)
        EXPECT_EQ(backupFileName(c.log, c.now), c.expected) << c.log.toStdString();

    // The year is not in the name: the same moment of two years gives one name.
    EXPECT_EQ(backupFileName("5QV1_MD_L_2015.Log", at(6, 12, 21, 45, 7, 2015)),
              backupFileName("5QV1_MD_L_2015.Log", at(6, 12, 21, 45, 7, 2016)));

    // Back from a copy to its log: the text before the first "-".
    const std::pair<QString, std::optional<QString>> backups[] = {
        {"5QV123_MD_L_2015-0612_214507.Bak", "5QV123_MD_L_2015.Log"},
        {"5QV123_MD_L_2015-06-12.Bak", "5QV123_MD_L_2015.Log"},
        {"5QV123_MD_L_2015.Bak", std::nullopt},
        {"-0612_214507.Bak", std::nullopt},
    };
    for (const auto& [backup, log] : backups)
        EXPECT_EQ(restoreTargetName(backup), log) << backup.toStdString();
}

TEST(BackupNames, ListsOnlyTheOwnStationsCopies) {
    TempProgramFolder program(false);
    const QString folder = program.path() + "/Backup";
    for (const char* name :
         {"5QV123_MD_L_2015-0612_214507.Bak", "5qv123_md_h_2016-0101_000000.BAK",
          "7QV45_MD_H_2015-0612_214507.Bak", "5QV1234_MD_L_2015-0612_214507.Bak",
          "15QV123_MD_L_2015-0612_214507.Bak", "5QV123_MD_L_2015.Log", "5QV123.Bak", "5QV123_notes.txt"})
        program.writeRaw(QStringLiteral("Backup/") + name, "x");
    QDir(folder).mkdir("5QV123_folder.Bak");
    makeFifo(folder + "/5QV123_pipe.Bak");

    EXPECT_EQ(listOwnBackups(folder, "5QV123"),
              QStringList({"5qv123_md_h_2016-0101_000000.BAK", "5QV123_MD_L_2015-0612_214507.Bak"}));
    EXPECT_EQ(listOwnBackups(folder, "7qv45"), QStringList({"7QV45_MD_H_2015-0612_214507.Bak"}));
    EXPECT_TRUE(listOwnBackups(program.path() + "/NoSuchFolder", "5QV123").isEmpty());
}

TEST(LogPath, ProgramFolderRuleForTheLogsFolder) {
    const std::tuple<QString, QString, QString> cases[] = {
        {"C:\\", "5QV123_MD_L_2015.Log", "C:\\Logs\\5QV123_MD_L_2015.Log"},
        {"C:\\Radio\\QV_md", "5QV123_MD_L_2015.Log", "C:\\Radio\\QV_md\\Logs\\5QV123_MD_L_2015.Log"},
        {"/", "5QV123_MD_L_2015.Log", "/Logs/5QV123_MD_L_2015.Log"},
        {"/opt/QV_md", " 5QV123_MD_L_2015.Log ", "/opt/QV_md/Logs/5QV123_MD_L_2015.Log"},
    };
    for (const auto& [folder, name, expected] : cases)
        EXPECT_EQ(logFilePath(ProgramFolder(folder), name), expected) << folder.toStdString();
}

TEST(MailLink, TheDesktopURLDecodesToTheSameText) {
    const QString links[] = {
        logMailLink("award@qv.example", "5QV123", "Anna", ""),
        logMailLink("award@qv.example", "5QV123", "Niccolò D'Amico", "06/12/2015 21:45:07"),
        logMailLink("award@qv.example", "5QV123", "A%20B #1 + C", ""),
        infoMailLink(""),
    };
    for (const QString& link : links) {
        const QUrl url = mailUrl(link);
        EXPECT_TRUE(url.isValid()) << link.toStdString();
        EXPECT_EQ(url.scheme(), "mailto");
        const QByteArray encoded = url.toEncoded();
        EXPECT_FALSE(encoded.contains(' ')) << encoded.toStdString();
        EXPECT_EQ(QUrl::fromPercentEncoding(encoded), link);
    }
    // The link's own separators stay separators.
    EXPECT_TRUE(mailUrl(links[0]).toEncoded().startsWith(
        "mailto:award@qv.example?cc=&ccn=&subject=Marigold%20Day%20Log&body=Log%20By%20%205QV123"));
}

class CopyTest : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    QString root = program.path();
    const QByteArray logBytes =
        QByteArray("##L\r\n#5QV123\r\n1>3>7QV45>ANNA>L>Italia>06/12/2015 21:45:07>N>\r\n") +
        QByteArray("\0\xe8\xff", 3);

    QString file(const QString& relative) const { return root + QLatin1Char('/') + relative; }
    QByteArray read(const QString& relative) const {
        QFile f(file(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    void write(const QString& relative, const QByteArray& bytes) const { program.writeRaw(relative, bytes); }
};

TEST_F(CopyTest, BackupAndReplaceCopyWholeFilesOverTheDestination) {
    write("Logs/a.Log", logBytes);
    write("Backup/a.Bak", "older copy, longer than the log itself, so a short write would show");
    PCCBackup copier;
    copier.SourceFile = file("Logs/a.Log");
    copier.BackupFile = file("Backup/a.Bak");
    EXPECT_FALSE(copier.Backup());
    EXPECT_EQ(read("Backup/a.Bak"), logBytes);
    EXPECT_EQ(read("Logs/a.Log"), logBytes);
    write("Backup/a.Bak", "restored");
    EXPECT_FALSE(copier.Replace());
    EXPECT_EQ(read("Logs/a.Log"), "restored");
    EXPECT_EQ(entries(file("Logs")), QStringList({"a.Log"}));
}

TEST_F(CopyTest, FailedCopiesNameTheFileAndLeaveTheDestinationAlone) {
    write("Logs/a.Log", logBytes);
    write("Backup/kept.Bak", "kept");
    QDir(root).mkpath("Logs/folder.Log");
    QDir(root).mkpath("Backup/folder.Bak");
    makeFifo(file("Logs/pipe.Log"));
    makeFifo(file("Backup/pipe.Bak"));

    using Kind = FileError::Kind;
    using Reason = FileError::Reason;
    struct Case {
        const char* from;
        const char* to;
        Kind kind;
        Reason reason;
        bool syncFails;
    };
    const Case cases[] = {
        {"Logs/none.Log", "Backup/kept.Bak", Kind::Missing, Reason::None, false},
        // A pipe with no writer would block a plain open for ever.
        {"Logs/pipe.Log", "Backup/kept.Bak", Kind::Unreadable, Reason::NotRegularFile, false},
        {"Logs/folder.Log", "Backup/kept.Bak", Kind::Unreadable, Reason::IsFolder, false},
        {"Logs/a.Log", "NoFolder/a.Bak", Kind::Unwritable, Reason::FolderMissing, false},
        {"Logs/a.Log", "Backup/folder.Bak", Kind::Unwritable, Reason::IsFolder, false},
        {"Logs/a.Log", "Backup/pipe.Bak", Kind::Unwritable, Reason::NotRegularFile, false},
        {"Logs/a.Log", "Backup/kept.Bak", Kind::Unwritable, Reason::SyncFailed, true},
    };
    for (const Case& c : cases) {
        const bool destinationFailed = c.kind == Kind::Unwritable;
        RecordingSync sync;
        if (c.syncFails)
            sync.failAll(DiskSync::Target::File);
        PCCBackup copier(sync);
        copier.SourceFile = file(c.from);
        copier.BackupFile = file(c.to);
        const WriteResult error = copier.Backup();
        ASSERT_TRUE(error) << c.from << " " << c.to;
        EXPECT_EQ(error->kind, c.kind) << c.from << " " << c.to;
        EXPECT_EQ(error->reason, c.reason) << c.from << " " << c.to;
        EXPECT_EQ(error->path, file(destinationFailed ? c.to : c.from));
    }
    EXPECT_EQ(read("Backup/kept.Bak"), "kept");
    EXPECT_EQ(read("Logs/a.Log"), logBytes);
    EXPECT_EQ(entries(file("Backup")), QStringList({"folder.Bak", "kept.Bak", "pipe.Bak"}));
    EXPECT_TRUE(QFileInfo(file("Backup/pipe.Bak")).exists());
}

TEST_F(CopyTest, BackupOfTheLogCreatesTheFolderAndReplacesASameSecondCopy) {
    QDir(file("Backup")).removeRecursively();
    write("Logs/5QV123_MD_L_2015.Log", "first");
    const ProgramFolder folder(root);
    BackupOutcome outcome = backupLog(folder, "5QV123_MD_L_2015.Log", at(1, 3, 9, 5, 3));
    EXPECT_EQ(outcome.status, BackupOutcome::Status::Copied);
    EXPECT_EQ(outcome.backupPath, file("Backup/5QV123_MD_L_2015-0103_090503.Bak"));
    EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0103_090503.Bak"), "first");

    write("Logs/5QV123_MD_L_2015.Log", "second");
    outcome = backupLog(folder, "5QV123_MD_L_2015.Log", at(1, 3, 9, 5, 3));
    EXPECT_EQ(outcome.status, BackupOutcome::Status::Copied);
    EXPECT_EQ(entries(file("Backup")), QStringList({"5QV123_MD_L_2015-0103_090503.Bak"}));
    EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0103_090503.Bak"), "second");
}

TEST_F(CopyTest, RestoreOfASameSecondCopySwapsTheTwoAndAGoneLogNeedsNoSafetyCopy) {
    const QString backup = "5QV123_MD_L_2015-0712_080001.Bak";
    write("Backup/" + backup, "backup");
    write("Logs/5QV123_MD_L_2015.Log", "log");
    RestoreOutcome outcome = restoreLog(ProgramFolder(root), backup, "", at(7, 12, 8, 0, 1));
    EXPECT_EQ(outcome.status, RestoreOutcome::Status::Restored);
    EXPECT_EQ(read("Logs/5QV123_MD_L_2015.Log"), "backup");
    EXPECT_EQ(read("Backup/" + backup), "log");

    // A log that is gone needs no safety copy.
    write("Backup/5QV123_MD_H_2014-0101_101010.Bak", "old year");
    outcome = restoreLog(ProgramFolder(root), "5QV123_MD_H_2014-0101_101010.Bak", "", at(7, 12, 8, 0, 2));
    EXPECT_EQ(outcome.status, RestoreOutcome::Status::Restored);
    EXPECT_TRUE(outcome.safetyCopyPath.isEmpty());
    EXPECT_EQ(read("Logs/5QV123_MD_H_2014.Log"), "old year");
    EXPECT_EQ(entries(file("Backup")).size(), 2);
}

TEST_F(CopyTest, FailedRestoresLeaveTheLogAsItWas) {
    write("Logs/5QV123_MD_L_2015.Log", logBytes);
    write("Backup/5QV123_MD_L_2015-0612_214507.Bak", "backup");
    // A folder already stands where the safety copy would go.
    QDir(root).mkpath("Backup/5QV123_MD_L_2015-0712_080001.Bak");
    const ProgramFolder folder(root);
    const QDateTime now = at(7, 12, 8, 0, 1);

    RestoreOutcome outcome = restoreLog(folder, "5QV123_MD_L_2015-0612_214507.Bak", "", now);
    EXPECT_EQ(outcome.status, RestoreOutcome::Status::CopyFailed);
    ASSERT_TRUE(outcome.error);
    EXPECT_EQ(outcome.error->path, file("Backup/5QV123_MD_L_2015-0712_080001.Bak"));

    EXPECT_EQ(read("Logs/5QV123_MD_L_2015.Log"), logBytes);
    EXPECT_EQ(entries(file("Logs")), QStringList({"5QV123_MD_L_2015.Log"}));
    EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0612_214507.Bak"), "backup");

    QDir(file("Logs")).removeRecursively();
    outcome = restoreLog(folder, "5QV123_MD_L_2015-0612_214507.Bak", "", now);
    EXPECT_EQ(outcome.status, RestoreOutcome::Status::CopyFailed);
    EXPECT_EQ(outcome.error->path, file("Logs/5QV123_MD_L_2015.Log"));
}

// Copies are listed without regard to case, so the log a copy restores to is found the same way: a
// hand-renamed copy replaces the log it belongs to (keeping its safety copy), never writes a second one
// beside it.
TEST_F(CopyTest, RestoreFindsItsLogWithoutRegardToCase) {
    struct Case {
        const char* label;
        QStringList logs; // in Logs before the restore
        QString backup;   // in Backup
        QString logInUse;
        QString target; // the log that holds the backup afterwards
        bool safetyCopy;
    };
    const Case cases[] = {
        {"as made",
         {"5QV123_MD_L_2026.Log"},
         "5QV123_MD_L_2026-0101_000000.Bak",
         "5QV123_MD_L_2026.Log",
         "5QV123_MD_L_2026.Log",
         true},
        {"renamed to small letters",
         {"5QV123_MD_L_2026.Log"},
         "5qv123_md_l_2026-0101_000000.bak",
         "5QV123_MD_L_2026.Log",
         "5QV123_MD_L_2026.Log",
         true},
        {"log not in use",
         {"5QV123_MD_H_2025.Log"},
         "5qv123_md_h_2025-0101_000000.BAK",
         "5QV123_MD_L_2026.Log",
         "5QV123_MD_H_2025.Log",
         true},
        {"two logs differing in case: the exact one",
         {"5QV123_MD_L_2026.Log", "5qv123_md_l_2026.Log"},
         "5qv123_md_l_2026-0101_000000.bak",
         "5QV123_MD_L_2026.Log",
         "5qv123_md_l_2026.Log",
         true},
        {"no log yet: named as logs are",
         {},
         "5qv123_md_l_2026-0101_000000.bak",
         "",
         "5QV123_MD_L_2026.Log",
         false},
        {"no log yet: the log in use",
         {},
         "5qv123_md_l_2026-0101_000000.bak",
         "5QV123_MD_l_2026.Log",
         "5QV123_MD_l_2026.Log",
         false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QDir(file("Logs")).removeRecursively();
        QDir(file("Backup")).removeRecursively();
        QDir(root).mkpath("Logs");
        QDir(root).mkpath("Backup");
        for (const QString& log : c.logs)
            write("Logs/" + log, "old " + log.toUtf8());
        // Where the file system ignores case (Windows), two names differing only in case are one file.
        if (entries(file("Logs")).size() != c.logs.size())
            continue;
        write("Backup/" + c.backup, "backup");

        const RestoreOutcome outcome =
            restoreLog(ProgramFolder(root), c.backup, c.logInUse, at(2, 1, 9, 0, 0));
        EXPECT_EQ(outcome.status, RestoreOutcome::Status::Restored);
        EXPECT_EQ(outcome.logPath, file("Logs/" + c.target));
        EXPECT_EQ(read("Logs/" + c.target), "backup");
        QStringList expectedLogs = c.logs;
        if (!expectedLogs.contains(c.target))
            expectedLogs.append(c.target);
        expectedLogs.sort();
        EXPECT_EQ(entries(file("Logs")), expectedLogs);
        EXPECT_EQ(outcome.safetyCopyPath.isEmpty(), !c.safetyCopy);
        if (c.safetyCopy) {
            EXPECT_EQ(read("Backup/" + QFileInfo(outcome.safetyCopyPath).fileName()),
                      "old " + c.target.toUtf8());
            EXPECT_EQ(QFileInfo(outcome.safetyCopyPath).fileName(),
                      *backupFileName(c.target, at(2, 1, 9, 0, 0)));
        }
    }
}

// The exact syncs of each whole-file copy: the copy's data before its rename, then its folder. When only
// the folder's sync fails the copy is in place: a restore and a backup say they were made, and what the
// disk did not confirm, never that the old content is still there.
TEST_F(CopyTest, CopiesSyncTheFileThenItsFolderAndAnUnconfirmedFolderIsNoFailure) {
    const QString logName = "5QV123_MD_L_2015.Log";
    const QString backup = "5QV123_MD_L_2015-0612_214507.Bak";
    const QString safety = "5QV123_MD_L_2015-0712_080001.Bak";
    const QString copy = "5QV123_MD_L_2015-0103_090503.Bak";
    for (const bool folderFails : {false, true}) {
        SCOPED_TRACE(folderFails ? "folder sync fails" : "all syncs succeed");
        QDir(file("Backup")).removeRecursively();
        QDir(root).mkpath("Backup");
        write("Logs/" + logName, logBytes);
        write("Backup/" + backup, "backup");
        RecordingSync sync;
        // Only the log's folder: a safety copy the disk did not confirm stops a restore before the log.
        if (folderFails)
            sync.failOnly(DiskSync::Target::Folder, file("Logs"));

        const RestoreOutcome restored =
            restoreLog(ProgramFolder(root), backup, logName, at(7, 12, 8, 0, 1), sync);
        EXPECT_EQ(restored.status, RestoreOutcome::Status::Restored);
        EXPECT_FALSE(restored.error);
        EXPECT_EQ(read("Logs/" + logName), "backup");
        EXPECT_EQ(read("Backup/" + safety), logBytes);
        EXPECT_EQ(sync.calls(), QList<RecordingSync::Call>({
                                    RecordingSync::file(file("Logs/" + logName)),
                                    RecordingSync::file(file("Backup/" + safety)),
                                    RecordingSync::folder(file("Backup")),
                                    RecordingSync::folder(file("Logs")),
                                }));
        ASSERT_EQ(restored.unconfirmed.size(), folderFails ? 1u : 0u);
        if (folderFails) {
            EXPECT_EQ(restored.unconfirmed[0].path, file("Logs/" + logName));
        }

        sync.clear();
        if (folderFails)
            sync.failAll(DiskSync::Target::Folder);
        const BackupOutcome backedUp = backupLog(ProgramFolder(root), logName, at(1, 3, 9, 5, 3), sync);
        EXPECT_EQ(backedUp.status, BackupOutcome::Status::Copied);
        EXPECT_FALSE(backedUp.error);
        EXPECT_EQ(backedUp.unconfirmed.has_value(), folderFails);
        EXPECT_EQ(read("Backup/" + copy), "backup");
        EXPECT_EQ(sync.calls(), QList<RecordingSync::Call>({RecordingSync::file(file("Backup/" + copy)),
                                                            RecordingSync::folder(file("Backup"))}));
    }
}

namespace {

// Another writer changes the log just as the restore's rename lands: what the log holds afterwards is
// not the backup.
class MeddlingSync : public DiskSync {
public:
    explicit MeddlingSync(QString logPath) : logPath_(std::move(logPath)) {}
    int sync(int, Target target, const QString& path) const override {
        if (target == Target::Folder && path == QFileInfo(logPath_).absolutePath()) {
            QFile log(logPath_);
            if (log.open(QIODevice::WriteOnly | QIODevice::Truncate))
                log.write("written by someone else");
        }
        return 0;
    }

private:
    QString logPath_;
};

} // namespace

TEST_F(CopyTest, ARestoreIsCompleteOnlyWhenTheLogHoldsTheBackup) {
    write("Logs/5QV123_MD_L_2015.Log", logBytes);
    write("Backup/5QV123_MD_L_2015-0612_214507.Bak", "backup");
    const MeddlingSync meddling(file("Logs/5QV123_MD_L_2015.Log"));
    const RestoreOutcome outcome = restoreLog(ProgramFolder(root), "5QV123_MD_L_2015-0612_214507.Bak",
                                              "5QV123_MD_L_2015.Log", at(7, 12, 8, 0, 1), meddling);
    EXPECT_EQ(outcome.status, RestoreOutcome::Status::NotInPlace);
    EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0712_080001.Bak"), logBytes);
}
