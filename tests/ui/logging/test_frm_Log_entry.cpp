#include "support/LogWindowFixture.h"

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

class LogWindowEntry : public LogWindowFixture {};

} // namespace

TEST_F(LogWindowEntry, TypingRulesPerBox) {
    struct Case {
        bool generic;
        int box;
        const char* keys;
        const char* shown;
    };
    const Case cases[] = {
        {false, 0, "05", "5"},
        {false, 0, "0", ""},
        {false, 0, "a1b", "1"},
        {false, 2, "1x2", "12"},
        {false, 3, "b7", "7"},
        {false, 1, "ab", "QV"},
        {false, 4, "anna", ""},
        {true, 1, "ab1c", "ABC"},
        {true, 4, "an7na", "ANNA"},
        {true, 4, "de  rossi", "DE ROSSI"},
        {true, 4, "d''amico", "D'AMICO"},
        {true, 4, "st.. john", "ST. JOHN"},
        {true, 4, "\xe8", "\xc8"},
        {false, 5, "h", ""},
        {false, 6, "x", ""},
    };
    frm_Log& log = open();
    for (const Case& c : cases) {
        log.cmd_Clear_Click();
        if (c.generic)
            click(log.Check1);
        if (c.box == 6)
            box(0)->clear();
        type(c.box, QString::fromLatin1(c.keys));
        EXPECT_EQ(box(c.box)->text(), QString::fromLatin1(c.shown)) << c.box << " " << c.keys;
    }
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(LogWindowEntry, CountryAndUnitNumbersOutOfRange) {
    frm_Log& log = open();
    type(0, "7");
    EXPECT_EQ(box(6)->text(), "Austria");
    type(0, "1"); // 71 is above the ten countries
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "Wrong Prefix");
    EXPECT_EQ(seams.messages[0].title, "Error check");
    EXPECT_EQ(box(0)->text(), "");
    EXPECT_EQ(box(6)->text(), "");
    EXPECT_EQ(focused(), box(0));

    box(0)->clear();
    type(0, "10"); // the last country is fine
    EXPECT_EQ(box(6)->text(), "Poland");
    type(2, "3001");
    ASSERT_EQ(seams.messages.size(), 2u);
    EXPECT_EQ(seams.messages[1].text, "Wrong Unit Number");
    EXPECT_EQ(box(2)->text(), "");
    EXPECT_EQ(focused(), box(2));
    type(2, "3000");
    EXPECT_EQ(box(2)->text(), "3000");

    click(log.Check1); // generic stations have no upper limit
    type(2, "3001");
    EXPECT_EQ(box(2)->text(), "3001");
    EXPECT_EQ(seams.messages.size(), 2u);
}

TEST_F(LogWindowEntry, EnterMovesAlongTheRowOnlyFromAFilledBox) {
    frm_Log& log = open();
    enter(0);
    EXPECT_EQ(focused(), box(0));
    type(0, "6");
    enter(0);
    EXPECT_EQ(focused(), box(2)); // members skip the club
    click(log.Check1);
    type(0, "6");
    enter(0);
    EXPECT_EQ(focused(), box(1));
    type(1, "ab");
    enter(1);
    EXPECT_EQ(focused(), box(2));
    QTest::keyClick(box(2), Qt::Key_Escape);
    EXPECT_FALSE(log.Check1->isChecked());
    EXPECT_EQ(box(1)->text(), "QV");
    EXPECT_EQ(box(0)->text(), "");
}

TEST_F(LogWindowEntry, FindOwnStationBothRostersAndNotFound) {
    frm_Log& log = open();

    find("5", "123");
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "5QV123\r\nYou can't put your callsign in the Log");
    EXPECT_EQ(box(0)->text(), "5"); // the entry stays as typed
    EXPECT_EQ(box(2)->text(), "123");

    log.cmd_Clear_Click();
    find("7", "77");
    EXPECT_EQ(box(4)->text(), "BOTH AS LADY");
    EXPECT_EQ(box(5)->text(), "L");
    EXPECT_EQ(log.contactCategory(), "L");
    EXPECT_TRUE(log.cmd_Write->isEnabled());
    EXPECT_FALSE(box(4)->isReadOnly());
    EXPECT_EQ(focused(), box(3));

    log.cmd_Clear_Click();
    seams.onWindow("frm_messag", [](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>("Command2"), Qt::LeftButton); // "NO"
        return dialog.result();
    });
    find("9", "9");
    EXPECT_EQ(seams.openedWindows, QStringList{"frm_messag"});
    EXPECT_EQ(box(0)->text(), "");
    EXPECT_FALSE(log.cmd_Write->isEnabled());

    seams.onWindow("frm_messag", [](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        return dialog.result();
    });
    find("9", "9");
    EXPECT_TRUE(log.cmd_NameUnknown->isVisible());
    EXPECT_FALSE(log.lbl_Name->isVisible());
    EXPECT_FALSE(box(4)->isReadOnly());
    EXPECT_EQ(focused(), box(4));
    EXPECT_TRUE(log.cmd_H->isEnabled());
    EXPECT_TRUE(log.cmd_L->isEnabled());
    click(log.cmd_NameUnknown);
    EXPECT_EQ(box(4)->text(), "Unknown");
    click(log.cmd_L);
    EXPECT_EQ(box(5)->text(), "L");
    EXPECT_FALSE(log.cmd_L->isEnabled());
    EXPECT_TRUE(log.cmd_H->isEnabled());
    EXPECT_EQ(focused(), box(3));

    // Generic stations are never asked about.
    log.cmd_Clear_Click();
    click(log.Check1);
    type(0, "9");
    enter(0);
    type(1, "abc");
    enter(1);
    type(2, "9");
    enter(2);
    EXPECT_EQ(seams.openedWindows.size(), 2);
    EXPECT_EQ(focused(), box(4));
}

