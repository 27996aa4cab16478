#include "core/app/AppState.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/Mnemonics.h"
#include "ui/shell/frmMain.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

class MainWindowTest : public ::testing::Test {
protected:
    TempProgramFolder folder;
    FixedClock clock{QDateTime(QDate(2027, 5, 9), QTime(14, 5, 9))};
    AppState state{folder.path(), &clock};
    TestSeams seams;

    MainWindowTest() {
        state.profile.StationCallsign = "5QV123";
        state.profile.OperatorName = "MARIO ROSSI";
    }

    static std::vector<bool> logControls(const frmMain& w) {
        return {w.cmd_Open_Log->isEnabled(), w.cmd_Sel_Log->isEnabled(), w.cmd_Send_Log->isEnabled(),
                w.mnu_OpenLog->isEnabled(),  w.mnu_SelLog->isEnabled(),  w.mnu_SendLog->isEnabled(),
                w.mnu_DelLog->isEnabled(),   w.mnu_PrintLog->isEnabled()};
    }
};

} // namespace

TEST_F(MainWindowTest, ShowsTitleStationAndStatus) {
    frmMain window(state, seams);
    EXPECT_EQ(window.windowTitle(), "Marigold Day");
    EXPECT_EQ(window.Label1->text(), "QV Marigold Day 2027");
    EXPECT_EQ(window.Label3->text(), "5QV123    MARIO ROSSI");
    EXPECT_EQ(window.statusPanels[0]->text(), "Stato");
    EXPECT_EQ(window.statusPanels[1]->text(), "09/05/2027");
    EXPECT_EQ(window.statusPanels[2]->text(), "14:05:09");
    EXPECT_FALSE(window.Image1->pixmap().isNull());
}

TEST_F(MainWindowTest, EnablingRuleFollowsTheLogInUse) {
    frmMain idle(state, seams);
    EXPECT_EQ(logControls(idle), std::vector<bool>(8, false));
    EXPECT_TRUE(idle.cmd_New_Log->isEnabled());
    EXPECT_TRUE(idle.cmd_Close->isEnabled());
    EXPECT_TRUE(idle.mnu_ModUte->isEnabled());

    state.log.LogInUse = 1;
    idle.applyEnablingRule();
    EXPECT_EQ(logControls(idle), std::vector<bool>(8, true));
}

TEST_F(MainWindowTest, SavedProfileAndRestoreOverrideTheRule) {
    state.log.LogInUse = 1;
    frmMain window(state, seams);
    seams.onWindow("frm_Modif_ute", [this](QDialog&) {
        state.profile.StationCallsign = "7QV9";
        return int(QDialog::Accepted);
    });
    window.mnu_ModUte->trigger();
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_Modif_ute"}));
    EXPECT_FALSE(window.cmd_Open_Log->isEnabled());
    EXPECT_FALSE(window.cmd_Send_Log->isEnabled());
    EXPECT_TRUE(window.cmd_Sel_Log->isEnabled());
    EXPECT_TRUE(window.cmd_New_Log->isEnabled());
    EXPECT_EQ(window.Label3->text(), "7QV9    MARIO ROSSI");

    window.applyEnablingRule();
    EXPECT_TRUE(window.cmd_Open_Log->isEnabled());
    window.mnu_Rest->trigger();
    EXPECT_FALSE(window.cmd_Open_Log->isEnabled());
    EXPECT_FALSE(window.cmd_Send_Log->isEnabled());
    EXPECT_TRUE(window.cmd_Sel_Log->isEnabled());
}

TEST_F(MainWindowTest, UnsavedProfileEditLeavesTheButtons) {
    state.log.LogInUse = 1;
    frmMain window(state, seams);
    window.mnu_ModUte->trigger();
    EXPECT_TRUE(window.cmd_Open_Log->isEnabled());
    EXPECT_TRUE(window.cmd_Send_Log->isEnabled());
}

