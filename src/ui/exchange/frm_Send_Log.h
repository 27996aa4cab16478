#pragma once

#include "ui/kit/FormDialog.h"

class QLabel;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;

// Helps send the log in use to the award manager: the log's path is shown and put on the clipboard, and
// "Send Log" opens the mail program on a prepared mail. Where the desktop's xdg-email is at hand the log
// goes with the mail as an attachment; otherwise, or when that fails, the operator attaches it by hand.
class frm_Send_Log : public FormDialog {
    Q_OBJECT
public:
    frm_Send_Log(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QPushButton* cmd_Send = nullptr;
    QPushButton* cmd_Close = nullptr;

public slots:
    void cmd_Send_Click();
    void cmd_Close_Click();

    // Whether the log goes as an attachment (the helper was found when the window opened).
    // The window tells what Send will do: the helper is there and can take the recipient.
    bool attaches() const;

private:
    void attachDone(bool handedOver);
    void sendLink();

    QString logPath_;
    QString attachHelper_;
    AppState& state_;
    Seams& seams_;
};

} // namespace qvmd
