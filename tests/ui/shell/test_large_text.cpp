#include "core/app/AppState.h"
#include "core/app/StartupLoad.h"
#include "core/print/EasyPrint.h"
#include "core/print/PainterSurface.h"
#include "support/DesktopFont.h"
#include "support/FixedClock.h"
#include "support/LayoutCheck.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/exchange/frm_AutoBackup.h"
#include "ui/exchange/frm_Backup.h"
#include "ui/exchange/frm_Restor.h"
#include "ui/exchange/frm_Send_Log.h"
#include "ui/kit/Seams.h"
#include "ui/logfile/frm_New_Log.h"
#include "ui/logfile/frm_Sel_Log.h"
#include "ui/logfile/frm_log_exist.h"
#include "ui/logging/frm_Log.h"
#include "ui/print/frm_Anteprima.h"
#include "ui/print/frm_Print.h"
#include "ui/refdata/frm_country.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"
#include "ui/shell/frm_Lang.h"
#include "ui/shell/frm_messag.h"
#include "ui/station/frm_Modif_ute.h"
#include "ui/station/frm_Prima_Volta.h"
#include "ui/update/frm_Aggior.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QImage>
#include <QMessageBox>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <tuple>

using namespace qvmd;
using namespace qvmd::test;

namespace {

const QString logName = QStringLiteral("5QV123_MD_L_2026.Log");

// The station and log of the README's pictures: a long operator's name, four contacts, long countries.
struct Station {
    explicit Station(int languageOffset) {
        folder.writeData(QStringLiteral("Lang.dat"), {QString::number(languageOffset)});
        folder.writeData(QStringLiteral("Prime.dat"),
                         {"1", "1", "5QV123", "MARIA GRAZIA DELL'ORTO", "01/05/2026"});
        folder.writeData(QStringLiteral("Use.dat"), {"1", logName, "L", "N", "2026", "5QV123",
                                                     "MARIA GRAZIA DELL'ORTO", "5", "QV", "123", "1"});
        folder.writeRaw(
            QStringLiteral("Logs/") + logName,
            crlf({"##L", "#5QV123", "#MARIA GRAZIA DELL'ORTO", "#N", "#1", "#01/05/2026", "#5", "#QV", "#123",
                  "#2026", "#LOG", "1>5>1QV408>SARA FERRE>H>Canada>01/05/2026 08:12:40>N>",
                  "2>9>3QV2567>CATERINA BIANCHI>H>Agalega & St. Brandon>01/05/2026 09:31:05>N>",
                  "3>4>9QV467>MAITE PERO>L>Andaman & Nicobar Islands>01/05/2026 10:02:17>N>",
                  "4>12>4QV1919>G. DE ROSSI>H>Aland Islands>01/05/2026 11:45:51>N>"}));
        folder.writeRaw(QStringLiteral("Logs/Log.dat"), crlf({"5", "3", "1", "4", "0"}));
        folder.writeRaw(QStringLiteral("Backup/5QV123_MD_L_2026_01.Bak"), "x");
        loaded = !loadStartupFiles(state).has_value();
    }

