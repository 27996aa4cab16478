#include "core/app/AppState.h"
#include "core/app/SingleInstanceGuard.h"
#include "core/app/StartupLoad.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/shell/StartRoutine.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/station/frm_Prima_Volta.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

QStringList useLines(const QString& logFlag) {
    return {logFlag, "5QV123_MD_H_2026.Log", "H", "N", "2026", "5QV123", "MARIO ROSSI", "5", "QV", "123",
            "1"};
}

class StartupTest : public ::testing::Test {
protected:
    TempProgramFolder folder;
    FixedClock clock;
    AppState state{folder.path(), &clock};
    TestSeams seams;

    void registered(const QString& stateLine = "1") {
        folder.writeData("Prime.dat", {stateLine, "1", "5QV123", "MARIO ROSSI", "01/05/2026"});
        folder.writeData("Use.dat", useLines("0"));
    }
};

} // namespace

TEST_F(StartupTest, FirstRunShowsConfirmAndExitWithoutTimer) {
    folder.writeData("Prime.dat", {"0", "0", "", "", ""});
    ASSERT_FALSE(loadStartupFiles(state));
    frmSplash splash(state, seams);
    EXPECT_FALSE(splash.cmd_reg->isHidden());
    EXPECT_FALSE(splash.cmd_End->isHidden());
    EXPECT_FALSE(splash.Timer1.isActive());
    EXPECT_EQ(state.RegistrationState, 0);
    EXPECT_TRUE(splash.lblVersion->text().endsWith(" 1.6.2"));

    QTest::mouseClick(splash.cmd_End, Qt::LeftButton);
    EXPECT_TRUE(seams.endRequested());
    EXPECT_EQ(splash.result(), QDialog::Rejected);
}

TEST_F(StartupTest, RegisteredSplashShowsStationAndClosesOnItsTimer) {
    registered(" 2");
    ASSERT_FALSE(loadStartupFiles(state));
    frmSplash splash(state, seams);
    EXPECT_TRUE(splash.cmd_reg->isHidden());
    EXPECT_TRUE(splash.Timer1.isActive());
    EXPECT_EQ(splash.Timer1.interval(), 2000);
    EXPECT_TRUE(splash.lblStation->text().endsWith("   5QV123 MARIO ROSSI"));
    EXPECT_EQ(state.profile.StationCallsign, "5QV123");
    EXPECT_GT(state.countries.count(), 300);
    splash.Timer1_Timer();
    EXPECT_EQ(splash.result(), QDialog::Accepted);
}

// Escape must neither end a first run nor skip a registered station's wait.
TEST_F(StartupTest, EscapeOnTheSplashIsRefused) {
    for (const char* registration : {"0", "1"}) {
        registered(registration);
        AppState fresh(folder.path(), &clock);
        ASSERT_FALSE(loadStartupFiles(fresh));
        frmSplash splash(fresh, seams);
        splash.show();
        QTest::keyClick(&splash, Qt::Key_Escape);
        EXPECT_TRUE(splash.isVisible()) << registration;
        EXPECT_FALSE(seams.endRequested()) << registration;
        EXPECT_EQ(splash.Timer1.isActive(), registration[0] != '0') << registration;
    }
}

TEST_F(StartupTest, RegisteredRunOpensTheMainWindowAfterTheSplashTimer) {
    registered();
    seams.onWindow("frmSplash", [](QDialog& dialog) {
        static_cast<frmSplash&>(dialog).Timer1_Timer();
        return dialog.result();
    });
    StartRoutine routine(state, seams);
    ASSERT_TRUE(routine.start());
    ASSERT_NE(routine.mainWindow(), nullptr);
    EXPECT_EQ(routine.mainWindow()->Label3->text(), "5QV123    MARIO ROSSI");
}

TEST_F(StartupTest, StateThreeOpensTheMainWindowWithoutReadingTheProfile) {
    folder.writeData("Prime.dat", {"3", "1", "5QV123", "MARIO ROSSI", "01/05/2026"});
    QFile::remove(folder.data("Use.dat"));
    StartRoutine routine(state, seams);
    ASSERT_TRUE(routine.start());
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_TRUE(state.profile.StationCallsign.isEmpty());
}

