#pragma once

class QApplication;

namespace qvmd {

// The start routine: splash and start-up reads, then the main window or the end of the program.
int runProgram(QApplication& app);

} // namespace qvmd
