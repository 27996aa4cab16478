#include "support/AccessibilityEvents.h"
#include "support/LogWindowFixture.h"

#include "ui/kit/LiveStatusLabel.h"
#include "ui/logging/EntryStatusLine.h"

#include <QTest>

#include <algorithm>
#include <functional>

using namespace qvmd;
using namespace qvmd::test;

namespace {

// What a screen reader hears from the logging window while the operator works, without a bus.
class LogWindowSpeech : public LogWindowFixture {
public:
    using LogWindowFixture::click;
    using LogWindowFixture::enter;
    using LogWindowFixture::find;
    using LogWindowFixture::pick;
    using LogWindowFixture::seams;
    using LogWindowFixture::box;
    using LogWindowFixture::type;

    void SetUp() override {
        if (!AccessibilityEvents::available())
            GTEST_SKIP() << "this platform has no accessibility";
    }
    LiveStatusLabel* line() const { return window->entryStatus().label(); }
    QStringList spoken() const { return events->spoken(line()); }

    std::unique_ptr<AccessibilityEvents> events;

protected:
};

struct SpeechCase {
    const char* name;
    bool paperLog;
    int languageOffset;
    std::function<void(LogWindowSpeech&, frm_Log&)> act;
    QStringList spoken;
};

} // namespace

// 2QV1 H, 3QV2 H and 4QV3 L in a Hunter log: a total of (2 + 2 + 3 x 5) x 1 = 19.
TEST_F(LogWindowSpeech, TheOutcomeOfEachStepIsSpokenOnTheStatusLine) {
    const SpeechCase cases[] = {
        {"typing is spoken once it pauses, not at every key",
         false,
         1000,
         [](LogWindowSpeech& t, frm_Log& log) {
             t.type(0, QStringLiteral("3"));
             t.enter(0);
             t.type(2, QStringLiteral("30"));
             EXPECT_TRUE(t.spoken().isEmpty());
             EXPECT_TRUE(log.entryStatus().speakTimer.isActive());
             log.entryStatus().speakTimer_Timer();
             log.entryStatus().speakTimer_Timer();
         },
         {"3QV30  \u00b7  England  \u00b7  Lady: CARLA  \u00b7  +23 points"}},
        {"a station worked already",
         false,
         1000,
         [](LogWindowSpeech& t, frm_Log& log) {
             t.type(0, QStringLiteral("3"));
             t.type(2, QStringLiteral("2"));
             log.entryStatus().speakTimer_Timer();
         },
         {"3QV2  \u00b7  England  \u00b7  worked at n. 2, 10:00"}},
        {"Find, at once and again when asked again",
         false,
         1000,
         [](LogWindowSpeech& t, frm_Log& log) {
             t.find(QStringLiteral("3"), QStringLiteral("30"));
             log.cmd_Find_Click();
         },
         {"3QV30  \u00b7  England  \u00b7  Lady: CARLA  \u00b7  +23 points",
          "3QV30  \u00b7  England  \u00b7  Lady: CARLA  \u00b7  +23 points"}},
        {"Find of a station in no roster, once the operator goes on",
         false,
         1000,
         [](LogWindowSpeech& t, frm_Log&) {
             t.seams.onWindow(QStringLiteral("frm_messag"), [](QDialog&) { return int(QDialog::Accepted); });
             t.find(QStringLiteral("9"), QStringLiteral("1"));
         },
         {"9QV1  \u00b7  Netherlands  \u00b7  not in the rosters  \u00b7  new country"}},
        {"a contact written",
         false,
         1000,
         [](LogWindowSpeech& t, frm_Log&) {
             t.find(QStringLiteral("3"), QStringLiteral("30"));
             t.events->clear();
             t.type(3, QStringLiteral("7"));
             t.enter(3);
         },
         {"3QV30  \u00b7  written as n. 4  \u00b7  score 42"}},
        {"a contact written, in Italian",
         false,
         0,
         [](LogWindowSpeech& t, frm_Log&) {
             t.find(QStringLiteral("3"), QStringLiteral("30"));
             t.events->clear();
             t.type(3, QStringLiteral("7"));
             t.enter(3);
         },
         {"3QV30  \u00b7  scritto al n. 4  \u00b7  punteggio 42"}},
        {"a contact modified keeps its number",
         false,
         1000,
         [](LogWindowSpeech& t, frm_Log& log) {
             t.pick(2);
             t.events->clear();
             log.cmd_Write_Click();
         },
         {"3QV2  \u00b7  written as n. 2  \u00b7  score 19"}},
        {"a contact cancelled",
         false,
         1000,
         [](LogWindowSpeech& t, frm_Log& log) {
             t.pick(2);
             t.seams.answers = {true};
             t.click(log.cmd_Del);
         },
         {"n. 2 cancelled  \u00b7  score 13"}},
        {"a blank line cancelled",
         true,
         1000,
         [](LogWindowSpeech& t, frm_Log& log) {
             t.seams.answers = {true};
             t.click(log.cmd_Empty);
         },
         {"n. 4 cancelled  \u00b7  score 19"}},
    };
    for (const SpeechCase& c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        seams.answers.clear();
        state.LanguageOffset = c.languageOffset;
        writeLog(contacts(3), c.paperLog);
        frm_Log& log = open();
        events = std::make_unique<AccessibilityEvents>();
        c.act(*this, log);
        EXPECT_EQ(spoken(), c.spoken);
        EXPECT_EQ(line()->spokenText(), c.spoken.isEmpty() ? QString() : c.spoken.back());
        events.reset();
    }
}

