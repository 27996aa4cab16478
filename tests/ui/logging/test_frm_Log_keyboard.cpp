#include "support/LogWindowFixture.h"

#include <QImage>
#include <QPixmap>

#include <functional>

using namespace qvmd;
using namespace qvmd::test;

namespace {

// The logging window worked with the keyboard alone: Tab to a control, then Space or Enter.
class LogWindowKeyboard : public LogWindowFixture {
public:
    using LogWindowFixture::box;
    using LogWindowFixture::focused;
    using LogWindowFixture::logRecords;
    using LogWindowFixture::seams;

    frm_Log& openActive(bool paper = false) {
        writeLog(contacts(3), paper);
        frm_Log& log = open();
        QApplication::setActiveWindow(&log);
        return log;
    }
    QWidget* current() const { return QApplication::focusWidget(); }
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QTest::keyClick(current(), key, modifiers);
    }
    // Tab until the control has the focus; false when a whole round of the window never reaches it.
    bool tabTo(QWidget* target) {
        for (int i = 0; i < 40 && current() != target; ++i)
            press(Qt::Key_Tab);
        return current() == target;
    }
    // The controls Tab (or Shift+Tab) visits until it is back where it started.
    QStringList round(Qt::Key key) {
        QWidget* start = current();
        QStringList names;
        for (int i = 0; i < 40; ++i) {
            press(key);
            names.append(current()->objectName());
            if (current() == start)
                break;
        }
        return names;
    }
};

struct KeyAction {
    const char* name;
    bool paperLog;
    std::function<void(LogWindowKeyboard&, frm_Log&)> before; // typed first, with keys too
    std::function<QWidget*(frm_Log&)> control;
    Qt::Key key;
    std::function<void(LogWindowKeyboard&, frm_Log&)> check;
};

// Typed into the box that has the focus.
void typeHere(const char* keys) {
    for (const char* c = keys; *c; ++c)
        QTest::keyClick(QApplication::focusWidget(), *c);
}

} // namespace

// A generic station in a paper log opens every control: Tab goes along the entry row, to "Write", the grid
// and the other commands and round again; Shift+Tab goes the same way back. The member's club and the
// country name only a click reaches.
TEST_F(LogWindowKeyboard, TabGoesRoundTheRowWriteTheGridAndTheCommands) {
    frm_Log& log = openActive(true);
    QTest::keyClick(box(0), Qt::Key_Tab, Qt::ShiftModifier);
    ASSERT_EQ(current(), log.Check1);
    press(Qt::Key_Space);
    ASSERT_TRUE(log.Check1->isChecked());
    log.Check1->setFocus();
    QStringList forward = {"Text1_0",   "Text1_1",      "Text1_2",  "Text1_3",         "Text1_4",
                           "Text1_5",   "cmd_H",        "cmd_L",    "cmd_NameUnknown", "cmd_Country",
                           "cmd_Write", "MSHFlexGrid1", "cmd_Find", "cmd_Clear",       "cmd_Empty",
                           "cmd_Close", "Check1"};
    // The statistics button, where the program is built with charts, follows Exit.
    if (log.findChild<QWidget*>(QStringLiteral("cmd_Stats")))
        forward.insert(forward.indexOf(QStringLiteral("cmd_Close")) + 1, QStringLiteral("cmd_Stats"));
    EXPECT_EQ(round(Qt::Key_Tab), forward);
    QStringList backward(forward.rbegin() + 1, forward.rend());
    backward.append(QStringLiteral("Check1"));
    EXPECT_EQ(round(Qt::Key_Backtab), backward);

    // A member entry: the club and the buttons that wait for a lookup are passed over. Escape clears the row
    // and never closes the window, which only "Exit" does.
    type(0, QStringLiteral("3"));
    QTest::keyClick(box(0), Qt::Key_Escape);
    EXPECT_EQ(box(0)->text(), "");
    EXPECT_FALSE(log.Check1->isChecked());
    ASSERT_TRUE(tabTo(log.MSHFlexGrid1));
    press(Qt::Key_Escape);
    EXPECT_TRUE(log.isVisible());
    log.cmd_Clear_Click();
    QStringList member({"Text1_2", "Text1_3", "Text1_4", "Text1_5", "cmd_Country", "MSHFlexGrid1", "cmd_Find",
                        "cmd_Clear", "cmd_Empty", "cmd_Close", "Check1", "Text1_0"});
    if (forward.contains(QStringLiteral("cmd_Stats")))
        member.insert(member.indexOf(QStringLiteral("cmd_Close")) + 1, QStringLiteral("cmd_Stats"));
    EXPECT_EQ(round(Qt::Key_Tab), member);
}

