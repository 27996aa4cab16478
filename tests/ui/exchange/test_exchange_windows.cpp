#include "core/app/AppState.h"
#include "support/AccessibilityEvents.h"
#include "support/FixedClock.h"
#include "support/LinkCatcher.h"
#include "support/PathOverride.h"
#include "support/Printers.h"
#include "support/RecordingSync.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/exchange/frm_Backup.h"
#include "ui/exchange/frm_Restor.h"
#include "ui/exchange/frm_Send_Log.h"
#include "ui/shell/frmMain.h"

#include <QAction>
#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::FixedClock;
using qvmd::test::MailCatcher;
using qvmd::test::RecordingSync;
using qvmd::test::TempProgramFolder;
using qvmd::test::TestSeams;

namespace {

QStringList entries(const QString& folder) {
    return QDir(folder).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

} // namespace

class ExchangeWindows : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    FixedClock clock{QDateTime(QDate(2015, 3, 1), QTime(9, 5, 3))};
    AppState state{program.path(), &clock};
    TestSeams seams;
    // No mail helper on PATH: these windows behave as on a machine without one.
    QTemporaryDir noHelpers;
    qvmd::test::PathOverride path{noHelpers.path()};

    void SetUp() override {
        state.SettingsEntries[1] = "award@qv.example";
        state.profile.StationCallsign = "5QV123";
        state.profile.OperatorName = "Anna";
        state.log.LogInUse = FlagTrue;
        state.log.LogInUseName = "5QV123_MD_L_2015.Log";
    }

    QString logPath() const { return program.logs("5QV123_MD_L_2015.Log"); }
    QString backupFolder() const { return program.path() + "/Backup"; }
    QByteArray read(const QString& relative) const { return program.readRaw(relative); }
};

// Send the log.

