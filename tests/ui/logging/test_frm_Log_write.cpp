#include "support/LogWindowFixture.h"

#include <QDir>
#include <QFile>

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

class LogWindowWrite : public LogWindowFixture {};

} // namespace

TEST_F(LogWindowWrite, WriteChecksInOrderAndMovesTheFocus) {
    writeLog({"1>4>6QV3>ERIC>H>Switzerland>06/05/2026 10:00:00>N>"});
    struct Case {
        const char* what;
        const char* country;
        const char* unit;
        const char* received;
        const char* name; // typed in a generic entry, found otherwise
        bool generic;
        const char* club;
        const char* message; // empty: none
        int focusBox;        // -1: the H button
    };
    const Case cases[] = {
        {"country first", "", "", "", nullptr, false, nullptr, "", 0},
        {"unit before club", "2", "", "", nullptr, true, "", "", 2},
        {"then the club", "2", "5", "", nullptr, true, "", "", 1},
        {"generic cannot be QV", "2", "5", "", nullptr, true, "qv", "A Generic Station can not be QV", 1},
        {"club of six letters", "2", "5", "", nullptr, true, "abcdef",
         "Club must be between 1 and 5 characters", 1},
        {"received missing", "2", "20", "", nullptr, false, nullptr, "Error - Received  Progressive Missed",
         3},
        {"name of one letter", "2", "5", "9", "a", true, "abc", "Error - The name is too short or missing",
         4},
        {"no category", "2", "5", "9", "al", true, "abc", "You have to choose between Lady or Hunter", -1},
    };
    frm_Log& log = open();
    for (const Case& c : cases) {
        log.cmd_Clear_Click();
        seams.messages.clear();
        if (c.generic)
            click(log.Check1);
        type(0, c.country);
        if (c.club)
            type(1, c.club);
        type(2, c.unit);
        if (!c.generic && *c.unit)
            enter(2); // Find fills name and category
        type(3, c.received);
        if (c.name)
            type(4, c.name);
        log.cmd_Write_Click();
        if (*c.message) {
            ASSERT_EQ(seams.messages.size(), 1u) << c.what;
            EXPECT_EQ(seams.messages[0].text, c.message) << c.what;
            EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error) << c.what;
        } else {
            EXPECT_TRUE(seams.messages.empty()) << c.what;
        }
        QWidget* expected = c.focusBox < 0 ? static_cast<QWidget*>(log.cmd_H) : box(c.focusBox);
        EXPECT_EQ(focused(), expected) << c.what;
    }
    EXPECT_EQ(logRecords().size(), 1);
}

TEST_F(LogWindowWrite, FirstContactOfANewLogThenDuplicatesAndOwnCallsign) {
    frm_Log& log = open();
    find("5", "12");
    type(3, "7");
    enter(3);
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(logRecords(), QStringList{"1>7>5QV12>ANNA>L>Spain>09/05/2026 12:05:09>N>"});
    EXPECT_EQ(counterFile(), QStringList({"2", "0", "1", "1", "0"}));
    EXPECT_EQ(cell(1, 1), "1");
    EXPECT_EQ(cell(1, 4), "ANNA");
    EXPECT_EQ(cell(2, 1), ""); // the empty row after the last contact
    EXPECT_EQ(rowColour(1), QColor(255, 192, 255));
    EXPECT_EQ(log.lbl_Next->text(), "2");
    EXPECT_EQ(state.LogChanged, FlagTrue);
    EXPECT_EQ(box(0)->text(), "");
    EXPECT_EQ(box(1)->text(), "QV");
    EXPECT_FALSE(log.cmd_Write->isEnabled());
    EXPECT_EQ(focused(), box(0));

    // 5QV120 is another station; 5QV12 again is refused, naming the first contact.
    find("5", "120");
    EXPECT_TRUE(seams.messages.empty());
    log.cmd_Clear_Click();
    find("5", "12");
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "5QV12  ANNA\r\nContact already made\r\nWith the Progressive No. 1\r\n"
                                      "To insert it again delete the previous contact");
    EXPECT_EQ(box(0)->text(), "");
    EXPECT_EQ(focused(), box(0));

    // Writing the own station clears the entry; nothing reaches the file.
    click(log.Check1);
    type(0, "5");
    type(1, "qv");
    type(2, "123");
    type(3, "1");
    type(4, "me");
    click(log.cmd_H);
    seams.messages.clear();
    log.cmd_Write_Click();
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "A Generic Station can not be QV");
    log.cmd_Clear_Click();
    find("5", "123");
    type(3, "1");
    enter(3);
    EXPECT_EQ(seams.messages.back().text, "5QV123\r\nYou can't put your callsign in the Log");
    EXPECT_EQ(logRecords().size(), 1);
}

