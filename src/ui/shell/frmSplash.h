#pragma once

#include <QDialog>
#include <QTimer>

class QLabel;
class QPushButton;

namespace qvmd {

struct AppState;
struct FileError;
class Seams;

// The start-up window: its load pass reads every start-up file and decides between the first run
// (Confirm / Exit) and a registered station (closes itself after two seconds).
class frmSplash : public QDialog {
    Q_OBJECT
public:
    // anotherCopyRunning: the start routine's single-instance check, made once before the first pass.
    frmSplash(AppState& state, Seams& seams, bool anotherCopyRunning, QWidget* parent = nullptr);

    // False when the program must end: a second copy, or a start-up file that cannot be read.
    bool loadPass();

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
    bool fail(const FileError& error, bool languageKnown);

    AppState& state_;
    Seams& seams_;
    bool anotherCopyRunning_;
    QString stationCaption_;
    QString versionCaption_;
};

} // namespace qvmd
