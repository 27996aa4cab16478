#include "support/StationFixture.h"
#include "ui/station/frm_Modif_ute.h"

#include <QClipboard>
#include <QCloseEvent>
#include <QLineEdit>
#include <QRadioButton>

#include <memory>

using namespace qvmd;
using namespace qvmd::test;

namespace {

class ProfileEditor : public StationWindowTest {
protected:
    ProfileEditor() {
        state.profile = {"5QV123", "ANNA ROSSI", "5", "QV", "123", "L"};
        state.StationKind = 1;
        state.RegistrationState = 1;
        state.log = {1, "5QV123_MD_L_2014.Log", "N", "2014"};
    }

    frm_Modif_ute& open() {
        w = std::make_unique<frm_Modif_ute>(state, seams);
        w->show();
        return *w;
    }

    std::unique_ptr<frm_Modif_ute> w;
};

// What a person could change: a box that takes typing, the switch, Find, a category not chosen.
QList<QWidget*> changeable(frm_Modif_ute& w) {
    QList<QWidget*> found;
    for (QWidget* control :
         std::initializer_list<QWidget*>{w.Check1, w.cmd_Cerca, w.opt_Scelta[0], w.opt_Scelta[1]})
        if (control->isEnabled() && !(control != w.Check1 && control->property("checked").toBool()))
            found << control;
    for (QLineEdit* box : {w.Text1[0], w.Text1[1], w.Text2[0], w.Text2[1], w.Text5, w.Text3})
        if (box->isEnabled() && !box->isReadOnly() && !box->isHidden())
            found << box;
    return found;
}

// While the profile is only shown, Tab and a screen reader reach its boxes and its category.
QList<QWidget*> readWhileViewing(frm_Modif_ute& w) {
    return {w.Text1[0], w.Text2[0], w.Text1[1], w.Text2[1], w.opt_Scelta[0]};
}

} // namespace

TEST_F(ProfileEditor, OpensShowingTheProfileWithEverythingLocked) {
    frm_Modif_ute& w = open();
    EXPECT_EQ(w.Text1[0]->text(), "5");
    EXPECT_EQ(w.Text2[0]->text(), "QV");
    EXPECT_EQ(w.Text1[1]->text(), "123");
    EXPECT_EQ(w.Text2[1]->text(), "ANNA ROSSI");
    EXPECT_EQ(w.Text5->text(), "Spain");
    EXPECT_EQ(w.Text3->text(), "5QV123_MD_L_2014.Log");
    EXPECT_FALSE(w.Text3->isVisible());
    EXPECT_FALSE(w.Check1->isChecked());
    EXPECT_EQ(w.Label9->text(), "Edit QV Station");
    EXPECT_TRUE(w.Label9->isVisible());
    EXPECT_FALSE(w.Label10->isVisible());
    EXPECT_TRUE(w.opt_Scelta[0]->isChecked());
    EXPECT_FALSE(w.opt_Scelta[1]->isChecked());
    EXPECT_TRUE(changeable(w).isEmpty()) << changeable(w).first()->objectName().toStdString();
    for (QWidget* control : readWhileViewing(w))
        EXPECT_TRUE(control->isEnabled() && (control->focusPolicy() & Qt::TabFocus))
            << control->objectName().toStdString();
    EXPECT_FALSE(w.cmd_Save->isVisible());
    EXPECT_FALSE(w.cmd_Clear->isVisible());
    EXPECT_TRUE(w.cmd_modif->isVisible());
    EXPECT_EQ(w.cmd_modif->text(), "Edit");
    EXPECT_EQ(w.cmd_Save->text(), "Registra");
}

