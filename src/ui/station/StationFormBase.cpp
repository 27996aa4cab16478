#include "ui/station/StationFormBase.h"
#include "ui/kit/FormControls.h"

#include "core/app/AppState.h"
#include "core/common/FileErrorText.h"
#include "core/common/Numbers.h"
#include "core/refdata/Roster.h"
#include "core/station/StationIdentifier.h"
#include "core/station/StationProfile.h"
#include "ui/kit/Background.h"
#include "ui/kit/LiveStatusLabel.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/station/StationMessages.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qvmd {

StationFormBase::StationFormBase(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    setWindowTitle(QStringLiteral("QV_md"));

    Label9 = makeLabel(this, "Label9", QString());
    Label10 = makeLabel(this, "Label10", QString());
    for (QLabel* title : {Label9, Label10}) {
        QFont font = title->font();
        font.setBold(true);
        font.setPointSizeF(font.pointSizeF() * 1.4);
        title->setFont(font);
        title->setAlignment(Qt::AlignCenter);
        keepPlaceWhenHidden(title);
    }

    boxes_ = new StationBoxes(this);
    static_cast<StationEntryControls&>(*this) = *boxes_;
    connect(boxes_, &StationBoxes::enterPressed, this, &StationFormBase::handleEnter);
    connect(boxes_, &StationBoxes::numberChanged, this, &StationFormBase::showCountry);

    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Label2 = makeLabel(this, "Label2", QStringLiteral("Select to  non-QV Station"), "1109");
    Label2->setBuddy(Check1);
    connect(Check1, &QCheckBox::clicked, this, &StationFormBase::Check1_Click);

    options_ = std::make_unique<CategoryOptions>(this, [this] { localise(); });
    static_cast<CategoryControls&>(*this) = *options_;
    for (int i = 0; i < opt_Scelta.size(); ++i)
        connect(opt_Scelta[i], &QRadioButton::clicked, this, [this, i] { opt_Scelta_Click(i); });

    cmd_Cerca = new QPushButton(QStringLiteral("Find"), this);
    cmd_Cerca->setObjectName(QStringLiteral("cmd_Cerca"));
    cmd_Cerca->setProperty("tag", QStringLiteral("1045"));
    connect(cmd_Cerca, &QPushButton::clicked, this, &StationFormBase::cmd_Cerca_Click);

    cmd_Save = new QPushButton(QStringLiteral("Save"), this);
    cmd_Save->setObjectName(QStringLiteral("cmd_Save"));
    setNameTag(cmd_Save, "1031");
    connect(cmd_Save, &QPushButton::clicked, this, &StationFormBase::cmd_Save_Click);

    cmd_Close = new QPushButton(QStringLiteral("Exit"), this);
    cmd_Close->setObjectName(QStringLiteral("cmd_Close"));
    setNameTag(cmd_Close, "1001");

    messages_ = std::make_unique<StationMessages>(this);
    buildLayout();
}

StationFormBase::~StationFormBase() = default;

