#include "core/app/AppState.h"
#include "core/app/SingleInstanceGuard.h"
#include "core/app/StartupFiles.h"
#include "core/common/FileErrorText.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

TEST_F(StartupFilesTest, PrimeFileTakesItsFourLinesAndKeepsWhatIsMissing) {
    struct Case {
        const char* name;
        QStringList lines;
        std::int16_t registrationState;
        std::int16_t stationKind;
        const char* unitId;
        const char* operatorName;
    };
    // Every case starts from registration 1, station kind 2, "7QV1", "Anna".
    const Case cases[] = {
        {"four lines, the rest ignored",
         {" 2", "1", "  5QV123 ", " Mario Rossi ", "06/03/2015", "9", "junk"},
         2,
         1,
         "5QV123",
         "Mario Rossi"},
        {"odd values", {"x", "40000", "", ""}, 0, 32767, "", ""},
        {"only the first line", {"2"}, 2, 2, "7QV1", "Anna"},
        {"empty file", {}, 1, 2, "7QV1", "Anna"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        state.RegistrationState = 1;
        state.StationKind = 2;
        state.RegisteredUnitId = "7QV1";
        state.RegisteredName = "Anna";
        program.writeData("Prime.dat", c.lines);
        ASSERT_FALSE(readPrimeFile(state));
        EXPECT_EQ(state.RegistrationState, c.registrationState);
        EXPECT_EQ(state.StationKind, c.stationKind);
        EXPECT_EQ(state.RegisteredUnitId, c.unitId);
        EXPECT_EQ(state.RegisteredName, c.operatorName);
    }
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

TEST(FileErrorText, ReasonsInTheActiveLanguageAndValuesClipped) {
    using Kind = FileError::Kind;
    using Reason = FileError::Reason;
    FileError noSpace{Kind::Unwritable, "/p/Data/Use.dat", Reason::NoSpace, 0, {}, 0, 0};
    FileError readOnly{Kind::Unwritable, "/p/Data/Use.dat", Reason::ReadOnly, 0, {}, 0, 0};
    FileError folder{Kind::Missing, "/p/Data/Lang.dat", Reason::FolderMissing, 0, "/p/Data", 0, 0};
    FileError weight{Kind::Malformed, "/p/Data/Data.dat", Reason::OutOfRange, 5, "40000", 0, 32767};
    FileError garbage{Kind::Malformed,
                      "/p/Data/Data.dat",
                      Reason::NotWholeNumber,
                      2,
                      "\x01\tab\r\n" + QString(5000, 'x'),
                      0,
                      0};
    const struct {
        const FileError& error;
        const char* italian;
        const char* english;
    } cases[] = {
        {noSpace, "Impossibile scrivere il file /p/Data/Use.dat: il disco è pieno",
         "Cannot write the file /p/Data/Use.dat: the disk is full"},
        {readOnly, "Impossibile scrivere il file /p/Data/Use.dat: è in sola lettura",
         "Cannot write the file /p/Data/Use.dat: it is read-only"},
        {folder, "La cartella /p/Data non esiste: impossibile leggere il file /p/Data/Lang.dat.",
         "The folder /p/Data does not exist: cannot read the file /p/Data/Lang.dat."},
        {weight, "Il file /p/Data/Data.dat non è valido alla riga 5: \"40000\" non è compreso tra 0 e 32767",
         "The file /p/Data/Data.dat is not valid at line 5: \"40000\" is not between 0 and 32767"},
        {garbage,
         "Il file /p/Data/Data.dat non è valido alla riga 2: "
         "\"\\x01\\tab\\r\\nxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\" "
         "non è un numero intero",
         "The file /p/Data/Data.dat is not valid at line 2: "
         "\"\\x01\\tab\\r\\nxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx…\" "
         "is not a whole number"},
    };
    for (const auto& c : cases) {
        // Paths are written with '/'; Windows shows its own separator.
        EXPECT_EQ(fileErrorText(c.error, 0), QDir::toNativeSeparators(QString::fromUtf8(c.italian)));
        EXPECT_EQ(fileErrorText(c.error, 1000), QDir::toNativeSeparators(QString::fromUtf8(c.english)));
    }
}

class SingleInstanceGuardTest : public ::testing::Test {
protected:
    TempProgramFolder program{false};
    ProgramFolder folder{program.path()};
};

TEST_F(SingleInstanceGuardTest, AnotherCopyOnlyWhileALiveCopyHoldsTheLock) {
    auto first = std::make_unique<SingleInstanceGuard>(folder);
    ASSERT_TRUE(first->acquired());
    EXPECT_EQ(SingleInstanceGuard::lockTarget(folder), QDir::cleanPath(program.data("")));
    {
        // The same folder however it is spelt, whatever the environment says.
        const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
        qputenv("XDG_RUNTIME_DIR", "/nonexistent-runtime");
        SingleInstanceGuard second(ProgramFolder(program.path() + "/Data/.."));
        qputenv("XDG_RUNTIME_DIR", runtime);
        EXPECT_FALSE(second.acquired());
        EXPECT_TRUE(second.anotherCopyRunning());
        EXPECT_FALSE(second.error());
    }
    TempProgramFolder other(false);
    EXPECT_TRUE(SingleInstanceGuard(ProgramFolder(other.path())).acquired());
    first.reset();
    EXPECT_TRUE(SingleInstanceGuard(folder).acquired());
}

TEST_F(SingleInstanceGuardTest, NeitherLeftoversNorAReadOnlyDataSwitchItOff) {
    // What an older guard or a dead copy left in Data means nothing.
    program.writeRaw("Data/QV_md.lock", "12345\nQV_md\nanother-host\n");
    // A Data folder that cannot be written is locked all the same.
    QFile::setPermissions(program.data(""), QFile::ReadOwner | QFile::ExeOwner);
    {
        SingleInstanceGuard first(folder);
        EXPECT_TRUE(first.acquired());
        EXPECT_TRUE(SingleInstanceGuard(folder).anotherCopyRunning());
    }
    QFile::setPermissions(program.data(""), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    // Without a Data folder the program folder itself is locked (the start then stops at its first file).
    ASSERT_TRUE(QDir(program.data("")).removeRecursively());
    EXPECT_EQ(SingleInstanceGuard::lockTarget(folder), QDir::cleanPath(program.path()));
    SingleInstanceGuard without(folder);
    EXPECT_TRUE(without.acquired());
    EXPECT_TRUE(SingleInstanceGuard(folder).anotherCopyRunning());
}

TEST_F(SingleInstanceGuardTest, UnusableLockIsNamedNotTakenForAnotherCopy) {
    // A file where Data should be cannot be locked as a folder.
    ASSERT_TRUE(QDir(program.data("")).removeRecursively());
    program.writeRaw("Data", "not a folder");
    SingleInstanceGuard guard(folder);
    EXPECT_FALSE(guard.acquired());
    EXPECT_FALSE(guard.anotherCopyRunning());
    ASSERT_TRUE(guard.error());
    EXPECT_EQ(guard.error()->kind, FileError::Kind::Unlockable);
    const QString path = QDir::cleanPath(program.data(""));
    EXPECT_EQ(guard.error()->path, path);
    for (int language : {0, 1000})
        EXPECT_TRUE(fileErrorText(*guard.error(), language).contains(QDir::toNativeSeparators(path)));
}
