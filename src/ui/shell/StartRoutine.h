#pragma once

#include "core/common/ProgramFolderRule.h"

#include <QString>

#include <memory>
#include <optional>

class QApplication;

namespace qvmd {

struct AppState;
class Seams;
class SingleInstanceGuard;
class frmMain;
enum class StartupScope;

// The start sequence: the start-up files, the splash, the files again (registration may have written
// them), then the main window.
class StartRoutine {
public:
    StartRoutine(AppState& state, Seams& seams);
    ~StartRoutine();

    // True when the main window is open; false when the program must end.
    bool start();

    frmMain* mainWindow() const { return mainWindow_.get(); }

private:
    // Reads the start-up files; a failure is told and ends the program.
    bool load(StartupScope scope);

    AppState& state_;
    Seams& seams_;
    std::unique_ptr<SingleInstanceGuard> guard_;
    std::unique_ptr<frmMain> mainWindow_;
};

// The folder for the program's files by the program folder rule; when there is none, says which folders
// were tried and returns nothing.
std::optional<QString> openProgramFolder(Seams& seams, const FolderPlaces& places,
                                         const WritableProbe& canWrite = folderCanBeWritten);

// The program: a state for the program folder, real dialogs, the start sequence, the event
// loop.
int runProgram(QApplication& app);

} // namespace qvmd
