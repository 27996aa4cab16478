#pragma once

#include <QList>
#include <QString>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QWidget;

namespace qvmd {

// The hidden labels whose texts become the menu texts: their index in Label2.
// Indices 15 and 16 carry no text.
enum class MenuLabel {
    File = 0,
    Exit = 1,
    NewLog = 2,
    SelectLog = 3,
    OpenLog = 4,
    SendLog = 5,
    DeleteLog = 6,
    PrintLog = 7,
    Option = 8,
    EditUser = 9,
    Language = 10,
    Italian = 11,
    English = 12,
    Manual = 13,
    About = 14,
    Utility = 17,
    Print = 18,
    Updates = 19,
};

// The main window's menus and the hidden labels that carry their texts, under the window's names.
struct MainMenuControls {
    QList<QLabel*> Label2;

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
};

// Builds the menu bar of the window and the hidden labels on its form; the window connects the entries.
class MainMenus : public MainMenuControls {
public:
    MainMenus(QMainWindow* window, QWidget* form);

    // The localised text of a hidden label.
    QString text(MenuLabel label) const;
    // Copies the labels' texts into the menus (and the one entry without a label), with mnemonics.
    void copyTexts(const QString& autoBackupText);

private:
    QMainWindow* window_;
};

} // namespace qvmd