TEST_F(StartupTest, FirstRunEndsWhenRegistrationIsClosedWithoutSaving) {
    folder.writeData("Prime.dat", {"0", "0", "", "", ""});
    seams.onWindow("frmSplash", [](QDialog& dialog) {
        static_cast<frmSplash&>(dialog).cmd_reg_Click();
        return dialog.result();
    });
    StartRoutine routine(state, seams);
    EXPECT_FALSE(routine.start());
    EXPECT_EQ(seams.openedWindows, QStringList({"frmSplash", "frm_Lang", "frm_Prima_Volta"}));
    EXPECT_EQ(folder.readData("Prime.dat"), crlf({"0", "0", "", "", ""}));
}

TEST_F(StartupTest, RegistrationsUpdatesButtonOpensTheUpdateWindow) {
    folder.writeData("Prime.dat", {"0", "0", "", "", ""});
    seams.onWindow("frmSplash", [](QDialog& dialog) {
        static_cast<frmSplash&>(dialog).cmd_reg_Click();
        return dialog.result();
    });
    seams.onWindow("frm_Prima_Volta", [](QDialog& dialog) {
        auto& registration = static_cast<frm_Prima_Volta&>(dialog);
        registration.cmd_aggiorn->show();
        QTest::mouseClick(registration.cmd_aggiorn, Qt::LeftButton);
        EXPECT_TRUE(registration.cmd_aggiorn->isHidden());
        return dialog.result();
    });
    StartRoutine routine(state, seams);
    EXPECT_FALSE(routine.start());
    EXPECT_EQ(seams.openedWindows, QStringList({"frmSplash", "frm_Lang", "frm_Prima_Volta", "frm_Aggior"}));
}

TEST_F(StartupTest, SecondCopyShowsOnlyTheMessageInTheChosenLanguage) {
    registered();
    folder.writeData("Lang.dat", {"0", "1000"});
    SingleInstanceGuard first(state.folder);
    ASSERT_TRUE(first.acquired());
    StartRoutine routine(state, seams);
    EXPECT_FALSE(routine.start());
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "The program is already running");
    EXPECT_EQ(seams.messages[0].title, "Utility");
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Information);
    EXPECT_TRUE(seams.openedWindows.isEmpty());
}

TEST_F(StartupTest, UnusableLockIsNamedAndTheStartGoesOn) {
    registered();
    // A file where Data should be: the lock cannot be taken, and the start goes on to its first file.
    const QString data = QDir::cleanPath(folder.data(""));
    ASSERT_TRUE(QDir(data).removeRecursively());
    folder.writeRaw("Data", "not a folder");
    StartRoutine routine(state, seams);
    EXPECT_FALSE(routine.start());
    ASSERT_EQ(seams.messages.size(), 2u);
    EXPECT_TRUE(seams.messages[0].text.contains(QDir::toNativeSeparators(data)));
    EXPECT_TRUE(seams.messages[0].text.contains(QString::fromUtf8("è già in esecuzione")));
    EXPECT_TRUE(seams.messages[0].text.contains("already running"));
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Warning);
    EXPECT_TRUE(seams.messages[1].text.contains("Lang.dat"));
}

TEST_F(StartupTest, UnreadableStartUpFilesEndTheProgramWithAMessageNamingThem) {
    registered();
    for (const char* name : {"Prefix.dat", "Use.dat", "Md.ini", "Lang.dat"}) {
        TempProgramFolder broken;
        broken.writeData("Prime.dat", {"1", "1", "5QV123", "MARIO ROSSI", "01/05/2026"});
        broken.writeData("Use.dat", useLines("0"));
        QFile::remove(broken.data(name));
        AppState brokenState(broken.path(), &clock);
        TestSeams brokenSeams;
        StartRoutine routine(brokenState, brokenSeams);
        EXPECT_FALSE(routine.start()) << name;
        ASSERT_EQ(brokenSeams.messages.size(), 1u) << name;
        EXPECT_TRUE(brokenSeams.messages[0].text.contains(name))
            << brokenSeams.messages[0].text.toStdString();
        EXPECT_FALSE(QFile::exists(broken.data(name)));
    }
}

TEST_F(StartupTest, MalformedScoreWeightsNameTheLine) {
    registered();
    folder.writeData("Data.dat", {"1", "3", "x", "3", "2"});
    StartRoutine routine(state, seams);
    EXPECT_FALSE(routine.start());
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.messages[0].text.contains("Data.dat"));
    EXPECT_TRUE(seams.messages[0].text.contains("3"));
}