TEST_F(ProfileEditor, EditThenClearRestoresAndWritesNothing) {
    frm_Modif_ute& w = open();
    const QStringList before = dataFiles();
    click(w.cmd_modif);
    // A member's club and name come from the rosters: the rest can change.
    EXPECT_EQ(changeable(w),
              (QList<QWidget*>{w.Check1, w.cmd_Cerca, w.opt_Scelta[1], w.Text1[0], w.Text1[1]}));
    EXPECT_TRUE(w.cmd_Save->isVisible());
    EXPECT_TRUE(w.cmd_Clear->isVisible());
    EXPECT_FALSE(w.cmd_modif->isVisible());

    type(w.Text1[0], "2");
    type(w.Text1[1], "300");
    click(w.cmd_Cerca);
    EXPECT_EQ(w.Text2[1]->text(), "JEAN BLEU");
    EXPECT_EQ(w.category(), "H");
    click(w.Check1);

    click(w.cmd_Clear);
    EXPECT_FALSE(w.Check1->isChecked());
    EXPECT_EQ(w.Text1[0]->text(), "5");
    EXPECT_EQ(w.Text1[1]->text(), "123");
    EXPECT_EQ(w.Text2[0]->text(), "QV");
    EXPECT_EQ(w.Text2[1]->text(), "ANNA ROSSI");
    EXPECT_EQ(w.Text5->text(), "Spain");
    EXPECT_EQ(w.category(), "L");
    EXPECT_EQ(w.stationKind(), 1);
    EXPECT_TRUE(w.opt_Scelta[0]->isChecked());
    EXPECT_TRUE(w.opt_Scelta[0]->isVisible());
    EXPECT_FALSE(w.opt_Scelta[1]->isChecked());
    EXPECT_TRUE(changeable(w).isEmpty());
    EXPECT_TRUE(w.cmd_modif->isVisible());
    EXPECT_FALSE(w.cmd_Save->isVisible());
    EXPECT_EQ(dataFiles(), before);
    EXPECT_EQ(state.profile.StationCallsign, "5QV123");
    EXPECT_EQ(state.StationKind, 1);
}

TEST_F(ProfileEditor, UntickingTheSwitchDisablesSaveUntilTheNextFind) {
    state.profile = {"5ABC7", "ANNA ROSSI", "5", "ABC", "7", "H"};
    state.StationKind = 2;
    frm_Modif_ute& w = open();
    EXPECT_TRUE(w.Check1->isChecked());
    EXPECT_EQ(w.Label10->text(), "Edit Generic Station");
    EXPECT_TRUE(w.opt_Scelta[1]->isChecked());
    click(w.cmd_modif);
    click(w.Check1);
    EXPECT_FALSE(w.cmd_Save->isEnabled());
    EXPECT_EQ(w.Text2[0]->text(), "QV");
    EXPECT_TRUE(w.Text2[0]->isReadOnly());
    EXPECT_TRUE(w.opt_Scelta[0]->isVisible()); // the options stay in both modes
    EXPECT_EQ(w.Label9->text(), "Edit QV Station");

    QTest::keyClicks(w.Text1[0], "5");
    QTest::keyClicks(w.Text1[1], "999");
    QTest::keyClick(w.Text1[1], Qt::Key_Return); // moves to Find, does not search
    EXPECT_EQ(w.focusWidget(), w.cmd_Cerca);
    click(w.cmd_Cerca);
    EXPECT_TRUE(seams.messages.empty()); // no not-found box here
    EXPECT_TRUE(w.cmd_Save->isEnabled());
    EXPECT_FALSE(w.Text2[1]->isReadOnly());
    EXPECT_EQ(w.focusWidget(), w.Text2[1]);
    EXPECT_EQ(w.category(), "0");
}

TEST_F(ProfileEditor, AfterAFoundStationTheSwitchBringsTheOptionsBack) {
    frm_Modif_ute& w = open();
    click(w.cmd_modif);
    type(w.Text1[0], "2");
    type(w.Text1[1], "300");
    click(w.cmd_Cerca);
    EXPECT_FALSE(w.opt_Scelta[0]->isVisible()); // the rosters chose the category
    click(w.Check1);
    EXPECT_TRUE(w.opt_Scelta[0]->isVisible());
    EXPECT_TRUE(w.opt_Scelta[1]->isVisible());
    fillGeneric(w, "5", "ABC", "7", "ANNA");
    click(w.opt_Scelta[0]);
    click(w.cmd_Save);
    EXPECT_TRUE(seams.messages.empty());
    EXPECT_EQ(state.profile.category, "L");
}

