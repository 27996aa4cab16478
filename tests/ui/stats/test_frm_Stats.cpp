#include "support/LogWindowFixture.h"
#include "ui/stats/CountriesModel.h"
#include "ui/stats/DayCharts.h"
#include "ui/stats/frm_Stats.h"

#include <QChartView>
#include <QFileDialog>
#include <QGraphicsScene>
#include <QGraphicsTextItem>
#include <QImage>
#include <QPrintDialog>
#include <QPrinter>
#include <QTableView>

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

class StatisticsWindow : public LogWindowFixture {
protected:
    StatisticsWindow() {
        // FixedClock's now is 12:05:09 UTC on 09/05/2026.
        writeLog({"1>4>6QV3>ERIC>H>Switzerland>09/05/2026 10:10:00>N>",
                  "2>5>3QV30>CARLA>L>England>09/05/2026 10:40:00>N>",
                  "3>6>4QV40>HANS>H>Germany>09/05/2026 11:58:00>N>",
                  "4>7>2QV20>PAUL>H>France>09/05/2026 11:59:00>S>"});
    }
    frm_Stats* openStatistics() {
        // Through the window system, as a key pressed on the keyboard, where shortcuts are looked up.
        QApplication::setActiveWindow(window.get());
        QTest::keyClick(window->windowHandle(), Qt::Key_F9);
        return window->findChild<frm_Stats*>();
    }
    QString hoursDescription(frm_Stats& stats) const {
        return stats.charts().hoursView()->accessibleDescription();
    }
};

TEST_F(StatisticsWindow, OpensWithF9AndFollowsWritesAndCancellations) {
    open();
    frm_Stats* stats = openStatistics();
    ASSERT_NE(stats, nullptr);
    EXPECT_TRUE(stats->isVisible());
    EXPECT_EQ(stats->windowTitle(), QStringLiteral("Statistics - 5QV123"));
    EXPECT_EQ(hoursDescription(*stats), QStringLiteral("Most contacts: 2 between 10:00 and 11:00 UTC."));
    EXPECT_EQ(stats->lbl_Rate60->text(), QStringLiteral("Last 60 minutes: 1 contacts per hour"));
    EXPECT_EQ(stats->grid_Countries->model()->rowCount(), 3); // the cancelled France is left out

    // A contact written in the logging window (at 12:05:09, 11:58 still within the last 10 minutes), typed as
    // the operator types it, shows at once.
    find(QStringLiteral("2"), QStringLiteral("20"));
    type(3, QStringLiteral("9"));
    enter(3);
    ASSERT_EQ(logRecords().size(), 5);
    EXPECT_EQ(stats->statistics().hours[12].hunters, 1);
    EXPECT_EQ(stats->lbl_Rate10->text(), QStringLiteral("Last 10 minutes: 12 contacts per hour"));
    EXPECT_EQ(stats->lbl_Rate60->text(), QStringLiteral("Last 60 minutes: 2 contacts per hour"));
    EXPECT_EQ(stats->charts().scoreView()->accessibleDescription(),
              QStringLiteral("Score 25 after 4 contacts, the last at 12:05 UTC."));

    // Cancelling the Lady takes her out of 10:00 and out of the score.
    pick(2);
    seams.answers.push_back(true);
    click(window->cmd_Del);
    EXPECT_EQ(stats->statistics().hours[10].ladies, 0);
    EXPECT_EQ(hoursDescription(*stats), QStringLiteral("Most contacts: 1 between 10:00 and 11:00 UTC."));
    EXPECT_EQ(stats->charts().scoreView()->accessibleDescription(),
              QStringLiteral("Score 18 after 3 contacts, the last at 12:05 UTC."));

    // The clock moves on: the rates follow without a write.
    clock = test::FixedClock(QDateTime(QDate(2026, 5, 9), QTime(17, 0, 0)));
    stats->Timer_Rate_Timer();
    EXPECT_EQ(stats->lbl_Rate60->text(), QStringLiteral("Last 60 minutes: 0 contacts per hour"));

    // The button opens the same window again rather than a second one.
    stats->close();
    click(window->findChild<QToolButton*>(QStringLiteral("cmd_Stats")));
    EXPECT_TRUE(stats->isVisible());
    EXPECT_EQ(window->findChildren<frm_Stats*>().size(), 1);
}

