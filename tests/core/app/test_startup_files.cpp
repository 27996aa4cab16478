#include "core/app/AppState.h"
#include "core/app/FileErrorText.h"
#include "core/app/SingleInstanceGuard.h"
#include "core/app/StartupFiles.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QHostInfo>
#include <QSysInfo>

#include <gtest/gtest.h>

#include <memory>

using namespace qvmd;
using qvmd::test::TempProgramFolder;

class StartupFilesTest : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    AppState state{program.path()};
};

TEST_F(StartupFilesTest, LangFileLastLineCounts) {
    program.writeData("Lang.dat", {"0", "1000"});
    EXPECT_EQ(readLangFile(state.folder).value(), 1000);
    program.writeData("Lang.dat", {"1000", " 0 "});
    EXPECT_EQ(readLangFile(state.folder).value(), 0);
    program.writeData("Lang.dat", {"  1000x"});
    EXPECT_EQ(readLangFile(state.folder).value(), 1000);
    // No line, or no number: Italian.
    program.writeRaw("Data/Lang.dat", "");
    EXPECT_EQ(readLangFile(state.folder).value(), 0);
    program.writeData("Lang.dat", {"English"});
    EXPECT_EQ(readLangFile(state.folder).value(), 0);
    // A stray value must not shift every text onto another id.
    program.writeData("Lang.dat", {"7"});
    EXPECT_EQ(readLangFile(state.folder).value(), 1000);
}

TEST_F(StartupFilesTest, LangFileWrittenWholeWithCrLf) {
    program.writeData("Lang.dat", {"0", "0", "0"});
    ASSERT_FALSE(writeLangFile(state.folder, 1000));
    EXPECT_EQ(program.readData("Lang.dat"), QByteArray("1000\r\n"));
    ASSERT_FALSE(writeLangFile(state.folder, 0));
    EXPECT_EQ(program.readData("Lang.dat"), QByteArray("0\r\n"));
}

TEST_F(StartupFilesTest, MissingOrUnwritableLangFileIsAnErrorNamingTheFile) {
    const Result<std::int16_t> read = readLangFile(state.folder);
    ASSERT_FALSE(read.ok());
    EXPECT_EQ(read.error().kind, FileError::Kind::Missing);
    EXPECT_TRUE(read.error().path.endsWith("Data/Lang.dat"));

    ASSERT_TRUE(QDir(program.data("")).removeRecursively());
    const WriteResult written = writeLangFile(state.folder, 1000);
    ASSERT_TRUE(written);
    EXPECT_EQ(written->kind, FileError::Kind::Unwritable);
    EXPECT_TRUE(written->path.endsWith("Lang.dat"));
}

TEST_F(StartupFilesTest, PrimeFileReadsFourLinesAndIgnoresTheRest) {
    program.writeData("Prime.dat", {" 2", "1", "  5QV123 ", " Mario Rossi ", "06/03/2015", "9", "junk"});
    ASSERT_FALSE(readPrimeFile(state));
    EXPECT_EQ(state.RegistrationState, 2);
    EXPECT_EQ(state.StationKind, 1);
    EXPECT_EQ(state.RegisteredUnitId, "5QV123");
    EXPECT_EQ(state.RegisteredName, "Mario Rossi");
}

TEST_F(StartupFilesTest, PrimeFileOddValues) {
    program.writeData("Prime.dat", {"x", "40000", "", ""});
    state.RegisteredUnitId = "old";
    ASSERT_FALSE(readPrimeFile(state));
    EXPECT_EQ(state.RegistrationState, 0);
    EXPECT_EQ(state.StationKind, 32767);
    EXPECT_EQ(state.RegisteredUnitId, "");
    EXPECT_EQ(state.RegisteredName, "");
}

TEST_F(StartupFilesTest, PrimeFileMissingLinesKeepTheirValues) {
    state.RegistrationState = 0;
    state.StationKind = 2;
    state.RegisteredUnitId = "7QV1";
    state.RegisteredName = "Anna";
    program.writeData("Prime.dat", {"1"});
    ASSERT_FALSE(readPrimeFile(state));
    EXPECT_EQ(state.RegistrationState, 1);
    EXPECT_EQ(state.StationKind, 2);
    EXPECT_EQ(state.RegisteredUnitId, "7QV1");
    EXPECT_EQ(state.RegisteredName, "Anna");

    program.writeRaw("Data/Prime.dat", "");
    ASSERT_FALSE(readPrimeFile(state));
    EXPECT_EQ(state.RegistrationState, 1);
}

TEST_F(StartupFilesTest, MissingPrimeFileLeavesTheStateAndNamesTheFile) {
    state.RegistrationState = 1;
    const std::optional<FileError> error = readPrimeFile(state);
    ASSERT_TRUE(error);
    EXPECT_EQ(error->kind, FileError::Kind::Missing);
    EXPECT_TRUE(error->path.endsWith("Data/Prime.dat"));
    EXPECT_EQ(state.RegistrationState, 1);
}

