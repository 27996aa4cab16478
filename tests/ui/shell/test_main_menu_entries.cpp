#include "core/app/AppState.h"
#include "core/exchange/AutoBackupList.h"
#include "core/exchange/AutoBackupSettings.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/exchange/frm_AutoBackup.h"
#include "ui/exchange/frm_Backup.h"
#include "ui/shell/AutoBackupKeeper.h"
#include "ui/shell/ManualCommand.h"
#include "ui/shell/frmMain.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

const QString logName = QStringLiteral("5QV123_MD_L_2015.Log");

// A clock the test moves on.
class SteppingClock : public Clock {
public:
    QDateTime local{QDate(2015, 3, 6), QTime(14, 0, 0)};
    QDateTime now() const override { return local; }
    QDateTime nowUtc() const override { return local.addSecs(-3600); }
};

class MainMenuEntries : public ::testing::Test {
protected:
    TempProgramFolder folder;
    SteppingClock clock;
    AppState state{folder.path(), &clock};
    TestSeams seams;

    void SetUp() override {
        state.LanguageOffset = 1000;
        state.profile.StationCallsign = "5QV123";
        state.profile.OperatorName = "ANNA";
        state.profile.category = "L";
        state.log.LogInUse = 1;
        state.log.LogInUseName = logName;
        folder.writeRaw("Logs/" + logName, "##L\r\n#5QV123\r\n");
        AutoBackupSettings::openUserSettings()->clear();
    }
    void TearDown() override { AutoBackupSettings::openUserSettings()->clear(); }

    QStringList backups() const {
        return QDir(folder.path() + "/Backup").entryList({"*.Bak"}, QDir::Files, QDir::Name);
    }
    void writeContact(int n) {
        QFile log(folder.logs(logName));
        ASSERT_TRUE(log.open(QIODevice::Append));
        log.write(QByteArray::number(n) + ">1>7QV45>ANNA>L>Italia>06/03/2015 14:05:09>N>\r\n");
        clock.local = clock.local.addSecs(30);
    }
};

} // namespace

TEST_F(MainMenuEntries, SendLogOpensTheSendWindowUnderTheSameRule) {
    frmMain window(state, seams);
    window.mnu_SendLog->trigger();
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_Send_Log"}));
    state.log.LogInUse = 0;
    window.applyEnablingRule();
    EXPECT_FALSE(window.mnu_SendLog->isEnabled());
    EXPECT_FALSE(window.mnu_DelLog->isEnabled());
}

TEST_F(MainMenuEntries, DeleteLogAsksTwiceAndMovesTheLogOnlyOnTwoYes) {
    struct Case {
        std::deque<bool> answers;
        std::size_t questions;
        bool moved;
    };
    const Case cases[] = {{{false}, 1, false}, {{true, false}, 2, false}, {{true, true}, 2, true}};
    for (const Case& c : cases) {
        TestSeams script;
        script.answers = c.answers;
        frmMain window(state, script);
        window.mnu_DelLog->trigger();
        ASSERT_EQ(script.questions.size(), c.questions);
        EXPECT_TRUE(script.questions[0].text.contains(logName));
        EXPECT_EQ(script.questions[0].title, "Delete Log");
        EXPECT_EQ(QFile::exists(folder.logs(logName)), !c.moved);
        EXPECT_EQ(window.cmd_Open_Log->isEnabled(), !c.moved);
        EXPECT_EQ(window.mnu_DelLog->isEnabled(), !c.moved);
        if (!c.moved) {
            EXPECT_TRUE(script.messages.empty());
            continue;
        }
        // Moved under a backup's name, so Restore lists it; no log is in use any more, on disk too.
        EXPECT_EQ(backups(), QStringList({"5QV123_MD_L_2015-0603_140000.Bak"}));
        EXPECT_EQ(folder.readRaw("Backup/5QV123_MD_L_2015-0603_140000.Bak"), "##L\r\n#5QV123\r\n");
        EXPECT_EQ(state.log.LogInUse, 0);
        EXPECT_TRUE(folder.readData("Use.dat").startsWith("0\r\n0\r\nL\r\n0\r\n2015\r\n5QV123\r\n"));
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].icon, Seams::Icon::Information);
        EXPECT_TRUE(script.messages[0].text.contains("5QV123_MD_L_2015-0603_140000.Bak"));
    }
}

