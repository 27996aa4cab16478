#pragma once

#include "ui/shell/MainButtons.h"
#include "ui/shell/MainMenus.h"
#include "ui/shell/MainStatusBar.h"

#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <optional>

class QLabel;

namespace qvmd {

struct AppState;
class Seams;
class AutoBackupKeeper;
class MainChildWindows;

// The hub: event title, own station, the four log buttons, menus and status bar. It wires its parts;
// their controls are reached under the window's own names for them.
class frmMain : public QMainWindow, public MainLogButtons, public MainMenuControls, public MainStatusPanels {
    Q_OBJECT
public:
    frmMain(AppState& state, Seams& seams, QWidget* parent = nullptr);
    ~frmMain() override;

    // Log buttons enabled only while a log is in use.
    void applyEnablingRule();
    // After the profile changed or a restore: open and send wait until a log is selected again.
    void requireLogSelection();
    // Grows with a large desktop font before it first shows (FormScale).
    void setVisible(bool visible) override;
    // The backups the program makes by itself while a log is in use.
    AutoBackupKeeper& autoBackup() { return *autoBackup_; }

    QLabel* Label1 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Image1 = nullptr;
    QTimer StatusClock;

public slots:
    void cmd_Open_Log_Click();
    void cmd_Sel_Log_Click();
    void cmd_Send_Log_Click();
    void cmd_New_Log_Click();
    void cmd_Close_Click();
    void mnuFileExit_Click();
    void mnu_OpenLog_Click();
    void mnu_SelLog_Click();
    void mnu_SendLog_Click();
    void mnu_DelLog_Click();
    void mnu_HelpContents_Click();
    void mnu_AutoBackup_Click();
    void mnu_NewLog_Click();
    void mnu_PrintLog_Click();
    void mnu_ModUte_Click();
    void mnu_ita_Click();
    void mnu_Eng_Click();
    void mnu_Aggior_Click();
    void mnu_Back_Click();
    void mnu_Rest_Click();
    void mnu_About_Click();
    void StatusClock_Timer();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wireMenus();
    void loadButtonPictures();
    void copyMenuTexts();
    void switchLanguage(int offset);
    QString stationLine() const;
    // After the create or select window: the enabling rule and the station line.
    void afterLogChoice();
    void endProgram();

    AppState& state_;
    Seams& seams_;
    bool closing_ = false;
    std::unique_ptr<MainButtons> buttons_;
    std::unique_ptr<MainMenus> menus_;
    std::unique_ptr<MainStatusBar> status_;
    std::unique_ptr<AutoBackupKeeper> autoBackup_;
    std::unique_ptr<MainChildWindows> children_;
};

} // namespace qvmd
