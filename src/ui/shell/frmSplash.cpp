#include "ui/shell/frmSplash.h"

#include "core/app/AppState.h"
#include "core/app/FileErrorText.h"
#include "core/app/StartupFiles.h"
#include "core/app/VersionInfo.h"
#include "core/station/UseFile.h"
#include "ui/kit/Background.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/kit/cLoadResPicture.h"
#include "ui/shell/frm_Lang.h"
#include "ui/station/frm_Prima_Volta.h"

#include <QCloseEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace qvmd {

namespace {

QLabel* makeLabel(QWidget* parent, const char* name, const QString& text, int pointSize, bool bold) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSize(pointSize);
    font.setBold(bold);
    label->setFont(font);
    label->setAlignment(Qt::AlignCenter);
    return label;
}

} // namespace

frmSplash::frmSplash(AppState& state, Seams& seams, bool anotherCopyRunning, QWidget* parent)
    : QDialog(parent), state_(state), seams_(seams), anotherCopyRunning_(anotherCopyRunning) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("QV_md"));
    setFixedSize(620, 400);

    Image1 = new QLabel(this);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setFixedSize(220, 220);
    Image1->setAlignment(Qt::AlignCenter);

    lblTitle1 = makeLabel(this, "lblTitle1", QStringLiteral("MARIGOLD's"), 30, true);
    lblTitle2 = makeLabel(this, "lblTitle2", QStringLiteral("DAY"), 30, true);
    lblGroup = makeLabel(this, "lblGroup", QStringLiteral("QV radio group"), 12, false);
    lblVersion = makeLabel(this, "lblVersion", QStringLiteral("Version"), 10, false);
    lblVersion->setProperty("tag", QStringLiteral("1018"));
    lblStation = makeLabel(this, "lblStation", QString(), 11, true);
    lblStation->setProperty("tag", QStringLiteral("1013"));
    lblLegal = makeLabel(this, "lblLegal", QString(), 8, false);
    lblLegal->setWordWrap(true);

    Label4 = new QLabel(this);
    Label4->setObjectName(QStringLiteral("Label4"));
    Label4->setProperty("tag", QStringLiteral("1052"));
    Label4->hide();
    Label5 = new QLabel(this);
    Label5->setObjectName(QStringLiteral("Label5"));
    Label5->setProperty("tag", QStringLiteral("1115"));
    Label5->hide();

    cmd_reg = new QPushButton(QStringLiteral("Confirm"), this);
    cmd_reg->setObjectName(QStringLiteral("cmd_reg"));
    cmd_reg->setProperty("tag", QStringLiteral("1044"));
    cmd_reg->setMinimumSize(120, 32);
    cmd_reg->hide();
    cmd_End = new QPushButton(QStringLiteral("Exit"), this);
    cmd_End->setObjectName(QStringLiteral("cmd_End"));
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
}

void frmSplash::localise() {
    Localise(*this, *state_.strings, state_.LanguageOffset);
    // The version label's caption is completed after every localisation, so a language change keeps it.
    lblVersion->setText(lblVersion->text() + QLatin1Char(' ') + VersionInfo::versionText());
}

bool frmSplash::fail(const FileError& error, bool languageKnown) {
    // Without a known language both are shown, so every operator can read what is wrong.
    QString text = fileErrorText(error, state_.LanguageOffset);
    if (!languageKnown)
        text = fileErrorText(error, 0) + QStringLiteral("\n\n") + fileErrorText(error, 1000);
    seams_.message(this, text, VersionInfo::title(), Seams::Icon::Error);
    seams_.requestEnd();
    Timer1.stop();
    return false;
}

bool frmSplash::loadPass() {
    const Result<std::int16_t> language = readLangFile(state_.folder);
    if (!language)
        return fail(language.error(), false);
    state_.LanguageOffset = language.value();
    localise();

    if (anotherCopyRunning_) {
        seams_.message(this, Label4->text(), Label5->text(), Seams::Icon::Information);
        seams_.requestEnd();
        return false;
    }

    paintBackground(*this, Backdrop::cyanToGreen);
    state_.RegistrationState = 0;
    cLoadResPicture pictures(state_);
    Image1->setPixmap(pictures.LoadResPicture(100, QStringLiteral("CUSTOM")));
    lblLegal->setText(VersionInfo::legalNotice());

    if (auto error = readPrimeFile(state_))
        return fail(*error, true);
    if (auto error = readMdIni(state_))
        return fail(*error, true);

    // The station line means nothing before a station is registered.
    lblStation->setVisible(state_.RegistrationState != 0);
    if (state_.RegistrationState == 0) {
        Timer1.stop();
        cmd_End->show();
        cmd_reg->show();
    } else {
        if (state_.RegistrationState == 1 || state_.RegistrationState == 2) {
            lblStation->setText(lblStation->text() + QStringLiteral("   ") + state_.RegisteredUnitId +
                                QLatin1Char(' ') + state_.RegisteredName);
            if (auto error = readUseFile(state_))
                return fail(*error, true);
        }
        Timer1.start();
    }

    Result<CountryTable> countries = CountryTable::load(state_.folder.data(QStringLiteral("Prefix.dat")));
    if (!countries)
        return fail(countries.error(), true);
    state_.countries = std::move(countries.value());
    const Result<ScoreWeights> weights = ScoreWeights::load(state_.folder.data(QStringLiteral("Data.dat")));
    if (!weights)
        return fail(weights.error(), true);
    state_.weights = weights.value();
    state_.MaxUnitNumber = 3000;
    return true;
}

void frmSplash::Timer1_Timer() {
    Timer1.stop();
    accept();
}

void frmSplash::cmd_End_Click() {
    seams_.requestEnd();
    reject();
}

void frmSplash::cmd_reg_Click() {
    frm_Lang language(state_, seams_, this);
    seams_.showModal(language);
    localise();

    frm_Prima_Volta registration(state_, seams_, this);
    seams_.showModal(registration);
    accept();
}

void frmSplash::closeEvent(QCloseEvent* event) {
    Timer1.stop();
    QDialog::closeEvent(event);
}

} // namespace qvmd
