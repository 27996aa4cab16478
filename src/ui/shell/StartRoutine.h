#pragma once

#include <memory>

class QApplication;

namespace qvmd {

struct AppState;
class Seams;
class SingleInstanceGuard;
class frmMain;

// The start sequence: the splash with its load pass, the hidden second pass, then the main window.
class StartRoutine {
public:
    StartRoutine(AppState& state, Seams& seams);
    ~StartRoutine();

    // True when the main window is open; false when the program must end.
    bool start();

    frmMain* mainWindow() const { return mainWindow_.get(); }

private:
    AppState& state_;
    Seams& seams_;
    std::unique_ptr<SingleInstanceGuard> guard_;
    std::unique_ptr<frmMain> mainWindow_;
};

// The program: a state for the folder beside the executable, real dialogs, the start sequence, the event
// loop.
int runProgram(QApplication& app);

} // namespace qvmd