TEST_F(LogWindowWrite, ModifyingKeepsNumberAndStampAndRewritesTheLog) {
    writeLog(contacts(3));
    clock = test::FixedClock(QDateTime(QDate(2026, 5, 10), QTime(9, 0, 0)));
    frm_Log& log = open();
    pick(2);
    EXPECT_TRUE(log.editMode());
    EXPECT_EQ(box(0)->text(), "3");
    EXPECT_EQ(box(1)->text(), "QV");
    EXPECT_EQ(box(2)->text(), "2");
    EXPECT_EQ(box(3)->text(), "12");
    EXPECT_EQ(box(4)->text(), "NAME2");
    EXPECT_EQ(box(5)->text(), "H");
    EXPECT_EQ(log.lbl_Next->text(), "2");
    EXPECT_FALSE(log.cmd_H->isEnabled());
    EXPECT_TRUE(log.cmd_Del->isEnabled());
    EXPECT_FALSE(log.cmd_Empty->isEnabled());
    pick(4); // the empty row ends the modification
    EXPECT_FALSE(log.editMode());
    pick(2);

    box(4)->clear();
    type(4, "renamed");
    click(log.cmd_L);
    enter(4);
    EXPECT_TRUE(seams.messages.empty());
    const QStringList lines = splitLines(logBytes());
    EXPECT_EQ(lines[5], "#10/05/2026"); // the date of the rewrite
    EXPECT_EQ(
        lines.mid(11),
        QStringList({contacts(3)[0], "2>12>3QV2>RENAMED>L>Country>06/05/2026 10:00:02>N>", contacts(3)[2]}));
    EXPECT_EQ(counterFile(), QStringList({"4", "1", "2", "3", "0"}));
    EXPECT_FALSE(log.editMode());
    EXPECT_EQ(log.lbl_Next->text(), "4");

    // A generic contact comes back with its club in box 1 and the switch ticked.
    writeLog({"1>5>3ABC7>GINO>H>England>x>N>"});
    window.reset();
    frm_Log& again = open();
    pick(1);
    EXPECT_EQ(box(0)->text(), "3");
    EXPECT_EQ(box(1)->text(), "ABC");
    EXPECT_EQ(box(2)->text(), "7");
    EXPECT_TRUE(again.Check1->isChecked());
    EXPECT_EQ(again.entryKind(), 2);
    EXPECT_FALSE(again.cmd_Find->isEnabled());
}

TEST_F(LogWindowWrite, CancellingContactFiveOfNine) {
    writeLog(contacts(9));
    frm_Log& log = open();
    pick(5);
    seams.answers = {false};
    click(log.cmd_Del);
    ASSERT_EQ(seams.questions.size(), 1u);
    EXPECT_EQ(seams.questions[0].title, "Delete");
    EXPECT_EQ(seams.questions[0].text,
              "Are you sure you want to delete the contact with:\r         6QV5  NAME5");
    EXPECT_EQ(logRecords(), contacts(9));
    EXPECT_FALSE(log.editMode());

    pick(5);
    seams.answers = {true};
    click(log.cmd_Del);
    EXPECT_EQ(logRecords(), contacts(9, "S"));
    EXPECT_EQ(cell(5, 8), "S");
    EXPECT_EQ(rowColour(5), QColor(255, 255, 0));
    EXPECT_EQ(log.MSHFlexGrid1->model()->rowCount(), 10); // nine contacts and the empty row
    EXPECT_EQ(log.lbl_CancelledCount->text(), "1");
    EXPECT_EQ(log.lbl_CountryCount->text(), "8"); // 6QV5 was the only contact from country 6
    EXPECT_EQ(counterFile()[0], "10");
    EXPECT_FALSE(log.cmd_Del->isEnabled());

    // The cancelled row cannot be picked for modification; the station may be worked again.
    pick(5);
    EXPECT_EQ(seams.messages.back().text, "Contact Cancelled - Impossible to modify it.");
    EXPECT_EQ(seams.messages.back().icon, Seams::Icon::Information);
    EXPECT_FALSE(log.editMode());
    pick(10); // the empty row only empties the entry
    EXPECT_EQ(box(1)->text(), "");
    EXPECT_FALSE(log.editMode());

    log.cmd_Clear_Click();
    seams.onWindow("frm_messag", [](QDialog& dialog) {
        QTest::mouseClick(dialog.findChild<QPushButton*>("Command1"), Qt::LeftButton);
        return dialog.result();
    });
    find("6", "5");
    type(3, "1");
    type(4, "again");
    click(log.cmd_H);
    log.cmd_Write_Click();
    EXPECT_EQ(logRecords().last(), "10>1>6QV5>AGAIN>H>Switzerland>09/05/2026 12:05:09>N>");
}

