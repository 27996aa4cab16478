#include "support/LogWindowFixture.h"

#include "ui/logging/ContactGridModel.h"
#include "ui/logging/EntryStatusLine.h"

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

class LogWindowStatus : public LogWindowFixture {
protected:
    QString status() const { return window->entryStatus().plainText(); }
    int highlighted() const {
        return static_cast<ContactGridModel*>(window->MSHFlexGrid1->model())->highlightedRow();
    }
};

} // namespace

// Key by key, as the operator types: the line follows every key and never takes the focus or asks.
TEST_F(LogWindowStatus, FollowsEveryKeyAndHighlightsTheEarlierContact) {
    // 2QV1 H, 3QV2 H, 4QV3 L: a Hunter log with weights 1 to 5 whose total is (2 + 2 + 3 x 5) x 1 = 19.
    writeLog(contacts(3));
    frm_Log& log = open();
    EXPECT_EQ(status(), QString());

    type(0, QStringLiteral("3"));
    EXPECT_EQ(status(), QStringLiteral("3QV  \u00b7  England"));
    enter(0);
    type(2, QStringLiteral("2"));
    EXPECT_EQ(status(), QStringLiteral("3QV2  \u00b7  England  \u00b7  worked at n. 2, 10:00"));
    EXPECT_EQ(highlighted(), 2);
    EXPECT_EQ(rowColour(2), ContactGridModel::highlightColour());
    EXPECT_EQ(focused(), box(2));

    type(2, QStringLiteral("0"));
    EXPECT_EQ(status(), QStringLiteral("3QV20  \u00b7  England  \u00b7  not in the rosters"));
    EXPECT_EQ(highlighted(), 0);
    EXPECT_EQ(rowColour(2), QColor(255, 255, 255));
    QTest::keyClick(box(2), Qt::Key_Backspace);
    EXPECT_EQ(highlighted(), 2);
    QTest::keyClick(box(2), Qt::Key_Backspace);
    EXPECT_EQ(status(), QStringLiteral("3QV  \u00b7  England"));
    EXPECT_EQ(highlighted(), 0);

    // A Lady in the roster: the multiplier goes to 2, so (2 + 2 x 2 + 15) x 2 = 42, 23 more.
    type(2, QStringLiteral("30"));
    EXPECT_EQ(status(), QStringLiteral("3QV30  \u00b7  England  \u00b7  Lady: CARLA  \u00b7  +23 points"));

    log.cmd_Clear_Click();
    EXPECT_EQ(status(), QString());
    type(0, QStringLiteral("5"));
    type(2, QStringLiteral("123"));
    EXPECT_EQ(status(), QStringLiteral("5QV123  \u00b7  Spain  \u00b7  your own station"));

    // A new country; Hunter chosen for an unknown station: (3 + 2 + 4 x 5) x 1 = 25, 6 more.
    log.cmd_Clear_Click();
    type(0, QStringLiteral("9"));
    type(2, QStringLiteral("1"));
    EXPECT_EQ(status(),
              QStringLiteral("9QV1  \u00b7  Netherlands  \u00b7  not in the rosters  \u00b7  new country"));
    click(log.Check1);
    EXPECT_EQ(status(), QString());
    type(0, QStringLiteral("9"));
    click(log.cmd_H);
    EXPECT_EQ(status(),
              QStringLiteral(
                  "9  \u00b7  Netherlands  \u00b7  generic station  \u00b7  new country  \u00b7  +6 points"));
    // One more Hunter in a country already worked: one point, said in the singular.
    log.cmd_Clear_Click();
    click(log.Check1);
    type(0, QStringLiteral("3"));
    click(log.cmd_H);
    EXPECT_EQ(status(), QStringLiteral("3  \u00b7  England  \u00b7  generic station  \u00b7  +1 point"));
    state.LanguageOffset = 0;
    window->entryStatus().refresh();
    EXPECT_TRUE(status().endsWith(QStringLiteral("+1 punto"))) << status().toStdString();
    EXPECT_TRUE(seams.messages.empty());
}

namespace {

// Notes what the status line says at the moment each message is shown.
class StatusAtMessageSeams : public test::TestSeams {
public:
    std::function<QString()> status;
    QStringList heard;
    void message(QWidget* parent, const QString& text, const QString& title, Icon icon) override {
        TestSeams::message(parent, text, title, icon);
        heard.append(status());
    }
};

} // namespace

// A refused number leaves its box before the message: under the message the line tells what the boxes hold.
TEST_F(LogWindowStatus, UnderARefusedNumbersMessageTheLineFollowsTheBoxes) {
    writeLog(contacts(3));
    StatusAtMessageSeams refusals;
    window = std::make_unique<frm_Log>(state, refusals, nullptr);
    window->show();
    refusals.status = [this] { return status(); };
    struct Case {
        const char* name;
        int box;
        const char* typed; // after "3" in box 0 and "2" in box 2
    };
    for (const Case& c : {Case{"country", 0, "9"}, Case{"unit", 2, "9999"}}) {
        SCOPED_TRACE(c.name);
        window->cmd_Clear_Click();
        refusals.heard.clear();
        type(0, QStringLiteral("3"));
        enter(0);
        type(2, QStringLiteral("2"));
        ASSERT_TRUE(status().contains(QStringLiteral("worked at n. 2")));
        box(c.box)->setFocus();
        box(c.box)->end(false);
        type(c.box, QString::fromLatin1(c.typed));
        ASSERT_EQ(refusals.heard.size(), 1);
        EXPECT_EQ(box(c.box)->text(), "");
        EXPECT_EQ(refusals.heard[0], status());
        EXPECT_FALSE(refusals.heard[0].contains(QStringLiteral("worked at")))
            << refusals.heard[0].toStdString();
    }
}

// Picking a contact fills the row: the contact is not a duplicate of itself, but of another valid one.
TEST_F(LogWindowStatus, APickedContactIsNoDuplicateOfItself) {
    writeLog(contacts(3));
    frm_Log& log = open();
    pick(2);
    ASSERT_TRUE(log.editMode());
    EXPECT_EQ(status(), QStringLiteral("3QV2  \u00b7  England  \u00b7  not in the rosters"));
    EXPECT_EQ(highlighted(), 0);
    box(2)->selectAll();
    type(2, QStringLiteral("1"));
    box(0)->selectAll();
    type(0, QStringLiteral("2"));
    EXPECT_EQ(highlighted(), 1);
    log.cmd_Clear_Click();
    EXPECT_EQ(highlighted(), 0);
}

// An earlier contact out of view is scrolled to; the grid goes back to the end once the row is empty.
TEST_F(LogWindowStatus, ScrollsToTheEarlierContactUntilTheRowIsEmpty) {
    writeLog(contacts(30));
    frm_Log& log = open();
    const int lastRows = log.topRow();
    ASSERT_GT(lastRows, 1);
    type(0, QStringLiteral("2"));
    type(2, QStringLiteral("1"));
    EXPECT_EQ(highlighted(), 1);
    EXPECT_EQ(log.topRow(), 1);
    type(2, QStringLiteral("5"));
    EXPECT_EQ(highlighted(), 0);
    EXPECT_EQ(log.topRow(), 1);
    log.cmd_Clear_Click();
    EXPECT_EQ(log.topRow(), lastRows);
}
