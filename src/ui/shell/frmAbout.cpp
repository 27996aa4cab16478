#include "ui/shell/frmAbout.h"
#include "ui/kit/FormControls.h"

#include "core/app/AppState.h"
#include "core/common/VersionInfo.h"
#include "core/exchange/MailLink.h"
#include "ui/kit/Background.h"
#include "ui/kit/ClickLabel.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"

#include <QDesktopServices>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>

namespace qvmd {

namespace {

constexpr int timerInterval = 15000;
// The Md.ini entry each of Label1(1) to Label1(5) shows.
constexpr int settingsOfLabel[] = {0, 1, 3, 4, 5, 7};

} // namespace

frmAbout::frmAbout(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("Informazioni su QV Marigold Day"));
    setProperty("tag", QStringLiteral("1014"));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    lblTitle = makeLabel(this, "lblTitle", QStringLiteral("Titolo applicazione"), "1019");
    QFont titleFont = lblTitle->font();
    titleFont.setPointSize(titleFont.pointSize() + 8);
    titleFont.setBold(true);
    lblTitle->setFont(titleFont);
    lblVersion = makeLabel(this, "lblVersion", QStringLiteral("Versione"), "1018");
    lblDescription = makeLabel(this, "lblDescription", QStringLiteral("Descrizione applicazione"), "1020");
    lblDescription->setWordWrap(true);
    lblDisclaimer = makeLabel(this, "lblDisclaimer", QStringLiteral("Avviso: ..."), "1017");
    lblDisclaimer->setWordWrap(true);
    lblDisclaimer->setMinimumWidth(320);
    Image1 = makeLabel(this, "Image1", QString());
    setNameTag(Image1, "1428");
    Image1->setFixedSize(120, 120);
    Image1->setScaledContents(true);

    for (int i = 0; i < 6; ++i) {
        auto* label = new ClickLabel(this);
        label->setObjectName(QStringLiteral("Label1_%1").arg(i));
        if (i > 0)
            label->showAsLink();
        label->setCursor(Qt::PointingHandCursor);
        connect(label, &ClickLabel::clicked, this, [this, i] { Label1_Click(i); });
        Label1.append(label);
    }
    Label1[0]->setText(QStringLiteral("Award Manager"));
    Label2 = makeLabel(this, "Label2", QStringLiteral("Link www"));
    Label4 = makeLabel(this, "Label4", QStringLiteral("Stazione registrata:"));
    Label3 = makeLabel(this, "Label3", QString());

    cmdOK = new QPushButton(QStringLiteral("OK"), this);
    cmdOK->setObjectName(QStringLiteral("cmdOK"));
    cmdOK->setProperty("tag", QStringLiteral("1016"));
    cmdOK->setDefault(true);
    enterPressesDefaultButton();
    cmdOK->setMinimumWidth(90);
    connect(cmdOK, &QPushButton::clicked, this, &frmAbout::cmdOK_Click);

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(timerInterval);
    Timer1->setSingleShot(true);
    connect(Timer1, &QTimer::timeout, this, &frmAbout::Timer1_Timer);

    auto* heading = new QVBoxLayout;
    heading->addWidget(lblTitle);
    heading->addWidget(lblVersion);
    heading->addWidget(lblDescription);
    heading->addStretch();
    auto* top = new QHBoxLayout;
    top->addWidget(Image1, 0, Qt::AlignTop);
    top->addSpacing(12);
    top->addLayout(heading, 1);

    auto* details = new QGridLayout;
    details->setHorizontalSpacing(16);
    details->addWidget(Label1[0], 0, 0);
    details->addWidget(Label1[1], 0, 1, 1, 2);
    details->addWidget(Label2, 1, 0);
    details->addWidget(Label1[2], 1, 1);
    details->addWidget(Label1[3], 1, 2);
    details->addWidget(Label1[4], 2, 1);
    details->addWidget(Label1[5], 2, 2);
    details->addWidget(Label4, 3, 0);
    details->addWidget(Label3, 3, 1, 1, 2);

    auto* bottom = new QHBoxLayout;
    bottom->addWidget(lblDisclaimer, 1);
    bottom->addSpacing(12);
    bottom->addWidget(cmdOK, 0, Qt::AlignBottom);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(14);
    layout->addLayout(top);
    layout->addLayout(details);
    layout->addLayout(bottom);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Load.
    Localise(*this, *state_.strings, state_.LanguageOffset);
    lblTitle->setText(VersionInfo::productName());
    lblVersion->setText(QStringLiteral("Versione ") + VersionInfo::versionText());
    lblDescription->setText(VersionInfo::description());
    lblDisclaimer->setText(VersionInfo::legalNotice().trimmed());
    Image1->setPixmap(cLoadResPicture().LoadResPicture(116, QStringLiteral("CUSTOM")));
    for (int i = 1; i < Label1.size(); ++i) {
        Label1[i]->setText(state_.SettingsEntries.value(settingsOfLabel[i]));
        // A link the settings leave empty leads nowhere: Tab passes it by.
        if (Label1[i]->text().trimmed().isEmpty())
            Label1[i]->setFocusPolicy(Qt::NoFocus);
    }
    Label3->setText(state_.RegisteredUnitId + QLatin1Char(' ') + state_.RegisteredName);
    layout->activate();
    paintBackground(*this, Backdrop::greenToYellow);
    Timer1->start();
}

void frmAbout::finish() {
    Timer1->stop();
    closeWith(QDialog::Accepted);
}

void frmAbout::Timer1_Timer() {
    finish();
}

void frmAbout::cmdOK_Click() {
    finish();
}

void frmAbout::Label1_Click(int index) {
    if (index == 1) {
        QDesktopServices::openUrl(mailUrl(infoMailLink(state_.SettingsEntries.value(1))));
        return;
    }
    const QString link = Label1[index]->text().trimmed();
    finish();
    if (index >= 2 && !link.isEmpty())
        QDesktopServices::openUrl(QUrl::fromUserInput(link));
}

} // namespace qvmd
