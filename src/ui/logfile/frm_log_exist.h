#pragma once

#include "ui/kit/FormDialog.h"

class QLabel;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;

// Asked when the log about to be created already exists: replace it (YES, then Conferma), keep it and
// choose a log instead ("Mantieni Log"), or stop ("No").
class frm_log_exist : public FormDialog {
    Q_OBJECT
public:
    // What the dialog returns.
    enum Answer {
        Stop = QDialog::Rejected,    // "No": nothing is written
        Replace = QDialog::Accepted, // "Conferma" after YES: the existing log is overwritten
        KeptAndSelected = 2,         // "Mantieni Log" and a log was chosen in the selection window
    };

    frm_log_exist(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr; // "Are you sure", shown after YES
    QPushButton* cmd_Acc = nullptr;
    QPushButton* cmd_conf = nullptr; // shown after YES
    QPushButton* cmd_Annul = nullptr;
    QPushButton* cmd_Mantieni = nullptr;

public slots:
    void cmd_Acc_Click();
    void cmd_conf_Click();
    void cmd_Annul_Click();
    void cmd_Mantieni_Click();

private:
    void buildControls();

    AppState& state_;
    Seams& seams_;
};

} // namespace qvmd
