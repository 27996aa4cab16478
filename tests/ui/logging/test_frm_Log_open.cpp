#include "support/LogWindowFixture.h"

#include "ui/shell/frmMain.h"

#include <QAction>
#include <QDir>

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

class LogWindowOpen : public LogWindowFixture {};

} // namespace

TEST_F(LogWindowOpen, MainWindowOpensItFromButtonAndMenuAndItOpensItsOwnChildren) {
    frmMain main(state, seams);
    main.applyEnablingRule();
    ASSERT_TRUE(main.cmd_Open_Log->isEnabled());
    seams.onWindow("frm_Log", [this](QDialog& dialog) {
        auto& log = static_cast<frm_Log&>(dialog);
        QTest::keyClicks(log.Text1[0], "9");
        QTest::keyClick(log.Text1[0], Qt::Key_Return);
        QTest::keyClicks(log.Text1[2], "9");
        QTest::keyClick(log.Text1[2], Qt::Key_Return); // not found: the main window's opener shows it
        QTest::mouseClick(log.cmd_Country, Qt::LeftButton);
        QTest::mouseClick(log.cmd_Close, Qt::LeftButton);
        return log.result();
    });
    QTest::mouseClick(main.cmd_Open_Log, Qt::LeftButton);
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_Log", "frm_messag", "frm_country"}));
    main.mnu_OpenLog->trigger();
    EXPECT_EQ(seams.openedWindows.size(), 6);
    EXPECT_EQ(seams.openedWindows.last(), "frm_country");
}

TEST_F(LogWindowOpen, AnUnreadableLogIsReportedAndNotShown) {
    const QString path = folder.logs(QString::fromLatin1(logName));
    ASSERT_TRUE(QFile::remove(path));
    ASSERT_TRUE(QDir().mkpath(path));
    frmMain main(state, seams);
    main.applyEnablingRule();
    QTest::mouseClick(main.cmd_Open_Log, Qt::LeftButton);
    EXPECT_TRUE(seams.openedWindows.isEmpty());
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.messages[0].text.contains(QString::fromLatin1(logName)));
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
}

// A counter file left behind by another log, or by a crash between the append and its rewrite.
TEST_F(LogWindowOpen, CountersShownAreThoseOfTheLogItself) {
    writeLog(contacts(4));
    folder.writeRaw(QStringLiteral("Logs/Log.dat"), test::crlf({"90", "50", "40", "30", "1"}));
    frm_Log& log = open();
    EXPECT_EQ(log.lbl_Next->text(), "5");
    EXPECT_EQ(log.lbl_HunterCount->text(), "3");
    EXPECT_EQ(log.lbl_LadyCount->text(), "1");
    EXPECT_EQ(log.lbl_CountryCount->text(), "4");
    EXPECT_EQ(log.lbl_CancelledCount->text(), "0");
    EXPECT_EQ(counterFile(), QStringList({"5", "3", "1", "4", "0"}));
    EXPECT_TRUE(seams.messages.empty());
}
