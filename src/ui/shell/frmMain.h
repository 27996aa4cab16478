#pragma once

#include "core/logfile/LogSelection.h"

#include <QList>
#include <QMainWindow>
#include <QTimer>

#include <memory>
#include <optional>

class QAction;
class QLabel;
class QMenu;
class QPushButton;
class QStatusBar;

namespace qvmd {

struct AppState;
class Seams;
class AutoBackupKeeper;

// The hub: event title, own station, the four log buttons, menus and status bar.
class frmMain : public QMainWindow {
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
    QPushButton* cmd_Open_Log = nullptr;
    QPushButton* cmd_Sel_Log = nullptr;
    QPushButton* cmd_Send_Log = nullptr;
    QPushButton* cmd_New_Log = nullptr;
    QPushButton* cmd_Close = nullptr;
    QList<QLabel*> Label2;
    QStatusBar* sbStatusBar = nullptr;
    QList<QLabel*> statusPanels;
    QTimer StatusClock;

    QMenu* mnuFile = nullptr;
    QAction* mnuFileExit = nullptr;
    QMenu* mnuLog = nullptr;
    QAction* mnu_OpenLog = nullptr;
    QAction* mnu_SelLog = nullptr;
    QAction* mnu_SendLog = nullptr;
    QAction* mnu_NewLog = nullptr;
    QAction* mnu_DelLog = nullptr;
    QMenu* mnu_print = nullptr;
    QAction* mnu_PrintLog = nullptr;
    QMenu* mnu_Opt = nullptr;
    QAction* mnu_ModUte = nullptr;
    QAction* mnu_AutoBackup = nullptr;
    QMenu* mnu_Language = nullptr;
    QAction* mnu_ita = nullptr;
    QAction* mnu_Eng = nullptr;
    QMenu* mnu_Util = nullptr;
    QAction* mnu_Aggior = nullptr;
    QAction* mnu_Back = nullptr;
    QAction* mnu_Rest = nullptr;
    QMenu* mnu_Help = nullptr;
    QAction* mnu_HelpContents = nullptr;
    QAction* mnu_About = nullptr;

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
    void buildMenus();
    void loadButtonPictures();
    void copyMenuTexts();
    void switchLanguage(int offset);
    QString stationLine() const;
    // After the create or select window: the enabling rule and the station line.
    void afterLogChoice();
    // The child windows, one opener each: shown modally, owned by this window; each returns the
    // window's result code, the log selection the log chosen, if any.
    int open_frm_Log();
    std::optional<LogSelection> open_frm_Sel_Log();
    int open_frm_New_Log();
    int open_frm_Send_Log();
    int open_frm_Print();
    int open_frm_Modif_ute();
    int open_frm_Restor();
    int open_frm_Backup();
    int open_frm_Aggior();
    int open_frmAbout();
    int open_frm_AutoBackup();
    template <class Window> int showChild();
    void endProgram();

    AppState& state_;
    Seams& seams_;
    bool closing_ = false;
    std::unique_ptr<AutoBackupKeeper> autoBackup_;
};

} // namespace qvmd
