#pragma once

#include "ui/kit/FormDialog.h"

#include <QTimer>

class QLabel;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;

// The start-up window, built once the start-up files are read: a first run shows Confirm and Exit, a
// registered station shows itself for two seconds and closes. Escape is refused: on a first run it would
// end the program, on a registered one it would skip the wait.
class frmSplash : public FormDialog {
    Q_OBJECT
public:
    frmSplash(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QLabel* lblVersion = nullptr;
    QLabel* lblStation = nullptr;
    QLabel* lblTitle1 = nullptr;
    QLabel* lblTitle2 = nullptr;
    QLabel* lblGroup = nullptr;
    QLabel* lblLegal = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* Label4 = nullptr; // hidden: second-copy message
    QLabel* Label5 = nullptr; // hidden: its title
    QPushButton* cmd_reg = nullptr;
    QPushButton* cmd_End = nullptr;
    QTimer Timer1;

public slots:
    void Timer1_Timer();
    void cmd_reg_Click();
    void cmd_End_Click();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void localise();

    AppState& state_;
    Seams& seams_;
};

} // namespace qvmd