TEST_F(StartupFilesTest, MdIniShortFileLeavesTheRestEmpty) {
    state.SettingsEntries = QStringList(11, "stale");
    program.writeData("Md.ini", {" zero ", "manager@example.org ", "two"});
    ASSERT_FALSE(readMdIni(state));
    ASSERT_EQ(state.SettingsEntries.size(), 11);
    EXPECT_EQ(state.SettingsEntries[0], "zero");
    EXPECT_EQ(state.SettingsEntries[1], "manager@example.org");
    EXPECT_EQ(state.SettingsEntries[2], "two");
    for (int i = 3; i < 11; ++i)
        EXPECT_EQ(state.SettingsEntries[i], "") << i;
}

TEST_F(StartupFilesTest, MdIniLongFileKeepsElevenEntries) {
    QStringList lines;
    for (int i = 0; i < 13; ++i)
        lines << QStringLiteral(" line %1 ").arg(i);
    program.writeData("Md.ini", lines);
    ASSERT_FALSE(readMdIni(state));
    ASSERT_EQ(state.SettingsEntries.size(), 11);
    EXPECT_EQ(state.SettingsEntries[10], "line 10");

    QFile::remove(program.data("Md.ini"));
    const std::optional<FileError> error = readMdIni(state);
    ASSERT_TRUE(error);
    EXPECT_TRUE(error->path.endsWith("Md.ini"));
    EXPECT_EQ(state.SettingsEntries[10], "line 10");
}

TEST(FileErrorText, NamesTheFileInTheActiveLanguage) {
    const FileError unreadable{FileError::Kind::Unreadable, "/p/Data/Use.dat", "Permission denied", 0};
    EXPECT_EQ(fileErrorText(unreadable, 0), "Impossibile leggere il file /p/Data/Use.dat: Permission denied");
    EXPECT_EQ(fileErrorText(unreadable, 1000), "Cannot read the file /p/Data/Use.dat: Permission denied");

    const FileError malformed{FileError::Kind::Malformed, "/p/Data/Prefix.dat", "", 12};
    EXPECT_EQ(fileErrorText(malformed, 0), "Il file /p/Data/Prefix.dat non è valido alla riga 12");
    EXPECT_EQ(fileErrorText(malformed, 1000), "The file /p/Data/Prefix.dat is not valid at line 12");

    const FileError missing{FileError::Kind::Missing, "/p/Data/Md.ini", "file not found", 0};
    EXPECT_EQ(fileErrorText(missing, 1000), "The file /p/Data/Md.ini does not exist.");
    const FileError unwritable{FileError::Kind::Unwritable, "/p/Logs/Log.dat", "No space left on device", 0};
    EXPECT_EQ(fileErrorText(unwritable, 0),
              "Impossibile scrivere il file /p/Logs/Log.dat: No space left on device");
}

TEST(SingleInstanceGuard, SecondCopyRefusedWhileTheFirstRuns) {
    TempProgramFolder program(false);
    const ProgramFolder folder(program.path());
    auto first = std::make_unique<SingleInstanceGuard>(folder);
    ASSERT_TRUE(first->acquired());
    {
        SingleInstanceGuard second(folder);
        EXPECT_FALSE(second.acquired());
        EXPECT_TRUE(second.anotherCopyRunning());
        EXPECT_FALSE(second.error());
    }
    first.reset();
    SingleInstanceGuard third(folder);
    EXPECT_TRUE(third.acquired());
}

TEST(SingleInstanceGuard, LockLeftByADeadCopyIsRecovered) {
    TempProgramFolder program(false);
    // An owner that cannot be running: a process id beyond any the system hands out.
    program.writeRaw("Data/QV_md.lock", "999999999\nQV_md\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    EXPECT_TRUE(SingleInstanceGuard(ProgramFolder(program.path())).acquired());

    // A lock file cut short by a crash names no owner at all.
    program.writeRaw("Data/QV_md.lock", "");
    EXPECT_TRUE(SingleInstanceGuard(ProgramFolder(program.path())).acquired());
}

TEST(SingleInstanceGuard, UnusableFolderIsAnErrorNotAnotherCopy) {
    TempProgramFolder program(false);
    ASSERT_TRUE(QDir(program.data("")).removeRecursively());
    SingleInstanceGuard guard{ProgramFolder(program.path())};
    EXPECT_FALSE(guard.acquired());
    EXPECT_FALSE(guard.anotherCopyRunning());
    ASSERT_TRUE(guard.error());
    EXPECT_TRUE(guard.error()->path.endsWith("QV_md.lock"));
}