    TempProgramFolder folder;
    FixedClock clock{QDateTime(QDate(2026, 5, 1), QTime(12, 34, 56))};
    AppState state{folder.path(), &clock};
    TestSeams seams;
    bool loaded = false;
    // What some windows keep beside them while they are open.
    std::int16_t rosterResult = 0;
    std::unique_ptr<QImage> page;
    std::unique_ptr<PainterSurface> surface;
    std::unique_ptr<EasyPrint> engine;
};

using Opener = std::function<std::unique_ptr<QWidget>(Station&)>;

template <typename Window> Opener plain() {
    return [](Station& s) { return std::make_unique<Window>(s.state, s.seams); };
}

struct WindowCase {
    const char* name;
    Opener open;
};

void PrintTo(const WindowCase& window, std::ostream* out) {
    *out << window.name;
}

const WindowCase windows[] = {
    {"frmMain", plain<frmMain>()},
    {"frmSplash", plain<frmSplash>()},
    {"frm_Lang", plain<frm_Lang>()},
    {"frmAbout", plain<frmAbout>()},
    {"frm_messag",
     [](Station& s) { return std::make_unique<frm_messag>(s.state, s.seams, "5QV99999", s.rosterResult); }},
    {"frm_Prima_Volta", plain<frm_Prima_Volta>()},
    {"frm_Modif_ute", plain<frm_Modif_ute>()},
    {"frm_country", plain<frm_country>()},
    {"frm_New_Log", plain<frm_New_Log>()},
    {"frm_log_exist", plain<frm_log_exist>()},
    {"frm_Sel_Log", plain<frm_Sel_Log>()},
    {"frm_Log",
     [](Station& s) {
         auto window =
             std::make_unique<frm_Log>(s.state, s.seams, [](QWidget*, const QString&) { return true; });
         // A worked station typed in, as in the picture: the status line under the row speaks.
         window->Text1[0]->setText(QStringLiteral("3"));
         window->Text1[1]->setText(QStringLiteral("QV"));
         window->Text1[2]->setText(QStringLiteral("2567"));
         return window;
     }},
    {"frm_Print", plain<frm_Print>()},
    {"frm_Anteprima",
     [](Station& s) {
         s.page = std::make_unique<QImage>(200, 200, QImage::Format_ARGB32);
         s.surface = std::make_unique<PainterSurface>(*s.page);
         s.engine = std::make_unique<EasyPrint>(*s.surface);
         return std::make_unique<frm_Anteprima>(s.state, *s.engine);
     }},
    {"frm_Send_Log", plain<frm_Send_Log>()},
    {"frm_Backup", [](Station& s) { return std::make_unique<frm_Backup>(s.state, s.seams); }},
    {"frm_Restor", [](Station& s) { return std::make_unique<frm_Restor>(s.state, s.seams); }},
    {"frm_AutoBackup", plain<frm_AutoBackup>()},
    {"QuestionBox",
     [](Station& s) {
         // A question as the program asks one, with a long text: Qt lays it out in the desktop's font.
         const QString text = s.state.text(1053, QString()) + QStringLiteral(": ") +
                              QStringLiteral("5QV123_MD_L_2026.Log ").repeated(8);
         return std::unique_ptr<QWidget>(makeQuestionBox(nullptr, text, QStringLiteral("QV_md"),
                                                         Seams::Icon::Question, Seams::Default::No)
                                             .release());
     }},
    {"frm_Aggior",
     [](Station& s) {
         auto window = std::make_unique<frm_Aggior>(s.state, s.seams);
         for (QTimer* timer : {&window->Timer1, &window->Timer2, &window->Timer3, &window->Timer4})
             timer->stop();
         return window;
     }},
};

// Controls whose text kept the size the window was built in while the rest of it grew.
QStringList smallTexts(const QWidget& window, qreal smallest) {
    QStringList small;
    for (const QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible() || widget->window() != &window)
            continue;
        const auto* label = qobject_cast<const QLabel*>(widget);
        const bool text = label ? !label->text().isEmpty()
                                : qobject_cast<const QAbstractButton*>(widget) ||
                                      qobject_cast<const QLineEdit*>(widget) ||
                                      qobject_cast<const QComboBox*>(widget) ||
                                      qobject_cast<const QAbstractItemView*>(widget);
        if (text && widget->font().pointSizeF() < smallest)
            small << QStringLiteral("%1 at %2 pt").arg(widget->objectName()).arg(widget->font().pointSizeF());
    }
    return small;
}

// Check boxes and options whose box stayed the size of the usual font while their text grew.
QStringList smallIndicators(const QWidget& window) {
    QStringList small;
    for (const QAbstractButton* button : window.findChildren<QAbstractButton*>()) {
        const bool check = qobject_cast<const QCheckBox*>(button) != nullptr;
        if (!button->isVisible() || (!check && !qobject_cast<const QRadioButton*>(button)))
            continue;
        const int box = button->style()->pixelMetric(
            check ? QStyle::PM_IndicatorHeight : QStyle::PM_ExclusiveIndicatorHeight, nullptr, button);
        if (box < 0.6 * button->fontMetrics().height())
            small << QStringLiteral("%1: box %2 px for a line of %3 px")
                         .arg(button->objectName())
                         .arg(box)
                         .arg(button->fontMetrics().height());
    }
    return small;
}

using Case = std::tuple<WindowCase, int, qreal>; // window, language offset, desktop font points

class LargeText : public ::testing::TestWithParam<Case> {};

} // namespace

