#include "core/app/AppState.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/shell/frm_messag.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::TempProgramFolder;
using qvmd::test::TestSeams;

class FrmMessagTest : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    AppState state{program.path()};
    TestSeams seams;
    std::int16_t rosterResult = 2;
};

TEST_F(FrmMessagTest, LoadFillsTheTextsAndResetsTheRosterResult) {
    state.LanguageOffset = 1000;
    state.profile.category = "L";
    frm_messag window(state, seams, "5QV999", rosterResult);
    EXPECT_EQ(window.windowTitle(), "Message");
    EXPECT_EQ(window.Label2->text(), "Station is not found");
    EXPECT_EQ(window.Label1->text(), "5QV999");
    // A Lady station hunts Hunters: the worked station is not among them.
    EXPECT_EQ(window.Label4->text(), "Is not as Hunter");
    EXPECT_EQ(window.Label5->text(), "Continue");
    EXPECT_TRUE(window.Label3->text().startsWith("You can still enter the data."));
    EXPECT_EQ(window.Command1->text(), "Yes");
    EXPECT_EQ(window.Command2->text(), "NO");
    EXPECT_EQ(rosterResult, 0);
}

TEST_F(FrmMessagTest, HunterStationReadsLady) {
    state.profile.category = "H";
    frm_messag window(state, seams, "1AB7", rosterResult);
    EXPECT_EQ(window.Label4->text(), "Non risulta tra le stazioni Lady");
    EXPECT_EQ(window.windowTitle(), "Messaggio");
}

TEST_F(FrmMessagTest, YesGoesOnAndNoCancels) {
    {
        frm_messag window(state, seams, "1AB7", rosterResult);
        window.show();
        QTest::mouseClick(window.Command1, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible());
        EXPECT_EQ(window.result(), QDialog::Accepted);
    }
    frm_messag window(state, seams, "1AB7", rosterResult);
    window.show();
    QTest::mouseClick(window.Command2, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Rejected);
}

TEST_F(FrmMessagTest, TitleBarAndEscapeCannotCloseIt) {
    frm_messag window(state, seams, "1AB7", rosterResult);
    window.show();
    EXPECT_FALSE(window.close());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
}
