#include "core/app/SingleInstanceGuard.h"
#include "support/TempProgramFolder.h"
#include "ui/shell/DesktopCheck.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using namespace qvmd;
using qvmd::test::TempProgramFolder;

namespace {

constexpr int startMs = 60000;

// The built program, copied into a program folder of its own so that it runs on that folder.
class ProgramProcess : public ::testing::Test {
protected:
    void SetUp() override {
        program = folder.path() + QStringLiteral("/QV_md");
        ASSERT_TRUE(QFile::copy(QStringLiteral(QVMD_PROGRAM), program));
        folder.writeData(QStringLiteral("Lang.dat"), {"1000"});
    }
    void TearDown() override {
        for (const auto& process : started) {
            process->kill();
            process->waitForFinished(startMs);
        }
    }

    // Variables set to an empty value are removed.
    QProcess& start(const QList<std::pair<QString, QString>>& variables) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        for (const auto& [name, value] : variables) {
            if (value.isEmpty())
                environment.remove(name);
            else
                environment.insert(name, value);
        }
        auto process = std::make_unique<QProcess>();
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(folder.path());
        process->start(program, {});
        EXPECT_TRUE(process->waitForStarted(startMs));
        started.push_back(std::move(process));
        return *started.back();
    }

    bool holdsTheLock(QProcess& process) {
        return QTest::qWaitFor(
                   [&] {
                       return process.state() != QProcess::Running ||
                              SingleInstanceGuard(ProgramFolder(folder.path())).anotherCopyRunning();
                   },
                   startMs) &&
               process.state() == QProcess::Running;
    }

    TempProgramFolder folder;
    QString program;
    std::vector<std::unique_ptr<QProcess>> started;
};

} // namespace

TEST_F(ProgramProcess, WithoutADesktopItSaysSoInBothLanguagesAndEnds) {
    struct Case {
        const char* name;
        QList<std::pair<QString, QString>> variables;
    };
    const Case cases[] = {
        {"nothing named", {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}},
        {"a display that is not there",
         {{"DISPLAY", ":97"}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", ""}}},
        {"a platform that is not there",
         {{"DISPLAY", ""}, {"WAYLAND_DISPLAY", ""}, {"QT_QPA_PLATFORM", "nowhere"}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess& process = start(c.variables);
        ASSERT_TRUE(process.waitForFinished(startMs));
        EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(process.exitCode(), 1);
        const QString error = QString::fromLocal8Bit(process.readAllStandardError());
        EXPECT_EQ(error, noDesktopText(program));
        EXPECT_TRUE(error.contains(QString::fromUtf8("ha bisogno di uno schermo")));
        EXPECT_TRUE(error.contains(QStringLiteral("needs a display")));
        EXPECT_TRUE(error.contains(QStringLiteral("xvfb-run -a ") + program));
    }
}

TEST_F(ProgramProcess, ANormalStartPrintsNoWarning) {
    QProcess& process = start({{"XDG_RUNTIME_DIR", ""}});
    ASSERT_TRUE(holdsTheLock(process));
    const QByteArray error = process.readAllStandardError();
    EXPECT_FALSE(error.contains("XDG_RUNTIME_DIR")) << error.toStdString();
    EXPECT_FALSE(error.contains("QStandardPaths")) << error.toStdString();
}

// The guard depends on the program folder alone: two copies on one folder never both run, whatever
// runtime folder each of them was given.
TEST_F(ProgramProcess, ASecondCopyOnTheSameFolderIsRefused) {
    QTemporaryDir runtime;
    const std::pair<QString, QString> with{QStringLiteral("XDG_RUNTIME_DIR"), runtime.path()};
    const std::pair<QString, QString> without{QStringLiteral("XDG_RUNTIME_DIR"), QString()};
    struct Case {
        const char* name;
        std::pair<QString, QString> first;
        std::pair<QString, QString> second;
    };
    const Case cases[] = {
        {"first with a runtime folder, second without", with, without},
        {"first without, second with", without, with},
        {"both with", with, with},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QProcess& first = start({c.first});
        ASSERT_TRUE(holdsTheLock(first));
        QProcess& second = start({c.second});
        QByteArray said;
        EXPECT_TRUE(QTest::qWaitFor(
            [&] {
                said += second.readAllStandardError();
                return said.contains("The program is already running") || second.state() != QProcess::Running;
            },
            startMs));
        EXPECT_TRUE(said.contains("The program is already running")) << said.toStdString();
        EXPECT_EQ(first.state(), QProcess::Running);
        for (QProcess* process : {&first, &second}) {
            process->kill();
            process->waitForFinished(startMs);
        }
    }
}