void StationFormBase::buildLayout() {
    grid_ = new QGridLayout;
    grid_->setHorizontalSpacing(12);
    grid_->addWidget(Label9, 0, 0, 1, 5);
    grid_->addWidget(Label10, 0, 0, 1, 5);
    // Each caption is tied to its box, so that a screen reader says the caption on entering the box; the
    // captions kept in English have a spoken name in the active language.
    const struct {
        const char* name;
        const char* text;
        const char* tag;
        QLineEdit* box;
        const char* nameTag;
    } captions[] = {
        {"Label3", "Prefix", nullptr, Text1[0], "1400"},
        {"Label4", "Club", nullptr, Text2[0], "1401"},
        {"Label5", "Unit", "1040", Text1[1], nullptr},
        {"Label6", "Name", "1041", Text2[1], nullptr},
    };
    int column = 0;
    for (const auto& caption : captions) {
        QLabel* label = makeLabel(this, caption.name, QString::fromLatin1(caption.text), caption.tag);
        label->setBuddy(caption.box);
        if (caption.nameTag)
            setNameTag(caption.box, caption.nameTag);
        grid_->addWidget(label, 1, column++);
    }
    grid_->addWidget(Text1[0], 2, 0);
    grid_->addWidget(Text2[0], 2, 1);
    grid_->addWidget(Text1[1], 2, 2);
    grid_->addWidget(Text2[1], 2, 3);
    grid_->addWidget(cmd_Cerca, 2, 4);
    QLabel* countryCaption = makeLabel(this, "Label7", QStringLiteral("Country"));
    countryCaption->setBuddy(Text5);
    setNameTag(Text5, "1402");
    grid_->addWidget(countryCaption, 3, 0, 1, 2);
    grid_->addWidget(Text5, 4, 0, 1, 3);

    auto* switchRow = new QHBoxLayout;
    switchRow->addWidget(Check1);
    switchRow->addWidget(Label2);
    switchRow->addStretch();
    grid_->addLayout(switchRow, 5, 0, 1, 2);
    // Side by side at their own width, so a chosen option's colour covers just its caption.
    auto* optionRow = new QHBoxLayout;
    optionRow->addWidget(opt_Scelta[0]);
    optionRow->addSpacing(16);
    optionRow->addWidget(opt_Scelta[1]);
    optionRow->addStretch();
    grid_->addLayout(optionRow, 5, 2, 1, 3);
    grid_->addWidget(Label19, 6, 2, 1, 2);
    grid_->addWidget(Label20, 6, 2, 1, 2);
    grid_->setRowMinimumHeight(6, Label19->sizeHint().height());

    buttonRow_ = new QHBoxLayout;
    buttonRow_->addStretch();
    buttonRow_->addWidget(cmd_Save);
    buttonRow_->addWidget(cmd_Close);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(18, 14, 18, 14);
    outer->addLayout(grid_);
    outer->addSpacing(10);
    outer->addLayout(buttonRow_);
}

void StationFormBase::finishForm() {
    localise();
    setFixedSize(sizeHint());
    paintBackground(*this, Backdrop::greenToYellow);
}

QColor StationFormBase::chosenColour() {
    return CategoryOptions::chosenColour();
}

void StationFormBase::localise() {
    Localise(*this, *state_.strings, state_.LanguageOffset);
}

QString StationFormBase::messageText(int id) {
    return messages_->text(id);
}

void StationFormBase::handleEnter(QLineEdit* box) {
    const bool generic = Check1->isChecked();
    if (box == Text1[0]) {
        (generic ? Text2[0] : Text1[1])->setFocus();
    } else if (box == Text2[0]) {
        Text1[1]->setFocus();
    } else if (box == Text1[1]) {
        if (generic)
            Text2[1]->setFocus();
        else
            onUnitEnterInMemberMode();
    } else {
        onNameEnter();
    }
}

void StationFormBase::showCountry() {
    const std::int64_t country = leadingNumber(Text1[0]->text().trimmed());
    const bool known = country >= 0 && country <= state_.countries.count();
    Text5->setText(known ? state_.countries.name(static_cast<int>(country)) : QString());
}

StationFormBase::ErrorCode StationFormBase::validate() {
    const IdentifierFault fault =
        identifierFault(leadingNumber(Text1[0]->text().trimmed()), leadingNumber(Text1[1]->text().trimmed()),
                        Text2[0]->text().trimmed(), Check1->isChecked(),
                        {static_cast<int>(state_.countries.count()), state_.MaxUnitNumber});
    switch (fault) {
    case IdentifierFault::Country:
        errorCode_ = WrongPrefix;
        break;
    case IdentifierFault::Unit:
        errorCode_ = WrongUnit;
        break;
    case IdentifierFault::GenericIsMember:
        errorCode_ = GenericIsQv;
        break;
    case IdentifierFault::ClubLength:
        errorCode_ = ClubLength;
        break;
    case IdentifierFault::None:
        if (Text2[1]->text().trimmed().size() < 2)
            errorCode_ = NameTooShort;
        else if (categoryMissing())
            errorCode_ = NoCategory;
        else
            errorCode_ = NoError;
        break;
    }
    return errorCode_;
}

bool StationFormBase::categoryMissing() const {
    return category_ == QLatin1String("0");
}

