#include "ui/shell/StartRoutine.h"

#include "core/app/AppState.h"
#include "core/app/FolderProblemText.h"
#include "core/app/SingleInstanceGuard.h"
#include "core/app/StartupFiles.h"
#include "core/app/StartupLoad.h"
#include "core/common/FileErrorText.h"
#include "core/common/FrozenClock.h"
#include "core/common/VersionInfo.h"
#include "ui/kit/FocusMarkStyle.h"
#include "ui/kit/Seams.h"
#include "ui/shell/frmMain.h"
#include "ui/shell/frmSplash.h"

#include <QApplication>
#include <QLabel>

#include <cstdio>

namespace qvmd {

StartRoutine::StartRoutine(AppState& state, Seams& seams) : state_(state), seams_(seams) {}

StartRoutine::~StartRoutine() = default;

bool StartRoutine::start() {
    guard_ = std::make_unique<SingleInstanceGuard>(state_.folder);
    const bool anotherCopyRunning = guard_->anotherCopyRunning();
    if (const std::optional<FileError>& error = guard_->error()) {
        // The start goes on, but not silently: two copies may now run together. The language is not
        // read yet, so both are shown.
        seams_.message(nullptr,
                       fileErrorText(*error, 0) + QStringLiteral("\n\n") + fileErrorText(*error, 1000),
                       VersionInfo::title(), Seams::Icon::Warning);
    }
    // Only the copy that holds the lock clears what an interrupted rewrite left: another copy may be writing.
    if (guard_->acquired())
        removeWriterLeftovers(state_.folder);
    // A second copy reads no file beyond the language of its message.
    if (!load(anotherCopyRunning ? StartupScope::LanguageOnly : StartupScope::AllFiles))
        return false;
    {
        frmSplash splash(state_, seams_);
        if (anotherCopyRunning) {
            // Also for whoever started it from a terminal or a script, who may not see the window.
            std::fprintf(stderr, "%s\n", qPrintable(splash.Label4->text()));
            seams_.message(&splash, splash.Label4->text(), splash.Label5->text(), Seams::Icon::Information);
            seams_.requestEnd();
            return false;
        }
        seams_.showModal(splash);
        if (seams_.endRequested())
            return false;
    }
    // Reads again what registration may have written.
    if (!load(StartupScope::AllFiles))
        return false;
    if (state_.RegistrationState == 0)
        return false;
    mainWindow_ = std::make_unique<frmMain>(state_, seams_);
    mainWindow_->show();
    return true;
}

bool StartRoutine::load(StartupScope scope) {
    const std::optional<StartupFailure> failure = loadStartupFiles(state_, scope);
    if (!failure)
        return true;
    // Without a known language both are shown, so every operator can read what is wrong.
    QString text = fileErrorText(failure->error, state_.LanguageOffset);
    if (!failure->languageKnown)
        text =
            fileErrorText(failure->error, 0) + QStringLiteral("\n\n") + fileErrorText(failure->error, 1000);
    seams_.message(nullptr, text, VersionInfo::title(), Seams::Icon::Error);
    seams_.requestEnd();
    return false;
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
    // Over the style the desktop (or -style) chose.
    app.setStyle(new FocusMarkStyle(app.style()->name()));
    DesktopSeams seams;
    const std::optional<QString> folder =
        openProgramFolder(seams, installedPlaces(QCoreApplication::applicationDirPath()));
    if (!folder)
        return 1;
    // Tests that compare two runs' files byte for byte give both the same time.
    const std::unique_ptr<Clock> frozenClock = frozenClockFromEnvironment();
    AppState state(*folder, frozenClock.get());
    StartRoutine routine(state, seams);
    if (!routine.start())
        return 0;
    return app.exec();
}

} // namespace qvmd
