#include "core/app/AppState.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"
#include "support/TestSeams.h"
#include "ui/kit/GridControl.h"
#include "ui/refdata/frm_country.h"

#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QColor pureGreen(0, 255, 0);

class CountryWindow : public ::testing::Test {
protected:
    void useCountries(const QStringList& lines, std::initializer_list<int> worked = {}) {
        state.countries = CountryTable::fromLines(lines);
        state.worked = WorkedCountries(state.countries.count());
        for (int number : worked)
            state.worked.mark(number);
    }

    // Green on the program's three columns of a row, and nowhere else on it.
    static bool isGreenRow(const GridControl& grid, int row) {
        return !grid.cellBackground(row, 0).isValid() && grid.cellBackground(row, 1) == pureGreen &&
               grid.cellBackground(row, 2) == pureGreen && grid.cellBackground(row, 3) == pureGreen;
    }
    static int greenRows(const GridControl& grid) {
        int count = 0;
        for (int row = 1; row < grid.rows(); ++row)
            count += grid.cellBackground(row, 1).isValid() ? 1 : 0;
        return count;
    }

    test::TempProgramFolder folder;
    AppState state{folder.path()};
    test::TestSeams seams;
};

const QStringList threeCountries = {QStringLiteral("VE>Canada"), QStringLiteral("YA>Afghanistan"),
                                    QStringLiteral("KL>Alaska")};

} // namespace

TEST_F(CountryWindow, OpensOnAllCountriesWithNothingWorked) {
    useCountries(threeCountries);
    frm_country window(state, seams);

    const GridControl& all = *window.MSHFlexGrid1;
    EXPECT_EQ(all.rows(), 5); // header, three countries, one empty row
    EXPECT_EQ(all.textMatrix(1, 1), "VE");
    EXPECT_EQ(all.textMatrix(2, 2), "Afghanistan");
    EXPECT_EQ(all.textMatrix(3, 3), "");
    EXPECT_EQ(all.textMatrix(4, 2), "");
    EXPECT_EQ(all.textMatrix(2, 0), ""); // the fixed column stays empty
    EXPECT_EQ(greenRows(all), 0);

    EXPECT_EQ(window.workedCount(), 0);
    EXPECT_EQ(window.MSHFlexGrid2->rows(), 2);
    EXPECT_EQ(window.MSHFlexGrid2->textMatrix(1, 1), "");

    EXPECT_EQ(window.Text1->text(), "3");
    EXPECT_FALSE(window.MSHFlexGrid1->isHidden());
    EXPECT_TRUE(window.MSHFlexGrid2->isHidden());
    EXPECT_FALSE(window.cmd_order[1]->isHidden());
    EXPECT_TRUE(window.cmd_order[0]->isHidden());
    EXPECT_EQ(window.cmd_order[0]->geometry(), window.cmd_order[1]->geometry());

    QTest::mouseClick(window.cmd_order[1], Qt::LeftButton);
    EXPECT_EQ(window.Text1->text(), "0");
}

TEST_F(CountryWindow, ACountryWorkedTwiceIsOneGreenRow) {
    // Two contacts with stations of country 2 mark it twice.
    useCountries(threeCountries, {2, 2});
    frm_country window(state, seams);

    const GridControl& all = *window.MSHFlexGrid1;
    EXPECT_EQ(greenRows(all), 1);
    EXPECT_TRUE(isGreenRow(all, 2));
    EXPECT_EQ(all.textMatrix(2, 3), "C");
    EXPECT_EQ(all.textMatrix(1, 3), "");

    const GridControl& worked = *window.MSHFlexGrid2;
    EXPECT_EQ(window.workedCount(), 1);
    EXPECT_EQ(worked.rows(), 3);
    EXPECT_EQ(worked.textMatrix(1, 1), "YA");
    EXPECT_EQ(worked.textMatrix(1, 2), "Afghanistan");
    EXPECT_EQ(worked.textMatrix(1, 3), "C");
    EXPECT_TRUE(isGreenRow(worked, 1));
    EXPECT_FALSE(worked.cellBackground(2, 1).isValid());
}

