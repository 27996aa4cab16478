#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

#include <gtest/gtest.h>

#include <cstdlib>

int main(int argc, char** argv) {
    // Discovery and runs may come without the test environment: set it here, before Qt starts.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const QString runtimeDir = QDir::temp().filePath(QStringLiteral("qvmd-tests-runtime"));
    QDir().mkpath(runtimeDir);
    QFile::setPermissions(runtimeDir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    qputenv("XDG_RUNTIME_DIR", runtimeDir.toLocal8Bit());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    return RUN_ALL_TESTS();
}
