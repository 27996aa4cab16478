#pragma once

#include "core/common/DiskSync.h"
#include "ui/kit/FormDialog.h"
#include "ui/kit/LiveStatusLabel.h"

class QLabel;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QPushButton;
class QTimer;

namespace qvmd {

struct AppState;
class Seams;

// Puts one of the own station's backups back in place of its log, after a warning, a choice and two
// confirmations. The log it replaces is kept as a backup first. A progress run of about ten seconds
// follows, then "Restore Completed", and the window closes by itself. "Exit" works at every step.
class frm_Restor : public FormDialog {
    Q_OBJECT
public:
    frm_Restor(AppState& state, Seams& seams, QWidget* parent = nullptr,
               const DiskSync& sync = systemDiskSync());

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    LiveStatusLabel* Label5 = nullptr; // the last question and the outcome, spoken when they appear
    LiveStatusLabel* Label6 = nullptr;
    QListWidget* File1 = nullptr;
    QPushButton* cmd_Continua = nullptr;
    QPushButton* cmd_Rest = nullptr;
    QPushButton* cmd_Rest_Conf = nullptr;
    QPushButton* cmd_Close = nullptr;
    QProgressBar* ProgressBar1 = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // The backup clicked last, the one a confirmation restores.
    const QString& chosenBackup() const { return chosen_; }

public slots:
    void cmd_Continua_Click();
    void File1_Click(const QString& fileName);
    void cmd_Rest_Click();
    void cmd_Rest_Conf_Click();
    void cmd_Close_Click();
    void Timer1_Timer();
    void Timer2_Timer();

private:
    void fillList();
    // After a restore of the log in use: Log.dat and the counters in memory from the restored log.
    void bringCountersInLine(const QString& logPath);
    // Reports why nothing was restored; the operator may pick again or leave.
    void refuse(const QString& text);

    AppState& state_;
    Seams& seams_;
    const DiskSync& sync_;
    QString chosen_;
    int ticks_ = 0;
    bool restored_ = false;
};

} // namespace qvmd
