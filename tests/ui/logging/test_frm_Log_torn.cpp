#include "support/LogWindowFixture.h"

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

class LogWindowTornLine : public LogWindowFixture {};

} // namespace

// A log whose last line lost its end (a power cut during an append, a hand edit): the contact typed next
// is a record of its own, the window, Log.dat and the reopened log all count the same, and the torn line
// stays the short record the reader already shows.
TEST_F(LogWindowTornLine, TheNextContactIsItsOwnRecordAndEveryCountAgrees) {
    for (const bool paper : {false, true}) {
        SCOPED_TRACE(paper ? "blank line in a paper log" : "contact");
        window.reset();
        writeLog(contacts(4), paper);
        folder.writeRaw(QStringLiteral("Logs/") + logName, logBytes() + "5>9>1QV408>SARA FE");
        frm_Log& log = open();
        EXPECT_EQ(log.lbl_Next->text(), "6");
        if (paper) {
            seams.answers = {true};
            click(log.cmd_Empty);
        } else {
            find("5", "12");
            type(3, "7");
            enter(3);
        }
        EXPECT_TRUE(seams.messages.empty());
        const QStringList records = logRecords();
        ASSERT_EQ(records.size(), 6);
        EXPECT_EQ(records[4], "5>9>1QV408>SARA FE");
        EXPECT_TRUE(records[5].startsWith(paper ? "6>0>0QV0>DELETED>" : "6>7>5QV12>ANNA>L>"))
            << records[5].toStdString();
        EXPECT_EQ(log.lbl_Next->text(), "7");
        EXPECT_EQ(state.counters.NextProgressive, 7);
        EXPECT_EQ(counterFile().value(0), "7");
        EXPECT_EQ(cell(6, 3), paper ? "0QV0" : "5QV12");

        // Reopened: the same six records, the contact not merged into the torn line.
        const LogCounters counters = state.counters;
        window.reset();
        frm_Log& again = open();
        EXPECT_EQ(again.lbl_Next->text(), "7");
        EXPECT_EQ(state.counters, counters);
        EXPECT_EQ(cell(5, 3), "1QV408");
        EXPECT_EQ(cell(6, 3), paper ? "0QV0" : "5QV12");
    }
}
