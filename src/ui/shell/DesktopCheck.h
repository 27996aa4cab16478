#pragma once

#include <QString>

namespace qvmd {

// The program's own words, in both languages, for a start without a desktop; program is the command as
// it was started, shown in the example line.
QString noDesktopText(const QString& program);

// Whether the window system can be looked for at all: a display is named (DISPLAY, WAYLAND_DISPLAY) or a
// platform is chosen (QT_QPA_PLATFORM, -platform). Always true where the system has its own desktop.
bool desktopNamed(int argc, char** argv);

// Where the session names no runtime folder (XDG_RUNTIME_DIR), names the private one the toolkit would fall
// back to, when it is there or can be made and is the user's own, so that a normal start prints no warning.
void provideRuntimeFolder();

// While the application object is made: a failure to reach the window system ends the program with
// noDesktopText and status 1 instead of the toolkit's own dump and an abort. Its warnings about the
// window system are held back and passed on only when the start succeeds.
class DesktopStartGuard {
public:
    explicit DesktopStartGuard(const QString& program);
    ~DesktopStartGuard();
    DesktopStartGuard(const DesktopStartGuard&) = delete;
    DesktopStartGuard& operator=(const DesktopStartGuard&) = delete;
};

} // namespace qvmd