// What became of a contact stays shown and read until the next station is typed; the line then follows
// the typing again.
TEST_F(LogWindowSpeech, TheOutcomeStaysUntilTheNextStation) {
    writeLog(contacts(3));
    frm_Log& log = open();
    find(QStringLiteral("3"), QStringLiteral("30"));
    type(3, QStringLiteral("7"));
    enter(3);
    const QString written = QStringLiteral("3QV30  \u00b7  written as n. 4  \u00b7  score 42");
    EXPECT_EQ(log.entryStatus().plainText(), written);
    log.cmd_Clear_Click();
    EXPECT_EQ(log.entryStatus().plainText(), written);
    EXPECT_EQ(line()->spokenText(), written);
    EXPECT_EQ(focused(), box(0));

    type(0, QStringLiteral("4"));
    EXPECT_EQ(log.entryStatus().plainText(), QStringLiteral("4QV  \u00b7  Germany"));
    log.cmd_Clear_Click();
    EXPECT_EQ(log.entryStatus().plainText(), QString());
    EXPECT_EQ(line()->spokenText(), QString());
}

// The clock shows every second but is news to a screen reader once a minute, read to the minute.
TEST_F(LogWindowSpeech, TheClockDoesNotChatter) {
    frm_Log& log = open();
    events = std::make_unique<AccessibilityEvents>();
    std::vector<std::unique_ptr<FixedClock>> clocks;
    for (int second = 10; second < 70; ++second) {
        clocks.push_back(
            std::make_unique<FixedClock>(QDateTime(QDate(2026, 5, 9), QTime(14, 5, 0).addSecs(second))));
        state.clock = clocks.back().get();
        log.Timer1_Timer();
        log.Timer1_Timer();
    }
    EXPECT_EQ(log.lbl_Utc->text(), "09/05/2026 12:06:09");
    const auto names = events->of(log.lbl_Utc, QAccessible::NameChanged);
    ASSERT_EQ(names.size(), 1u);
    EXPECT_EQ(names[0].name, "U.T.C. 09/05/2026 12:06");
    const auto onClock = std::count_if(events->all().begin(), events->all().end(),
                                       [&log](const auto& event) { return event.object == log.lbl_Utc; });
    EXPECT_EQ(onClock, 1);
    events.reset();
    state.clock = &clock;
}

// Where the program sends the focus, it goes before the boxes empty: a screen reader that hears the new
// box's caret first takes the focus as known and never says where it went.
TEST_F(LogWindowSpeech, TheFocusMovesBeforeTheBoxItGoesToEmpties) {
    const struct {
        const char* name;
        std::function<void(LogWindowSpeech&, frm_Log&)> act;
    } cases[] = {
        {"Escape", [](LogWindowSpeech& t, frm_Log&) { QTest::keyClick(t.box(3), Qt::Key_Escape); }},
        {"written by Enter",
         [](LogWindowSpeech& t, frm_Log&) {
             t.type(3, QStringLiteral("7"));
             t.enter(3);
         }},
        {"switched to a generic station", [](LogWindowSpeech& t, frm_Log& log) { t.click(log.Check1); }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        window.reset();
        writeLog(contacts(3));
        frm_Log& log = open();
        // Qt tells of a focus only in the active window.
        log.activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&log));
        find(QStringLiteral("3"), QStringLiteral("30"));
        ASSERT_NE(focused(), box(0));
        events = std::make_unique<AccessibilityEvents>();
        c.act(*this, log);
        ASSERT_EQ(focused(), box(0));
        const auto& all = events->all();
        const auto first = [&](auto pred) {
            return std::find_if(all.begin(), all.end(),
                                [&](const auto& e) { return e.object == box(0) && pred(e); });
        };
        const auto focus = first([](const auto& e) { return e.type == QAccessible::Focus; });
        const auto text = first([](const auto& e) {
            return e.type == QAccessible::TextRemoved || e.type == QAccessible::TextUpdated ||
                   e.type == QAccessible::TextCaretMoved;
        });
        ASSERT_NE(focus, all.end()) << "the box never told of its focus";
        EXPECT_TRUE(text == all.end() || focus < text) << "the box told of its text before its focus";
        events.reset();
    }
}