// A station that is not a member: after the received number Tab goes to the name, which takes the letters
// typed; "Name Unknown" comes later in the round and shows when it has the focus.
TEST_F(LogWindowKeyboard, TabAfterTheReceivedNumberGoesToTheName) {
    frm_Log& log = openActive();
    click(log.Check1);
    box(0)->setFocus();
    typeHere("9");
    press(Qt::Key_Return);
    typeHere("ABC");
    press(Qt::Key_Return);
    typeHere("7");
    click(log.cmd_H);
    ASSERT_EQ(current(), box(3));
    typeHere("12");
    press(Qt::Key_Tab);
    EXPECT_EQ(current(), box(4));
    typeHere("MARIO ROSSI");
    EXPECT_EQ(box(4)->text(), "MARIO ROSSI");

    const QImage unfocused = log.cmd_NameUnknown->grab().toImage();
    ASSERT_TRUE(tabTo(log.cmd_NameUnknown));
    const QImage focusedLook = log.cmd_NameUnknown->grab().toImage();
    ASSERT_EQ(unfocused.size(), focusedLook.size());
    int changed = 0;
    for (int y = 0; y < unfocused.height(); ++y)
        for (int x = 0; x < unfocused.width(); ++x)
            changed += std::abs(qGray(unfocused.pixel(x, y)) - qGray(focusedLook.pixel(x, y))) > 60;
    // A frame round the button, not a stray pixel.
    EXPECT_GE(changed, unfocused.width()) << "the focused button looks as it did";
    EXPECT_EQ(box(4)->text(), "MARIO ROSSI");
}