TEST_F(LogWindowEntry, ClockTicksFromTheInjectedClockAndCloseBoxIsRefused) {
    frm_Log& log = open();
    EXPECT_EQ(log.Timer1.interval(), 500);
    EXPECT_TRUE(log.Timer1.isActive());
    EXPECT_EQ(log.lbl_Utc->text(), "09/05/2026 12:05:09");
    clock = test::FixedClock(QDateTime(QDate(2026, 5, 9), QTime(23, 0, 1)));
    log.Timer1_Timer();
    EXPECT_EQ(state.UtcNowText, "09/05/2026 21:00:01");
    EXPECT_EQ(log.lbl_Utc->text(), state.UtcNowText);

    EXPECT_FALSE(log.close());
    EXPECT_TRUE(log.isVisible());
    click(log.cmd_Close);
    EXPECT_FALSE(log.isVisible());
    EXPECT_EQ(log.result(), QDialog::Accepted);
}

TEST_F(LogWindowEntry, TitleScoreAndWarningOfTheLogInUse) {
    // 3 Hunter, 2 Lady, 4 countries, and one cancelled contact that counts nowhere else.
    writeLog({"1>1>1QV1>A>H>Italia>x>N>", "2>1>2QV2>B>H>France>x>N>", "3>1>3QV3>C>L>England>x>N>",
              "4>1>4QV4>D>H>Germany>x>N>", "5>1>9QV9>E>L>Poland>x>S>", "6>1>1QV6>F>L>Italia>x>N>"});
    frm_Log& log = open();
    EXPECT_EQ(log.lbl_Title->text(), "Log in use:  5QV123  OPERATOR  Cat: Hunter");
    EXPECT_EQ(log.lbl_HunterCount->text(), "3");
    EXPECT_EQ(log.lbl_LadyCount->text(), "2");
    EXPECT_EQ(log.lbl_CountryCount->text(), "4");
    EXPECT_EQ(log.lbl_CancelledCount->text(), "1");
    EXPECT_EQ(log.lbl_Multiplier->text(), "2");
    EXPECT_EQ(log.lbl_HunterPoints->text(), "1");
    EXPECT_EQ(log.lbl_LadyPoints->text(), "2");
    EXPECT_EQ(log.lbl_CountryPoints->text(), "5");
    EXPECT_EQ(log.lbl_Total->text(), "54");
    EXPECT_FALSE(log.lbl_Warning->isVisible());
    EXPECT_EQ(log.lbl_Next->text(), "7");
    // The stale counter file (none at all here) is replaced by the log's own counts.
    EXPECT_EQ(counterFile(), QStringList({"7", "3", "2", "4", "1"}));
    EXPECT_TRUE(state.worked.isWorked(4));
    EXPECT_FALSE(state.worked.isWorked(9));
}

TEST_F(LogWindowEntry, NoLadyYetShowsTheWarningAndNoMultiplication) {
    writeLog({"1>1>1QV1>A>H>Italia>x>N>", "2>1>2QV2>B>H>France>x>N>"});
    state.LanguageOffset = 0;
    frm_Log& log = open();
    EXPECT_EQ(log.lbl_Total->text(), "12"); // 2 x 1 + 2 x 5
    EXPECT_TRUE(log.lbl_Warning->isVisible());
    EXPECT_TRUE(log.lbl_Warning->text().endsWith(" Lady"));
    EXPECT_TRUE(log.lbl_Title->text().startsWith("Log in uso:"));
}
