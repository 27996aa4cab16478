#include "ui/shell/DesktopCheck.h"
#include "ui/shell/StartRoutine.h"

#include <QApplication>

#include <cstdio>
#include <optional>

int main(int argc, char** argv) {
    const QString program = QString::fromLocal8Bit(argc > 0 ? argv[0] : "QV_md");
    // Without a desktop the window system cannot be reached: said plainly, before the toolkit tries.
    if (!qvmd::desktopNamed(argc, argv)) {
        std::fputs(qvmd::noDesktopText(program).toLocal8Bit().constData(), stderr);
        return 1;
    }
    qvmd::provideRuntimeFolder();
    std::optional<qvmd::DesktopStartGuard> guard(std::in_place, program);
    QApplication app(argc, argv);
    guard.reset();
    return qvmd::runProgram(app);
}
