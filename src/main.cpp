#include "ui/shell/StartRoutine.h"

#include <QApplication>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    return qvmd::runProgram(app);
}