TEST_F(ProfileEditor, EditingANameKeepsItsOtherCharacters) {
    // Roster names are free text: letters no key may type stay when the name is edited.
    state.profile = {"5ABC7", "JÜRGEN Ø. rizzo", "5", "ABC", "7", "H"};
    state.StationKind = 2;
    frm_Modif_ute& w = open();
    click(w.cmd_modif);
    w.Text2[1]->setFocus();
    w.Text2[1]->end(false);
    QTest::keyClick(w.Text2[1], Qt::Key_Backspace);
    typeChars(w.Text2[1], "o1é");
    EXPECT_EQ(w.Text2[1]->text(), "JÜRGEN Ø. rizzOÉ");
    w.Text2[1]->home(false);
    QApplication::clipboard()->setText("x-");
    QTest::keyClick(w.Text2[1], Qt::Key_Insert, Qt::ShiftModifier);
    EXPECT_EQ(w.Text2[1]->text(), "XJÜRGEN Ø. rizzOÉ");
    EXPECT_EQ(w.Text2[1]->cursorPosition(), 1);
}

TEST_F(ProfileEditor, SaveNeedsAChosenOptionEvenWithAStoredCategory) {
    frm_Modif_ute& w = open();
    click(w.cmd_modif);
    click(w.Check1); // deselects the options but keeps the category "L"
    EXPECT_EQ(w.category(), "L");
    fillGeneric(w, "5", "ABC", "7", "ANNA");
    click(w.cmd_Save);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_EQ(seams.messages[0].text, "You have to choose: LADY or  HUNTER");
    EXPECT_EQ(seams.messages[0].title, "Error-checking");
    EXPECT_FALSE(dataFiles().contains("Use.dat"));
}

TEST_F(ProfileEditor, SaveLeavesNoLogInUseAndFlagsTheChange) {
    frm_Modif_ute& w = open();
    click(w.cmd_modif);
    fillGeneric(w, "5", "ABC", "7", "ANNA ROSSI");
    click(w.opt_Scelta[1]);
    QTest::keyClick(w.Text2[1], Qt::Key_Return);
    EXPECT_EQ(w.focusWidget(), w.cmd_Save);
    click(w.cmd_Save);
    EXPECT_EQ(seams.lastMessageText(), "");
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_EQ(folder.readData("Use.dat"),
              crlf({"0", "0", "H", "0", "2015", "5ABC7", "ANNA ROSSI", "5", "ABC", "7", "2"}));
    EXPECT_EQ(dataFiles(), QStringList({"Hunter.dat", "Lady.dat", "Prefix.dat", "Use.dat"}));
    EXPECT_EQ(state.RegistrationState, 1);
    EXPECT_EQ(state.log.LogInUse, 0);
    EXPECT_EQ(state.profile.StationCallsign, "5ABC7");
    EXPECT_EQ(state.profile.club, "ABC");
    EXPECT_EQ(state.profile.category, "H");
    EXPECT_EQ(state.StationKind, 2);
}

TEST_F(ProfileEditor, FailedSaveIsReportedAndChangesNothing) {
    QDir(folder.path()).mkpath("Data/Use.dat"); // a folder in the way: the write must fail
    frm_Modif_ute& w = open();
    click(w.cmd_modif);
    fillGeneric(w, "5", "ABC", "7", "ANNA");
    click(w.opt_Scelta[1]);
    click(w.cmd_Save);
    ASSERT_EQ(seams.messages.size(), 1u);
    EXPECT_TRUE(seams.messages[0].text.contains("Use.dat"));
    EXPECT_EQ(seams.messages[0].icon, Seams::Icon::Error);
    EXPECT_TRUE(w.isVisible());
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_EQ(state.profile.StationCallsign, "5QV123");
    EXPECT_EQ(state.log.LogInUse, 1);
}

TEST_F(ProfileEditor, TitleBarCloseIsRefusedAndExitDiscards) {
    frm_Modif_ute& w = open();
    click(w.cmd_modif);
    click(w.Check1);
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    QTest::keyClick(&w, Qt::Key_Escape);
    EXPECT_TRUE(w.isVisible());
    click(w.cmd_Close);
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(seams.endRequested());
    EXPECT_EQ(state.StationKind, 1);
    EXPECT_NE(w.result(), QDialog::Accepted);
    EXPECT_FALSE(dataFiles().contains("Use.dat"));
}
