#include "ui/app/StartRoutine.h"

#include "core/app/AppState.h"
#include "core/app/FolderProblemText.h"
#include "core/app/SingleInstanceGuard.h"
#include "core/app/VersionInfo.h"
#include "ui/app/Seams.h"
#include "ui/app/frmMain.h"
#include "ui/app/frmSplash.h"

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

std::optional<QString> openProgramFolder(Seams& seams, const FolderPlaces& places,
                                         const WritableProbe& canWrite) {
    const FolderChoiceResult folder = chooseProgramFolder(places, canWrite);
    if (folder)
        return folder.choice->folder;
    // No language is known before a folder is: both are shown, as for an unreadable start-up file.
    seams.message(nullptr,
                  folderProblemText(folder.problem, 0) + QStringLiteral("\n\n") +
                      folderProblemText(folder.problem, 1000),
                  VersionInfo::title(), Seams::Icon::Error);
    return std::nullopt;
}

int runProgram(QApplication& app) {
    // The user's data folder of an installed copy is named after the program, whatever its file is called.
    QCoreApplication::setApplicationName(VersionInfo::title());
    QGuiApplication::setDesktopFileName(QStringLiteral("org.example.qvmd"));
    DesktopSeams seams;
    const std::optional<QString> folder =
        openProgramFolder(seams, installedPlaces(QCoreApplication::applicationDirPath()));
    if (!folder)
        return 1;
    AppState state(*folder);
    StartRoutine routine(state, seams);
    if (!routine.start())
        return 0;
    return app.exec();
}

} // namespace qvmd
