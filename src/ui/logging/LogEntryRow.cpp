#include "ui/logging/LogEntryRow.h"

#include "core/common/Numbers.h"
#include "core/logging/EntryRules.h"
#include "core/station/StationIdentifier.h"
#include "ui/kit/EntryKeyFilter.h"
#include "ui/kit/FormControls.h"
#include "ui/logging/LogLabels.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace qvmd {

namespace {

const QColor hunterColour(0, 0, 255);
const QColor ladyColour(255, 0, 0);
const QColor genericColour(255, 0, 0);

void setTextColour(QWidget* widget, const QColor& colour) {
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

} // namespace

LogEntryRow::LogEntryRow(QWidget* window, int captionTop, int boxTop, int boxHeight, const QFont& font)
    : QObject(window), window_(window) {
    EntryKeyFilter::Rules rules;
    rules.admits = [this](const QLineEdit* box, QChar c) {
        return entryKeyAllowed(static_cast<int>(Text1.indexOf(box)), c);
    };
    rules.shortcuts = EntryKeyFilter::Shortcuts::CopyOnly;
    rules.selection = EntryKeyFilter::FocusSelection::TextFromTheStart;
    rules.escapeReported = true;
    rules.typedLimit = [this](const QLineEdit* box) {
        return Text1.indexOf(box) == BoxReceived ? ReceivedMaxLength : 0;
    };
    keys_ = new EntryKeyFilter(std::move(rules), this);
    connect(keys_, &EntryKeyFilter::enterPressed, this, &LogEntryRow::enter);
    connect(keys_, &EntryKeyFilter::escapePressed, this, &LogEntryRow::clearRequested);

    struct BoxPlace {
        int x;
        int width;
    };
    constexpr BoxPlace places[7] = {{14, 48},   {66, 56},  {126, 64}, {200, 56},
                                    {266, 220}, {496, 50}, {556, 200}};
    for (int i = 0; i < 7; ++i) {
        auto* box = new QLineEdit(window);
        box->setObjectName(QStringLiteral("Text1_%1").arg(i));
        box->setGeometry(places[i].x, boxTop, places[i].width, boxHeight);
        box->setFont(font);
        box->setContextMenuPolicy(Qt::NoContextMenu);
        box->setAcceptDrops(false);
        keys_->watch(box);
        connect(box, &QLineEdit::textChanged, this, [this, i] { textChanged(i); });
        Text1.append(box);
    }
    for (int i : {0, 2, 3, 5})
        Text1[i]->setAlignment(Qt::AlignCenter);
    Text1[BoxCategory]->setReadOnly(true);
    Text1[BoxCountryName]->setReadOnly(true);
    Text1[BoxCountryName]->setFocusPolicy(Qt::ClickFocus);
    // Spoken names: most boxes have no caption of their own, the identifier's three parts least of all.
    const char* boxNames[7] = {"1400", "1401", "1040", "1403", nullptr, "1404", "1402"};
    for (int i = 0; i < 7; ++i) {
        if (boxNames[i])
            setNameTag(Text1[i], boxNames[i]);
    }
    buildControls(window, captionTop);
}

void LogEntryRow::buildControls(QWidget* window, int captionTop) {
    Check1 = new QCheckBox(QStringLiteral("Non QV Station"), window);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(14, captionTop - 2, 176, 26);
    setNameTag(Check1, "1405");

    lbl_Ric = makeCaptionLabel(window, "lbl_Ric", QStringLiteral("Ric."), QRect(200, captionTop, 56, 22));
    lbl_Ric->setAlignment(Qt::AlignCenter);
    lbl_Ric->setBuddy(Text1[BoxReceived]);
    lbl_Name =
        makeCaptionLabel(window, "lbl_Name", QStringLiteral("Name"), QRect(266, captionTop, 220, 22), "1041");
    lbl_Name->setBuddy(Text1[BoxName]);
    const auto button = [window, captionTop](const char* name, const char* caption, int x, int width) {
        auto* pushButton = new QPushButton(QString::fromLatin1(caption), window);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setGeometry(x, captionTop - 2, width, 26);
        return pushButton;
    };
    cmd_NameUnknown = button("cmd_NameUnknown", "Name Unknown", 266, 150);
    cmd_NameUnknown->setProperty("tag", QStringLiteral("1129"));
    cmd_H = button("cmd_H", "H", 496, 25);
    cmd_L = button("cmd_L", "L", 521, 25);
    cmd_Country = button("cmd_Country", "Country", 556, 100);
    // H and L show a letter only; the country button opens the list of countries.
    setNameTag(cmd_H, "1140");
    setNameTag(cmd_L, "1139");
    setNameTag(cmd_Country, "1406");
}

void LogEntryRow::setLimits(int countries, int maxUnit) {
    countries_ = countries;
    maxUnit_ = maxUnit;
}

QString LogEntryRow::trimmed(int index) const {
    return Text1[index]->text().trimmed();
}

EntryTexts LogEntryRow::texts() const {
    EntryTexts entry;
    for (int i = 0; i < Text1.size(); ++i)
        entry.boxes[static_cast<std::size_t>(i)] = Text1[i]->text();
    entry.generic = generic_;
    return entry;
}

void LogEntryRow::show(int index, const QString& text) {
    // A number longer than typing admits is shown whole: the limit is the typing rules', not the box's.
    QLineEdit* box = Text1[index];
    box->setText(text);
    box->setCursorPosition(0);
}

void LogEntryRow::empty() {
    // One change for the whole row: the boxes emptied one by one are no station to tell of.
    emptying_ = true;
    for (QLineEdit* box : Text1)
        box->clear();
    emptying_ = false;
    emit entryChanged();
}

bool LogEntryRow::focusFirstEmpty(std::initializer_list<int> indexes) {
    for (int index : indexes) {
        if (trimmed(index).isEmpty()) {
            Text1[index]->setFocus();
            return true;
        }
    }
    return false;
}

void LogEntryRow::focus(int index) {
    Text1[index]->setFocus();
}

void LogEntryRow::setGeneric(bool generic) {
    generic_ = generic;
    // The club is typed only for generic stations; members skip it.
    Text1[BoxClub]->setFocusPolicy(generic ? Qt::StrongFocus : Qt::ClickFocus);
}

void LogEntryRow::setCheckLook(bool generic) {
    // A check box fills with its background role, the button colour; the window colour only tints the
    // edge of its tick box.
    Check1->setAutoFillBackground(generic);
    QPalette palette = Check1->palette();
    palette.setColor(Check1->backgroundRole(),
                     generic ? genericColour : window_->palette().color(Check1->backgroundRole()));
    Check1->setPalette(palette);
}

void LogEntryRow::lockClubAndName(bool locked) {
    Text1[BoxClub]->setReadOnly(locked);
    Text1[BoxName]->setReadOnly(locked);
}

void LogEntryRow::showNameUnknown(bool shown) {
    cmd_NameUnknown->setVisible(shown);
    lbl_Name->setVisible(!shown);
}

void LogEntryRow::showCategory(const QString& category) {
    Text1[BoxCategory]->setText(category);
    setTextColour(Text1[BoxCategory], category == QLatin1String("H") ? hunterColour : ladyColour);
}

// The button of the chosen category is the one that cannot be pressed again.
void LogEntryRow::chooseCategory(const QString& category) {
    category_ = category;
    showCategory(category_);
    cmd_H->setEnabled(category != QLatin1String("H"));
    cmd_L->setEnabled(category != QLatin1String("L"));
    emit entryChanged();
    focus(BoxReceived);
}

void LogEntryRow::reset() {
    // The focus moves first: a box emptied before it takes the focus tells a screen reader of its caret
    // first, and the reader then takes the focus as known and does not say where it went.
    focus(BoxCountry);
    Check1->setChecked(false);
    setGeneric(false);
    setCheckLook(false);
    showNameUnknown(false);
    empty();
    category_.clear();
    Text1[BoxClub]->setText(MemberClub.toString());
    lockClubAndName(true);
    cmd_H->setEnabled(false);
    cmd_L->setEnabled(false);
}

void LogEntryRow::switchTo(bool generic) {
    focus(BoxCountry);
    setGeneric(generic);
    setCheckLook(generic);
    showNameUnknown(generic);
    empty();
    category_.clear();
    cmd_H->setEnabled(generic);
    cmd_L->setEnabled(generic);
    if (!generic)
        Text1[BoxClub]->setText(MemberClub.toString());
    lockClubAndName(!generic);
}

void LogEntryRow::showFound(const QString& name, const QString& category) {
    show(BoxName, name);
    category_ = category;
    showCategory(category_);
    Text1[BoxName]->setReadOnly(false);
    focus(BoxReceived);
    emit lookedUp();
}

void LogEntryRow::askNameAndCategory() {
    Text1[BoxCategory]->clear();
    category_.clear();
    Text1[BoxName]->setReadOnly(false);
    focus(BoxName);
    cmd_H->setEnabled(true);
    cmd_L->setEnabled(true);
    emit lookedUp();
}

void LogEntryRow::emptyForPick() {
    empty();
    lockClubAndName(false);
}

void LogEntryRow::load(const EntryTexts& entry) {
    filling_ = true;
    for (int i = 0; i < Text1.size(); ++i) {
        if (i != BoxCategory)
            show(i, entry.boxes[static_cast<std::size_t>(i)]);
    }
    category_ = entry.boxes[BoxCategory];
    showCategory(category_);
    const bool hunter = category_ == QLatin1String("H");
    cmd_H->setEnabled(!hunter);
    cmd_L->setEnabled(hunter);
    Check1->setChecked(entry.generic);
    setCheckLook(entry.generic);
    setGeneric(entry.generic);
    if (entry.generic) {
        showNameUnknown(true);
        focus(BoxCountry);
    }
    filling_ = false;
}

void LogEntryRow::enter(QLineEdit* box) {
    if (box->text().trimmed().isEmpty())
        return;
    switch (Text1.indexOf(box)) {
    case BoxCountry:
        focus(generic_ ? BoxClub : BoxUnit);
        break;
    case BoxClub:
        focus(BoxUnit);
        break;
    case BoxUnit:
        emit findRequested();
        break;
    case BoxReceived:
    case BoxName:
        emit writeRequested();
        break;
    default:
        break;
    }
}

void LogEntryRow::textChanged(int index) {
    if (changing_)
        return;
    if (!filling_ && index != BoxCategory)
        applyRules(index);
    if (index <= BoxUnit && !emptying_)
        emit entryChanged();
}

void LogEntryRow::applyRules(int index) {
    QLineEdit* edit = Text1[index];
    const ChangedText changed = applyChangeRules(edit->text());
    if (changed.text != edit->text()) {
        changing_ = true;
        edit->setText(changed.text);
        changing_ = false;
        if (changed.cursorToEnd)
            edit->setCursorPosition(static_cast<int>(changed.text.size()));
    }
    // Then the range rules; a member's unit number has a limit, a generic station's none.
    if (index == BoxCountry) {
        const std::int64_t number = leadingNumber(edit->text());
        if (number <= countries_) {
            emit countryTyped(static_cast<int>(number));
        } else {
            // Emptied before the message, so that what the window shows under it is what the boxes hold.
            edit->clear();
            Text1[BoxCountryName]->clear();
            emit outOfRange(index);
            edit->setFocus();
        }
    } else if (index == BoxUnit && !generic_ && leadingNumber(edit->text()) > maxUnit_) {
        edit->clear();
        emit outOfRange(index);
        edit->setFocus();
    }
}

} // namespace qvmd
