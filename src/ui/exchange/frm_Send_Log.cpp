#include "ui/exchange/frm_Send_Log.h"

#include "core/app/AppState.h"
#include "core/exchange/LogPath.h"
#include "core/exchange/MailLink.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvmd {

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

    Label2 = makeLabel(this, "Label2", QString(), "1104");
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
    const QString logPath = QDir::toNativeSeparators(logFilePath(state_.folder, state_.log.LogInUseName));
    Label3->setText(logPath);
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(logPath);
}

void frm_Send_Log::cmd_Send_Click() {
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
