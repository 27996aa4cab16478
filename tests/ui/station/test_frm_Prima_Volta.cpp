#include "support/StationFixture.h"
#include "ui/kit/LiveStatusLabel.h"
#include "ui/station/frm_Prima_Volta.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QSignalSpy>

using namespace qvmd;
using namespace qvmd::test;

namespace {

class Registration : public StationWindowTest {
protected:
    Registration() { w.show(); }

    // The last message's text, title and icon.
    void expectMessage(const QString& text, Seams::Icon icon = Seams::Icon::Error) {
        ASSERT_FALSE(seams.messages.empty());
        EXPECT_EQ(seams.messages.back().text, text);
        EXPECT_EQ(seams.messages.back().title, "Error-checking");
        EXPECT_EQ(seams.messages.back().icon, icon);
    }

    frm_Prima_Volta w{state, seams};
};

} // namespace

TEST_F(Registration, NumberBoxesTakeDigitsWithoutLeadingZeros) {
    QTest::keyClicks(w.Text1[0], "05");
    EXPECT_EQ(w.Text1[0]->text(), "5");
    EXPECT_EQ(w.Text5->text(), "Spain");
    type(w.Text1[0], "0");
    EXPECT_EQ(w.Text1[0]->text(), "");
    EXPECT_EQ(w.Text5->text(), "");
    QTest::keyClicks(w.Text1[1], "1a2.-x");
    EXPECT_EQ(w.Text1[1]->text(), "12");
    // Pasted text is cleaned the same way.
    w.Text1[1]->clear();
    QApplication::clipboard()->setText("0x7y");
    QTest::keyClick(w.Text1[1], Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.Text1[1]->text(), "7");
    // A blank line of the table is a country without a name; N + 1 shows nothing.
    type(w.Text1[0], "4");
    EXPECT_EQ(w.Text5->text(), "Germany");
    type(w.Text1[0], "6");
    EXPECT_EQ(w.Text5->text(), "");
}

TEST_F(Registration, ClubAndNameUpperCaseAndKeepOnlyTheirCharacters) {
    QTest::keyClicks(w.Text2[0], "ab");
    EXPECT_EQ(w.Text2[0]->text(), "QV"); // locked in member mode
    click(w.Check1);
    typeChars(w.Text2[0], "ab1c é");
    EXPECT_EQ(w.Text2[0]->text(), "ABC");
    typeChars(w.Text2[1], "àèéìòùç d'a.1-b");
    EXPECT_EQ(w.Text2[1]->text(), "ÀÈÉÌÒÙÇ D'A.B");
    QApplication::clipboard()->setText(" x9ç");
    QTest::keyClick(w.Text2[1], Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.Text2[1]->text(), "ÀÈÉÌÒÙÇ D'A.B XÇ");
}

