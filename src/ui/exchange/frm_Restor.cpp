#include "ui/exchange/frm_Restor.h"

#include "core/app/AppState.h"
#include "core/common/FileError.h"
#include "core/common/FileErrorText.h"
#include "core/exchange/BackupNames.h"
#include "core/exchange/LogRestore.h"
#include "core/logfile/LogStatistics.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/SpokenChoice.h"

#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qvmd {

namespace {

constexpr int tickInterval = 100;
constexpr int ticksToComplete = 100;
constexpr int closeDelay = 2000;

QTimer* makeTimer(QObject* parent, const char* name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}

QFont enlarged(QFont font, int points) {
    font.setPointSize(font.pointSize() + points);
    font.setBold(true);
    return font;
}

} // namespace

frm_Restor::frm_Restor(AppState& state, Seams& seams, QWidget* parent, const DiskSync& sync)
    : FormDialog(parent), state_(state), seams_(seams), sync_(sync) {
    setObjectName(QStringLiteral("frm_Restor"));
    setWindowTitle(QStringLiteral("Restore"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Restore"));
    Label1->setFont(enlarged(Label1->font(), 8));
    Label2 = makeLabel(this, "Label2", QStringLiteral("ATTENZIONE!!!"), "1105");
    Label2->setFont(enlarged(Label2->font(), 4));
    Label3 = makeLabel(this, "Label3", QString(), "1142");
    Label4 = makeLabel(this, "Label4", QString(), "1143");
    Label5 = makeLiveLabel(this, "Label5", QStringLiteral("SEI SICURO?"), "1145");
    Label5->setFont(enlarged(Label5->font(), 6));
    Label6 = makeLiveLabel(this, "Label6", QStringLiteral("Ripristino completato"), "1146");
    Label6->setFont(enlarged(Label6->font(), 6));
    for (QLabel* label : std::initializer_list<QLabel*>{Label1, Label2, Label3, Label4, Label5, Label6}) {
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        label->setStyleSheet(QStringLiteral("color: white;"));
    }
    Label2->setStyleSheet(QStringLiteral("color: #ffd000;"));
    Label5->setStyleSheet(QStringLiteral("color: #ffd000;"));

    File1 = new QListWidget(this);
    setNameTag(File1, "1421");
    File1->setObjectName(QStringLiteral("File1"));
    File1->setSelectionMode(QAbstractItemView::SingleSelection);
    speakCurrentItem(*File1);
    File1->setFixedHeight(190);
    // A click chooses, even on the file already chosen: at a later step it enables "Restore" again.
    connect(File1, &QListWidget::itemClicked, this,
            [this](QListWidgetItem* item) { File1_Click(item->text()); });
    connect(File1, &QListWidget::itemSelectionChanged, this, [this] {
        const QList<QListWidgetItem*> selected = File1->selectedItems();
        if (!selected.isEmpty())
            File1_Click(selected.first()->text());
    });
    // The instruction says: choose, then press Enter.
    connect(File1, &QListWidget::itemActivated, this, [this](QListWidgetItem* item) {
        File1_Click(item->text());
        cmd_Rest_Click();
    });

    cmd_Continua = makeButton(this, "cmd_Continua", QStringLiteral("Continua"), "1134");
    connect(cmd_Continua, &QPushButton::clicked, this, &frm_Restor::cmd_Continua_Click);
    cmd_Rest = makeButton(this, "cmd_Rest", QStringLiteral("Restore"));
    connect(cmd_Rest, &QPushButton::clicked, this, &frm_Restor::cmd_Rest_Click);
    cmd_Rest_Conf = makeButton(this, "cmd_Rest_Conf", QStringLiteral("Conferma"), "1144");
    connect(cmd_Rest_Conf, &QPushButton::clicked, this, &frm_Restor::cmd_Rest_Conf_Click);
    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Exit"));
    setNameTag(cmd_Close, "1001");
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Restor::cmd_Close_Click);
    for (QPushButton* button : {cmd_Continua, cmd_Rest, cmd_Rest_Conf, cmd_Close})
        button->setMinimumWidth(110);

    ProgressBar1 = new QProgressBar(this);
    setNameTag(ProgressBar1, "1433");
    ProgressBar1->setObjectName(QStringLiteral("ProgressBar1"));
    ProgressBar1->setTextVisible(false);

    Timer1 = makeTimer(this, "Timer1", tickInterval);
    connect(Timer1, &QTimer::timeout, this, &frm_Restor::Timer1_Timer);
    Timer2 = makeTimer(this, "Timer2", closeDelay);
    connect(Timer2, &QTimer::timeout, this, &frm_Restor::Timer2_Timer);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_Continua);
    buttons->addWidget(cmd_Rest);
    buttons->addSpacing(12);
    buttons->addWidget(cmd_Rest_Conf);
    buttons->addSpacing(12);
    buttons->addWidget(cmd_Close);
    buttons->addStretch();

    // The steps show different controls in the same place; the window keeps one size throughout.
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addWidget(Label4);
    layout->addWidget(File1);
    layout->addWidget(Label5);
    layout->addWidget(ProgressBar1);
    layout->addWidget(Label6);
    layout->addStretch();
    layout->addLayout(buttons);
    setFixedSize(520, 420);

    // Load.
    Localise(*this, *state_.strings, state_.LanguageOffset);
    // A screen reader reads a dialog's labels of three words or more only: the warning is said with the
    // text it heads.
    Label3->setAccessibleName(Label2->text() + QLatin1Char(' ') + Label3->text());
    fillList();
    ProgressBar1->setRange(0, ticksToComplete);
    ProgressBar1->setValue(0);
    Label4->hide();
    Label5->hide();
    Label6->hide();
    File1->hide();
    cmd_Rest->hide();
    cmd_Rest->setEnabled(false);
    cmd_Rest_Conf->setEnabled(false);
    ProgressBar1->hide();
    paintBackground(*this, Backdrop::blackToRed);
}