TEST_F(CountryWindow, ABlankLineKeepsItsCountryNumber) {
    useCountries(
        {QStringLiteral("VE>Canada"), QString(), QStringLiteral("KL>Alaska"), QStringLiteral("I>Italy")},
        {1, 3, 4});
    frm_country window(state, seams);

    const GridControl& all = *window.MSHFlexGrid1;
    EXPECT_EQ(all.rows(), 6);
    EXPECT_EQ(all.textMatrix(2, 1), "");
    EXPECT_EQ(all.textMatrix(2, 2), "");
    EXPECT_EQ(all.textMatrix(3, 2), "Alaska");
    EXPECT_TRUE(isGreenRow(all, 3));
    EXPECT_FALSE(all.cellBackground(2, 1).isValid());

    const GridControl& worked = *window.MSHFlexGrid2;
    EXPECT_EQ(window.workedCount(), 3);
    EXPECT_EQ(worked.textMatrix(1, 2), "Canada");
    EXPECT_EQ(worked.textMatrix(2, 2), "Alaska");
    EXPECT_EQ(worked.textMatrix(3, 2), "Italy");
    EXPECT_EQ(worked.rows(), 5);
}

TEST_F(CountryWindow, ButtonsSwapTheListsAndTheCount) {
    useCountries(threeCountries, {1, 3});
    frm_country window(state, seams);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    QTest::mouseClick(window.cmd_order[1], Qt::LeftButton);
    EXPECT_EQ(window.Text1->text(), "2");
    EXPECT_FALSE(window.MSHFlexGrid2->isHidden());
    EXPECT_TRUE(window.MSHFlexGrid1->isHidden());
    EXPECT_TRUE(window.cmd_order[1]->isHidden());
    EXPECT_FALSE(window.cmd_order[0]->isHidden());
    EXPECT_EQ(window.focusWidget(), window.cmd_Close);

    window.Text1->setFocus();
    QTest::mouseClick(window.cmd_order[0], Qt::LeftButton);
    EXPECT_EQ(window.Text1->text(), "3");
    EXPECT_FALSE(window.MSHFlexGrid1->isHidden());
    EXPECT_TRUE(window.MSHFlexGrid2->isHidden());
    EXPECT_FALSE(window.cmd_order[1]->isHidden());
    EXPECT_TRUE(window.cmd_order[0]->isHidden());
    EXPECT_EQ(window.focusWidget(), window.cmd_Close);
}

TEST_F(CountryWindow, LayoutAndTextsFollowTheLanguage) {
    useCountries(threeCountries);
    state.LanguageOffset = 0;
    frm_country italian(state, seams);
    EXPECT_EQ(italian.windowTitle(), "Collegati");
    EXPECT_EQ(italian.cmd_order[0]->text(), "Tutti i Paesi");

    state.LanguageOffset = 1000;
    frm_country english(state, seams);
    EXPECT_EQ(english.windowTitle(), "Connected");
    EXPECT_EQ(english.cmd_order[0]->text(), "All Country");
    EXPECT_EQ(english.cmd_order[1]->text(), "Connected");

    for (const GridControl* grid : {english.MSHFlexGrid1, english.MSHFlexGrid2}) {
        EXPECT_EQ(grid->cols(), 4);
        EXPECT_EQ(grid->textMatrix(0, 2), "Country");
        EXPECT_EQ(grid->textMatrix(0, 3), "Coll.");
        const int dpi = grid->logicalDpiX();
        EXPECT_EQ(grid->columnWidth(0), GridControl::twipsToPixels(300, dpi));
        EXPECT_EQ(grid->columnWidth(2), GridControl::twipsToPixels(3000, dpi));
        EXPECT_EQ(grid->columnWidth(3), GridControl::twipsToPixels(500, dpi));
        const auto alignment = [grid](int col) {
            return grid->model()->index(0, col).data(Qt::TextAlignmentRole).value<Qt::Alignment>();
        };
        EXPECT_EQ(alignment(1), Qt::AlignRight | Qt::AlignVCenter);
        EXPECT_EQ(alignment(2), Qt::AlignLeft | Qt::AlignVCenter);
        EXPECT_EQ(alignment(3), Qt::AlignCenter);
    }
}

TEST_F(CountryWindow, OnlyExitCloses) {
    useCountries(threeCountries);
    frm_country window(state, seams);
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

    EXPECT_FALSE(window.close());
    QTest::keyClick(&window, Qt::Key_Escape);
    EXPECT_TRUE(window.isVisible());

    QTest::mouseClick(window.cmd_Close, Qt::LeftButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(CountryWindow, EnterInAListSwapsNothing) {
    useCountries(threeCountries, {2});
    frm_country window(state, seams);
    window.show();
    QApplication::setActiveWindow(&window);

    QTest::mouseClick(window.cmd_order[1], Qt::LeftButton);
    window.MSHFlexGrid2->setFocus();
    QTest::keyClick(window.MSHFlexGrid2, Qt::Key_Return);
    EXPECT_FALSE(window.MSHFlexGrid2->isHidden());
    EXPECT_EQ(window.Text1->text(), "1");
    EXPECT_TRUE(window.isVisible());
}
