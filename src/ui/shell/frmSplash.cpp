#include "ui/shell/frmSplash.h"

#include "core/app/AppState.h"
#include "core/common/VersionInfo.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"
#include "ui/shell/frm_Lang.h"
#include "ui/station/frm_Prima_Volta.h"
#include "ui/update/frm_Aggior.h"

#include <QCloseEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvmd {

namespace {

QLabel* styled(QLabel* label, int pointSize, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmSplash::frmSplash(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("QV_md"));
    setFixedSize(620, 400);
    // The close box ends a first run like Exit and ends the wait of a registered one; Escape does neither.
    allowCloseBox();
    refuseEscape();

    Image1 = makeLabel(this, "Image1", QString());
    Image1->setFixedSize(220, 220);
    Image1->setAlignment(Qt::AlignCenter);

    lblTitle1 = styled(makeLabel(this, "lblTitle1", QStringLiteral("MARIGOLD's")), 30, true);
    lblTitle2 = styled(makeLabel(this, "lblTitle2", QStringLiteral("DAY")), 30, true);
    lblGroup = styled(makeLabel(this, "lblGroup", QStringLiteral("QV radio group")), 12, false);
    lblVersion = styled(makeLabel(this, "lblVersion", QStringLiteral("Version"), "1018"), 10, false);
    lblStation = styled(makeLabel(this, "lblStation", QString(), "1013"), 11, true);
    lblLegal = styled(makeLabel(this, "lblLegal", QString()), 8, false);
    lblLegal->setWordWrap(true);

    Label4 = makeLabel(this, "Label4", QString(), "1052");
    Label4->hide();
    Label5 = makeLabel(this, "Label5", QString(), "1115");
    Label5->hide();

    cmd_reg = makeButton(this, "cmd_reg", QStringLiteral("Confirm"), "1044");
    cmd_reg->setMinimumSize(120, 32);
    cmd_reg->hide();
    cmd_End = makeButton(this, "cmd_End", QStringLiteral("Exit"));
    setNameTag(cmd_End, "1001");
    cmd_End->setMinimumSize(120, 32);
    cmd_End->hide();

    auto* titles = new QVBoxLayout;
    titles->addStretch();
    titles->addWidget(lblTitle1);
    titles->addWidget(lblTitle2);
    titles->addWidget(lblGroup);
    titles->addSpacing(12);
    titles->addWidget(lblVersion);
    titles->addStretch();

    auto* top = new QHBoxLayout;
    top->addWidget(Image1);
    top->addLayout(titles, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_reg);
    buttons->addWidget(cmd_End);
    buttons->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(20, 20, 20, 14);
    layout->addLayout(top, 1);
    layout->addWidget(lblStation);
    layout->addLayout(buttons);
    layout->addWidget(lblLegal);

    Timer1.setInterval(2000);
    Timer1.setSingleShot(true);
    connect(&Timer1, &QTimer::timeout, this, &frmSplash::Timer1_Timer);
    connect(cmd_reg, &QPushButton::clicked, this, &frmSplash::cmd_reg_Click);
    connect(cmd_End, &QPushButton::clicked, this, &frmSplash::cmd_End_Click);

    // What the start-up files said, in the window's own order.
    localise();
    paintBackground(*this, Backdrop::cyanToGreen);
    cLoadResPicture pictures;
    Image1->setPixmap(pictures.LoadResPicture(100, QStringLiteral("CUSTOM")));
    lblLegal->setText(VersionInfo::legalNotice());

    // The station line means nothing before a station is registered.
    lblStation->setVisible(state_.RegistrationState != 0);
    if (state_.RegistrationState == 0) {
        cmd_End->show();
        cmd_reg->show();
        return;
    }
    if (state_.RegistrationState == 1 || state_.RegistrationState == 2) {
        lblStation->setText(lblStation->text() + QStringLiteral("   ") + state_.RegisteredUnitId +
                            QLatin1Char(' ') + state_.RegisteredName);
    }
    Timer1.start();
}

void frmSplash::localise() {
    Localise(*this, *state_.strings, state_.LanguageOffset);
    // The version label's caption is completed after every localisation, so a language change keeps it.
    lblVersion->setText(lblVersion->text() + QLatin1Char(' ') + VersionInfo::versionText());
}

void frmSplash::Timer1_Timer() {
    Timer1.stop();
    closeWith(QDialog::Accepted);
}

void frmSplash::cmd_End_Click() {
    seams_.requestEnd();
    closeWith(QDialog::Rejected);
}

void frmSplash::cmd_reg_Click() {
    frm_Lang language(state_, seams_, this);
    seams_.showModal(language);
    localise();

    frm_Prima_Volta registration(state_, seams_, this);
    // A station missing from the rosters may be in the organiser's newer ones.
    connect(&registration, &frm_Prima_Volta::updatesRequested, this, [this, &registration] {
        frm_Aggior updates(state_, seams_, &registration);
        seams_.showModal(updates);
    });
    seams_.showModal(registration);
    closeWith(QDialog::Accepted);
}

void frmSplash::closeEvent(QCloseEvent* event) {
    Timer1.stop();
    FormDialog::closeEvent(event);
}

} // namespace qvmd