void frm_Restor::fillList() {
    File1->clear();
    File1->addItems(
        listOwnBackups(state_.folder.path(QStringLiteral("Backup")), state_.profile.StationCallsign));
}

void frm_Restor::cmd_Continua_Click() {
    cmd_Continua->hide();
    cmd_Rest->show();
    Label2->hide();
    Label3->hide();
    Label4->show();
    File1->show();
    // The operator goes on in the list, not on a button that happens to be next.
    File1->setFocus();
}

void frm_Restor::File1_Click(const QString& fileName) {
    // Once the copy is made, choosing again changes nothing.
    if (restored_)
        return;
    chosen_ = fileName;
    cmd_Rest->setEnabled(true);
}

void frm_Restor::cmd_Rest_Click() {
    if (!cmd_Rest->isEnabled() || chosen_.isEmpty())
        return;
    cmd_Rest->setEnabled(false);
    cmd_Rest_Conf->setEnabled(true);
    Label5->show();
    Label5->announce(Label5->text(), LiveStatusLabel::Repeat::Always);
    Label4->hide();
}

void frm_Restor::cmd_Rest_Conf_Click() {
    cmd_Rest_Conf->setEnabled(false);
    ProgressBar1->show();
    const RestoreOutcome outcome =
        restoreLog(state_.folder, chosen_, state_.log.LogInUseName, state_.clock->now(), sync_);
    switch (outcome.status) {
    case RestoreOutcome::Status::Restored:
        restored_ = true;
        bringCountersInLine(outcome.logPath);
        if (!outcome.unconfirmed.empty()) {
            // The log holds the backup: say so, and that the disk could not confirm it.
            QString text = state_.text(
                1200, QStringLiteral("The log now holds the backup, but the disk could not confirm it."));
            for (const FileError& error : outcome.unconfirmed)
                text += QLatin1Char('\n') + fileErrorText(error, state_.LanguageOffset);
            seams_.message(this, text, windowTitle(), Seams::Icon::Warning);
        }
        Timer1->start();
        return;
    case RestoreOutcome::Status::NotInPlace:
        refuse(state_.text(1201, QStringLiteral("The log %1 does not hold the chosen backup."))
                   .arg(QDir::toNativeSeparators(outcome.logPath)));
        return;
    case RestoreOutcome::Status::NoLogName:
        refuse(state_.text(1182, QStringLiteral("The backup name gives no log name:")) + QLatin1Char(' ') +
               chosen_);
        return;
    case RestoreOutcome::Status::CopyFailed:
        refuse(state_.text(1184, QStringLiteral("Nothing was restored: the log is as it was.")) +
               QLatin1Char('\n') + fileErrorText(*outcome.error, state_.LanguageOffset));
        return;
    }
}

void frm_Restor::bringCountersInLine(const QString& logPath) {
    const QString logName = QFileInfo(logPath).fileName();
    if (state_.log.LogInUse == 0 ||
        logName.compare(state_.log.LogInUseName.trimmed(), Qt::CaseInsensitive) != 0)
        return;
    // Log.dat describes the log in use: after a restore it must describe the restored one.
    const Result<OpenedLog> opened = openLog(state_.folder, logName, state_.countries.count(), sync_);
    if (!opened) {
        seams_.message(this, fileErrorText(opened.error(), state_.LanguageOffset), windowTitle(),
                       Seams::Icon::Warning);
        return;
    }
    state_.counters = opened.value().statistics.counters;
    // An unconfirmed Log.dat is harmless: opening the log rebuilds it whenever the two disagree.
    if (opened.value().counterFileError && !inPlaceUnconfirmed(opened.value().counterFileError))
        seams_.message(this, fileErrorText(*opened.value().counterFileError, state_.LanguageOffset),
                       windowTitle(), Seams::Icon::Warning);
}

void frm_Restor::refuse(const QString& text) {
    ProgressBar1->hide();
    Label5->hide();
    Label4->show();
    seams_.message(this, text, windowTitle(), Seams::Icon::Error);
}

void frm_Restor::Timer1_Timer() {
    ++ticks_;
    if (ticks_ >= ticksToComplete) {
        Timer1->stop();
        ProgressBar1->hide();
        Label6->show();
        Label6->announce(Label6->text());
        Timer2->start();
    }
    ProgressBar1->setValue(ticks_);
}

void frm_Restor::Timer2_Timer() {
    Timer2->stop();
    closeWith(QDialog::Accepted);
}

void frm_Restor::cmd_Close_Click() {
    Timer1->stop();
    Timer2->stop();
    closeWith(QDialog::Rejected);
}

} // namespace qvmd
