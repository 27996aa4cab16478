#include "ui/station/frm_Modif_ute.h"

#include "core/app/AppState.h"
#include "core/app/StationState.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/LiveStatusLabel.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace qvmd {

frm_Modif_ute::frm_Modif_ute(AppState& state, Seams& seams, QWidget* parent)
    : StationFormBase(state, seams, parent) {
    setObjectName(QStringLiteral("frm_Modif_ute"));

    Label9->setProperty("tag", QStringLiteral("1123"));
    Label10->setProperty("tag", QStringLiteral("1122"));
    cmd_Save->setText(QStringLiteral("Registra"));

    Text3 = new QLineEdit(this);
    Text3->setObjectName(QStringLiteral("Text3"));
    Text3->hide();

    cmd_modif = new QPushButton(QStringLiteral("Edit"), this);
    cmd_modif->setObjectName(QStringLiteral("cmd_modif"));
    cmd_modif->setProperty("tag", QStringLiteral("1124"));
    cmd_Clear = new QPushButton(QStringLiteral("Clear"), this);
    cmd_Clear->setObjectName(QStringLiteral("cmd_Clear"));
    setNameTag(cmd_Clear, "1418");
    buttonRow()->insertWidget(1, cmd_modif);
    buttonRow()->insertWidget(2, cmd_Clear);
    connect(cmd_modif, &QPushButton::clicked, this, &frm_Modif_ute::cmd_modif_Click);
    connect(cmd_Clear, &QPushButton::clicked, this, &frm_Modif_ute::cmd_Clear_Click);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Modif_ute::cmd_Close_Click);

    const StationProfile& profile = state.profile;
    Snapshot stored;
    stored.generic = state.StationKind == 2;
    stored.countryNumber = profile.countryNumber;
    stored.unitNumber = profile.unitNumber;
    stored.club = profile.club;
    stored.name = profile.OperatorName;
    stored.category = profile.category;
    stored.logName = state.log.LogInUseName;
    showValues(stored);
    setEditing(false);
    finishForm();
}

void frm_Modif_ute::showValues(const Snapshot& values) {
    Check1->setChecked(values.generic);
    stationKind_ = values.generic ? 2 : 1;
    Text1[0]->setText(values.countryNumber);
    Text1[1]->setText(values.unitNumber);
    Text2[0]->setText(values.club);
    Text2[1]->setText(values.name);
    Text3->setText(values.logName);
    // The snapshot's country name, when there is one; at open the country box has just filled it.
    if (!values.countryName.isNull())
        Text5->setText(values.countryName);
    category_ = values.category;
    if (category_ == QLatin1String("H") || category_ == QLatin1String("L"))
        chooseOption(category_);
    else
        clearOptions();
    setOptionsVisible(true);
    Label19->hide();
    Label20->hide();
    applyModeLocks(values.generic);
    showTitleFor(values.generic);
}

void frm_Modif_ute::setEditing(bool editing) {
    cmd_modif->setVisible(!editing);
    cmd_Clear->setVisible(editing);
    cmd_Save->setVisible(editing);
    cmd_Save->setEnabled(editing);
    for (QWidget* control : std::initializer_list<QWidget*>{Check1, cmd_Cerca, Text5, Text3})
        control->setEnabled(editing);
    // While the profile is only shown, its boxes and the chosen category are read only rather than
    // disabled: Tab and a screen reader reach them, so the profile is heard, and nothing can change it.
    for (QLineEdit* box : {Text1[0], Text1[1], Text2[0], Text2[1]})
        box->setReadOnly(!editing);
    if (editing)
        applyModeLocks(Check1->isChecked());
    for (QRadioButton* option : opt_Scelta)
        option->setEnabled(editing || option->isChecked());
}

void frm_Modif_ute::cmd_modif_Click() {
    snapshot_.generic = Check1->isChecked();
    snapshot_.countryNumber = Text1[0]->text();
    snapshot_.unitNumber = Text1[1]->text();
    snapshot_.club = Text2[0]->text();
    snapshot_.name = Text2[1]->text();
    snapshot_.countryName = Text5->text();
    snapshot_.category = category_;
    snapshot_.logName = Text3->text();
    setEditing(true);
    Text1[0]->setFocus();
}

void frm_Modif_ute::cmd_Clear_Click() {
    showValues(snapshot_);
    setEditing(false);
    cmd_modif->setFocus();
}

void frm_Modif_ute::cmd_Close_Click() {
    closeWith(QDialog::Rejected);
}

bool frm_Modif_ute::categoryMissing() const {
    return (!opt_Scelta[0]->isChecked() && !opt_Scelta[1]->isChecked()) || StationFormBase::categoryMissing();
}

void frm_Modif_ute::onUnitEnterInMemberMode() {
    cmd_Cerca->setFocus();
}

void frm_Modif_ute::onNameEnter() {
    // No language list here: the next step is saving, or finding when saving waits for a search.
    if (cmd_Save->isVisible() && cmd_Save->isEnabled())
        cmd_Save->setFocus();
    else
        cmd_Cerca->setFocus();
}

void frm_Modif_ute::afterSearch() {
    cmd_Save->setEnabled(true);
    Text2[1]->setReadOnly(false);
    Text2[1]->setFocus();
}

void frm_Modif_ute::onSwitched(bool generic) {
    // A member identifier must be found again before it can be saved.
    cmd_Save->setEnabled(generic);
    // A station found in the rosters hid the options; after the switch the category is chosen by hand.
    setOptionsVisible(true);
}

bool frm_Modif_ute::save() {
    const StationProfile profile = formProfile();
    const UseHeader header = UseHeader::noLog(category_, currentYear(state_));
    if (WriteResult failure = saveUseFile(state_, header, profile, stationKind_)) {
        reportFileError(*failure);
        if (!inPlaceUnconfirmed(failure))
            return false;
    }
    state_.RegistrationState = 1;
    return true;
}

} // namespace qvmd
