#pragma once

#include "ui/kit/FormDialog.h"

class QCheckBox;
class QLabel;
class QPushButton;

namespace qvmd {

struct AppState;
class ClickLabel;
class Seams;

// Creating the log of the own station for the current year. The name is fixed when the window opens;
// an existing log of that name is replaced only after two confirmations. Returns Accepted when a log
// was created, Rejected otherwise (Exit, No, or a log kept and selected instead).
class frm_New_Log : public FormDialog {
    Q_OBJECT
public:
    frm_New_Log(AppState& state, Seams& seams, QWidget* parent = nullptr);

    QLabel* Label1 = nullptr; // title
    QLabel* Label2 = nullptr; // identifier and name
    QLabel* Label3 = nullptr; // name of the new log
    QLabel* Label5 = nullptr; // "Lady" badge
    QLabel* Label6 = nullptr; // "Hunter" badge
    QCheckBox* Check1 = nullptr;
    ClickLabel* Label4 = nullptr; // caption of the paper log switch
    QPushButton* cmd_crea = nullptr;
    QPushButton* cmd_Close = nullptr;

    const QString& logName() const { return logName_; }

public slots:
    void Check1_Click();
    void cmd_crea_Click();
    void cmd_Close_Click();

protected:
    void done(int result) override;

private:
    void buildControls();

    AppState& state_;
    Seams& seams_;
    int year_ = 0;
    QString logName_;
    QString paperLog_ = QStringLiteral("N");
};

} // namespace qvmd
