#include "core/app/AppState.h"
#include "support/LinkCatcher.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/ClickLabel.h"
#include "ui/shell/frmAbout.h"

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QUrl>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::LinkCatcher;
using qvmd::test::TempProgramFolder;
using qvmd::test::TestSeams;

class FrmAboutTest : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    AppState state{program.path()};
    TestSeams seams;
    LinkCatcher links;

    void SetUp() override {
        state.SettingsEntries = {"0",
                                 "manager@example.org",
                                 "2",
                                 "www.example.org",
                                 " https://qv.example.net/md ",
                                 "e5",
                                 "6",
                                 "http://e7.example",
                                 "8",
                                 "9",
                                 "10"};
        state.RegisteredUnitId = "5QV123";
        state.RegisteredName = "Mario";
    }
};

TEST_F(FrmAboutTest, LoadFillsTheLabels) {
    frmAbout window(state, seams);
    EXPECT_EQ(window.windowTitle(), "Informazioni su QV_MD");
    EXPECT_EQ(window.lblTitle->text(), "QV Marigold Day");
    EXPECT_EQ(window.lblVersion->text(), "Versione 1.6.2");
    EXPECT_EQ(window.Label1[0]->text(), "Award Manager");
    EXPECT_EQ(window.Label1[1]->text(), "manager@example.org");
    EXPECT_EQ(window.Label1[2]->text(), "www.example.org");
    EXPECT_EQ(window.Label1[3]->text(), " https://qv.example.net/md ");
    EXPECT_EQ(window.Label1[4]->text(), "e5");
    EXPECT_EQ(window.Label1[5]->text(), "http://e7.example");
    EXPECT_EQ(window.Label2->text(), "Link www");
    EXPECT_EQ(window.Label3->text(), "5QV123 Mario");
    EXPECT_EQ(window.cmdOK->text(), "OK");
    EXPECT_EQ(window.Timer1->interval(), 15000);
    EXPECT_TRUE(window.Timer1->isActive());
}

TEST_F(FrmAboutTest, EnglishKeepsTheItalianOnlyTexts) {
    state.LanguageOffset = 1000;
    frmAbout window(state, seams);
    EXPECT_EQ(window.windowTitle(), "Informazioni su QV Marigold Day");
    EXPECT_EQ(window.cmdOK->text(), "OK");
    EXPECT_EQ(window.lblVersion->text(), "Versione 1.6.2");
}

TEST_F(FrmAboutTest, ShortSettingsLeaveEmptyLabels) {
    state.SettingsEntries = QStringList(11);
    state.SettingsEntries[1] = "a@b.it";
    frmAbout window(state, seams);
    for (int i = 2; i <= 5; ++i)
        EXPECT_EQ(window.Label1[i]->text(), "") << i;
    // An empty link opens nothing, but the window still closes.
    window.show();
    QTest::mouseClick(window.Label1[4], Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(links.opened.isEmpty());
}

TEST_F(FrmAboutTest, MailLinkKeepsTheWindowOpen) {
    frmAbout window(state, seams);
    window.show();
    QTest::mouseClick(window.Label1[1], Qt::LeftButton);
    ASSERT_EQ(links.opened.size(), 1);
    EXPECT_EQ(links.opened[0].toString(), "mailto:manager@example.org?cc=&ccn=&subject=Marigold Day Info");
    EXPECT_TRUE(window.isVisible());
}

TEST_F(FrmAboutTest, WebLinksCloseTheWindowThenOpen) {
    for (int label : {2, 3, 5}) {
        frmAbout window(state, seams);
        window.show();
        QTest::mouseClick(window.Label1[label], Qt::LeftButton);
        EXPECT_FALSE(window.isVisible()) << label;
    }
    ASSERT_EQ(links.opened.size(), 3);
    EXPECT_EQ(links.opened[0], QUrl("http://www.example.org"));
    EXPECT_EQ(links.opened[1], QUrl("https://qv.example.net/md"));
    EXPECT_EQ(links.opened[2], QUrl("http://e7.example"));
}

TEST_F(FrmAboutTest, AwardManagerCaptionClosesWithoutALink) {
    frmAbout window(state, seams);
    window.show();
    QTest::mouseClick(window.Label1[0], Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(links.opened.isEmpty());
}

TEST_F(FrmAboutTest, ClosesOnlyByTimerOrOk) {
    frmAbout window(state, seams);
    window.show();
    EXPECT_FALSE(window.close());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    window.Timer1_Timer();
    EXPECT_FALSE(window.isVisible());

    frmAbout again(state, seams);
    again.show();
    QTest::mouseClick(again.cmdOK, Qt::LeftButton);
    EXPECT_FALSE(again.isVisible());
    EXPECT_FALSE(again.Timer1->isActive());
}

// Without a mouse: Tab reaches each link that leads somewhere, and Enter follows it as a click does.
TEST_F(FrmAboutTest, LinksAreFollowedWithTheKeyboard) {
    state.SettingsEntries[5] = QString(); // Label1_4 leads nowhere
    frmAbout window(state, seams);
    window.show();
    QApplication::setActiveWindow(&window);
    QStringList reached;
    for (int i = 0; i < 12; ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        reached.append(QApplication::focusWidget()->objectName());
    }
    for (const char* link : {"Label1_0", "Label1_1", "Label1_2", "Label1_3", "Label1_5"})
        EXPECT_TRUE(reached.contains(QLatin1String(link))) << link;
    EXPECT_FALSE(reached.contains(QStringLiteral("Label1_4")));

    window.Label1[1]->setFocus();
    QTest::keyClick(window.Label1[1], Qt::Key_Return);
    ASSERT_EQ(links.opened.size(), 1);
    EXPECT_TRUE(links.opened[0].toString().startsWith("mailto:manager@example.org"));
    EXPECT_TRUE(window.isVisible());
}
