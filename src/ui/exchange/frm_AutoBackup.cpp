#include "ui/exchange/frm_AutoBackup.h"

#include "core/app/AppState.h"
#include "core/exchange/AutoBackupSettings.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>

namespace qvmd {

frm_AutoBackup::frm_AutoBackup(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frm_AutoBackup"));
    setWindowTitle(state_.text(1341, QStringLiteral("Automatic backups")));
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    Label1 = makeLabel(this, "Label1", QString(), "1344");
    Label1->setWordWrap(true);
    Label1->setFixedWidth(380);
    Check1 = new QCheckBox(state_.text(1342, QStringLiteral("Back up the log in use by itself")), this);
    Check1->setObjectName(QStringLiteral("Check1"));
    Label2 = makeLabel(this, "Label2", QString(), "1343");
    Text1 = new QSpinBox(this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setRange(AutoBackupSettings::minKeep, AutoBackupSettings::maxKeep);
    Label2->setBuddy(Text1);
    for (QLabel* label : {Label1, Label2})
        label->setStyleSheet(QStringLiteral("color: white;"));
    // Only the caption is white: a style sheet colour would also paint the tick, white in its white box.
    QPalette caption = Check1->palette();
    caption.setColor(QPalette::WindowText, Qt::white);
    Check1->setPalette(caption);

    cmd_Save = makeButton(this, "cmd_Save", QStringLiteral("Salva"), "1031");
    cmd_Save->setMinimumWidth(110);
    connect(cmd_Save, &QPushButton::clicked, this, &frm_AutoBackup::cmd_Save_Click);
    cmd_Close = makeButton(this, "cmd_Close", QStringLiteral("Esci"), "1001");
    cmd_Close->setMinimumWidth(110);
    connect(cmd_Close, &QPushButton::clicked, this, &frm_AutoBackup::cmd_Close_Click);
    // The count means nothing while the backups are off.
    connect(Check1, &QCheckBox::toggled, Text1, &QWidget::setEnabled);

    auto* keepRow = new QHBoxLayout;
    keepRow->addWidget(Label2);
    keepRow->addWidget(Text1);
    keepRow->addStretch();
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(cmd_Save);
    buttons->addSpacing(24);
    buttons->addWidget(cmd_Close);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);
    layout->setSpacing(12);
    layout->addWidget(Label1);
    layout->addWidget(Check1);
    layout->addLayout(keepRow);
    layout->addLayout(buttons);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    // Load.
    Localise(*this, *state_.strings, state_.LanguageOffset);
    Check1->setAccessibleName(Check1->text());
    Text1->setAccessibleName(Label2->text());
    const AutoBackupSettings settings = AutoBackupSettings::load(*AutoBackupSettings::openUserSettings());
    Check1->setChecked(settings.enabled);
    Text1->setValue(settings.keep);
    Text1->setEnabled(settings.enabled);
    layout->activate();
    paintBackground(*this, Backdrop::darkToLightGreen);
}

frm_AutoBackup::~frm_AutoBackup() = default;

void frm_AutoBackup::cmd_Save_Click() {
    AutoBackupSettings settings;
    settings.enabled = Check1->isChecked();
    settings.keep = Text1->value();
    if (!settings.save(*AutoBackupSettings::openUserSettings())) {
        seams_.message(this, state_.text(1345, QStringLiteral("The setting could not be stored.")),
                       windowTitle(), Seams::Icon::Error);
        return;
    }
    closeWith(QDialog::Accepted);
}

void frm_AutoBackup::cmd_Close_Click() {
    closeWith(QDialog::Rejected);
}

} // namespace qvmd
