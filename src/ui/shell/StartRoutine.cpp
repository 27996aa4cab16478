#include "ui/shell/StartRoutine.h"

#include "core/app/AppState.h"
#include "core/app/SingleInstanceGuard.h"
#include "ui/kit/Seams.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"

#include <QApplication>

namespace qvmd {

StartRoutine::StartRoutine(AppState& state, Seams& seams) : state_(state), seams_(seams) {}

StartRoutine::~StartRoutine() = default;

bool StartRoutine::start() {
    guard_ = std::make_unique<SingleInstanceGuard>(state_.folder);
    // A Data folder where no lock can be made is reported by the file reads that follow.
    const bool anotherCopyRunning = guard_->anotherCopyRunning();
    {
        frmSplash splash(state_, seams_, anotherCopyRunning);
        if (!splash.loadPass() || seams_.endRequested())
            return false;
        seams_.showModal(splash);
        if (seams_.endRequested())
            return false;
    }
    {
        // Reads again what registration may have written; this pass is never shown.
        frmSplash hidden(state_, seams_, false);
        if (!hidden.loadPass() || seams_.endRequested())
            return false;
    }
    if (state_.RegistrationState == 0)
        return false;
    mainWindow_ = std::make_unique<frmMain>(state_, seams_);
    mainWindow_->show();
    return true;
}

int runProgram(QApplication& app) {
    AppState state(QCoreApplication::applicationDirPath());
    DesktopSeams seams;
    StartRoutine routine(state, seams);
    if (!routine.start())
        return 0;
    return app.exec();
}

} // namespace qvmd
