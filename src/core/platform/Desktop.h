#pragma once

namespace qvmd::platform {

// Whether a window system was named for the program to start on: a display in the environment or a
// platform on the command line. Always true where the desktop is part of the system (Windows, macOS).
bool desktopNamed(int argc, char** argv);

// Gives the toolkit a private runtime folder when the session has none (X11 and Wayland only).
void provideRuntimeFolder();

} // namespace qvmd::platform