// Every action of the window is reached and done with keys alone, as a click does it.
TEST_F(LogWindowKeyboard, EveryActionIsDoneWithKeysAlone) {
    const auto generic = [](LogWindowKeyboard& t, frm_Log& log) {
        t.tabTo(log.Check1);
        t.press(Qt::Key_Space);
        typeHere("9");
    };
    // 3QV30 found in the Lady roster, received 7 typed: ready to write.
    const auto found = [](LogWindowKeyboard& t, frm_Log&) {
        typeHere("3");
        t.press(Qt::Key_Return);
        typeHere("30");
        t.press(Qt::Key_Return);
        typeHere("7");
    };
    // The grid's last contact picked: Up from the empty row, then Enter.
    const auto picked = [](LogWindowKeyboard& t, frm_Log& log) {
        t.tabTo(log.MSHFlexGrid1);
        t.press(Qt::Key_Up);
        t.press(Qt::Key_Return);
    };
    const KeyAction actions[] = {
        {"Non QV Station",
         false,
         {},
         [](frm_Log& log) -> QWidget* { return log.Check1; },
         Qt::Key_Space,
         [](LogWindowKeyboard&, frm_Log& log) { EXPECT_EQ(log.entryKind(), 2); }},
        {"Country list",
         false,
         {},
         [](frm_Log& log) -> QWidget* { return log.cmd_Country; },
         Qt::Key_Return,
         [](LogWindowKeyboard& t, frm_Log&) {
             EXPECT_EQ(t.seams.openedWindows, QStringList{"frm_country"});
         }},
        {"H", false, generic, [](frm_Log& log) -> QWidget* { return log.cmd_H; }, Qt::Key_Space,
         [](LogWindowKeyboard&, frm_Log& log) { EXPECT_EQ(log.contactCategory(), "H"); }},
        {"L", false, generic, [](frm_Log& log) -> QWidget* { return log.cmd_L; }, Qt::Key_Return,
         [](LogWindowKeyboard&, frm_Log& log) { EXPECT_EQ(log.contactCategory(), "L"); }},
        {"Name Unknown", false, generic, [](frm_Log& log) -> QWidget* { return log.cmd_NameUnknown; },
         Qt::Key_Space, [](LogWindowKeyboard& t, frm_Log&) { EXPECT_EQ(t.box(4)->text(), "Unknown"); }},
        {"Find", false,
         [](LogWindowKeyboard& t, frm_Log&) {
             typeHere("3");
             t.press(Qt::Key_Tab);
             typeHere("30");
         },
         [](frm_Log& log) -> QWidget* { return log.cmd_Find; }, Qt::Key_Return,
         [](LogWindowKeyboard& t, frm_Log&) {
             EXPECT_EQ(t.box(4)->text(), "CARLA");
             EXPECT_EQ(t.focused(), t.box(3));
         }},
        {"Write", false, found, [](frm_Log& log) -> QWidget* { return log.cmd_Write; }, Qt::Key_Return,
         [](LogWindowKeyboard& t, frm_Log&) {
             EXPECT_EQ(t.logRecords().size(), 4);
             EXPECT_TRUE(t.logRecords().back().startsWith("4>7>3QV30>CARLA>L>"))
                 << t.logRecords().back().toStdString();
         }},
        {"pick from the grid",
         false,
         {},
         [](frm_Log& log) -> QWidget* { return log.MSHFlexGrid1; },
         Qt::Key_Up,
         [](LogWindowKeyboard& t, frm_Log& log) {
             t.press(Qt::Key_Up);
             t.press(Qt::Key_Enter);
             EXPECT_TRUE(log.editMode());
             EXPECT_EQ(log.editedRow(), 2);
             EXPECT_EQ(t.box(2)->text(), "2");
         }},
        {"Del.", false, picked, [](frm_Log& log) -> QWidget* { return log.cmd_Del; }, Qt::Key_Space,
         [](LogWindowKeyboard& t, frm_Log&) {
             ASSERT_EQ(t.seams.questions.size(), 1u);
             EXPECT_TRUE(t.seams.questions[0].text.endsWith("4QV3  NAME3"))
                 << t.seams.questions[0].text.toStdString();
         }},
        {"Clear", false, [](LogWindowKeyboard&, frm_Log&) { typeHere("3"); },
         [](frm_Log& log) -> QWidget* { return log.cmd_Clear; }, Qt::Key_Return,
         [](LogWindowKeyboard& t, frm_Log&) {
             EXPECT_EQ(t.box(0)->text(), "");
             EXPECT_EQ(t.focused(), t.box(0));
         }},
        {"Empty",
         true,
         {},
         [](frm_Log& log) -> QWidget* { return log.cmd_Empty; },
         Qt::Key_Return,
         [](LogWindowKeyboard& t, frm_Log&) { EXPECT_EQ(t.seams.questions.size(), 1u); }},
        {"Exit",
         false,
         {},
         [](frm_Log& log) -> QWidget* { return log.cmd_Close; },
         Qt::Key_Return,
         [](LogWindowKeyboard&, frm_Log& log) {
             EXPECT_FALSE(log.isVisible());
             EXPECT_EQ(log.result(), QDialog::Accepted);
         }},
    };
    for (const KeyAction& action : actions) {
        SCOPED_TRACE(action.name);
        window.reset();
        seams.openedWindows.clear();
        seams.questions.clear();
        frm_Log& log = openActive(action.paperLog);
        ASSERT_EQ(current(), box(0));
        if (action.before)
            action.before(*this, log);
        QWidget* control = action.control(log);
        ASSERT_TRUE(tabTo(control)) << "Tab never reaches " << control->objectName().toStdString();
        press(action.key);
        action.check(*this, log);
    }
}
