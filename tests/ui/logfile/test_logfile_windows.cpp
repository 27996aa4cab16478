#include "core/app/AppState.h"
#include "core/logfile/LogFile.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/ClickLabel.h"
#include "ui/logfile/frm_New_Log.h"
#include "ui/logfile/frm_Sel_Log.h"
#include "ui/logfile/frm_log_exist.h"
#include "ui/shell/frmMain.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using namespace qvmd::test;

namespace {

const QString hunterLog = QStringLiteral("5QV123_MD_H_2015.Log");
const QByteArray oldLog = crlf({"##H", "#5QV123", "#MARIO ROSSI", "#N", "#1", "#01/03/2015", "#5", "#QV",
                                "#123", "#2015", "#LOG", "1>4>7QV1>ANNA>L>Francia>01/03/2015 10:00:00>N>"});

class LogWindows : public ::testing::Test {
protected:
    TempProgramFolder folder{false};
    FixedClock clock{QDateTime(QDate(2015, 3, 6), QTime(14, 5, 9))};
    AppState state{folder.path(), &clock};
    TestSeams seams;

    LogWindows() {
        state.profile = {"5QV123", "MARIO ROSSI", "5", "QV", "123", "H"};
        state.StationKind = 1;
        QStringList countries;
        for (int i = 1; i <= 10; ++i)
            countries.append(QStringLiteral("P%1>Country %1").arg(i));
        state.countries = CountryTable::fromLines(countries);
    }

    static void click(QWidget* widget) { QTest::mouseClick(widget, Qt::LeftButton); }

    static void clickFile(frm_Sel_Log& window, const QString& name) {
        const QList<QListWidgetItem*> items = window.File1->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        window.File1->scrollToItem(items[0]);
        QTest::mouseClick(window.File1->viewport(), Qt::LeftButton, {},
                          window.File1->visualItemRect(items[0]).center());
    }

    // The selection window's script: click a log, then Confirm.
    TestSeams::DialogScript choose(const QString& name) {
        return [name](QDialog& dialog) {
            auto& window = static_cast<frm_Sel_Log&>(dialog);
            window.show();
            clickFile(window, name);
            click(window.cmd_Select);
            return window.result();
        };
    }
};

} // namespace

TEST_F(LogWindows, NewLogWritesTheLogTheCountersAndUseDat) {
    struct Case {
        const char* category;
        bool paper;
        QString name;
    };
    for (const Case& c :
         {Case{"H", false, "5QV123_MD_H_2015.Log"}, Case{"L", true, "5QV123_MD_L_2015.Log"}}) {
        state.profile.category = c.category;
        frm_New_Log window(state, seams);
        window.show();
        EXPECT_EQ(window.Label3->text(), c.name);
        EXPECT_EQ(window.Label2->text(), "5QV123 MARIO ROSSI");
        EXPECT_EQ(window.Label5->isVisible(), c.paper); // the Lady badge for the Lady log
        EXPECT_NE(window.Label6->isVisible(), c.paper);
        // The log's name and category are said in the station's sentence.
        EXPECT_EQ(window.Label2->accessibleName(),
                  "5QV123 MARIO ROSSI, " + c.name + ", " + (c.paper ? window.Label5 : window.Label6)->text());
        if (c.paper)
            click(window.Label4); // the caption ticks the switch too
        click(window.cmd_crea);
        EXPECT_EQ(window.result(), QDialog::Accepted) << c.name.toStdString();
        const QString paper = c.paper ? "#Y" : "#N";
        EXPECT_EQ(folder.readRaw("Logs/" + c.name),
                  crlf({QStringLiteral("##") + c.category, "#5QV123", "#MARIO ROSSI", paper, "#1",
                        "#06/03/2015", "#5", "#QV", "#123", "#2015", "#LOG"}));
        EXPECT_EQ(folder.readRaw("Logs/Log.dat"), crlf({"1", "0", "0", "0", "0"}));
        EXPECT_EQ(folder.readData("Use.dat"), crlf({"1", c.name, c.category, paper.mid(1), "2015", "5QV123",
                                                    "MARIO ROSSI", "5", "QV", "123", "1"}));
        EXPECT_EQ(state.log.LogInUse, 1);
        EXPECT_EQ(state.log.LogInUseName, c.name);
        EXPECT_TRUE(seams.openedWindows.isEmpty());
    }
}

// The paper-log caption ticks the switch on a click, but is no second Tab stop with the switch's name.
TEST_F(LogWindows, NewLogCaptionIsNoTabStopOfItsOwn) {
    frm_New_Log window(state, seams);
    window.show();
    QApplication::setActiveWindow(&window);
    window.Check1->setFocus();
    QTest::keyClick(window.Check1, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window.cmd_crea);
    QAccessibleInterface* caption = QAccessible::queryAccessibleInterface(window.Label4);
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->role(), QAccessible::StaticText);
    click(window.Label4);
    EXPECT_TRUE(window.Check1->isChecked());
}

