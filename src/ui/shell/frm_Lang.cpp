#include "ui/shell/frm_Lang.h"

#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/common/FileErrorText.h"
#include "ui/kit/Seams.h"
#include "ui/kit/SpokenChoice.h"

#include <QComboBox>
#include <QCompleter>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace qvmd {

namespace {
const QString windowTitleText = QStringLiteral("Lingua - Language");
}

frm_Lang::frm_Lang(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    setObjectName(QStringLiteral("frm_Lang"));
    setWindowTitle(windowTitleText);
    setWindowFlags(windowFlags() & ~Qt::WindowContextHelpButtonHint);

    cmb_Lang = new QComboBox(this);
    cmb_Lang->setObjectName(QStringLiteral("cmb_Lang"));
    cmb_Lang->setEditable(true);
    cmb_Lang->setInsertPolicy(QComboBox::NoInsert);
    cmb_Lang->setMinimumWidth(140);
    cmb_Lang->addItems({QStringLiteral("Italiano"), QStringLiteral("English")});
    cmb_Lang->setEditText(QStringLiteral("Italiano"));
    // The window asks before any language is chosen: its spoken name is as bilingual as its title.
    cmb_Lang->setAccessibleName(windowTitleText);
    cmb_Lang->lineEdit()->setAccessibleName(windowTitleText);
    // The box takes the list entry that matches a typed text when editing ends, and its completer
    // matches regardless of case: "italiano" would become Italian. Only the exact name may.
    cmb_Lang->completer()->setCaseSensitivity(Qt::CaseSensitive);
    speakChoice(*cmb_Lang);

    cmb_ok = new QPushButton(QStringLiteral("OK"), this);
    cmb_ok->setObjectName(QStringLiteral("cmb_ok"));
    cmb_ok->setDefault(true);
    enterPressesDefaultButton();
    connect(cmb_ok, &QPushButton::clicked, this, &frm_Lang::cmb_ok_Click);

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 16);
    layout->setSpacing(12);
    layout->addWidget(cmb_Lang);
    layout->addWidget(cmb_ok);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void frm_Lang::cmb_ok_Click() {
    // Only the exact Italian name keeps Italian; any other text chooses English.
    state_.LanguageOffset = cmb_Lang->currentText() == QStringLiteral("Italiano") ? 0 : 1000;
    // A failed write is told, but the chosen language stays in force for this run.
    if (const WriteResult failed = writeLangFile(state_.folder, state_.LanguageOffset))
        seams_.message(this, fileErrorText(*failed, state_.LanguageOffset), windowTitleText,
                       Seams::Icon::Error);
    closeWith(QDialog::Accepted);
}

} // namespace qvmd
