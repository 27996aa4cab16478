#include "ui/station/StationFormBase.h"
#include "ui/kit/FormControls.h"

#include "core/app/AppState.h"
#include "core/common/EntryCharacters.h"
#include "core/common/FileErrorText.h"
#include "core/common/Numbers.h"
#include "core/refdata/Roster.h"
#include "core/station/StationProfile.h"
#include "ui/kit/Background.h"
#include "ui/kit/EntryKeyFilter.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace qvmd {

namespace {

const QString clubOfMembers = QStringLiteral("QV");

// Ids of the hidden labels that hold the messages, with their control names.
struct MessageId {
    int id;
    const char* name;
};
constexpr MessageId messageIds[] = {
    {1054, "Label11"}, {1072, "Label12"}, {1112, "Label13"}, {1113, "Label14"}, {1049, "Label15"},
    {1117, "Label16"}, {1114, "Label17"}, {1159, "Label18"}, {1160, "Label21"},
};

QLineEdit* makeBox(QWidget* parent, const QString& name, int width) {
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setFixedWidth(width);
    return box;
}

// Controls that come and go keep their place, so the fixed form does not shift.
void keepPlaceWhenHidden(QWidget* widget) {
    QSizePolicy policy = widget->sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    widget->setSizePolicy(policy);
}

} // namespace

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

    Text1 = {makeBox(this, QStringLiteral("Text1_0"), 60), makeBox(this, QStringLiteral("Text1_1"), 70)};
    Text2 = {makeBox(this, QStringLiteral("Text2_0"), 80), makeBox(this, QStringLiteral("Text2_1"), 220)};
    // Tab order follows the row: country, club, unit, name.
    const QList<QLineEdit*> entries = {Text1[0], Text2[0], Text1[1], Text2[1]};
    for (qsizetype i = 1; i < entries.size(); ++i)
        setTabOrder(entries[i - 1], entries[i]);
    auto* keys = new EntryKeyFilter(
        {[this](const QLineEdit* box, QChar c) { return entryAdmits(kindOf(box), c); }}, this);
    connect(keys, &EntryKeyFilter::enterPressed, this, &StationFormBase::handleEnter);
    for (QLineEdit* box : entries)
        keys->watch(box);
    for (QLineEdit* box : Text1)
        connect(box, &QLineEdit::textChanged, this, [this, box] { numberChanged(box); });

    Text5 = new QLineEdit(this);
    Text5->setObjectName(QStringLiteral("Text5"));
    Text5->setReadOnly(true);
    Text5->setFocusPolicy(Qt::NoFocus);

    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Label2 = makeLabel(this, "Label2", QStringLiteral("Select to  non-QV Station"), "1109");
    Label2->setBuddy(Check1);
    connect(Check1, &QCheckBox::clicked, this, &StationFormBase::Check1_Click);

    opt_Scelta = {new QRadioButton(QStringLiteral("Lady"), this),
                  new QRadioButton(QStringLiteral("Hunter"), this)};
    opt_Scelta[0]->setObjectName(QStringLiteral("opt_Scelta_0"));
    opt_Scelta[1]->setObjectName(QStringLiteral("opt_Scelta_1"));
    opt_Scelta[0]->setProperty("tag", QStringLiteral("1121"));
    opt_Scelta[1]->setProperty("tag", QStringLiteral("1116"));
    for (int i = 0; i < opt_Scelta.size(); ++i) {
        // Both may be unchosen, so exclusivity is kept by hand.
        opt_Scelta[i]->setAutoExclusive(false);
        keepPlaceWhenHidden(opt_Scelta[i]);
        connect(opt_Scelta[i], &QRadioButton::clicked, this, [this, i] { opt_Scelta_Click(i); });
    }

    Label19 = makeLabel(this, "Label19", QStringLiteral("I'm a hunter"), "1120");
    Label20 = makeLabel(this, "Label20", QStringLiteral("I'm a Lady"), "1119");
    for (QLabel* result : {Label19, Label20}) {
        QFont font = result->font();
        font.setBold(true);
        result->setFont(font);
        keepPlaceWhenHidden(result);
        result->hide();
    }

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

    for (const MessageId& message : messageIds) {
        QLabel* label = makeLabel(this, message.name, QString());
        label->setProperty("tag", QString::number(message.id));
        label->hide();
        messageLabels_.append(label);
    }

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
    return QColor(0, 160, 0);
}