TEST_F(LogWindows, AnExistingLogIsReplacedOnlyAfterYesAndConferma) {
    struct Case {
        const char* name;
        std::function<void(frm_log_exist&)> answer;
        bool replaced;
        int result;
    };
    const Case cases[] = {
        {"No", [](frm_log_exist& d) { click(d.cmd_Annul); }, false, QDialog::Rejected},
        {"YES then No",
         [](frm_log_exist& d) {
             click(d.cmd_Acc);
             EXPECT_FALSE(d.cmd_Acc->isEnabled());
             EXPECT_TRUE(d.cmd_conf->isVisible());
             EXPECT_TRUE(d.Label4->isVisible());
             EXPECT_EQ(d.cmd_Annul->accessibleDescription(), d.Label4->text()); // heard with the focus
             EXPECT_FALSE(d.cmd_Mantieni->isVisible());
             click(d.cmd_Annul);
         },
         false, QDialog::Rejected},
        {"YES then Conferma",
         [](frm_log_exist& d) {
             click(d.cmd_Acc);
             click(d.cmd_conf);
         },
         true, QDialog::Accepted},
        {"Mantieni Log, then Exit in the list, then No",
         [this](frm_log_exist& d) {
             seams.onWindow("frm_Sel_Log", [](QDialog& s) {
                 click(static_cast<frm_Sel_Log&>(s).cmd_Close);
                 return s.result();
             });
             click(d.cmd_Mantieni);
             EXPECT_EQ(d.result(), 0); // still open after a selection that chose nothing
             click(d.cmd_Annul);
         },
         false, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        folder.writeRaw("Logs/" + hunterLog, oldLog);
        QFile::remove(folder.data("Use.dat"));
        seams.openedWindows.clear();
        seams.onWindow("frm_log_exist", [&](QDialog& dialog) {
            auto& question = static_cast<frm_log_exist&>(dialog);
            question.show();
            c.answer(question);
            return question.result();
        });
        frm_New_Log window(state, seams);
        click(window.cmd_crea);
        EXPECT_EQ(window.result(), c.result) << c.name;
        EXPECT_EQ(seams.openedWindows.first(), "frm_log_exist") << c.name;
        EXPECT_EQ(folder.readRaw("Logs/" + hunterLog) == oldLog, !c.replaced) << c.name;
        EXPECT_EQ(QFile::exists(folder.data("Use.dat")), c.replaced) << c.name;
    }
}

TEST_F(LogWindows, KeepingTheLogAndSelectingOneCreatesNothing) {
    folder.writeRaw("Logs/" + hunterLog, oldLog);
    folder.writeRaw("Logs/Log.dat", crlf({"9", "9", "9", "9", "9"}));
    seams.onWindow("frm_Sel_Log", choose(hunterLog));
    seams.onWindow("frm_log_exist", [](QDialog& dialog) {
        click(static_cast<frm_log_exist&>(dialog).cmd_Mantieni);
        return dialog.result();
    });
    frm_New_Log window(state, seams);
    click(window.cmd_crea);
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_log_exist", "frm_Sel_Log"}));
    EXPECT_EQ(window.result(), QDialog::Rejected);
    EXPECT_EQ(folder.readRaw("Logs/" + hunterLog), oldLog);
    EXPECT_EQ(folder.readRaw("Logs/Log.dat"), crlf({"2", "0", "1", "1", "0"}));
    EXPECT_EQ(state.log.LogInUseName, hunterLog);
}

TEST_F(LogWindows, NewLogNameFollowsTheYearAndAFailedWriteIsReported) {
    folder.writeRaw("Logs/" + hunterLog, oldLog);
    clock = FixedClock(QDateTime(QDate(2016, 1, 1), QTime(0, 0, 1)));
    {
        frm_New_Log window(state, seams);
        EXPECT_EQ(window.logName(), "5QV123_MD_H_2016.Log");
        click(window.cmd_crea);
        EXPECT_EQ(window.result(), QDialog::Accepted);
        EXPECT_TRUE(seams.openedWindows.isEmpty()); // last year's log is another file
        EXPECT_EQ(folder.readRaw("Logs/" + hunterLog), oldLog);
    }
    // A folder where the new log should go: reported, the window stays, nothing else is written.
    clock = FixedClock(QDateTime(QDate(2017, 5, 1), QTime(9, 0, 0)));
    QDir(folder.path()).mkpath("Logs/5QV123_MD_H_2017.Log");
    const QByteArray use = folder.readData("Use.dat");
    frm_New_Log window(state, seams);
    click(window.cmd_crea);
    EXPECT_EQ(window.result(), 0);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.lastMessageText().contains("5QV123_MD_H_2017.Log"));
    EXPECT_EQ(folder.readData("Use.dat"), use);
}