TEST_F(Registration, ShortcutsWorkAndEveryKeyGivesOneCharacter) {
    // "ß" has no capital of its own: it is dropped, not turned into "SS".
    click(w.Check1);
    typeChars(w.Text2[0], "ßa");
    EXPECT_EQ(w.Text2[0]->text(), "A");
    typeChars(w.Text2[1], "ßo");
    EXPECT_EQ(w.Text2[1]->text(), "O");

    // Ctrl+V pastes and the paste is cleaned; Ctrl+Z undoes instead of typing "Z".
    QApplication::clipboard()->setText("0012a");
    QTest::keyClick(w.Text1[0], Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(w.Text1[0]->text(), "12");
    QTest::keyClicks(w.Text2[1], "k");
    QTest::keyClick(w.Text2[1], Qt::Key_Z, Qt::ControlModifier);
    EXPECT_FALSE(w.Text2[1]->text().contains('Z'));
}

TEST_F(Registration, EnterOffTheEntryBoxesRunsNoSearch) {
    QApplication::setActiveWindow(&w);
    fillGeneric(w, "5", "ABC", "7", "MARIO");
    QTest::keyClick(w.Text2[1], Qt::Key_Return);
    ASSERT_EQ(w.focusWidget(), w.Combo1);
    QTest::keyClick(w.Combo1, Qt::Key_Return);
    w.Check1->setFocus();
    QTest::keyClick(w.Check1, Qt::Key_Return);
    EXPECT_EQ(w.Text2[1]->text(), "MARIO");
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_TRUE(w.isVisible());
    // A focused button still takes its own Enter.
    w.cmd_Cerca->setFocus();
    QTest::keyClick(w.cmd_Cerca, Qt::Key_Return);
    EXPECT_EQ(seams.lastMessageText(), "Callsign not Found\nCan you try to update");
}

TEST_F(Registration, EnterMovesOnButNotFromAnEmptyBox) {
    w.Text1[0]->setFocus();
    QTest::keyClick(w.Text1[0], Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.Text1[0]);
    QTest::keyClicks(w.Text1[0], "5");
    QTest::keyClick(w.Text1[0], Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.Text1[1]); // member mode skips the locked club

    click(w.Check1);
    EXPECT_EQ(w.focusWidget(), w.Text1[0]);
    QTest::keyClicks(w.Text1[0], "5");
    QTest::keyClick(w.Text1[0], Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.Text2[0]);
    QTest::keyClicks(w.Text2[0], "ab");
    QTest::keyClick(w.Text2[0], Qt::Key_Enter);
    EXPECT_EQ(w.focusWidget(), w.Text1[1]);
    QTest::keyClicks(w.Text1[1], "7");
    QTest::keyClick(w.Text1[1], Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.Text2[1]);
    QTest::keyClicks(w.Text2[1], "xy");
    QTest::keyClick(w.Text2[1], Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.Combo1);
    EXPECT_TRUE(seams.messages.empty());
}

TEST_F(Registration, FocusSelectsTheWholeText) {
    QApplication::setActiveWindow(&w);
    QTest::keyClicks(w.Text1[1], "123");
    w.Text1[0]->setFocus();
    w.Text1[1]->setFocus();
    EXPECT_EQ(w.Text1[1]->selectedText(), "123");
}

TEST_F(Registration, ValidationReportsOneRuleAtATimeAndFocusesTheBox) {
    fillGeneric(w, "6", "ABC", "7", "AB");
    click(w.cmd_Save);
    expectMessage("Wrong Prefix");
    EXPECT_EQ(w.focusWidget(), w.Text1[0]);

    type(w.Text1[0], "5");
    type(w.Text1[1], "3001");
    click(w.cmd_Save);
    expectMessage("Wrong Unit Number");
    EXPECT_EQ(w.focusWidget(), w.Text1[1]);

    // 3000 passes: the next rule to fail is the category.
    type(w.Text1[1], "3000");
    click(w.cmd_Save);
    expectMessage("You have to choose: LADY or  HUNTER");
    EXPECT_EQ(w.errorCode(), StationFormBase::NoCategory);

    type(w.Text2[0], "QV");
    click(w.cmd_Save);
    expectMessage("A Generic Station can not be QV");
    EXPECT_EQ(w.focusWidget(), w.Text2[0]);
    type(w.Text2[0], "ABCDEF");
    click(w.cmd_Save);
    expectMessage("Club must be between 1 and 5 characters");
    EXPECT_EQ(w.errorCode(), StationFormBase::ClubLength);

    type(w.Text2[0], "ABCDE");
    type(w.Text2[1], "A ");
    click(w.cmd_Save);
    expectMessage("The Name is Missing or too short");
    EXPECT_EQ(w.focusWidget(), w.Text2[1]);
    EXPECT_EQ(w.result(), 0);
    EXPECT_FALSE(dataFiles().contains("Use.dat"));
}

// After a validation message the box's text is selected, so the next typing replaces it.
TEST_F(Registration, TypingAfterAValidationMessageReplacesTheText) {
    struct Case {
        QLineEdit* box;
        const char* wrong;
        const char* retyped;
    };
    fillGeneric(w, "5", "ABC", "7", "MARIO");
    const Case cases[] = {{w.Text1[0], "342", "341"},
                          {w.Text1[1], "3420", "12"},
                          {w.Text2[0], "QV", "AB"},
                          {w.Text2[1], "A", "MARIA"}};
    for (const Case& c : cases) {
        const QString before = c.box->text();
        type(c.box, c.wrong);
        c.box->setFocus();
        click(w.cmd_Save);
        ASSERT_FALSE(seams.messages.empty()) << c.wrong;
        seams.messages.clear();
        EXPECT_EQ(w.focusWidget(), c.box) << c.wrong;
        QTest::keyClicks(c.box, c.retyped);
        EXPECT_EQ(c.box->text(), QString(c.retyped));
        type(c.box, before);
    }
}

TEST_F(Registration, MemberFoundAsLadyWithAnEmptyName) {
    QTest::keyClicks(w.Text1[0], "5");
    QTest::keyClicks(w.Text1[1], "123");
    QTest::keyClick(w.Text1[1], Qt::Key_Return); // Enter in the unit box runs Find
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(w.Text2[1]->text(), "ANNA ROSSI");
    EXPECT_TRUE(w.Text2[1]->isReadOnly());
    EXPECT_EQ(w.category(), "L");
    EXPECT_TRUE(w.found());
    EXPECT_TRUE(w.Label20->isVisible());
    EXPECT_FALSE(w.Label19->isVisible());
    // Said as it shows, with the name found: the focus does not go there.
    EXPECT_EQ(w.Label20->spokenText(), "ANNA ROSSI, " + w.Label20->text());
    EXPECT_FALSE(w.opt_Scelta[0]->isVisible());
    EXPECT_FALSE(w.opt_Scelta[1]->isVisible());
    EXPECT_TRUE(w.opt_Scelta[0]->isChecked());
    EXPECT_TRUE(isGreen(w.opt_Scelta[0]));
}

TEST_F(Registration, NotFoundOffersUpdatesNameAndOptions) {
    QSignalSpy updates(&w, &frm_Prima_Volta::updatesRequested);
    QTest::keyClicks(w.Text1[0], "5");
    QTest::keyClicks(w.Text1[1], "999");
    click(w.cmd_Cerca);
    ASSERT_EQ(seams.messages.size(), 1u);
    expectMessage("Callsign not Found\nCan you try to update", Seams::Icon::Information);
    EXPECT_TRUE(w.cmd_aggiorn->isVisible());
    EXPECT_TRUE(w.opt_Scelta[0]->isVisible());
    EXPECT_TRUE(w.opt_Scelta[1]->isVisible());
    EXPECT_FALSE(w.opt_Scelta[0]->isChecked() || w.opt_Scelta[1]->isChecked());
    EXPECT_EQ(w.category(), "0");
    EXPECT_FALSE(w.Text2[1]->isReadOnly());
    EXPECT_EQ(w.focusWidget(), w.Text2[1]);
    EXPECT_EQ(w.Text5->text(), "Spain");

    click(w.cmd_aggiorn);
    EXPECT_EQ(updates.count(), 1);
    EXPECT_FALSE(w.cmd_aggiorn->isVisible());
}

TEST_F(Registration, OptionsColourTheChoiceAndNeverUntick) {
    click(w.Check1);
    click(w.opt_Scelta[1]);
    EXPECT_EQ(w.category(), "H");
    EXPECT_TRUE(w.opt_Scelta[1]->isChecked());
    EXPECT_TRUE(isGreen(w.opt_Scelta[1]));
    EXPECT_FALSE(isGreen(w.opt_Scelta[0]));
    EXPECT_EQ(w.opt_Scelta[1]->text(), "I'm a hunter");
    EXPECT_EQ(w.opt_Scelta[0]->text(), "Lady");
    click(w.opt_Scelta[1]);
    EXPECT_TRUE(w.opt_Scelta[1]->isChecked());

    click(w.opt_Scelta[0]);
    EXPECT_EQ(w.category(), "L");
    EXPECT_FALSE(w.opt_Scelta[1]->isChecked());
    EXPECT_TRUE(isGreen(w.opt_Scelta[0]));
    EXPECT_FALSE(isGreen(w.opt_Scelta[1]));
    EXPECT_EQ(w.opt_Scelta[0]->text(), "I'm a Lady");
    EXPECT_EQ(w.opt_Scelta[1]->text(), "Hunter");

    // The switch clears the choice and returns to member mode.
    click(w.Check1);
    EXPECT_FALSE(w.opt_Scelta[0]->isChecked());
    EXPECT_FALSE(w.opt_Scelta[0]->isVisible());
    EXPECT_EQ(w.opt_Scelta[0]->text(), "Lady");
    EXPECT_EQ(w.Text2[0]->text(), "QV");
    EXPECT_EQ(w.stationKind(), 1);
    EXPECT_TRUE(w.Label9->isVisible());
    EXPECT_EQ(w.Label9->text(), "Registration Station QV");
}

TEST_F(Registration, LanguageListRelocalisesAtOnce) {
    EXPECT_EQ(w.Label10->text(), "Registration  General Station ");
    emit w.Combo1->activated(0);
    EXPECT_EQ(state.LanguageOffset, 0);
    EXPECT_EQ(w.cmd_Save->text(), state.strings->text(1031).value());
    EXPECT_EQ(w.findChild<QLabel*>("Label5")->text(), state.strings->text(1040).value());
    EXPECT_NE(w.cmd_Save->text(), "Save");
    emit w.Combo1->activated(1);
    EXPECT_EQ(state.LanguageOffset, 1000);
    EXPECT_EQ(w.cmd_Save->text(), "Save");
}

TEST_F(Registration, StationInBothRostersIsSavedAsHunter) {
    QTest::keyClicks(w.Text1[0], "2");
    QTest::keyClicks(w.Text1[1], "300");
    click(w.cmd_Cerca);
    EXPECT_EQ(w.Text2[1]->text(), "JEAN BLEU");
    EXPECT_EQ(w.category(), "H");
    EXPECT_TRUE(w.Label19->isVisible());
    EXPECT_EQ(w.Label19->spokenText(), "JEAN BLEU, " + w.Label19->text());

    click(w.cmd_Save);
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(folder.readData("Prime.dat"), crlf({"1", "1", "2QV300", "JEAN BLEU", "06/03/2015"}));
    EXPECT_EQ(folder.readData("Lang.dat"), "1000\r\n");
    EXPECT_EQ(folder.readData("Use.dat"),
              crlf({"0", "0", "H", "0", "2015", "2QV300", "JEAN BLEU", "2", "QV", "300", "1"}));
    EXPECT_EQ(state.RegistrationState, 1);
    EXPECT_EQ(state.profile.StationCallsign, "2QV300");
    EXPECT_EQ(state.profile.OperatorName, "JEAN BLEU");
    EXPECT_EQ(state.profile.category, "H");
    EXPECT_EQ(state.StationKind, 1);
    EXPECT_EQ(state.log.LogInUse, 0);
    EXPECT_FALSE(seams.endRequested());
}

TEST_F(Registration, GenericStationSavesItsTypeAndTrimmedName) {
    fillGeneric(w, "5", "abc", "7", "");
    typeChars(w.Text2[1], "Lucìa d'Arco ");
    click(w.opt_Scelta[0]);
    emit w.Combo1->activated(0);
    click(w.cmd_Save);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(folder.readData("Prime.dat"), crlf({"1", "2", "5ABC7", "LUCÌA D'ARCO", "06/03/2015"}));
    EXPECT_EQ(folder.readData("Lang.dat"), "0\r\n");
    EXPECT_EQ(folder.readData("Use.dat"),
              crlf({"0", "0", "L", "0", "2015", "5ABC7", "LUCÌA D'ARCO", "5", "ABC", "7", "2"}));
    EXPECT_EQ(state.StationKind, 2);
}

TEST_F(Registration, FailedWriteIsReportedAndTheWindowStaysOpen) {
    folder.writeData("Prime.dat", {"0"});
    QDir(folder.path()).mkpath("Data/Lang.dat"); // a folder in the way: the write must fail
    fillGeneric(w, "5", "ABC", "7", "ANNA");
    click(w.opt_Scelta[1]);
    click(w.cmd_Save);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
    EXPECT_TRUE(seams.messages[0].text.contains("Lang.dat"));
    EXPECT_TRUE(w.isVisible());
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(folder.readData("Prime.dat"), "0\r\n");
    EXPECT_EQ(state.RegistrationState, 0);
}

TEST_F(Registration, MissingRosterIsReportedAndTheSearchGoesOn) {
    QFile::remove(folder.data("Hunter.dat"));
    QTest::keyClicks(w.Text1[0], "5");
    QTest::keyClicks(w.Text1[1], "123");
    click(w.cmd_Cerca);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
    EXPECT_TRUE(seams.messages[0].text.contains("Hunter.dat"));
    EXPECT_EQ(w.Text2[1]->text(), "ANNA ROSSI");
}

TEST_F(Registration, ExitWritesNothingAndEndsTheProgram) {
    const QStringList before = dataFiles();
    fillGeneric(w, "5", "ABC", "7", "ANNA");
    click(w.opt_Scelta[1]);
    click(w.cmd_Close);
    EXPECT_TRUE(seams.endRequested());
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_EQ(dataFiles(), before);
}

TEST_F(Registration, CloseBoxClosesWithoutWritingOrEnding) {
    const QStringList before = dataFiles();
    EXPECT_TRUE(w.close());
    EXPECT_FALSE(seams.endRequested());
    EXPECT_EQ(dataFiles(), before);
}