void StationFormBase::localise() {
    Localise(*this, *state_.strings, state_.LanguageOffset);
}

QLabel* StationFormBase::messageLabel(int id) {
    for (QLabel* label : messageLabels_) {
        if (label->property("tag").toString() == QString::number(id))
            return label;
    }
    return nullptr;
}

QString StationFormBase::messageText(int id) {
    return messageLabel(id)->text();
}

EntryKind StationFormBase::kindOf(const QLineEdit* box) const {
    if (box == Text2[0])
        return EntryKind::Club;
    if (box == Text2[1])
        return EntryKind::Name;
    return EntryKind::Number;
}

void StationFormBase::handleEnter(QLineEdit* box) {
    if (box->text().trimmed().isEmpty())
        return;
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

void StationFormBase::numberChanged(QLineEdit* box) {
    const QString text = box->text();
    // Each setText comes back here, so "007" loses one zero per round.
    if (text == QLatin1String("0")) {
        box->setText(QString());
        return;
    }
    if (text.startsWith(QLatin1Char('0'))) {
        box->setText(text.mid(1));
        return;
    }
    showCountry();
}

void StationFormBase::showCountry() {
    const std::int64_t country = leadingNumber(Text1[0]->text().trimmed());
    const bool known = country >= 0 && country <= state_.countries.count();
    Text5->setText(known ? state_.countries.name(static_cast<int>(country)) : QString());
}

StationFormBase::ErrorCode StationFormBase::validate() {
    errorCode_ = NoError;
    const std::int64_t country = leadingNumber(Text1[0]->text().trimmed());
    const std::int64_t unit = leadingNumber(Text1[1]->text().trimmed());
    const bool generic = Check1->isChecked();
    const QString club = Text2[0]->text().trimmed();
    if (country < 1 || country > state_.countries.count())
        errorCode_ = WrongPrefix;
    else if (unit < 1 || unit > state_.MaxUnitNumber)
        errorCode_ = WrongUnit;
    else if (generic && club == clubOfMembers)
        errorCode_ = GenericIsQv;
    else if (generic && (club.size() < 1 || club.size() > 5))
        errorCode_ = ClubLength;
    else if (Text2[1]->text().trimmed().size() < 2)
        errorCode_ = NameTooShort;
    else if (categoryMissing())
        errorCode_ = NoCategory;
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

void StationFormBase::setChosenLook(QRadioButton* option, bool chosen) {
    if (chosen) {
        QPalette palette = option->palette();
        palette.setColor(option->backgroundRole(), chosenColour());
        option->setPalette(palette);
    } else {
        // An empty palette inherits everything again from the form.
        option->setPalette(QPalette());
    }
    option->setAutoFillBackground(chosen);
}

void StationFormBase::chooseOption(const QString& category) {
    const bool hunter = category == QLatin1String("H");
    opt_Scelta[0]->setChecked(!hunter);
    opt_Scelta[1]->setChecked(hunter);
    setChosenLook(opt_Scelta[0], !hunter);
    setChosenLook(opt_Scelta[1], hunter);
    opt_Scelta[0]->setProperty("tag", hunter ? QStringLiteral("1121") : QStringLiteral("1119"));
    opt_Scelta[1]->setProperty("tag", hunter ? QStringLiteral("1120") : QStringLiteral("1116"));
    localise();
}

void StationFormBase::clearOptions() {
    for (QRadioButton* option : opt_Scelta) {
        option->setChecked(false);
        setChosenLook(option, false);
    }
    opt_Scelta[0]->setProperty("tag", QStringLiteral("1121"));
    opt_Scelta[1]->setProperty("tag", QStringLiteral("1116"));
    localise();
}

void StationFormBase::setOptionsVisible(bool visible) {
    for (QRadioButton* option : opt_Scelta)
        option->setVisible(visible);
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
    Label19->hide();
    Label20->hide();
    clearOptions();
    Text2[0]->setText(generic ? QString() : clubOfMembers);
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
    Label19->hide();
    Label20->hide();
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
        (category_ == QLatin1String("H") ? Label19 : Label20)->show();
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
