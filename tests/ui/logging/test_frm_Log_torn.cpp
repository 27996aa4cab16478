#include "support/LogWindowFixture.h"
#include "ui/logging/EntryStatusLine.h"

#include <QDir>

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

// What a power cut left after the last record is no contact: opening copies the whole log to Backup, cuts
// the leftovers off, and says so once in the status line; the grid shows only the contacts.
TEST_F(LogWindowTornLine, LeftoversOfACutAppendAreCopiedThenCutAndSaidOnce) {
    const QByteArray leftovers[] = {QByteArray(30, '\0'), QByteArray("5"), QByteArray("5>9>1QV4\0\0\0", 11)};
    for (const QByteArray& tail : leftovers) {
        SCOPED_TRACE(tail.toHex().toStdString());
        window.reset();
        writeLog(contacts(4));
        const QByteArray sound = logBytes();
        folder.writeRaw(QStringLiteral("Logs/") + logName, sound + tail);
        QDir(folder.path() + "/Backup").removeRecursively();
        frm_Log& log = open();
        EXPECT_TRUE(seams.messages.empty()) << seams.lastMessageText().toStdString();
        EXPECT_EQ(log.lbl_Next->text(), "5");
        EXPECT_EQ(logBytes(), sound);
        const QStringList copies = QDir(folder.path() + "/Backup").entryList(QDir::Files);
        ASSERT_EQ(copies.size(), 1);
        EXPECT_EQ(folder.readRaw("Backup/" + copies.first()), sound + tail);
        EXPECT_EQ(log.entryStatus().plainText(), state.text(1363).arg(QDir::toNativeSeparators(
                                                     folder.path() + "/Backup/" + copies.first())));
    }
}

// A log that left Logs when a Delete Log was cut short before the choice was cleared: the message names
// the copy in Backup.
TEST_F(LogWindowTornLine, ALogGoneFromLogsIsReportedWithItsNewestCopy) {
    folder.writeRaw(QStringLiteral("Backup/5QV123_MD_H_2026-0605_100000.Bak"), logBytes());
    QFile::remove(folder.path() + "/Logs/" + logName);
    open();
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.messages[0].text.contains(state.text(1362))) << seams.lastMessageText().toStdString();
    EXPECT_TRUE(seams.messages[0].text.contains("5QV123_MD_H_2026-0605_100000.Bak"));
}
