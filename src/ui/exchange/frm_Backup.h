#pragma once

#include "core/common/DiskSync.h"
#include "ui/kit/FormDialog.h"
#include "ui/kit/LiveStatusLabel.h"

class QLabel;
class QPushButton;
class QTimer;

namespace qvmd {

struct AppState;
class Seams;

// Copies the log in use into the Backup folder under a dated name: one copy per opening, "Backup OK" two
// seconds after it, and the window closes three seconds later. "Exit" leaves without a copy.
class frm_Backup : public FormDialog {
    Q_OBJECT
public:
    frm_Backup(AppState& state, Seams& seams, QWidget* parent = nullptr,
               const DiskSync& sync = systemDiskSync());

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    LiveStatusLabel* Label4 = nullptr; // "Backup OK", spoken when it appears
    QLabel* Label5 = nullptr;          // why the last automatic backup failed, shown once
    QPushButton* cmd_Conf = nullptr;
    QPushButton* cmd_Close = nullptr;
    QTimer* Timer1 = nullptr;
    QTimer* Timer2 = nullptr;

    // Shows why the last automatic backup failed; nothing for an empty text.
    void showAutoBackupFailure(const QString& why);

public slots:
    void cmd_Conf_Click();
    void cmd_Close_Click();
    void Timer1_Timer();
    void Timer2_Timer();

private:
    AppState& state_;
    Seams& seams_;
    const DiskSync& sync_;
};

} // namespace qvmd
