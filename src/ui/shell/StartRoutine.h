#pragma once

#include <memory>

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

// The program: a state for the folder beside the executable, real dialogs, the start sequence, the event
// loop.
int runProgram(QApplication& app);

} // namespace qvmd
