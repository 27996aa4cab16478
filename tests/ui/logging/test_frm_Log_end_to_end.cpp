#include "support/LogWindowFixture.h"

#include "core/logfile/LogFile.h"

#include <QFile>

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

// A whole event at the keyboard, checked byte for byte against the files it must leave behind.
class LogWindowEndToEnd : public LogWindowFixture {
protected:
    // The clock moves on a minute per contact, and the window's clock ticks.
    void nextMinute() {
        minute_ += 1;
        clock = test::FixedClock(QDateTime(QDate(2026, 5, 9), QTime(14, 5, 9)).addSecs(60 * minute_));
        window->Timer1_Timer();
    }
    void member(const char* country, const char* unit, const char* received) {
        nextMinute();
        find(country, unit);
        type(3, received);
        enter(3);
    }
    void notFound(const char* country, const char* unit, const char* name, bool lady, const char* received) {
        nextMinute();
        find(country, unit);
        type(4, name);
        click(lady ? window->cmd_L : window->cmd_H);
        type(3, received);
        enter(3);
    }
    void generic(const char* country, const char* club, const char* unit, const char* name, bool lady,
                 const char* received) {
        nextMinute();
        click(window->Check1);
        type(0, country);
        enter(0);
        type(1, club);
        enter(1);
        type(2, unit);
        enter(2);
        type(4, name);
        click(lady ? window->cmd_L : window->cmd_H);
        type(3, received);
        enter(3);
    }
    static QByteArray golden(const char* name) {
        QFile file(QStringLiteral(QVMD_FIXTURES_DIR "/logging/end_to_end/") + QLatin1String(name));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

private:
    int minute_ = 0;
};

} // namespace

TEST_F(LogWindowEndToEnd, AnEventTypedCorrectedClosedAndReopened) {
    // A new paper log, as the create-log window makes it.
    state.log.paperLog = QStringLiteral("Y");
    ASSERT_FALSE(createLog(state.folder, QString::fromLatin1(logName),
                           LogHeader::forProfile(state.profile, "Y", 1, clock.now().date(), 2026)));
    bool answerContinue = true;
    seams.onWindow("frm_messag", [&answerContinue](QDialog& dialog) {
        const char* button = answerContinue ? "Command1" : "Command2";
        QTest::mouseClick(dialog.findChild<QPushButton*>(button), Qt::LeftButton);
        return dialog.result();
    });

    frm_Log& log = open();
    member("5", "12", "1");                              // Lady roster
    member("6", "3", "4");                               // Hunter roster
    member("7", "77", "2");                              // in both: Lady
    notFound("9", "9", "giulia", false, "11");           // not found, operator goes on
    generic("3", "abc", "7", "de  la  rosa", true, "3"); // generic, doubled blanks collapse
    find("5", "12");                                     // duplicate: refused and cleared
    member("2", "20", "12");
    member("4", "40", "8");
    member("3", "30", "15");
    generic("8", "xyz", "15", "o''neil", false, "6");
    answerContinue = false;
    nextMinute();
    find("10", "100"); // not found, operator says no
    answerContinue = true;
    notFound("1", "1", "luca", false, "21");
    member("5", "123", "1"); // own station: refused by Find, then by Write
    ASSERT_EQ(seams.messages.size(), 3u);
    EXPECT_TRUE(seams.messages[0].text.startsWith("5QV12  ANNA\r\nContact already made"));
    EXPECT_EQ(seams.messages[1].text, seams.messages[2].text);

    // Correct one contact, cancel another, keep a paper line blank, log once more.
    nextMinute();
    pick(2);
    box(3)->clear();
    type(3, "5");
    enter(3);
    pick(4);
    seams.answers = {true, true};
    click(log.cmd_Del);
    nextMinute();
    click(log.cmd_Empty);
    find("5", "12");                           // still a duplicate of row 1
    notFound("9", "9", "giulia", false, "31"); // its only contact is cancelled: accepted again

    // Six Hunter, four Lady, nine countries: (6 x 1 + 4 x 2 + 9 x 5) x 4.
    EXPECT_EQ(log.lbl_Next->text(), "13");
    EXPECT_EQ(log.lbl_Total->text(), "236");
    click(log.cmd_Close);
    EXPECT_EQ(state.LogChanged, FlagTrue);
    // What the window itself left, before any reopening could mend it.
    EXPECT_EQ(folder.readRaw(QStringLiteral("Logs/Log.dat")), golden("Log.dat"));

    // Reopened, the window shows exactly what the files hold.
    window.reset();
    frm_Log& again = open();
    EXPECT_EQ(again.lbl_Next->text(), "13");
    EXPECT_EQ(again.lbl_Total->text(), "236");
    EXPECT_EQ(again.lbl_CancelledCount->text(), "2");
    EXPECT_EQ(cell(12, 4), "GIULIA");

    EXPECT_EQ(logBytes(), golden(logName));
    EXPECT_EQ(folder.readRaw(QStringLiteral("Logs/Log.dat")), golden("Log.dat"));
    if (const QByteArray out = qgetenv("QVMD_GOLDEN_OUT"); !out.isEmpty()) {
        QFile log(QString::fromLocal8Bit(out) + QLatin1Char('/') + QLatin1String(logName));
        log.open(QIODevice::WriteOnly);
        log.write(logBytes());
        QFile counters(QString::fromLocal8Bit(out) + QStringLiteral("/Log.dat"));
        counters.open(QIODevice::WriteOnly);
        counters.write(folder.readRaw(QStringLiteral("Logs/Log.dat")));
    }
}
