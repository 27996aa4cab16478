#include "ui/logging/frm_Log.h"

#include "core/app/AppState.h"
#include "core/app/LogInUseState.h"
#include "core/common/FileErrorText.h"
#include "core/logging/EntryRules.h"
#include "core/logging/Score.h"
#include "core/logging/UtcStamp.h"
#include "core/refdata/Roster.h"
#include "ui/kit/Background.h"
#include "ui/kit/FrameRole.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"
#include "ui/logging/ContactGrid.h"
#include "ui/logging/ContactGridModel.h"
#include "ui/logging/CountryFlag.h"
#include "ui/logging/EntryStatusLine.h"
#include "ui/logging/LogMessages.h"
#include "ui/logging/LogTabOrder.h"
#include "ui/logging/LogWindowFit.h"
#include "ui/logging/StatisticsOpener.h"
#include "ui/refdata/frm_country.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>

namespace qvmd {

constexpr int clockMilliseconds = 500;

frm_Log::frm_Log(AppState& state, Seams& seams, NotFoundWindow notFound, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams), notFound_(std::move(notFound)),
      log_(logInUsePlace(state)) {
    readAsFrame(this);
    // The clock first, so the window opens with the time showing.
    buildControls();
    Timer1_Timer();

    loadPictures();
    Localise(*this, *state_.strings, state_.LanguageOffset);
    paintBackground(*this, Backdrop::lightBlueToGreen);
    cmd_Find->setText(text(1045, "Find"));

    // Point values of the log's category, and the category the warning asks for.
    score_->showPoints(pointValues(state_.weights, state_.profile.category));
    score_->appendToWarning(missingCategorySuffix(state_.profile.category));

    // Worked marks come from this log alone; the grid shows the log as read.
    state_.worked = WorkedCountries(state_.countries.count());
    if (!openLog())
        return;
    grid_->model().setFixedBackground(palette().color(QPalette::Button));
    cmd_Empty->setVisible(log_.paperLog());

    status_->showTitle(text(1035, "Log in use:"), state_.profile);
    refreshDisplay();
    grid_->showLastRow();
    cmd_Clear_Click();
    if (tailNote_)
        entryStatus_->showOutcome(*tailNote_);
    ready_ = true;

    Timer1.setInterval(clockMilliseconds);
    connect(&Timer1, &QTimer::timeout, this, &frm_Log::Timer1_Timer);
    Timer1.start();
}

frm_Log::~frm_Log() = default;

QString frm_Log::text(int id, const char* fallback) const {
    return state_.text(id, QString::fromUtf8(fallback));
}

void frm_Log::error(const QString& message) {
    seams_.message(this, message, text(1053, "Error check"), Seams::Icon::Error);
}

void frm_Log::buildControls() {
    setObjectName(QStringLiteral("frm_Log"));
    setProperty("tag", QStringLiteral("1077"));
    setWindowTitle(QStringLiteral("Log  Station"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);
    setFixedSize(1020, 500);

    // Entry row: captions above, boxes below.
    constexpr int captionY = 48;
    constexpr int boxY = 74;
    constexpr int boxH = 30;
    QFont boxFont = font();
    boxFont.setBold(true);
    boxFont.setPointSizeF(boxFont.pointSizeF() * 1.25);
    row_ = new LogEntryRow(this, captionY, boxY, boxH, boxFont);
    row_->setLimits(state_.countries.count(), state_.MaxUnitNumber);
    static_cast<EntryRowControls&>(*this) = *row_;
    connect(row_, &LogEntryRow::findRequested, this, &frm_Log::cmd_Find_Click);
    connect(row_, &LogEntryRow::writeRequested, this, &frm_Log::cmd_Write_Click);
    connect(row_, &LogEntryRow::clearRequested, this, &frm_Log::cmd_Clear_Click);
    connect(row_, &LogEntryRow::countryTyped, this, &frm_Log::showCountry);
    connect(row_, &LogEntryRow::outOfRange, this, &frm_Log::rangeRefused);
    connect(Check1, &QCheckBox::clicked, this, &frm_Log::Check1_Click);
    connect(cmd_NameUnknown, &QPushButton::clicked, this, &frm_Log::cmd_NameUnknown_Click);
    connect(cmd_H, &QPushButton::clicked, this, &frm_Log::cmd_H_Click);
    connect(cmd_L, &QPushButton::clicked, this, &frm_Log::cmd_L_Click);
    connect(cmd_Country, &QPushButton::clicked, this, &frm_Log::cmd_Country_Click);

    status_ = std::make_unique<LogStatusArea>(this, boxFont);
    static_cast<StatusLabels&>(*this) = *status_;
    flag_ = std::make_unique<CountryFlag>(*Image_Flag);

    commands_ = std::make_unique<LogCommandBar>(this, 14, 136);
    static_cast<CommandButtons&>(*this) = *commands_;
    connect(cmd_Find, &QToolButton::clicked, this, &frm_Log::cmd_Find_Click);
    connect(cmd_Write, &QToolButton::clicked, this, &frm_Log::cmd_Write_Click);
    connect(cmd_Del, &QToolButton::clicked, this, &frm_Log::cmd_Del_Click);
    connect(cmd_Clear, &QToolButton::clicked, this, &frm_Log::cmd_Clear_Click);
    connect(cmd_Empty, &QToolButton::clicked, this, &frm_Log::cmd_Empty_Click);
    connect(cmd_Close, &QToolButton::clicked, this, &frm_Log::cmd_Close_Click);

    grid_ = std::make_unique<ContactGrid>(this, log_.contacts(), state_.countries, 14, 242);
    MSHFlexGrid1 = grid_->control();
    entryStatus_ = std::make_unique<EntryStatusLine>(this, 14, boxY + boxH + 2, 600, state_, log_.contacts(),
                                                     session_, *row_, *grid_);
    connect(MSHFlexGrid1, &GridControl::rowPicked, this, &frm_Log::MSHFlexGrid1_Pick);
    statistics_ = makeStatisticsOpener(*this, state_, seams_, log_.contacts(), grid_->model());

    // The score table beside the grid, whose width follows the font and the columns' content.
    score_ = std::make_unique<ScorePanel>(this, MSHFlexGrid1->geometry().right() + 24, 242);
    static_cast<ScoreLabels&>(*this) = *score_;
    fitLogWindow(*this, *grid_, *score_, *status_);
    orderLogTabs(*row_, *commands_, MSHFlexGrid1);
}

void frm_Log::loadPictures() {
    cLoadResPicture pictures;
    commands_->loadPictures(pictures);
    const QPixmap logo = pictures.LoadResPicture(101, QStringLiteral("CUSTOM"));
    status_->showLogo(logo);
    flag_->setLogo(logo);
}

void frm_Log::showEvent(QShowEvent* event) {
    FormDialog::showEvent(event);
    row_->focus(BoxCountry);
}

void frm_Log::Timer1_Timer() {
    state_.UtcNowText = utcStampText(Mod_Time(*state_.clock));
    status_->showClock(state_.UtcNowText);
}

// ---- the entry row ----

void frm_Log::rangeRefused(int box) {
    error(box == BoxCountry ? text(1054, "Wrong Prefix") : text(1072, "Wrong Unit Number"));
}

void frm_Log::showCountry(int country) {
    row_->show(BoxCountryName, state_.countries.name(country));
    flag_->show(country, text(1429, "Flag: %1").arg(state_.countries.name(country)));
}

void frm_Log::Check1_Click() {
    const bool generic = Check1->isChecked();
    if (!generic)
        cmd_Find->setEnabled(true);
    cmd_Write->setEnabled(true);
    row_->switchTo(generic);
}

void frm_Log::cmd_Clear_Click() {
    cmd_Find->setEnabled(true);
    session_.end();
    lbl_Next->setText(QString::number(state_.counters.NextProgressive));
    cmd_Write->setEnabled(false);
    cmd_Del->setEnabled(false);
    cmd_Empty->setEnabled(true);
    row_->reset();
}

void frm_Log::cmd_Close_Click() {
    Timer1.stop();
    settleLog();
    closeWith(QDialog::Accepted);
}

void frm_Log::cmd_NameUnknown_Click() {
    Text1[BoxName]->setText(QStringLiteral("Unknown"));
    row_->focus(BoxCategory);
}

void frm_Log::cmd_H_Click() {
    row_->chooseCategory(QStringLiteral("H"));
}

void frm_Log::cmd_L_Click() {
    row_->chooseCategory(QStringLiteral("L"));
}

void frm_Log::cmd_Country_Click() {
    frm_country window(state_, seams_, this);
    seams_.showModal(window);
    row_->focus(BoxCountry);
}

// ---- Find ----

void frm_Log::cmd_Find_Click() {
    if (row_->focusFirstEmpty({BoxCountry, BoxUnit}))
        return;
    const EntryTexts typed = row_->texts();
    const QString identifier = workedIdentifier(typed);
    const CheckResult check =
        checkNewContact(log_.contacts(), state_.profile.StationCallsign,
                        {identifier, row_->trimmed(BoxReceived), row_->trimmed(BoxName), row_->category()});
    if (check.code == CheckCode::OwnCallsign || check.code == CheckCode::Duplicate) {
        error(checkMessage(state_, check));
        if (check.code == CheckCode::Duplicate)
            cmd_Clear_Click();
        return;
    }

    const RosterSearch search = searchRosters(state_.folder, identifier, RosterOrder::Logging);
    if (search.error)
        error(fileErrorText(*search.error, state_.LanguageOffset));
    if (search.found) {
        cmd_Write->setEnabled(true);
        row_->showFound(search.entry.name, search.entry.category);
        return;
    }

    row_->showNameUnknown(true);
    cmd_Write->setEnabled(true);
    if (!row_->generic()) {
        if (notFound_ && !notFound_(this, identifier)) {
            cmd_Clear_Click();
            return;
        }
    }
    row_->askNameAndCategory();
}

// ---- Write ----

void frm_Log::cmd_Write_Click() {
    const EditSession::Write step = session_.write(log_.contacts(), state_.profile.StationCallsign,
                                                   row_->texts(), row_->category(), state_.UtcNowText);
    using Kind = EditSession::Write::Kind;
    switch (step.kind) {
    case Kind::Incomplete:
        row_->focus(step.focus);
        return;
    case Kind::RefusedGeneric:
        error(step.messageId == 1112 ? text(1112, "A Generic Station can not be QV")
                                     : text(1113, "Club must be between 1 and 5 characters"));
        row_->focus(step.focus);
        return;
    case Kind::RefusedCheck:
        cmd_Write->setEnabled(false);
        error(checkMessage(state_, step.check));
        if (step.clearEntry)
            cmd_Clear_Click();
        else if (step.focus == EditSession::FocusHButton)
            cmd_H->setFocus();
        else
            row_->focus(step.focus);
        cmd_Write->setEnabled(step.writeEnabled);
        return;
    case Kind::Add:
    case Kind::Modify:
        break;
    }
    cmd_Write->setEnabled(false);
    const bool written =
        step.kind == Kind::Add ? addContact(step.fields) : modifyContact(step.row, step.fields);
    if (!written) {
        // Nothing was written: the entry stays as typed, ready to try again.
        cmd_Write->setEnabled(true);
        return;
    }
    cmd_Clear_Click();
    state_.LogChanged = FlagTrue;
    emit contactWritten();
}

// ---- the grid ----

void frm_Log::MSHFlexGrid1_Pick() {
    row_->emptyForPick();
    const EditSession::Pick pick = session_.pick(log_.contacts(), MSHFlexGrid1->row());
    if (pick.kind == EditSession::Pick::Kind::EmptyRow)
        return;
    if (pick.kind == EditSession::Pick::Kind::Cancelled) {
        seams_.message(this, text(1060, "Contact Cancelled - Impossible to modify it."),
                       text(1053, "Error check"), Seams::Icon::Information);
        cmd_Clear_Click();
        return;
    }
    cmd_Write->setEnabled(true);
    cmd_Del->setEnabled(true);
    cmd_Empty->setEnabled(false);
    lbl_Next->setText(pick.progressive);
    cmd_Find->setEnabled(!pick.shown.generic);
    row_->load(pick.shown);
}

void frm_Log::cmd_Del_Click() {
    const EditSession::Cancel step = session_.cancel(row_->texts());
    const QString question = text(1061, "Are you sure you want to delete the contact with:") +
                             QLatin1Char('\r') + QString(9, QLatin1Char(' ')) + step.station;
    if (step.row > 0 &&
        seams_.ask(this, question, QStringLiteral("Delete"), Seams::Icon::Question, Seams::Default::No))
        cancelContact(step.row);
    cmd_Clear_Click();
    cmd_Del->setEnabled(false);
}

void frm_Log::cmd_Empty_Click() {
    if (!session_.mayAddBlank())
        return;
    const QString question = text(1107, "You to insert a blank line and canceled.") + QLatin1Char('\r') +
                             QString(10, QLatin1Char(' ')) + text(1108, "Are you sure");
    if (!seams_.ask(this, question, QStringLiteral("QV_md"), Seams::Icon::None))
        return;
    if (addBlankCancelled()) {
        row_->forgetCategory();
        lbl_Next->setText(QString::number(state_.counters.NextProgressive));
        state_.LogChanged = FlagTrue;
    }
    row_->focus(BoxCountry);
}

// ---- score ----

void frm_Log::refreshDisplay() {
    const LogCounters& counters = state_.counters;
    if (!session_.editing())
        lbl_Next->setText(QString::number(counters.NextProgressive));
    score_->showCounters(counters, pointValues(state_.weights, state_.profile.category),
                         validityWarningShown(state_.profile.category, counters));
}

// ---- the log in use: every change of it goes through here ----

bool frm_Log::openLog() {
    const LogInUse::Opened opened = log_.open();
    if (opened.logError) {
        error(openFailureMessage(state_, *opened.logError));
        return false;
    }
    tailNote_ = tailCutMessage(state_, opened);
    state_.counters = log_.counters();
    state_.worked = log_.worked();
    // The log itself is sound; a stale Log.dat is only reported.
    if (opened.counterError)
        error(fileErrorText(*opened.counterError, state_.LanguageOffset));
    return true;
}

bool frm_Log::addContact(const ContactFields& fields) {
    return reportOutcome(log_.addContact(fields), 0);
}

bool frm_Log::modifyContact(int row, const ContactFields& fields) {
    return reportOutcome(log_.modifyContact(row, fields), row);
}

bool frm_Log::cancelContact(int row) {
    return reportOutcome(log_.cancelContact(row), row);
}

bool frm_Log::addBlankCancelled() {
    return reportOutcome(log_.addBlankCancelled(state_.UtcNowText), 0);
}

void frm_Log::settleLog() {
    // The last counter file may still be on its way; the main window reads it next.
    if (const std::optional<FileError> failure = log_.settle())
        error(fileErrorText(*failure, state_.LanguageOffset));
}

bool frm_Log::reportOutcome(const LogInUse::WriteOutcome& outcome, int row) {
    if (const std::optional<QString> message = outcomeMessage(state_, outcome))
        error(*message);
    if (outcome.written()) {
        state_.counters = outcome.counters;
        state_.worked = log_.worked();
        refreshDisplay();
        grid_->showLastRow();
        entryStatus_->showWritten(log_.contacts().at(row > 0 ? row : log_.contacts().size()), *this);
    }
    return outcome.written();
}

} // namespace qvmd
