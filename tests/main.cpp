#include "ui/kit/FocusMarkStyle.h"

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QSaveFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

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
    // Windows are shown on a screen of an ordinary desktop's size, as they would be on a user's machine.
    // Test processes run side by side: the file is replaced whole, never seen half written.
    if (qgetenv("QT_QPA_PLATFORM") == "offscreen") {
        // QVMD_TEST_SCREEN=WIDTHxHEIGHT puts them on a screen of another size (a small laptop's).
        QByteArray width = "1920";
        QByteArray height = "1200";
        if (const QList<QByteArray> size = qgetenv("QVMD_TEST_SCREEN").split('x'); size.size() == 2) {
            width = size[0];
            height = size[1];
        }
        const QByteArray screen = R"({"screens":[{"name":"Desktop","x":0,"y":0,"width":)" + width +
                                  R"(,"height":)" + height +
                                  R"(,"logicalDpi":96,"logicalBaseDpi":96,"dpr":1}]})";
        const QString path = QDir(runtimeDir)
                                 .filePath(QStringLiteral("screen-%1x%2.json")
                                               .arg(QString::fromLatin1(width), QString::fromLatin1(height)));
        QFile existing(path);
        bool ready = existing.open(QIODevice::ReadOnly) && existing.readAll() == screen;
        if (!ready) {
            QSaveFile file(path);
            ready = file.open(QIODevice::WriteOnly) && file.write(screen) == screen.size() && file.commit();
        }
        // The platform's options are separated by colons: a path with a drive letter cannot be given, and
        // the default screen serves tests that draw no window.
        if (ready && !path.contains(QLatin1Char(':')))
            qputenv("QT_QPA_PLATFORM", "offscreen:configfile=" + path.toLocal8Bit());
    }
    // The user's own settings go to a scratch folder, never into the real configuration.
    QTemporaryDir settingsDir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, settingsDir.path());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    ::testing::InitGoogleTest(&argc, argv);
    QApplication app(argc, argv);
    // The program's own style, so that what the windows draw in the tests is what the operator sees.
    app.setStyle(new qvmd::FocusMarkStyle(app.style()->name()));
    return RUN_ALL_TESTS();
}