TEST_F(MainWindowTest, LanguageSwitchChangesPicturesMenusAndLangFile) {
    state.LanguageOffset = 1000;
    frmMain window(state, seams);
    EXPECT_TRUE(window.mnu_Eng->isChecked());
    EXPECT_FALSE(window.mnu_ita->isChecked());
    EXPECT_EQ(window.cmd_Open_Log->property("pictureId").toInt(), 1001);
    EXPECT_EQ(window.cmd_New_Log->property("pictureId").toInt(), 1004);
    EXPECT_EQ(withoutMnemonic(window.mnu_OpenLog->text()), "Open Log");
    EXPECT_EQ(withoutMnemonic(window.mnu_Util->title()), "Utility");
    EXPECT_FALSE(window.cmd_Open_Log->icon().isNull());
    // The "?" menu has no letter, so Alt and "?" reach it.
    EXPECT_EQ(QKeySequence::mnemonic(window.mnu_Help->title()), QKeySequence(Qt::ALT | Qt::Key_Question));

    window.mnu_ita->trigger();
    EXPECT_EQ(state.LanguageOffset, 0);
    EXPECT_TRUE(window.mnu_ita->isChecked());
    EXPECT_FALSE(window.mnu_Eng->isChecked());
    EXPECT_EQ(window.cmd_Open_Log->property("pictureId").toInt(), 1);
    EXPECT_EQ(window.cmd_Sel_Log->property("pictureId").toInt(), 2);
    EXPECT_EQ(window.cmd_Send_Log->property("pictureId").toInt(), 3);
    EXPECT_EQ(window.cmd_New_Log->property("pictureId").toInt(), 4);
    EXPECT_NE(withoutMnemonic(window.mnu_OpenLog->text()), "Open Log");
    EXPECT_EQ(withoutMnemonic(window.mnuLog->title()), "Log");
    EXPECT_EQ(withoutMnemonic(window.mnu_Back->text()), "Backup");
    EXPECT_EQ(QKeySequence::mnemonic(window.mnu_Help->title()), QKeySequence(Qt::ALT | Qt::Key_Question));
    EXPECT_EQ(folder.readData("Lang.dat"), QByteArray("0\r\n"));

    window.mnu_Eng->trigger();
    EXPECT_EQ(folder.readData("Lang.dat"), QByteArray("1000\r\n"));
    EXPECT_EQ(withoutMnemonic(window.mnu_OpenLog->text()), "Open Log");
}

TEST_F(MainWindowTest, CloseButtonTipSpeaksTheActiveLanguage) {
    frmMain window(state, seams);
    EXPECT_EQ(window.cmd_Close->toolTip(), "Esci");
    window.mnu_Eng->trigger();
    EXPECT_EQ(window.cmd_Close->toolTip(), "Exit");
}

TEST_F(MainWindowTest, UnwritableLangFileIsToldAndTheSwitchStillHolds) {
    frmMain window(state, seams);
    ASSERT_TRUE(QDir(folder.data("")).removeRecursively());
    window.mnu_Eng->trigger();
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
    EXPECT_TRUE(seams.messages[0].text.contains("Lang.dat")) << seams.messages[0].text.toStdString();
    EXPECT_TRUE(seams.messages[0].text.startsWith("Cannot write")) << seams.messages[0].text.toStdString();
    EXPECT_EQ(seams.messages[0].title, "QV_md");
    // The rest of the switch still runs: pictures and menus are English for this run.
    EXPECT_EQ(state.LanguageOffset, 1000);
    EXPECT_TRUE(window.mnu_Eng->isChecked());
    EXPECT_EQ(window.cmd_Open_Log->property("pictureId").toInt(), 1001);
    EXPECT_EQ(withoutMnemonic(window.mnu_OpenLog->text()), "Open Log");
}

TEST_F(MainWindowTest, CloseBoxIsRefusedAndExitEndsTheProgram) {
    frmMain window(state, seams);
    window.show();
    QCloseEvent event;
    QApplication::sendEvent(&window, &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(window.cmd_Close, Qt::LeftButton);
    EXPECT_TRUE(seams.endRequested());
    EXPECT_FALSE(window.isVisible());
}

TEST_F(MainWindowTest, AboutAndPrintOpenAsChildWindows) {
    state.log.LogInUse = 1;
    frmMain window(state, seams);
    window.mnu_About->trigger();
    window.mnu_PrintLog->trigger();
    EXPECT_EQ(seams.openedWindows, QStringList({"frmAbout", "frm_Print"}));
}

TEST_F(MainWindowTest, UpdatesOpensTheUpdateWindow) {
    frmMain window(state, seams);
    window.mnu_Aggior->trigger();
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_Aggior"}));
}
