#pragma once

namespace qvmd::platform {

// Whether a window system was named for the program to start on: a display in the environment or a
// platform on the command line. Always true where the desktop is part of the system (Windows, macOS).
bool desktopNamed(int argc, char** argv);

// Gives the toolkit a private runtime folder when the session has none (X11 and Wayland only).
void provideRuntimeFolder();

// For a command-line program that draws (the checker's certificates): where no window system was asked
// for, the toolkit draws off screen, so that no display is needed. Nothing where the desktop is part of
// the system.
void preferOffscreenDrawing();

} // namespace qvmd::platform
