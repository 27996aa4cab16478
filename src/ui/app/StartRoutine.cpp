#include "ui/app/StartRoutine.h"

#include <QApplication>

namespace qvmd {

int runProgram(QApplication& app)
{
    return app.exec();
}

} // namespace qvmd
