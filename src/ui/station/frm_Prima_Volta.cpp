#include "ui/station/frm_Prima_Volta.h"

#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/app/StationState.h"
#include "core/station/PrimeFile.h"
#include "core/station/StationIdentifier.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Seams.h"
#include "ui/kit/SpokenChoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

namespace qvmd {

frm_Prima_Volta::frm_Prima_Volta(AppState& state, Seams& seams, QWidget* parent)
    : StationFormBase(state, seams, parent) {
    setObjectName(QStringLiteral("frm_Prima_Volta"));
    // Closing from the title bar writes nothing; the start routine then ends the program.
    allowCloseBox();
    // Escape never ends a registration half-way.
    refuseEscape();
    stationKind_ = 1;

    Label9->setProperty("tag", QStringLiteral("1111"));
    Label10->setProperty("tag", QStringLiteral("1110"));
    cmd_Save->setProperty("tag", QStringLiteral("1031"));

    auto* languageLabel = new QLabel(QStringLiteral("Select language"), this);
    languageLabel->setObjectName(QStringLiteral("Label8"));
    languageLabel->setProperty("tag", QStringLiteral("1081"));
    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->addItems({QStringLiteral("Italiano"), QStringLiteral("English")});
    Combo1->setCurrentIndex(state.LanguageOffset == 0 ? 0 : 1);
    languageLabel->setBuddy(Combo1);
    setNameTag(Combo1, "1081");
    speakChoice(*Combo1);
    connect(Combo1, &QComboBox::activated, this, &frm_Prima_Volta::Combo1_Click);
    grid()->addWidget(languageLabel, 3, 3);
    grid()->addWidget(Combo1, 4, 3);

    cmd_aggiorn = new QPushButton(QStringLiteral("Updates"), this);
    cmd_aggiorn->setObjectName(QStringLiteral("cmd_aggiorn"));
    cmd_aggiorn->setProperty("tag", QStringLiteral("1147"));
    keepPlaceWhenHidden(cmd_aggiorn);
    cmd_aggiorn->hide();
    buttonRow()->insertWidget(0, cmd_aggiorn);
    connect(cmd_aggiorn, &QPushButton::clicked, this, &frm_Prima_Volta::cmd_aggiorn_Click);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Prima_Volta::cmd_Close_Click);

    // Member mode with an empty form: "QV" in the locked club box and no category yet.
    Text2[0]->setText(MemberClub.toString());
    applyModeLocks(false);
    showTitleFor(false);
    setOptionsVisible(false);
    finishForm();
    Text1[0]->setFocus();
}

void frm_Prima_Volta::Combo1_Click(int index) {
    state_.LanguageOffset = Combo1->itemText(index) == QLatin1String("Italiano") ? 0 : 1000;
    localise();
}

void frm_Prima_Volta::cmd_Close_Click() {
    seams_.requestEnd();
    closeWith(QDialog::Rejected);
}

void frm_Prima_Volta::cmd_aggiorn_Click() {
    emit updatesRequested();
    cmd_aggiorn->hide();
}

void frm_Prima_Volta::onUnitEnterInMemberMode() {
    cmd_Cerca_Click();
}

void frm_Prima_Volta::onNameEnter() {
    Combo1->setFocus();
}

void frm_Prima_Volta::onNotFound() {
    const QString text = messageText(1159) + QLatin1Char('\n') + messageText(1160);
    seams_.message(this, text, messageText(1114), Seams::Icon::Information);
    cmd_aggiorn->show();
}

void frm_Prima_Volta::onSwitched(bool generic) {
    setOptionsVisible(generic);
    if (generic)
        category_ = QStringLiteral("0");
    else
        cmd_Cerca->setEnabled(true);
}

bool frm_Prima_Volta::save() {
    const StationProfile profile = formProfile();
    const QDate today = state_.clock->now().date();
    const UseHeader header = UseHeader::noLog(profile.category, today.year());
    // Prime.dat marks the station as registered, so it is written last: a failure on the way never
    // leaves a registered program without its profile.
    // A file in place whose folder sync failed is written: the next one follows, and it is told at the end.
    WriteResult unconfirmed;
    auto written = [&](WriteResult result) {
        if (!inPlaceUnconfirmed(result))
            return result;
        unconfirmed = std::move(result);
        return WriteResult();
    };
    WriteResult failure = written(saveUseFile(state_, header, profile, stationKind_));
    if (!failure)
        failure = written(writeLangFile(state_.folder, state_.LanguageOffset));
    if (!failure)
        failure = written(writePrimeFile(state_.folder, stationKind_, profile.StationCallsign,
                                         profile.OperatorName, today));
    if (failure) {
        reportFileError(*failure);
        return false;
    }
    if (unconfirmed)
        reportFileError(*unconfirmed);
    state_.RegistrationState = 1;
    state_.RegisteredUnitId = profile.StationCallsign;
    state_.RegisteredName = profile.OperatorName;
    return true;
}

} // namespace qvmd