void StationFormBase::reportError(ErrorCode code) {
    struct Rule {
        int id;
        QLineEdit* focus;
    };
    const Rule rule = [&]() -> Rule {
        switch (code) {
        case WrongPrefix:
            return {1054, Text1[0]};
        case WrongUnit:
            return {1072, Text1[1]};
        case GenericIsQv:
            return {1112, Text2[0]};
        case ClubLength:
            return {1113, Text2[0]};
        case NameTooShort:
            return {1049, Text2[1]};
        case NoCategory:
        case NoError:
            break;
        }
        return {1117, nullptr};
    }();
    seams_.message(this, messageText(rule.id), messageText(1114), Seams::Icon::Error);
    if (rule.focus) {
        // The box may already hold the focus, so no focus event selects its text: select it here, so
        // that typing replaces the wrong value.
        rule.focus->setFocus();
        rule.focus->selectAll();
    }
}

void StationFormBase::reportFileError(const FileError& error) {
    // A file in place but unconfirmed is a warning: the save itself happened.
    seams_.message(this, fileErrorText(error, state_.LanguageOffset), messageText(1114),
                   error.kind == FileError::Kind::Unconfirmed ? Seams::Icon::Warning : Seams::Icon::Error);
}

StationProfile StationFormBase::formProfile() const {
    StationProfile profile;
    profile.countryNumber = Text1[0]->text().trimmed();
    profile.club = Text2[0]->text().trimmed();
    profile.unitNumber = Text1[1]->text().trimmed();
    profile.OperatorName = Text2[1]->text().trimmed();
    profile.StationCallsign = buildStationIdentifier(profile.countryNumber, profile.club, profile.unitNumber);
    profile.category = category_;
    return profile;
}

void StationFormBase::chooseOption(const QString& category) {
    options_->choose(category);
}

void StationFormBase::clearOptions() {
    options_->clear();
}

void StationFormBase::setOptionsVisible(bool visible) {
    options_->setVisible(visible);
}

void StationFormBase::applyModeLocks(bool generic) {
    Text2[0]->setReadOnly(!generic);
    Text2[1]->setReadOnly(!generic);
}

void StationFormBase::showTitleFor(bool generic) {
    Label9->setVisible(!generic);
    Label10->setVisible(generic);
}

void StationFormBase::opt_Scelta_Click(int index) {
    category_ = index == 1 ? QStringLiteral("H") : QStringLiteral("L");
    // A click on the chosen option would untick it; the choice always stays made.
    chooseOption(category_);
}

void StationFormBase::Check1_Click() {
    const bool generic = Check1->isChecked();
    options_->hideFound();
    clearOptions();
    Text2[0]->setText(generic ? QString() : MemberClub.toString());
    Text2[1]->clear();
    applyModeLocks(generic);
    showTitleFor(generic);
    stationKind_ = generic ? 2 : 1;
    onSwitched(generic);
    Text1[0]->clear();
    Text1[1]->clear();
    Text1[0]->setFocus();
}

void StationFormBase::cmd_Cerca_Click() {
    Text2[1]->clear();
    options_->hideFound();
    // A missing name does not stop the search: the rosters may know it.
    const ErrorCode code = validate();
    if (code != NoError && code != NameTooShort) {
        reportError(code);
        return;
    }
    const QString identifier = formProfile().StationCallsign;
    const RosterSearch search = searchRosters(state_.folder, identifier, RosterOrder::Registration);
    if (search.error)
        reportFileError(*search.error);
    found_ = search.found;
    if (found_) {
        Text2[1]->setText(search.entry.name);
        category_ = search.entry.category;
        chooseOption(category_);
        options_->showFound(category_, search.entry.name);
        setOptionsVisible(false);
    } else {
        onNotFound();
        // The operator chooses the category by hand, so the options must be there to choose from.
        clearOptions();
        setOptionsVisible(true);
        category_ = QStringLiteral("0");
    }
    showCountry();
    if (!found_) {
        Text2[1]->setReadOnly(false);
        Text2[1]->setFocus();
    }
    afterSearch();
}

void StationFormBase::cmd_Save_Click() {
    const ErrorCode code = validate();
    if (code != NoError) {
        reportError(code);
        return;
    }
    if (save())
        closeWith(QDialog::Accepted);
}

} // namespace qvmd