TEST_F(MainMenuEntries, AFailedMoveIsToldAndLeavesTheLogInUse) {
    QDir(folder.path() + "/Backup").removeRecursively();
    folder.writeRaw("Backup", "a file where the folder should be");
    seams.answers = {true, true};
    frmMain window(state, seams);
    window.mnu_DelLog->trigger();
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
    EXPECT_TRUE(seams.messages[0].text.startsWith(state.text(1333)));
    EXPECT_TRUE(QFile::exists(folder.logs(logName)));
    EXPECT_EQ(state.log.LogInUse, 1);
    EXPECT_TRUE(window.cmd_Open_Log->isEnabled());
}

// A log that is gone by the time it is deleted: one message that says so, and the choice is cleared.
TEST_F(MainMenuEntries, DeletingALogThatIsGoneSaysSoOnceAndClearsTheChoice) {
    QFile::remove(folder.logs(logName));
    seams.answers = {true, true};
    frmMain window(state, seams);
    window.mnu_DelLog->trigger();
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, state.text(1361).arg(logName));
    EXPECT_FALSE(seams.messages[0].text.contains(state.text(1333)));
    EXPECT_EQ(state.log.LogInUse, 0);
    EXPECT_TRUE(folder.readData("Use.dat").startsWith("0\r\n0\r\nL\r\n0\r\n2015\r\n5QV123\r\n"));
    EXPECT_FALSE(window.mnu_DelLog->isEnabled());
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(MainMenuEntries, ALoggingSessionLeavesItsAutomaticBackups) {
    frmMain window(state, seams);
    AutoBackupKeeper& keeper = window.autoBackup();
    keeper.logWindowOpening(); // never copied before
    keeper.logWindowOpening(); // nothing changed since
    keeper.settle();
    EXPECT_EQ(backups().size(), 1);
    for (int n = 1; n <= 120; ++n) {
        writeContact(n);
        keeper.contactWritten();
        // The test writes the log itself, without telling the copy; it waits for it instead.
        keeper.settle();
    }
    EXPECT_EQ(backups().size(), 3); // after contacts 50 and 100
    state.LogChanged = FlagTrue;
    QTest::mouseClick(window.cmd_Close, Qt::LeftButton); // backup window (declined), then the end
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_Backup"}));
    const QStringList made = backups();
    ASSERT_EQ(made.size(), 4);
    EXPECT_EQ(folder.readRaw("Backup/" + made.last()), folder.readRaw("Logs/" + logName));
    EXPECT_EQ(readAutoBackupList(ProgramFolder(folder.path())).value().size(), 4);
    EXPECT_EQ(window.statusPanels[0]->text(), "Stato");
}

TEST_F(MainMenuEntries, AFailedAutomaticBackupIsShownOnceAndLoggingGoesOn) {
    QDir(folder.path() + "/Backup").removeRecursively();
    folder.writeRaw("Backup", "a file where the folder should be");
    frmMain window(state, seams);
    window.autoBackup().logWindowOpening();
    window.autoBackup().settle();
    EXPECT_EQ(window.statusPanels[0]->text(), "Automatic backup failed");
    EXPECT_FALSE(window.statusPanels[0]->toolTip().isEmpty());
    EXPECT_TRUE(seams.messages.empty()); // nothing to click away in the middle of logging

    // The next Backup window tells why, once.
    std::vector<bool> shown;
    seams.onWindow("frm_Backup", [&](QDialog& dialog) {
        auto& backup = static_cast<frm_Backup&>(dialog);
        shown.push_back(!backup.Label5->isHidden());
        if (shown.size() == 1) {
            EXPECT_TRUE(backup.Label5->text().startsWith(state.text(1340)));
        }
        return int(QDialog::Rejected);
    });
    window.mnu_Back->trigger();
    window.mnu_Back->trigger();
    EXPECT_EQ(shown, std::vector<bool>({true, false}));

    // Once the folder is back, the next copy clears the panel.
    QFile::remove(folder.path() + "/Backup");
    QDir(folder.path()).mkdir("Backup");
    writeContact(1);
    window.autoBackup().logWindowOpening();
    window.autoBackup().settle();
    EXPECT_EQ(window.statusPanels[0]->text(), "Stato");
    EXPECT_EQ(backups().size(), 1);
}