// Every window, in both languages, at the size its layout was drawn for and with a 16 pt desktop font:
// nothing cut, nothing covered.
TEST_P(LargeText, NoTextIsCutAndNoControlsOverlap) {
    const auto& [window, language, points] = GetParam();
    DesktopFont font(points);
    Station station(language);
    ASSERT_TRUE(station.loaded);
    std::unique_ptr<QWidget> shown = window.open(station);
    shown->show();
    QApplication::sendPostedEvents();
    const QStringList faults = layoutFaults(*shown);
    EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    // The window stays within its screen, and its text is the desktop's size unless the window had to stop
    // growing at the screen's edge: never kept small to fit.
    const QSize screen = shown->screen()->availableGeometry().size();
    EXPECT_LE(shown->width(), screen.width());
    EXPECT_LE(shown->height(), screen.height());
    if (shown->width() < screen.width() * 0.9 && shown->height() < screen.height() * 0.9)
        EXPECT_NEAR(shown->font().pointSizeF(), points, 0.01);
    else
        EXPECT_GT(shown->font().pointSizeF(), 9.0 + (points - 9.0) / 2 - 0.01);
    const QStringList small = smallTexts(*shown, 0.75 * shown->font().pointSizeF());
    EXPECT_TRUE(small.isEmpty()) << small.join(QLatin1Char('\n')).toStdString();
    const QStringList boxes = smallIndicators(*shown);
    EXPECT_TRUE(boxes.isEmpty()) << boxes.join(QLatin1Char('\n')).toStdString();
}

INSTANTIATE_TEST_SUITE_P(EveryWindow, LargeText,
                         ::testing::Combine(::testing::ValuesIn(windows), ::testing::Values(0, 1000),
                                            ::testing::Values(9.0, 16.0)),
                         [](const ::testing::TestParamInfo<Case>& info) {
                             return std::string(std::get<0>(info.param).name) +
                                    (std::get<1>(info.param) ? "_en_" : "_it_") +
                                    std::to_string(static_cast<int>(std::get<2>(info.param))) + "pt";
                         });

// A language switch loads the main window's pictures again once it has grown: they keep its size.
TEST(LargeTextMain, PicturesLoadedAgainKeepTheGrownSize) {
    DesktopFont font(16);
    Station station(0);
    ASSERT_TRUE(station.loaded);
    frmMain window(station.state, station.seams);
    window.show();
    const QSize grown = window.cmd_Open_Log->size();
    const QSize picture = window.cmd_Open_Log->iconSize();
    window.mnu_Eng->trigger();
    EXPECT_EQ(window.cmd_Open_Log->property("pictureId").toInt(), 1001);
    EXPECT_EQ(window.cmd_Open_Log->size(), grown);
    EXPECT_EQ(window.cmd_Open_Log->iconSize(), picture);
    EXPECT_GT(picture.width(), 300);
}

// A logging window too wide for the screen with the score beside the grid takes the score below it, and so
// keeps the desktop's text size: the grid keeps its columns and takes the height left.
TEST(LargeTextLog, TheScoreGoesBelowTheGridRatherThanTheTextShrinking) {
    struct Case {
        qreal points;
        bool below;
    };
    for (const Case& c : {Case{9.0, false}, Case{16.0, true}}) {
        DesktopFont font(c.points);
        Station station(1000);
        ASSERT_TRUE(station.loaded);
        frm_Log window(station.state, station.seams, [](QWidget*, const QString&) { return true; });
        window.show();
        QApplication::sendPostedEvents();
        const QRect grid = window.MSHFlexGrid1->geometry();
        const QRect score = window.lbl_Points->geometry();
        EXPECT_EQ(score.top() > grid.bottom(), c.below) << c.points;
        EXPECT_NEAR(window.font().pointSizeF(), c.points, 0.01);
        const QSize screen = window.screen()->availableGeometry().size();
        EXPECT_LE(window.width(), screen.width());
        EXPECT_LE(window.height(), screen.height());
        EXPECT_GE(grid.height(), 5 * window.MSHFlexGrid1->rowHeight(0)) << c.points;
        const QStringList faults = layoutFaults(window);
        EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
    }
}

// Not a check: with QVMD_SHOT_DIR set, the main and logging windows at a 16 pt desktop font are saved there
// as pictures to look at, on the test screen (QVMD_TEST_SCREEN sets its size).
TEST(LargeTextPictures, SavedWhenAsked) {
    const QString folder = qEnvironmentVariable("QVMD_SHOT_DIR");
    if (folder.isEmpty())
        GTEST_SKIP() << "QVMD_SHOT_DIR is not set";
    for (const int language : {0, 1000}) {
        const QString suffix = language ? QStringLiteral("-en-16pt.png") : QStringLiteral("-it-16pt.png");
        DesktopFont font(16);
        Station station(language);
        ASSERT_TRUE(station.loaded);
        std::unique_ptr<QWidget> main = windows[0].open(station);
        main->show();
        EXPECT_TRUE(main->grab().save(folder + QStringLiteral("/main") + suffix));
        std::unique_ptr<QWidget> log = windows[11].open(station);
        log->show();
        QApplication::sendPostedEvents();
        EXPECT_TRUE(log->grab().save(folder + QStringLiteral("/logging") + suffix));
    }
}
