#include "ui/exchange/frm_Backup.h"

#include "core/app/AppState.h"
#include "core/common/FileErrorText.h"
#include "core/exchange/AutoBackupList.h"
#include "core/exchange/LogBackup.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace qvmd {

namespace {

constexpr int okDelay = 2000;
constexpr int closeDelay = 3000;

QTimer* makeTimer(QObject* parent, const char* name, int interval) {
    auto* timer = new QTimer(parent);
    timer->setObjectName(QLatin1String(name));
    timer->setInterval(interval);
    return timer;
}

} // namespace

frm_Backup::frm_Backup(AppState& state, Seams& seams, QWidget* parent, const DiskSync& sync)
    : FormDialog(parent), state_(state), seams_(seams), sync_(sync) {
    setObjectName(QStringLiteral("frm_Backup"));
    setWindowTitle(QStringLiteral("Backup"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Log Backup"));
    QFont heading = Label1->font();
    heading.setPointSize(heading.pointSize() + 8);
    heading.setBold(true);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);
    Label1->setMinimumWidth(360);
    Label2 = makeLabel(this, "Label2", QStringLiteral("Vuoi Eseguire "));
    Label2->setAlignment(Qt::AlignCenter);
    Label3 = makeLabel(this, "Label3", QString());
    Label3->setAlignment(Qt::AlignCenter);
    QFont name = Label3->font();
    name.setBold(true);
    name.setPointSize(name.pointSize() + 2);
    Label3->setFont(name);
    Label4 = makeLiveLabel(this, "Label4", QStringLiteral("Backup OK"));
    QFont done = Label4->font();
    done.setPointSize(done.pointSize() + 6);
    done.setBold(true);
    Label4->setFont(done);
    Label4->setAlignment(Qt::AlignCenter);
    // The place stays reserved, so the window does not jump when the text appears.
    keepPlaceWhenHidden(Label4);
    Label4->hide();
    for (QLabel* label : std::initializer_list<QLabel*>{Label1, Label2, Label3, Label4})
        label->setStyleSheet(QStringLiteral("color: white;"));
    Label5 = makeLabel(this, "Label5", QString());
    Label5->setWordWrap(true);
    Label5->setFixedWidth(360);
    Label5->setStyleSheet(QStringLiteral("color: #ffd0d0; font-weight: bold;"));
    Label5->hide();

    cmd_Conf = makeButton(this, "cmd_Conf", QStringLiteral("Backup"));
    cmd_Conf->setMinimumWidth(110);
    connect(cmd_Conf, &QPushButton::clicked, this, &frm_Backup::cmd_Conf_Click);
    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Esci"), "1001");
    cmd_Close->setMinimumWidth(110);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Backup::cmd_Close_Click);

    Timer2 = makeTimer(this, "Timer2", okDelay);
    connect(Timer2, &QTimer::timeout, this, &frm_Backup::Timer2_Timer);
    Timer1 = makeTimer(this, "Timer1", closeDelay);
    connect(Timer1, &QTimer::timeout, this, &frm_Backup::Timer1_Timer);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_Conf);
    buttons->addSpacing(24);
    buttons->addWidget(cmd_Close);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(28, 18, 28, 18);
    layout->setSpacing(10);
    layout->addWidget(Label1);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addSpacing(6);
    layout->addWidget(Label4);
    layout->addWidget(Label5);
    layout->addSpacing(6);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Load.
    Localise(*this, *state_.strings, state_.LanguageOffset);
    Label3->setText(state_.log.LogInUseName);
    // A screen reader reads a dialog's labels of three words or more only: the heading names the log.
    Label1->setAccessibleName(Label1->text() + QStringLiteral(": ") + Label3->text());
    layout->activate();
    paintBackground(*this, Backdrop::darkToLightGreen);
}

void frm_Backup::showAutoBackupFailure(const QString& why) {
    if (why.isEmpty())
        return;
    Label5->setText(state_.text(1340, QStringLiteral("The last automatic backup failed:")) +
                    QLatin1Char('\n') + why);
    Label5->show();
}

void frm_Backup::cmd_Conf_Click() {
    // One copy per opening, whatever its outcome; "Exit" remains.
    cmd_Conf->setEnabled(false);
    const BackupOutcome outcome =
        backupLog(state_.folder, state_.log.LogInUseName, state_.clock->now(), sync_);
    const QString title = windowTitle();
    switch (outcome.status) {
    case BackupOutcome::Status::Copied:
        // Made by hand: an automatic copy of the same second under this name is forgotten, so this one
        // is never removed with the automatic ones.
        forgetAutoBackup(state_.folder, QFileInfo(outcome.backupPath).fileName());
        if (outcome.unconfirmed) {
            seams_.message(this,
                           state_.text(1202, QStringLiteral("The backup was made, but the disk could not "
                                                            "confirm it.")) +
                               QLatin1Char('\n') + fileErrorText(*outcome.unconfirmed, state_.LanguageOffset),
                           title, Seams::Icon::Warning);
        }
        Timer2->start();
        return;
    case BackupOutcome::Status::NoBaseName:
        seams_.message(this,
                       state_.text(1181, QStringLiteral("The log name gives no backup name:")) +
                           QLatin1Char(' ') + state_.log.LogInUseName,
                       title, Seams::Icon::Error);
        return;
    case BackupOutcome::Status::CopyFailed:
        seams_.message(this,
                       state_.text(1183, QStringLiteral("The backup was not made.")) + QLatin1Char('\n') +
                           fileErrorText(*outcome.error, state_.LanguageOffset),
                       title, Seams::Icon::Error);
        return;
    }
}

void frm_Backup::Timer2_Timer() {
    Timer2->stop();
    Label4->show();
    Label4->announce(Label4->text());
    Timer1->start();
}

void frm_Backup::Timer1_Timer() {
    Timer1->stop();
    closeWith(QDialog::Accepted);
}

void frm_Backup::cmd_Close_Click() {
    Timer1->stop();
    Timer2->stop();
    closeWith(QDialog::Rejected);
}

} // namespace qvmd
