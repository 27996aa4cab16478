#include "ui/logfile/frm_log_exist.h"

#include "core/app/AppState.h"
#include "ui/kit/Background.h"
#include "ui/kit/FormControls.h"
#include "ui/kit/Localise.h"
#include "ui/kit/Seams.h"
#include "ui/logfile/frm_Sel_Log.h"

#include <QLabel>
#include <QPushButton>

namespace qvmd {

frm_log_exist::frm_log_exist(AppState& state, Seams& seams, QWidget* parent)
    : FormDialog(parent), state_(state), seams_(seams) {
    buildControls();
    Localise(*this, *state_.strings, state_.LanguageOffset);
    paintBackground(*this, Backdrop::redToYellow);
}

void frm_log_exist::buildControls() {
    setObjectName(QStringLiteral("frm_log_exist"));
    setProperty("tag", QStringLiteral("1078"));
    setWindowTitle(QStringLiteral("Control Log"));
    setFixedSize(480, 214);

    const struct {
        QLabel** label;
        const char* name;
        const char* text;
        const char* tag;
        int y;
    } lines[] = {
        {&Label1, "Label1", "The name of the log which you are creating is already present.", "1056", 14},
        {&Label2, "Label2", "Press YES to replace the Log. All data will be lost.", "1057", 44},
        {&Label3, "Label3", "Press NO to exit", "1058", 74},
        {&Label4, "Label4", "Are you sure", "1108", 112},
    };
    for (const auto& line : lines) {
        QLabel* label = makeLabel(this, line.name, QString::fromLatin1(line.text), line.tag);
        label->setGeometry(16, line.y, 448, 26);
        label->setAlignment(Qt::AlignCenter);
        label->setWordWrap(true);
        QFont font = label->font();
        font.setBold(true);
        label->setFont(font);
        *line.label = label;
    }
    QFont warning = Label4->font();
    warning.setPointSize(warning.pointSize() + 4);
    Label4->setFont(warning);
    Label4->setStyleSheet(QStringLiteral("color: rgb(160, 0, 0);"));
    Label4->hide();

    cmd_Acc = makeButton(this, "cmd_Acc", QStringLiteral("YES"), "1032");
    cmd_Acc->setGeometry(16, 160, 104, 36);
    connect(cmd_Acc, &QPushButton::clicked, this, &frm_log_exist::cmd_Acc_Click);

    // "Conferma" takes the place of "Mantieni Log" once YES is pressed.
    cmd_conf = makeButton(this, "cmd_conf", QStringLiteral("Conferma"));
    cmd_conf->setGeometry(136, 160, 208, 36);
    setNameTag(cmd_conf, "1044");
    cmd_conf->hide();
    connect(cmd_conf, &QPushButton::clicked, this, &frm_log_exist::cmd_conf_Click);

    cmd_Mantieni = makeButton(this, "cmd_Mantieni", QStringLiteral("Mantieni Log"));
    cmd_Mantieni->setGeometry(136, 160, 208, 36);
    setNameTag(cmd_Mantieni, "1432");
    connect(cmd_Mantieni, &QPushButton::clicked, this, &frm_log_exist::cmd_Mantieni_Click);

    cmd_Annul = makeButton(this, "cmd_Annul", QStringLiteral("No"));
    cmd_Annul->setGeometry(360, 160, 104, 36);
    connect(cmd_Annul, &QPushButton::clicked, this, &frm_log_exist::cmd_Annul_Click);
}

void frm_log_exist::cmd_Acc_Click() {
    // A second, explicit step before all data of the log is lost.
    cmd_Acc->setEnabled(false);
    cmd_Mantieni->hide();
    cmd_conf->show();
    Label4->show();
    // The question is heard with the button the focus goes to: a screen reader leaves the label unread.
    cmd_Annul->setAccessibleDescription(Label4->text());
    cmd_Annul->setFocus();
}

void frm_log_exist::cmd_conf_Click() {
    closeWith(Replace);
}

void frm_log_exist::cmd_Annul_Click() {
    closeWith(Stop);
}

void frm_log_exist::cmd_Mantieni_Click() {
    frm_Sel_Log selection(state_, seams_, this);
    if (seams_.showModal(selection) == QDialog::Accepted && selection.chosen())
        closeWith(KeptAndSelected);
}

} // namespace qvmd
