#include "ui/logfile/frm_New_Log.h"

#include "core/app/AppState.h"
#include "core/app/StationState.h"
#include "core/common/FileErrorText.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogName.h"
#include "ui/kit/Background.h"
#include "ui/kit/ClickLabel.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/logfile/frm_log_exist.h"

#include <QApplication>
#include <QCheckBox>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>

namespace qvmd {

namespace {

void whiteText(QLabel* label, int extraPoints, bool bold) {
    QFont font = label->font();
    font.setBold(bold);
    font.setPointSize(font.pointSize() + extraPoints);
    label->setFont(font);
    label->setStyleSheet(QStringLiteral("color: white;"));
}

} // namespace

frm_New_Log::frm_New_Log(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    buildControls();
    Localise(*this, *state_.strings, state_.LanguageOffset);
    paintBackground(*this, Backdrop::darkToLightGreen);

    // The name is fixed now: a window left open over midnight on 31 December keeps the year it showed.
    year_ = currentYear(state_);
    logName_ = logFileName(state_.profile.StationCallsign, state_.profile.category, year_);
    Label3->setText(logName_);
    const bool lady = state_.profile.category.trimmed() == QLatin1String("L");
    Label5->setVisible(lady);
    Label6->setVisible(!lady);
    Label2->setText(state_.profile.StationCallsign.trimmed() + QLatin1Char(' ') +
                    state_.profile.OperatorName.trimmed());
    // A screen reader reads a dialog's labels of three words or more only: the station's line says the
    // log's name and category too.
    Label2->setAccessibleName(Label2->text() + QStringLiteral(", ") + logName_ + QStringLiteral(", ") +
                              (lady ? Label5 : Label6)->text());
}

void frm_New_Log::buildControls() {
    setObjectName(QStringLiteral("frm_New_Log"));
    setProperty("tag", QStringLiteral("1118"));
    setWindowTitle(QStringLiteral("Create Log"));
    setFixedSize(440, 300);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Create Log"), "1118");
    Label1->setGeometry(16, 10, 408, 32);
    Label1->setAlignment(Qt::AlignCenter);
    whiteText(Label1, 5, true);

    Label2 = makeLabel(this, "Label2", QString());
    Label2->setGeometry(16, 52, 408, 28);
    Label2->setAlignment(Qt::AlignCenter);
    whiteText(Label2, 3, true);

    // The badge: one of the two captions in the same place.
    Label5 = makeLabel(this, "Label5", QStringLiteral("Lady"));
    Label6 = makeLabel(this, "Label6", QStringLiteral("Hunter"), "1116");
    for (QLabel* badge : {Label5, Label6}) {
        badge->setGeometry(150, 88, 140, 30);
        badge->setAlignment(Qt::AlignCenter);
        QFont font = badge->font();
        font.setBold(true);
        font.setPointSize(font.pointSize() + 3);
        badge->setFont(font);
    }
    Label5->setStyleSheet(
        QStringLiteral("background: rgb(255, 105, 180); color: white; border-radius: 6px;"));
    Label6->setStyleSheet(QStringLiteral("background: rgb(30, 90, 200); color: white; border-radius: 6px;"));

    Label3 = makeLabel(this, "Label3", QString());
    Label3->setGeometry(16, 128, 408, 30);
    Label3->setAlignment(Qt::AlignCenter);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label3->setStyleSheet(
        QStringLiteral("background: white; color: black; border: 1px solid rgb(0, 60, 0);"));
    QFont mono = Label3->font();
    mono.setBold(true);
    mono.setPointSize(mono.pointSize() + 2);
    Label3->setFont(mono);

    Check1 = new QCheckBox(this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Check1->setGeometry(40, 174, 22, 26);
    connect(Check1, &QCheckBox::clicked, this, &frm_New_Log::Check1_Click);

    Label4 = new ClickLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setProperty("tag", QStringLiteral("1128"));
    Label4->setText(QStringLiteral("Log Scripture Delayed / Papery"));
    Label4->setGeometry(66, 174, 358, 26);
    Label4->setBuddy(Check1);
    Label4->captionOnly();
    whiteText(Label4, 0, true);
    // The caption toggles the switch as a check box's own text would.
    connect(Label4, &ClickLabel::clicked, this, [this] {
        Check1->toggle();
        Check1_Click();
    });

    cmd_crea = makeButton(this, "cmd_crea", QStringLiteral("Create Log"), "1118");
    cmd_crea->setGeometry(40, 228, 170, 40);
    connect(cmd_crea, &QPushButton::clicked, this, &frm_New_Log::cmd_crea_Click);

    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Exit"), "1001");
    cmd_Close->setGeometry(230, 228, 170, 40);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_New_Log::cmd_Close_Click);
}

void frm_New_Log::Check1_Click() {
    paperLog_ = Check1->isChecked() ? QStringLiteral("Y") : QStringLiteral("N");
}

void frm_New_Log::cmd_crea_Click() {
    const QString path = state_.folder.logs(logName_);
    const QFileInfo existing(path);
    if (existing.exists() && !existing.isDir()) {
        frm_log_exist question(state_, seams_, this);
        if (seams_.showModal(question) != frm_log_exist::Replace) {
            closeWith(QDialog::Rejected);
            return;
        }
    }
    Check1_Click();
    const LogHeader header = LogHeader::forProfile(state_.profile, paperLog_, state_.StationKind,
                                                   state_.clock->now().date(), year_);
    WriteResult failure = createLog(state_.folder, logName_, header);
    // Files in place whose folder sync failed are written: the new log goes on and it is told.
    if (!failure || inPlaceUnconfirmed(failure)) {
        WriteResult use = saveUseFile(
            state_, UseHeader::forLog(logName_, state_.profile.category, paperLog_, QString::number(year_)));
        if (use)
            failure = std::move(use);
    }
    if (failure) {
        const bool unconfirmed = inPlaceUnconfirmed(failure);
        seams_.message(this, fileErrorText(*failure, state_.LanguageOffset), windowTitle(),
                       unconfirmed ? Seams::Icon::Warning : Seams::Icon::Error);
        // Otherwise the window stays open: the operator may free the disk and try again, or leave.
        if (!unconfirmed)
            return;
    }
    state_.counters = LogCounters{};
    state_.worked = WorkedCountries(state_.countries.count());
    closeWith(QDialog::Accepted);
}

void frm_New_Log::cmd_Close_Click() {
    closeWith(QDialog::Rejected);
}

void frm_New_Log::done(int result) {
    // Whatever closes this window closes the windows opened after it, newest first; the main window,
    // the first of the program, stays.
    const QList<QDialog*> opened = findChildren<QDialog*>();
    for (auto it = opened.crbegin(); it != opened.crend(); ++it) {
        if ((*it)->isVisible())
            (*it)->done(QDialog::Rejected);
    }
    FormDialog::done(result);
}

} // namespace qvmd
