#include "support/LogWindowFixture.h"

#include <QMessageBox>
#include <QStyle>

using namespace qvmd;
using qvmd::test::LogWindowFixture;

namespace {

// Shows every question as the program does and answers it as an operator in a hurry: a single Enter.
class EnterAnswersSeams : public test::TestSeams {
public:
    std::vector<QMessageBox::Icon> icons;

    bool ask(QWidget* parent, const QString& text, const QString& title, Icon icon, Default answer) override {
        TestSeams::ask(parent, text, title, icon, answer);
        const std::unique_ptr<QMessageBox> box = makeQuestionBox(parent, text, title, icon, answer);
        box->show();
        QTest::keyClick(box.get(), Qt::Key_Return);
        icons.push_back(box->icon());
        return box->clickedButton() == box->button(QMessageBox::Yes);
    }
};

class LogWindowAsStored : public LogWindowFixture {
protected:
    frm_Log& openWith(test::TestSeams& questions) {
        window = std::make_unique<frm_Log>(state, questions, nullptr);
        window->show();
        return *window;
    }
};

const QString longReceived = QStringLiteral("1234567890123456789012345");

} // namespace

TEST_F(LogWindowAsStored, AReceivedNumberComesBackAsStoredAndATypedOneStopsAtFiveDigits) {
    writeLog({"1>" + longReceived + ">2QV20>PAUL>H>France>06/05/2026 10:00:01>N>",
              "2>7>5QV12>ANNA>L>Spain>06/05/2026 10:00:02>N>"});
    const QString stored = logRecords().join(QLatin1Char('|'));
    open();
    pick(1);
    EXPECT_EQ(box(3)->text(), longReceived);
    enter(3); // written back untouched
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(logRecords().join(QLatin1Char('|')), stored);

    // A received number is typed up to the largest progressive's five digits; more are refused.
    window->cmd_Clear_Click();
    type(3, "1234567");
    EXPECT_EQ(box(3)->text(), "12345");
    pick(1); // a long number shown whole does not widen the box for what is typed next
    window->cmd_Clear_Click();
    type(3, "654321");
    EXPECT_EQ(box(3)->text(), "65432");

    // Nor while it is edited: typed over whole it takes five digits, typed after it none.
    pick(1);
    box(3)->setFocus();
    box(3)->end(false);
    type(3, "9");
    EXPECT_EQ(box(3)->text(), longReceived);
    QTest::keyClick(box(3), Qt::Key_A, Qt::ControlModifier);
    type(3, "1234567");
    EXPECT_EQ(box(3)->text(), "12345");
    QTest::keyClick(box(3), Qt::Key_Backspace);
    type(3, "89");
    EXPECT_EQ(box(3)->text(), "12348");
}

TEST_F(LogWindowAsStored, QuestionsAnsweredWithASingleEnter) {
    writeLog(contacts(4), true);
    EnterAnswersSeams questions;
    frm_Log& log = openWith(questions);

    // Enter in the delete question is No: the contact stays as it was.
    pick(2);
    click(log.cmd_Del);
    ASSERT_EQ(questions.questions.size(), 1u);
    EXPECT_EQ(questions.questions[0].title, "Delete");
    EXPECT_EQ(questions.icons[0], QMessageBox::Question);
    EXPECT_EQ(logRecords(), contacts(4));
    EXPECT_EQ(cell(2, 8), "N");

    // The blank-line question has no icon; Enter there still means Yes.
    click(log.cmd_Empty);
    ASSERT_EQ(questions.questions.size(), 2u);
    EXPECT_EQ(questions.questions[1].icon, Seams::Icon::None);
    EXPECT_EQ(questions.icons[1], QMessageBox::NoIcon);
    EXPECT_EQ(logRecords().size(), 5);
}

TEST_F(LogWindowAsStored, LongCountryNamesAndFiveDigitNumbersAreShownWhole) {
    const QString longest = QStringLiteral("Andaman & Nicobar Islands");
    state.countries = CountryTable::fromLines({"I>Italia", "F>France", "G>England", "DL>Germany", "EA>Spain",
                                               "HB>Switzerland", "OE>Austria", "ON>Belgium", "VU4>" + longest,
                                               "SP>Poland"});
    writeLog({"32000>32767>9QV9>LUCA>H>" + longest + ">06/05/2026 10:00:01>N>"});
    frm_Log& log = open();

    // The boxes show the program's own text from its start, after typing and after a pick alike.
    type(0, "9");
    EXPECT_EQ(box(6)->text(), longest);
    EXPECT_EQ(box(6)->cursorPosition(), 0);
    pick(1);
    EXPECT_EQ(box(6)->text(), longest);
    EXPECT_EQ(box(6)->cursorPosition(), 0);
    QTest::mouseClick(box(6), Qt::LeftButton, {}, box(6)->rect().center());
    QApplication::processEvents(); // the selection a click makes comes once the click has placed the cursor
    EXPECT_EQ(box(6)->cursorPosition(), 0);

    // Each column is as wide as its widest possible content and the cell's margins.
    GridControl& grid = *log.MSHFlexGrid1;
    const QFontMetrics metrics = grid.fontMetrics();
    const int margins = 2 * (grid.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &grid) + 1);
    struct Column {
        int column;
        QString widest;
    };
    for (const Column& c : {Column{1, "88888"}, Column{2, "88888"}, Column{6, longest}}) {
        const QRect cellRect = grid.visualRect(grid.model()->index(0, c.column));
        EXPECT_GE(cellRect.width(), metrics.horizontalAdvance(c.widest) + margins) << c.column;
    }
    EXPECT_LE(grid.geometry().right(), log.lbl_Points->geometry().left()); // the score table moved aside
}