TEST_F(ExchangeWindows, SendLogPutsThePathOnTheClipboardEvenWhenExitFollows) {
    for (const int language : {0, 1000}) {
        state.LanguageOffset = language;
        QGuiApplication::clipboard()->setText("something the operator copied earlier");
        frm_Send_Log window(state, seams);
        window.show();
        EXPECT_EQ(window.Label3->text(), QDir::toNativeSeparators(logPath()));
        // The bare path is too short for a screen reader to read in a dialog: the sentence says it.
        EXPECT_TRUE(window.Label2->accessibleName().endsWith(": " + QDir::toNativeSeparators(logPath())));
        EXPECT_FALSE(window.close());
        QTest::mouseClick(window.cmd_Close, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(QGuiApplication::clipboard()->text(), QDir::toNativeSeparators(logPath()));
    }
}

TEST_F(ExchangeWindows, SendLogHandsTheMailToTheDesktopAndCloses) {
    MailCatcher mail;
    struct Case {
        QString utc;
        QString body;
    };
    // Before the logging window has run, the body ends in the three blanks after the name.
    const Case cases[] = {{"", "Log By  5QV123  Anna   "},
                          {"06/12/2015 21:45:07", "Log By  5QV123  Anna   06/12/2015 21:45:07"}};
    for (const Case& c : cases) {
        state.UtcNowText = c.utc;
        frm_Send_Log window(state, seams);
        window.show();
        QTest::mouseClick(window.cmd_Send, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        ASSERT_FALSE(mail.opened.isEmpty());
        EXPECT_EQ(QUrl::fromPercentEncoding(mail.opened.last().toEncoded()),
                  "mailto:award@qv.example?cc=&ccn=&subject=Marigold Day Log&body=" + c.body);
    }
    EXPECT_EQ(mail.opened.size(), 2);
}

// Backup.

TEST_F(ExchangeWindows, BackupCopiesOnceThenShowsOkAndClosesByItsTimers) {
    program.writeRaw("Logs/5QV123_MD_L_2015.Log", "##L\r\n#5QV123\r\n");
    QDir(backupFolder()).removeRecursively(); // a missing Backup folder is made
    frm_Backup window(state, seams);
    window.show();
    EXPECT_EQ(window.Label3->text(), "5QV123_MD_L_2015.Log");
    EXPECT_TRUE(window.Label4->isHidden());

    QTest::mouseClick(window.cmd_Conf, Qt::LeftButton);
    EXPECT_FALSE(window.cmd_Conf->isEnabled());
    EXPECT_EQ(entries(backupFolder()), QStringList({"5QV123_MD_L_2015-0103_090503.Bak"}));
    EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0103_090503.Bak"), "##L\r\n#5QV123\r\n");
    EXPECT_TRUE(window.Label4->isHidden());
    EXPECT_TRUE(window.Timer2->isActive());
    EXPECT_FALSE(window.Timer1->isActive());

    // "Backup OK" appearing is said too.
    test::AccessibilityEvents events;
    window.Timer2_Timer();
    EXPECT_FALSE(window.Label4->isHidden());
    EXPECT_EQ(events.spoken(window.Label4), QStringList{"Backup OK"});
    EXPECT_FALSE(window.Timer2->isActive());
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(window.Timer1->interval(), 3000);
    EXPECT_TRUE(window.isVisible());

    window.Timer1_Timer();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(ExchangeWindows, BackupExitLeavesTheBackupFolderAlone) {
    program.writeRaw("Logs/5QV123_MD_L_2015.Log", "log");
    program.writeRaw("Backup/5QV123_MD_L_2015-0101_000000.Bak", "older");
    frm_Backup window(state, seams);
    window.show();
    EXPECT_FALSE(window.close());
    QTest::mouseClick(window.cmd_Close, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(entries(backupFolder()), QStringList({"5QV123_MD_L_2015-0101_000000.Bak"}));
}

TEST_F(ExchangeWindows, BackupThatFailsIsReportedAndNeverCalledOk) {
    struct Case {
        int language;
        QString logName;
        bool makeLog;
        QString expected; // start of the message
    };
    const Case cases[] = {
        {0, "5QV123_MD_L_2015.Log", false, "La copia non è stata eseguita.\nIl file "},
        {1000, "5QV123_MD_L_2015", true, "The log name gives no backup name: 5QV123_MD_L_2015"},
    };
    for (const Case& c : cases) {
        state.LanguageOffset = c.language;
        state.log.LogInUseName = c.logName;
        if (c.makeLog)
            program.writeRaw("Logs/" + c.logName, "log");
        TestSeams report;
        frm_Backup window(state, report);
        window.show();
        QTest::mouseClick(window.cmd_Conf, Qt::LeftButton);
        ASSERT_EQ(report.messages.size(), 1u) << c.logName.toStdString();
        EXPECT_TRUE(report.messages[0].text.startsWith(c.expected)) << report.messages[0].text.toStdString();
        EXPECT_EQ(report.messages[0].icon, Seams::Icon::Error);
        if (!c.makeLog) {
            EXPECT_TRUE(report.messages[0].text.contains(QDir::toNativeSeparators(logPath())));
        }
        EXPECT_FALSE(window.Timer2->isActive());
        EXPECT_FALSE(window.cmd_Conf->isEnabled());
        EXPECT_TRUE(window.Label4->isHidden());
        EXPECT_TRUE(window.isVisible());
        EXPECT_TRUE(entries(backupFolder()).isEmpty());
    }
}

// Restore.

class RestoreWindow : public ExchangeWindows {
protected:
    const QString ownBackup = "5QV123_MD_L_2015-0612_214507.Bak";

    void SetUp() override {
        ExchangeWindows::SetUp();
        program.writeRaw("Logs/5QV123_MD_L_2015.Log", "current log");
        program.writeRaw("Backup/" + ownBackup, "backed up log");
        program.writeRaw("Backup/5qv123_md_h_2014-0101_101010.bak", "last year");
        program.writeRaw("Backup/7QV45_MD_H_2015-0612_214507.Bak", "another station");
        program.writeRaw("Backup/5QV1234_MD_H_2015-0612_214507.Bak", "another station");
    }

    static QStringList listed(const frm_Restor& window) {
        QStringList names;
        for (int row = 0; row < window.File1->count(); ++row)
            names.append(window.File1->item(row)->text());
        return names;
    }

    static void pick(frm_Restor& window, const QString& name) {
        const QList<QListWidgetItem*> items = window.File1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        const QPoint centre = window.File1->visualItemRect(items.first()).center();
        QTest::mouseClick(window.File1->viewport(), Qt::LeftButton, {}, centre);
    }

    // Continue, pick, Restore: the window then asks ARE YOU SURE?.
    static void upToTheQuestion(frm_Restor& window, const QString& name) {
        QTest::mouseClick(window.cmd_Continua, Qt::LeftButton);
        pick(window, name);
        QTest::mouseClick(window.cmd_Rest, Qt::LeftButton);
    }
};

TEST_F(RestoreWindow, StepsEachEnableTheNext) {
    frm_Restor window(state, seams);
    window.show();
    // The one-word warning is said with the text it heads.
    EXPECT_EQ(window.Label3->accessibleName(), window.Label2->text() + " " + window.Label3->text());

    QTest::mouseClick(window.cmd_Continua, Qt::LeftButton);
    EXPECT_FALSE(window.File1->isHidden());
    EXPECT_FALSE(window.cmd_Rest->isEnabled());
    // Only the own station's copies, whatever the case of their names.
    EXPECT_EQ(listed(window), QStringList({"5qv123_md_h_2014-0101_101010.bak", ownBackup}));

    pick(window, ownBackup);
    EXPECT_TRUE(window.cmd_Rest->isEnabled());
    QTest::mouseClick(window.cmd_Rest, Qt::LeftButton);
    EXPECT_FALSE(window.cmd_Rest->isEnabled());
    EXPECT_TRUE(window.cmd_Rest_Conf->isEnabled());

    // A click at this step chooses again; the confirmation restores the file clicked last.
    pick(window, "5qv123_md_h_2014-0101_101010.bak");
    EXPECT_TRUE(window.cmd_Rest->isEnabled());
    EXPECT_EQ(window.chosenBackup(), "5qv123_md_h_2014-0101_101010.bak");
    pick(window, ownBackup);
    QTest::mouseClick(window.cmd_Rest_Conf, Qt::LeftButton);
    EXPECT_TRUE(window.Timer1->isActive());
    EXPECT_EQ(read("Logs/5QV123_MD_L_2015.Log"), "backed up log");
    EXPECT_FALSE(QFile::exists(program.logs("5QV123_MD_H_2014.Log")));
    // The replaced log is kept under the usual name of a copy made now.
    EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0103_090503.Bak"), "current log");
    EXPECT_EQ(read("Backup/" + ownBackup), "backed up log");

    for (int tick = 1; tick < 100; ++tick)
        window.Timer1_Timer();
    EXPECT_EQ(window.ProgressBar1->value(), 99);
    EXPECT_TRUE(window.Label6->isHidden());
    window.Timer1_Timer();
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_TRUE(window.ProgressBar1->isHidden());
    EXPECT_FALSE(window.Label6->isHidden());
    EXPECT_TRUE(window.Timer2->isActive());
    window.Timer2_Timer();
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(RestoreWindow, ExitBeforeTheConfirmationChangesNothing) {
    const QStringList before = entries(backupFolder());
    // Exit after 0 to 3 steps: warning, list, file chosen, question asked.
    for (int steps = 0; steps <= 3; ++steps) {
        frm_Restor window(state, seams);
        window.show();
        if (steps >= 1)
            QTest::mouseClick(window.cmd_Continua, Qt::LeftButton);
        if (steps >= 2)
            pick(window, ownBackup);
        if (steps >= 3)
            QTest::mouseClick(window.cmd_Rest, Qt::LeftButton);
        EXPECT_FALSE(window.close());
        EXPECT_TRUE(window.isVisible());
        QTest::mouseClick(window.cmd_Close, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible()) << steps;
        EXPECT_EQ(read("Logs/5QV123_MD_L_2015.Log"), "current log") << steps;
        EXPECT_EQ(entries(backupFolder()), before) << steps;
    }
}

TEST_F(RestoreWindow, ExitDuringTheProgressClosesWithTheLogReplaced) {
    frm_Restor window(state, seams);
    window.show();
    upToTheQuestion(window, ownBackup);
    QTest::mouseClick(window.cmd_Rest_Conf, Qt::LeftButton);
    window.Timer1_Timer();
    QTest::mouseClick(window.cmd_Close, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_FALSE(window.Timer1->isActive());
    EXPECT_EQ(read("Logs/5QV123_MD_L_2015.Log"), "backed up log");
}

TEST_F(RestoreWindow, RefusalsAreReportedAndTheLogIsKept) {
    program.writeRaw("Backup/5QV123_nodash.Bak", "odd");
    struct Case {
        int language;
        QString backup;
        bool removeFirst; // the backup disappears after it was listed
        QString expected;
    };
    const Case cases[] = {
        {1000, "5QV123_nodash.Bak", false, "The backup name gives no log name: 5QV123_nodash.Bak"},
        {0, ownBackup, true, "Nessun ripristino eseguito: il log è rimasto com'era.\nIl file "},
    };
    for (const Case& c : cases) {
        program.writeRaw("Backup/" + ownBackup, "backed up log");
        state.LanguageOffset = c.language;
        TestSeams report;
        frm_Restor window(state, report);
        window.show();
        upToTheQuestion(window, c.backup);
        if (c.removeFirst)
            QFile::remove(backupFolder() + "/" + c.backup);
        QTest::mouseClick(window.cmd_Rest_Conf, Qt::LeftButton);
        ASSERT_EQ(report.messages.size(), 1u) << c.backup.toStdString();
        EXPECT_TRUE(report.messages[0].text.startsWith(c.expected)) << report.messages[0].text.toStdString();
        EXPECT_EQ(report.messages[0].icon, Seams::Icon::Error);
        EXPECT_FALSE(window.Timer1->isActive());
        EXPECT_TRUE(window.ProgressBar1->isHidden());
        EXPECT_TRUE(window.isVisible());
        EXPECT_EQ(read("Logs/5QV123_MD_L_2015.Log"), "current log");
        EXPECT_FALSE(QFile::exists(backupFolder() + "/5QV123_MD_L_2015-0103_090503.Bak"));
        // Another file may still be chosen.
        pick(window, "5qv123_md_h_2014-0101_101010.bak");
        EXPECT_TRUE(window.cmd_Rest->isEnabled());
    }
}

// What the operator is told is what the disk holds: a hand-renamed copy restores over its own log (with
// its safety copy), and a restore whose log is in place but whose folder the disk did not confirm says
// so, never that nothing was restored.
TEST_F(RestoreWindow, TheMessageTellsWhatTheLogNowHolds) {
    const QString renamed = "5qv123_md_l_2015-0612_214507.bak";
    struct Case {
        const char* label;
        int language;
        bool folderSyncFails;
        QString warning; // start of the one message; empty for none
    };
    const Case cases[] = {
        {"renamed copy", 0, false, ""},
        {"unconfirmed, Italian", 0, true,
         "Il log contiene ora il backup, ma il disco non ha potuto confermarlo."},
        {"unconfirmed, English", 1000, true,
         "The log now holds the backup, but the disk could not confirm it."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        QDir(backupFolder()).removeRecursively();
        QDir(program.path()).mkpath("Backup");
        program.writeRaw("Logs/5QV123_MD_L_2015.Log", "current log");
        program.writeRaw("Backup/" + renamed, "backed up log");
        state.LanguageOffset = c.language;
        RecordingSync sync;
        // The safety copy is confirmed; only the log's own folder is not.
        if (c.folderSyncFails)
            sync.failOnly(DiskSync::Target::Folder, program.logs(""));
        TestSeams report;
        frm_Restor window(state, report, nullptr, sync);
        window.show();
        upToTheQuestion(window, renamed);
        QTest::mouseClick(window.cmd_Rest_Conf, Qt::LeftButton);

        // Log.dat now describes the restored log in use.
        EXPECT_EQ(entries(program.logs("")), QStringList({"5QV123_MD_L_2015.Log", "Log.dat"}));
        EXPECT_EQ(read("Logs/5QV123_MD_L_2015.Log"), "backed up log");
        EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0103_090503.Bak"), "current log");
        if (c.warning.isEmpty()) {
            EXPECT_TRUE(report.messages.empty());
        } else {
            ASSERT_EQ(report.messages.size(), 1u);
            const QString text = report.messages[0].text;
            EXPECT_TRUE(text.startsWith(c.warning)) << text.toStdString();
            EXPECT_TRUE(text.contains(QDir::toNativeSeparators(logPath()))) << text.toStdString();
            EXPECT_FALSE(text.contains(state.text(1184))) << text.toStdString();
            EXPECT_EQ(report.messages[0].icon, Seams::Icon::Warning);
        }
        // The progress runs to "Restore Completed" as for any restore.
        ASSERT_TRUE(window.Timer1->isActive());
        for (int tick = 0; tick < 100; ++tick)
            window.Timer1_Timer();
        EXPECT_FALSE(window.Label6->isHidden());
    }
}

TEST_F(ExchangeWindows, BackupWhoseFolderTheDiskDidNotConfirmIsMadeAndSaysSo) {
    program.writeRaw("Logs/5QV123_MD_L_2015.Log", "log");
    for (const int language : {0, 1000}) {
        QDir(backupFolder()).removeRecursively();
        state.LanguageOffset = language;
        RecordingSync sync;
        sync.failAll(DiskSync::Target::Folder);
        TestSeams report;
        frm_Backup window(state, report, nullptr, sync);
        window.show();
        QTest::mouseClick(window.cmd_Conf, Qt::LeftButton);
        EXPECT_EQ(read("Backup/5QV123_MD_L_2015-0103_090503.Bak"), "log");
        ASSERT_EQ(report.messages.size(), 1u);
        EXPECT_TRUE(report.messages[0].text.startsWith(language == 0 ? "Il backup è stato eseguito"
                                                                     : "The backup was made"))
            << report.messages[0].text.toStdString();
        EXPECT_EQ(report.messages[0].icon, Seams::Icon::Warning);
        EXPECT_TRUE(window.Timer2->isActive());
    }
}

// The main window's way in.

TEST_F(ExchangeWindows, MainWindowOpensSendBackupAndRestore) {
    frmMain window(state, seams);
    window.cmd_Send_Log->click();
    window.mnu_Back->trigger();
    window.mnu_Rest->trigger();
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_Send_Log", "frm_Backup", "frm_Restor"}));
}

TEST_F(ExchangeWindows, MainCloseButtonOffersABackupOnlyAfterAContact) {
    program.writeRaw("Logs/5QV123_MD_L_2015.Log", "log");
    for (const bool changed : {false, true}) {
        state.LogChanged = changed ? FlagTrue : FlagFalse;
        TestSeams run;
        run.onWindow("frm_Backup", [](QDialog& dialog) {
            QTest::mouseClick(static_cast<frm_Backup&>(dialog).cmd_Conf, Qt::LeftButton);
            return int(QDialog::Rejected);
        });
        frmMain window(state, run);
        window.show();
        QTest::mouseClick(window.cmd_Close, Qt::LeftButton);
        EXPECT_EQ(run.openedWindows, changed ? QStringList({"frm_Backup"}) : QStringList()) << changed;
        EXPECT_TRUE(run.endRequested());
        EXPECT_EQ(entries(backupFolder()).size(), changed ? 1 : 0);
    }
}
