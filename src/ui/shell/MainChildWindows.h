#pragma once

#include "core/logfile/LogSelection.h"

#include <optional>

class QWidget;

namespace qvmd {

struct AppState;
class AutoBackupKeeper;
class Seams;

// The main window's child windows, one opener each: shown modally over the window and gone when they
// close; each returns the window's result code, the log selection the log chosen, if any.
class MainChildWindows {
public:
    MainChildWindows(AppState& state, Seams& seams, QWidget* parent, AutoBackupKeeper& autoBackup);

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

private:
    template <class Window> int showChild();

    AppState& state_;
    Seams& seams_;
    QWidget* parent_;
    AutoBackupKeeper& autoBackup_;
};

} // namespace qvmd
