#include "core/app/AppState.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/shell/frm_Lang.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::TempProgramFolder;
using qvmd::test::TestSeams;

class FrmLangTest : public ::testing::Test {
protected:
    TempProgramFolder program;
    AppState state{program.path()};
    TestSeams seams;

    // Types text into the combo as the operator would, replacing what is there.
    static void type(frm_Lang& window, const QString& text) {
        window.cmb_Lang->lineEdit()->selectAll();
        QTest::keyClicks(window.cmb_Lang->lineEdit(), text);
    }
};

TEST_F(FrmLangTest, OpensOnItalianAndKeepsIt) {
    state.LanguageOffset = 1000;
    frm_Lang window(state, seams);
    EXPECT_EQ(window.windowTitle(), "Lingua - Language");
    EXPECT_EQ(window.cmb_Lang->count(), 2);
    EXPECT_EQ(window.cmb_Lang->itemText(1), "English");
    EXPECT_EQ(window.cmb_Lang->currentText(), "Italiano");
    window.show();
    QTest::mouseClick(window.cmb_ok, Qt::LeftButton);
    EXPECT_EQ(state.LanguageOffset, 0);
    EXPECT_EQ(program.readData("Lang.dat"), QByteArray("0\r\n"));
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_FALSE(window.isVisible());
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(FrmLangTest, AnyOtherTextChoosesEnglish) {
    for (const QString& text :
         {QStringLiteral("italiano"), QStringLiteral("English"), QStringLiteral("Italiano ")}) {
        state.LanguageOffset = 0;
        frm_Lang window(state, seams);
        type(window, text);
        window.cmb_ok_Click();
        EXPECT_EQ(state.LanguageOffset, 1000) << text.toStdString();
        EXPECT_EQ(program.readData("Lang.dat"), QByteArray("1000\r\n"));
    }
}

// Only the exact "Italiano" is Italian, however the typing ends: a click on OK or Enter in the box.
TEST_F(FrmLangTest, TypedLowerCaseItalianoChoosesEnglish) {
    for (const bool byEnter : {false, true}) {
        state.LanguageOffset = 0;
        frm_Lang window(state, seams);
        window.show();
        QApplication::setActiveWindow(&window);
        window.cmb_Lang->setFocus();
        type(window, "italiano");
        if (byEnter)
            QTest::keyClick(window.cmb_Lang->lineEdit(), Qt::Key_Return);
        else
            QTest::mouseClick(window.cmb_ok, Qt::LeftButton);
        EXPECT_FALSE(window.isVisible()) << byEnter;
        EXPECT_EQ(state.LanguageOffset, 1000) << byEnter;
        EXPECT_EQ(program.readData("Lang.dat"), QByteArray("1000\r\n")) << byEnter;
    }
}

TEST_F(FrmLangTest, TitleBarAndEscapeCannotCloseIt) {
    program.writeData("Lang.dat", {"1000"});
    frm_Lang window(state, seams);
    window.show();
    EXPECT_FALSE(window.close());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(program.readData("Lang.dat"), QByteArray("1000\r\n"));
}

TEST_F(FrmLangTest, FailedWriteIsToldAndTheChoiceStillHolds) {
    ASSERT_TRUE(QDir(program.data("")).removeRecursively());
    frm_Lang window(state, seams);
    window.show();
    type(window, "English");
    QTest::mouseClick(window.cmb_ok, Qt::LeftButton);
    EXPECT_EQ(state.LanguageOffset, 1000);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
    EXPECT_TRUE(seams.messages[0].text.startsWith("Cannot write the file"))
        << seams.messages[0].text.toStdString();
    EXPECT_TRUE(seams.messages[0].text.contains("Lang.dat"));
    EXPECT_FALSE(window.isVisible());
}
