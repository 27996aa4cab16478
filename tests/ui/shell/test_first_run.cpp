#include "core/app/AppState.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/Mnemonics.h"
#include "ui/shell/StartRoutine.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/shell/frm_Lang.h"
#include "ui/station/frm_Prima_Volta.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {} // namespace

// A fresh program folder from the first start to the main window, typed and clicked as an operator would.
TEST(FirstRun, LanguageRegistrationThenMainWindowAndASecondStart) {
    TempProgramFolder folder;
    FixedClock clock;
    TestSeams seams;
    seams.onWindow("frmSplash", [](QDialog& dialog) {
        auto& splash = static_cast<frmSplash&>(dialog);
        EXPECT_FALSE(splash.cmd_reg->isHidden());
        QTest::mouseClick(splash.cmd_reg, Qt::LeftButton);
        return dialog.result();
    });
    seams.onWindow("frm_Lang", [](QDialog& dialog) {
        auto* combo = dialog.findChild<QComboBox*>("cmb_Lang");
        combo->setCurrentIndex(1);
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmb_ok"), Qt::LeftButton);
        return dialog.result();
    });
    seams.onWindow("frm_Prima_Volta", [](QDialog& dialog) {
        dialog.show();
        auto* country = dialog.findChild<QLineEdit*>("Text1_0");
        QTest::keyClicks(country, "5");
        QTest::keyClick(country, Qt::Key_Return);
        auto* unit = dialog.findChild<QLineEdit*>("Text1_1");
        QTest::keyClicks(unit, "123");
        QTest::keyClick(unit, Qt::Key_Return); // member mode: Enter runs Find
        EXPECT_EQ(dialog.findChild<QLineEdit*>("Text2_1")->text(), "MARIA GRAZIA DELL'ORTO");
        QTest::mouseClick(dialog.findChild<QPushButton*>("cmd_Save"), Qt::LeftButton);
        return dialog.result();
    });

    {
        AppState state(folder.path(), &clock);
        StartRoutine routine(state, seams);
        ASSERT_TRUE(routine.start());
        EXPECT_TRUE(seams.messages.empty()) << seams.lastMessageText().toStdString();
        EXPECT_EQ(seams.openedWindows, QStringList({"frmSplash", "frm_Lang", "frm_Prima_Volta"}));
        ASSERT_NE(routine.mainWindow(), nullptr);
        EXPECT_EQ(routine.mainWindow()->Label3->text(), "5QV123    MARIA GRAZIA DELL'ORTO");
        EXPECT_EQ(withoutMnemonic(routine.mainWindow()->mnu_OpenLog->text()), "Open Log");
        EXPECT_EQ(state.profile.category, "L");
    }
    EXPECT_EQ(folder.readData("Prime.dat"),
              crlf({"1", "1", "5QV123", "MARIA GRAZIA DELL'ORTO", "09/05/2026"}));
    EXPECT_EQ(folder.readData("Lang.dat"), crlf({"1000"}));

    // The next start reads what registration wrote and closes the splash on its timer.
    TestSeams second;
    second.onWindow("frmSplash", [](QDialog& dialog) {
        auto& splash = static_cast<frmSplash&>(dialog);
        EXPECT_TRUE(splash.cmd_reg->isHidden());
        EXPECT_TRUE(splash.Timer1.isActive());
        splash.Timer1_Timer();
        return dialog.result();
    });
    AppState again(folder.path(), &clock);
    StartRoutine routine(again, second);
    ASSERT_TRUE(routine.start());
    EXPECT_EQ(again.LanguageOffset, 1000);
    EXPECT_EQ(again.profile.StationCallsign, "5QV123");
    EXPECT_EQ(again.log.LogInUse, 0);
    EXPECT_FALSE(routine.mainWindow()->cmd_Open_Log->isEnabled());
}
