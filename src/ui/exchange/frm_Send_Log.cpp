#include "ui/exchange/frm_Send_Log.h"

#include "core/app/AppState.h"
#include "core/exchange/AttachedMail.h"
#include "core/exchange/LogPath.h"
#include "core/exchange/MailLink.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvmd {

namespace {

// A screen reader reads a dialog's labels of three words or more only: the bare path is said at the end of
// the sentence above it.
void sayPathWith(QLabel& sentence, const QString& path) {
    sentence.setAccessibleName(sentence.text() + QStringLiteral(": ") + path);
}

} // namespace

frm_Send_Log::frm_Send_Log(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frm_Send_Log"));
    setWindowTitle(QStringLiteral("Invio Log"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Label1 = makeLabel(this, "Label1", QStringLiteral("Invia il Log all'Award Manager"), "1073");
    QFont heading = Label1->font();
    heading.setPointSize(heading.pointSize() + 6);
    heading.setBold(true);
    Label1->setFont(heading);
    Label1->setAlignment(Qt::AlignCenter);

    Label4 = makeLabel(this, "Label4", QStringLiteral("ATTENZIONE!!!"), "1105");
    QFont warning = Label4->font();
    warning.setPointSize(warning.pointSize() + 3);
    warning.setBold(true);
    Label4->setFont(warning);
    Label4->setAlignment(Qt::AlignCenter);
    Label4->setStyleSheet(QStringLiteral("color: #b00000;"));

    attachHelper_ = AttachedMail::findHelper();
    Label2 = makeLabel(this, "Label2", QString(), attaches() ? "1337" : "1104");
    Label2->setWordWrap(true);
    Label2->setFixedWidth(460);

    // The path may be long; it is selectable so that it can also be copied by hand.
    Label3 = makeLabel(this, "Label3", QString());
    Label3->setWordWrap(true);
    Label3->setFixedWidth(460);
    Label3->setFrameShape(QFrame::Box);
    Label3->setMargin(6);
    Label3->setTextInteractionFlags(Qt::TextSelectableByMouse);
    Label3->setStyleSheet(QStringLiteral("background: white;"));

    cmd_Send = makeButton(this, "cmd_Send", QStringLiteral("Invia Log"), "1030");
    cmd_Send->setMinimumWidth(110);
    connect(cmd_Send, &QPushButton::clicked, this, &frm_Send_Log::cmd_Send_Click);
    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Esci"), "1001");
    cmd_Close->setMinimumWidth(110);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_Send_Log::cmd_Close_Click);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_Send);
    buttons->addSpacing(24);
    buttons->addWidget(cmd_Close);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(12);
    layout->addWidget(Label1);
    layout->addWidget(Label4);
    layout->addWidget(Label2);
    layout->addWidget(Label3);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Load.
    Localise(*this, *state_.strings, state_.LanguageOffset);
    layout->activate();
    paintBackground(*this, Backdrop::sendBlueToGreen);
    logPath_ = QDir::toNativeSeparators(logFilePath(state_.folder, state_.log.LogInUseName));
    Label3->setText(logPath_);
    sayPathWith(*Label2, logPath_);
    // Also with the attachment: should the mail program leave it out, the path is at hand.
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(logPath_);
}

bool frm_Send_Log::attaches() const {
    return !attachHelper_.isEmpty() && AttachedMail::takesRecipient(state_.SettingsEntries.value(1));
}

void frm_Send_Log::cmd_Send_Click() {
    if (attaches()) {
        const QStringList arguments = AttachedMail::arguments(
            state_.SettingsEntries.value(1), logMailSubject(),
            logMailBody(state_.profile.StationCallsign, state_.profile.OperatorName, state_.UtcNowText),
            logPath_);
        auto* mail = new AttachedMail(this);
        if (mail->start(attachHelper_, arguments)) {
            // A few seconds at most: the helper ends, or the mail program it started has the mail.
            cmd_Send->setEnabled(false);
            cmd_Close->setEnabled(false);
            setCursor(Qt::BusyCursor);
            connect(mail, &AttachedMail::done, this, &frm_Send_Log::attachDone);
            return;
        }
        delete mail;
    }
    sendLink();
}

void frm_Send_Log::attachDone(bool handedOver) {
    unsetCursor();
    if (handedOver) {
        closeWith(QDialog::Accepted);
        return;
    }
    // As without the helper: the prepared mail, and the file attached by hand.
    const QString byHand = state_.text(1104);
    Label2->setText(byHand);
    sayPathWith(*Label2, logPath_);
    seams_.message(this,
                   state_.text(1338, QStringLiteral("The mail program could not attach the Log.")) +
                       QLatin1Char('\n') + byHand,
                   windowTitle(), Seams::Icon::Warning);
    sendLink();
}

void frm_Send_Log::sendLink() {
    const QString link = logMailLink(state_.SettingsEntries.value(1), state_.profile.StationCallsign,
                                     state_.profile.OperatorName, state_.UtcNowText);
    // Whether a mail program took the link cannot be known; the window closes either way.
    QDesktopServices::openUrl(mailUrl(link));
    closeWith(QDialog::Accepted);
}

void frm_Send_Log::cmd_Close_Click() {
    closeWith(QDialog::Rejected);
}

} // namespace qvmd