TEST_F(LogWindows, SelectLogListsOwnLogsAndTakesTheIdentityFromTheHeader) {
    folder.writeRaw("Logs/" + hunterLog, oldLog);
    // A Lady log of an earlier year with three valid, one cancelled and one blank record.
    folder.writeRaw("Logs/5qv123_MD_L_2013.LOG",
                    crlf({"##L", "#5QV123", "#MARIA ROSSI", "#Y", "#2", "#02/02/2013", "#5", "#QV", "#123",
                          "#2013", "#LOG", "1>1>7QV1>A>H>x>d>N>", "2>1>7ABC2>B>L>x>d>N>", "",
                          "3>1>9QV3>C>H>x>d>N>", "4>1>8QV4>D>L>x>d>S>", "5>0>0QV0>DELETED>>NO>d>S>"}));
    folder.writeRaw("Logs/7QV9_MD_H_2015.Log", oldLog);
    folder.writeRaw("Logs/5QV123_broken.log", "no header\r\n");

    frm_Sel_Log window(state, seams);
    window.show();
    QStringList listed;
    for (int i = 0; i < window.File1->count(); ++i)
        listed.append(window.File1->item(i)->text());
    EXPECT_EQ(listed, QStringList({"5QV123_broken.log", "5QV123_MD_H_2015.Log", "5qv123_MD_L_2013.LOG"}));
    EXPECT_FALSE(window.cmd_Select->isEnabled());

    // A log without a usable header cannot be chosen: it would blank the profile.
    clickFile(window, "5QV123_broken.log");
    EXPECT_EQ(seams.messages.size(), 1u);
    EXPECT_FALSE(window.cmd_Select->isEnabled());

    clickFile(window, "5qv123_MD_L_2013.LOG");
    ASSERT_TRUE(window.cmd_Select->isEnabled());
    EXPECT_EQ(window.selected()->statistics.counters, (LogCounters{6, 2, 1, 2, 2}));
    EXPECT_FALSE(QFile::exists(folder.logs("Log.dat"))); // nothing is written before Confirm
    click(window.cmd_Select);

    EXPECT_EQ(window.result(), QDialog::Accepted);
    ASSERT_TRUE(window.chosen());
    EXPECT_EQ(window.chosen()->use.logName, "5qv123_MD_L_2013.LOG");
    EXPECT_EQ(folder.readRaw("Logs/Log.dat"), crlf({"6", "2", "1", "2", "2"}));
    EXPECT_EQ(folder.readData("Use.dat"), crlf({"1", "5qv123_MD_L_2013.LOG", "L", "Y", "2013", "5QV123",
                                                "MARIA ROSSI", "5", "QV", "123", "2"}));
    EXPECT_EQ(state.profile.category, "L");
    EXPECT_EQ(state.profile.OperatorName, "MARIA ROSSI");
    EXPECT_EQ(state.log.year, "2013");
    EXPECT_EQ(state.log.paperLog, "Y");
    EXPECT_EQ(state.StationKind, 2);
    EXPECT_EQ(state.counters, (LogCounters{6, 2, 1, 2, 2}));
    EXPECT_TRUE(state.worked.isWorked(7) && state.worked.isWorked(9) && state.worked.count() == 2);
}

// Without a mouse: the arrows move through the list, Enter chooses the log, Tab and Space confirm it.
TEST_F(LogWindows, SelectLogIsWorkedWithTheKeyboard) {
    folder.writeRaw("Logs/" + hunterLog, oldLog);
    folder.writeRaw("Logs/5QV123_broken.log", "no header\r\n");
    frm_Sel_Log window(state, seams);
    window.show();
    QApplication::setActiveWindow(&window);
    window.File1->setFocus();
    QTest::keyClick(window.File1, Qt::Key_Down);
    QTest::keyClick(window.File1, Qt::Key_Down);
    EXPECT_FALSE(window.cmd_Select->isEnabled());
    QTest::keyClick(window.File1, Qt::Key_Return);
    ASSERT_TRUE(window.cmd_Select->isEnabled());
    QTest::keyClick(window.File1, Qt::Key_Return); // the same log again reads nothing again
    EXPECT_TRUE(seams.messages.empty());
    QTest::keyClick(window.File1, Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), window.cmd_Select);
    QTest::keyClick(window.cmd_Select, Qt::Key_Space);
    EXPECT_EQ(window.result(), QDialog::Accepted);
    ASSERT_TRUE(window.chosen());
    EXPECT_EQ(window.chosen()->use.logName, hunterLog);
}

TEST_F(LogWindows, MainWindowOpensThemAndAppliesTheRuleAfter) {
    folder.writeRaw("Logs/" + hunterLog, oldLog);
    frmMain main(state, seams);
    EXPECT_FALSE(main.cmd_Open_Log->isEnabled());

    // Exit from the create window leaves the rule as it was.
    seams.onWindow("frm_New_Log", [](QDialog& d) {
        click(static_cast<frm_New_Log&>(d).cmd_Close);
        return d.result();
    });
    click(main.cmd_New_Log);
    EXPECT_FALSE(main.cmd_Open_Log->isEnabled());

    // Choosing a log from the menu enables opening it, as the button does.
    seams.onWindow("frm_Sel_Log", choose(hunterLog));
    main.mnu_SelLog->setEnabled(true);
    main.mnu_SelLog->trigger();
    EXPECT_TRUE(main.cmd_Open_Log->isEnabled());
    EXPECT_TRUE(main.mnu_SendLog->isEnabled());
    EXPECT_EQ(seams.openedWindows, QStringList({"frm_New_Log", "frm_Sel_Log"}));
}