TEST_F(StatisticsWindow, SpeaksItalianWhenItalianIsChosen) {
    state.LanguageOffset = 0;
    open();
    frm_Stats* stats = openStatistics();
    ASSERT_NE(stats, nullptr);
    EXPECT_EQ(stats->windowTitle(), QStringLiteral("Statistiche - 5QV123"));
    EXPECT_EQ(hoursDescription(*stats),
              QStringLiteral("Il maggior numero di contatti: 2 tra le 10:00 e le 11:00 UTC."));
    EXPECT_EQ(stats->cmd_Print->text(), QStringLiteral("Stampa"));
    EXPECT_EQ(stats->grid_Countries->model()->index(0, CountriesModel::ShareColumn).data().toString(),
              QStringLiteral("33,3 %"));
    EXPECT_EQ(window->findChild<QToolButton*>(QStringLiteral("cmd_Stats"))->text(),
              QStringLiteral("Statistiche"));
}

TEST_F(StatisticsWindow, SavesAPictureAndPrintsOnePage) {
    open();
    frm_Stats* stats = openStatistics();
    ASSERT_NE(stats, nullptr);
    QTemporaryDir dir;
    const QString png = dir.filePath(QStringLiteral("stats.png"));
    seams.onWindow(QStringLiteral("dlg_SavePicture"), [&](QDialog& dialog) {
        static_cast<QFileDialog&>(dialog).selectFile(png);
        return int(QDialog::Accepted);
    });
    click(stats->cmd_SavePicture);
    const QImage saved(png);
    ASSERT_FALSE(saved.isNull());
    EXPECT_GE(saved.width(), stats->width());

    const QString pdf = dir.filePath(QStringLiteral("stats.pdf"));
    seams.onWindow(QStringLiteral("dlg_Print"), [&](QDialog& dialog) {
        QPrinter* printer = static_cast<QPrintDialog&>(dialog).printer();
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(pdf);
        return int(QDialog::Accepted);
    });
    click(stats->cmd_Print);
    QFile printed(pdf);
    ASSERT_TRUE(printed.open(QIODevice::ReadOnly));
    const QByteArray bytes = printed.readAll();
    EXPECT_TRUE(bytes.startsWith("%PDF"));
    EXPECT_EQ(bytes.count("/Type /Page\n") + bytes.count("/Type /Page\r"), 1);
    EXPECT_TRUE(bytes.contains("/Image"));

    // A folder where the file should go is reported, not passed over.
    EXPECT_FALSE(stats->savePicture(dir.path()));
    EXPECT_EQ(seams.messages.size(), 1u);
}

// Every hour named under the bars is whole, in both languages: twenty-four names on a category axis were all
// cut to an ellipsis at the window's size.
TEST_F(StatisticsWindow, NamesTheHoursUnderTheBarsWhole) {
    for (const int language : {0, 1000}) {
        state.LanguageOffset = language;
        open();
        frm_Stats* stats = openStatistics();
        ASSERT_NE(stats, nullptr);
        QApplication::processEvents();
        QStringList shown;
        for (const QGraphicsItem* item : stats->charts().hoursView()->scene()->items())
            if (const auto* text = dynamic_cast<const QGraphicsTextItem*>(item); text && text->isVisible())
                shown.append(text->toPlainText());
        for (const QString& text : shown)
            EXPECT_FALSE(text.contains(QChar(0x2026)) || text.contains(QStringLiteral("...")))
                << text.toStdString();
        for (int hour = 0; hour < 24; hour += DayCharts::LabelledHourStep)
            EXPECT_TRUE(shown.contains(QString::number(hour)))
                << hour << " in " << shown.join(u' ').toStdString();
        stats->close();
        window.reset();
    }
}

} // namespace
