#include "core/platform/Desktop.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>

#include <cstring>

#if !defined(__APPLE__)
#define QVMD_X11_OR_WAYLAND
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qvmd::platform {

bool desktopNamed(int argc, char** argv) {
#ifdef QVMD_X11_OR_WAYLAND
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "-platform") == 0 || std::strcmp(argv[i], "--platform") == 0)
            return true;
    }
    return !qEnvironmentVariableIsEmpty("DISPLAY") || !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") ||
           !qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM");
#else
    (void)argc;
    (void)argv;
    return true;
#endif
}

void provideRuntimeFolder() {
#ifdef QVMD_X11_OR_WAYLAND
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR"))
        return;
    const passwd* user = ::getpwuid(::geteuid());
    if (!user || !user->pw_name)
        return;
    const QByteArray folder = QFile::encodeName(QDir::tempPath() + QStringLiteral("/runtime-") +
                                                QString::fromLocal8Bit(user->pw_name));
    ::mkdir(folder.constData(), 0700);
    struct stat status {};
    // Anything else (another owner, open to others, a link) is left for the toolkit to report.
    if (::lstat(folder.constData(), &status) != 0 || !S_ISDIR(status.st_mode) ||
        status.st_uid != ::geteuid() || (status.st_mode & 0077) != 0)
        return;
    qputenv("XDG_RUNTIME_DIR", folder);
#endif
}

void preferOffscreenDrawing() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

} // namespace qvmd::platform
