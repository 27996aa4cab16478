#pragma once

#include "ui/kit/FormDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;
class QSettings;
class QSpinBox;

namespace qvmd {

struct AppState;
class Seams;

// The user's choice for automatic backups: on or off, and how many of them are kept for each log. The
// choice is stored in the user's own configuration when "Save" is pressed.
class frm_AutoBackup : public FormDialog {
    Q_OBJECT
public:
    frm_AutoBackup(AppState& state, Seams& seams, QWidget* parent = nullptr);
    ~frm_AutoBackup() override;

    QLabel* Label1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Label2 = nullptr;
    QSpinBox* Text1 = nullptr;
    QPushButton* cmd_Save = nullptr;
    QPushButton* cmd_Close = nullptr;

public slots:
    void cmd_Save_Click();
    void cmd_Close_Click();

private:
    AppState& state_;
    Seams& seams_;
};

} // namespace qvmd
