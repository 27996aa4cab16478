#include "ui/shell/MainChildWindows.h"

#include "ui/exchange/frm_AutoBackup.h"
#include "ui/exchange/frm_Backup.h"
#include "ui/exchange/frm_Restor.h"
#include "ui/exchange/frm_Send_Log.h"
#include "ui/kit/Seams.h"
#include "ui/logfile/frm_New_Log.h"
#include "ui/logfile/frm_Sel_Log.h"
#include "ui/logging/frm_Log.h"
#include "ui/print/frm_Print.h"
#include "ui/shell/AutoBackupKeeper.h"
#include "ui/shell/frmAbout.h"
#include "ui/shell/frm_messag.h"
#include "ui/station/frm_Modif_ute.h"
#include "ui/update/frm_Aggior.h"

#include <QDialog>

namespace qvmd {

MainChildWindows::MainChildWindows(AppState& state, Seams& seams, QWidget* parent,
                                   AutoBackupKeeper& autoBackup)
    : state_(state), seams_(seams), parent_(parent), autoBackup_(autoBackup) {}

template <class Window> int MainChildWindows::showChild() {
    Window window(state_, seams_, parent_);
    return seams_.showModal(window);
}

int MainChildWindows::open_frm_Log() {
    const auto notFound = [this](QWidget* parent, const QString& identifier) {
        std::int16_t rosterResult = 0;
        frm_messag window(state_, seams_, identifier, rosterResult, parent);
        return seams_.showModal(window) == QDialog::Accepted;
    };
    // Opening may cut what a power cut left at the log's end: no copy of it may be under way then.
    autoBackup_.settle();
    frm_Log window(state_, seams_, notFound, parent_);
    // A log that cannot be read has been reported; there is nothing to show.
    if (!window.ready())
        return QDialog::Rejected;
    autoBackup_.logWindowOpening(window.log().writes());
    QObject::connect(&window, &frm_Log::contactWritten, parent_, [this] { autoBackup_.contactWritten(); });
    return seams_.showModal(window);
}

std::optional<LogSelection> MainChildWindows::open_frm_Sel_Log() {
    frm_Sel_Log window(state_, seams_, parent_);
    seams_.showModal(window);
    return window.chosen();
}

int MainChildWindows::open_frm_New_Log() {
    return showChild<frm_New_Log>();
}

int MainChildWindows::open_frm_Send_Log() {
    return showChild<frm_Send_Log>();
}

int MainChildWindows::open_frm_Print() {
    return showChild<frm_Print>();
}

int MainChildWindows::open_frm_Modif_ute() {
    return showChild<frm_Modif_ute>();
}

int MainChildWindows::open_frm_Restor() {
    return showChild<frm_Restor>();
}

int MainChildWindows::open_frm_Backup() {
    frm_Backup window(state_, seams_, parent_);
    window.showAutoBackupFailure(autoBackup_.takeFailure());
    return seams_.showModal(window);
}

int MainChildWindows::open_frm_Aggior() {
    return showChild<frm_Aggior>();
}

int MainChildWindows::open_frmAbout() {
    return showChild<frmAbout>();
}

int MainChildWindows::open_frm_AutoBackup() {
    return showChild<frm_AutoBackup>();
}

} // namespace qvmd