TEST_F(LogWindowWrite, EmptyAddsABlankCancelledLineInPaperLogsOnly) {
    writeLog(contacts(4));
    EXPECT_FALSE(open().cmd_Empty->isVisibleTo(window.get()));

    writeLog(contacts(4), true);
    window.reset();
    frm_Log& log = open();
    ASSERT_TRUE(log.cmd_Empty->isVisible());
    seams.answers = {true};
    click(log.cmd_Empty);
    EXPECT_EQ(seams.questions.back().text,
              "You to insert a blank line and canceled.\r          Are you sure");
    EXPECT_EQ(logRecords().last(), "5>0>0QV0>DELETED>>NO>09/05/2026 12:05:09>S>");
    EXPECT_EQ(cell(5, 3), "0QV0");
    EXPECT_EQ(cell(5, 5), "");
    EXPECT_EQ(rowColour(5), QColor(255, 255, 0));
    EXPECT_EQ(log.lbl_Next->text(), "6");
    EXPECT_EQ(counterFile(), QStringList({"6", "3", "1", "4", "1"}));
}

TEST_F(LogWindowWrite, LastRowIsCurrentAndScrolledIntoView) {
    writeLog(contacts(15));
    frm_Log& log = open();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&log));
    EXPECT_EQ(log.topRow(), 7);
    EXPECT_EQ(log.currentRow(), 16);
}

TEST_F(LogWindowWrite, AFailedAppendLeavesGridCountersAndFileInAgreement) {
    writeLog(contacts(2));
    frm_Log& log = open();
    // A folder where the log should be: every write to it fails.
    const QString path = folder.logs(QString::fromLatin1(logName));
    const QByteArray before = logBytes();
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    find("5", "12");
    type(3, "7");
    enter(3);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.messages[0].text.contains("Nothing was written to the Log."));
    EXPECT_EQ(log.MSHFlexGrid1->model()->rowCount(), 3);
    EXPECT_EQ(log.lbl_Next->text(), "3");
    EXPECT_EQ(state.counters.NextProgressive, 3);
    EXPECT_EQ(box(2)->text(), "12"); // still typed, ready to try again
    EXPECT_TRUE(log.cmd_Write->isEnabled());
    ASSERT_TRUE(QDir(path).removeRecursively());
    folder.writeRaw(QStringLiteral("Logs/") + logName, before);
    enter(3);
    EXPECT_EQ(logRecords().size(), 3);
    EXPECT_EQ(log.lbl_Next->text(), "4");
}

TEST_F(LogWindowWrite, TheProgressiveNumberStopsAtTheLargest16BitValue) {
    QStringList records;
    for (int n = 1; n <= 32766; ++n)
        records.append(QStringLiteral("%1>1>1QV%1>N>H>Italia>x>N>").arg(n));
    writeLog(records);
    frm_Log& log = open();
    EXPECT_EQ(log.lbl_Next->text(), "32767");
    find("5", "12");
    type(3, "7");
    enter(3);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.messages[0].text.contains("is full")) << seams.messages[0].text.toStdString();
    EXPECT_EQ(logRecords().size(), 32766);
    EXPECT_EQ(state.counters.NextProgressive, 32767);
}