TEST_F(MainMenuEntries, TheSettingWindowStoresTheChoiceThatTheBackupsFollow) {
    frmMain window(state, seams);
    seams.onWindow("frm_AutoBackup", [](QDialog& dialog) {
        auto& form = static_cast<frm_AutoBackup&>(dialog);
        EXPECT_TRUE(form.Check1->isChecked());
        EXPECT_EQ(form.Text1->value(), 10);
        QTest::mouseClick(form.Check1, Qt::LeftButton);
        EXPECT_FALSE(form.Text1->isEnabled());
        QTest::mouseClick(form.cmd_Save, Qt::LeftButton);
        return form.result();
    });
    window.mnu_AutoBackup->trigger();
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_AutoBackup"}));
    EXPECT_FALSE(AutoBackupSettings::load(*AutoBackupSettings::openUserSettings()).enabled);
    window.autoBackup().logWindowOpening();
    EXPECT_TRUE(backups().isEmpty());
    EXPECT_FALSE(window.autoBackup().lastOutcome().has_value());

    frm_AutoBackup form(state, seams);
    EXPECT_FALSE(form.Check1->isChecked());
    form.Check1->setChecked(true);
    form.Text1->setValue(3);
    QTest::mouseClick(form.cmd_Close, Qt::LeftButton); // Exit keeps the stored choice
    EXPECT_FALSE(AutoBackupSettings::load(*AutoBackupSettings::openUserSettings()).enabled);
}

// On the dark green the caption is white, but the tick must stand out from its white box: a ticked box and
// an empty one differ plainly where the tick is drawn.
TEST_F(MainMenuEntries, TheBackupTickIsPlainlyVisible) {
    frm_AutoBackup form(state, seams);
    form.show();
    QStyleOptionButton option;
    option.initFrom(form.Check1);
    const QRect box =
        form.Check1->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, form.Check1);
    ASSERT_FALSE(box.isEmpty());
    const auto indicator = [&](bool ticked) {
        form.Check1->setChecked(ticked);
        return form.Check1->grab().toImage().copy(box);
    };
    const QImage on = indicator(true);
    const QImage off = indicator(false);
    int strong = 0;
    for (int y = 0; y < on.height(); ++y)
        for (int x = 0; x < on.width(); ++x)
            strong += std::abs(qGray(on.pixel(x, y)) - qGray(off.pixel(x, y))) > 100;
    EXPECT_GE(strong, 6) << "the tick hardly differs from the empty box";
    EXPECT_EQ(form.Check1->palette().color(QPalette::WindowText), QColor(Qt::white));
}

TEST_F(MainMenuEntries, TheManualOpensInTheActiveLanguageOrIsExplained) {
    QTemporaryDir program;
    QDir(program.path()).mkpath("Manual/en");
    QDir(program.path()).mkpath("Manual/it");
    for (const char* page : {"Manual/en/index.html", "Manual/it/index.html"}) {
        QFile file(program.filePath(page));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QList<QUrl> opened;
    const UrlOpener browser = [&](const QUrl& url) {
        opened.append(url);
        return true;
    };
    openManual(state, seams, nullptr, program.path(), browser);
    state.LanguageOffset = 0;
    openManual(state, seams, nullptr, program.path(), browser);
    EXPECT_EQ(opened, QList<QUrl>({QUrl::fromLocalFile(program.filePath("Manual/en/index.html")),
                                   QUrl::fromLocalFile(program.filePath("Manual/it/index.html"))}));
    EXPECT_TRUE(seams.messages.empty());

    // No browser: the file is named.
    openManual(state, seams, nullptr, program.path(), [](const QUrl&) { return false; });
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(
        seams.messages[0].text.endsWith(QDir::toNativeSeparators(program.filePath("Manual/it/index.html"))));

    // No manual: the places looked in are named.
    QDir(program.filePath("Manual")).removeRecursively();
    openManual(state, seams, nullptr, program.path(), browser);
    ASSERT_EQ(seams.messages.size(), 2u);
    EXPECT_TRUE(
        seams.messages[1].text.contains(QDir::toNativeSeparators(program.filePath("Manual/it/index.html"))));
    EXPECT_EQ(opened.size(), 2);
}
