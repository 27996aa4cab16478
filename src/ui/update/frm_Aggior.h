#pragma once

#include "core/update/UpdateFiles.h"
#include "ui/kit/FormDialog.h"
#include "ui/kit/LiveStatusLabel.h"

#include <QList>
#include <QTimer>

#include <array>

class QCheckBox;
class QLabel;
class QProgressBar;
class QPushButton;

namespace qvmd {

struct AppState;
class Seams;
class UpdateChecker;

// The update window: asks the organiser's server which files are newer, marks them, and fetches the marked
// ones on Confirm. The transfers run in the background; the timers pace what the rows show.
class frm_Aggior : public FormDialog {
    Q_OBJECT
public:
    frm_Aggior(AppState& state, Seams& seams, QWidget* parent = nullptr);
    ~frm_Aggior() override;

    QLabel* Label1;
    QList<QCheckBox*> Check1; // one per file, in the order of the manifest
    QList<QLabel*> Label2;    // status beside each check box
    LiveStatusLabel* Label3;  // the state of the check and of the downloads, spoken as it changes
    QLabel* Label7;
    QPushButton* cmd_Confirm;
    QPushButton* cmd_Close;
    QProgressBar* ProgressBar1;
    // Hidden message labels.
    QLabel* Label4;
    QLabel* Label5;
    QLabel* Label6;
    QLabel* Label8;
    QLabel* Label9;
    QLabel* Label11;
    QLabel* Label12;
    QLabel* Label13;

    QTimer Timer1; // runs the check after the window has shown itself
    QTimer Timer2; // progress while checking
    QTimer Timer3; // first progress run after the downloads
    QTimer Timer4; // second progress run

    UpdateChecker& checker() { return *checker_; }
    bool isSelected(int row) const { return Selected[static_cast<std::size_t>(row)]; }

public slots:
    void Timer1_Timer();
    void Timer2_Timer();
    void Timer3_Timer();
    void Timer4_Timer();

private:
    void buildControls();
    void onCheckFinished();
    void onFileFinished(int row);
    void onDownloadsFinished();
    void Check1_Click(int row);
    void cmd_Confirm_Click();
    void cmd_Close_Click();
    void setRow(int row, const QString& status, const QColor& colour);
    void enableConfirmWhenReady();
    // The status the paced runs give row k at this count, or -1.
    static int rowAtCount(int count);

    AppState& state_;
    Seams& seams_;
    UpdateChecker* checker_;
    std::array<bool, UpdateFileCount> Selected{};
    int counter2_ = 0;
    int counter3_ = 0;
    int counter4_ = 0;
    bool progressRunDone_ = false;
    bool readyToConfirm_ = false;
};

} // namespace qvmd
