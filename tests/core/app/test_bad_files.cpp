#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/app/StationState.h"
#include "core/common/FileErrorText.h"
#include "core/common/TextFile.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/Roster.h"
#include "core/refdata/ScoreWeights.h"
#include "core/station/PrimeFile.h"
#include "core/station/UseFile.h"
#include "support/FileSizeLimit.h"
#include "support/Printers.h"
#include "support/RecordingSync.h"
#include "support/TempProgramFolder.h"

#include <QDate>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <fcntl.h>
#include <functional>
#include <future>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace qvmd;
using qvmd::test::FileSizeLimit;
using qvmd::test::RecordingSync;
using qvmd::test::TempProgramFolder;

namespace {

using Reader = std::function<std::optional<FileError>(AppState&)>;

template <typename T> std::optional<FileError> errorOf(const Result<T>& result) {
    return result ? std::nullopt : std::optional<FileError>(result.error());
}

struct StartupFile {
    const char* name;
    qint64 limit;
    Reader read;
    QByteArray bomContent;                          // what follows a byte-order mark
    std::function<bool(const AppState&)> readRight; // whether that content was understood
};

const StartupFile startupFiles[] = {
    {"Lang.dat", SmallFileLimit, [](AppState& s) { return errorOf(readLangFile(s.folder)); }, "1000\r\n",
     [](const AppState& s) { return readLangFile(s.folder).value() == 1000; }},
    {"Prime.dat", SmallFileLimit, [](AppState& s) { return readPrimeFile(s); }, "1\r\n",
     [](const AppState& s) { return s.RegistrationState == 1; }},
    {"Md.ini", SmallFileLimit, [](AppState& s) { return readMdIni(s); }, "first\r\n",
     [](const AppState& s) { return s.SettingsEntries.value(0) == "first"; }},
    {"Use.dat", SmallFileLimit, [](AppState& s) { return loadUseFile(s); }, "1\r\n",
     [](const AppState& s) { return s.log.LogInUse == 1; }},
    {"Prefix.dat", TableFileLimit,
     [](AppState& s) {
         Result<CountryTable> table = CountryTable::load(s.folder.data("Prefix.dat"));
         if (table)
             s.countries = std::move(table.value());
         return errorOf(table);
     },
     "VE>Canada\r\n", [](const AppState& s) { return s.countries.prefix(1) == "VE"; }},
    {"Data.dat", SmallFileLimit,
     [](AppState& s) {
         const Result<ScoreWeights> weights = ScoreWeights::load(s.folder.data("Data.dat"));
         if (weights)
             s.weights = weights.value();
         return errorOf(weights);
     },
     "7\r\n", [](const AppState& s) { return s.weights.hunterPointsForHunter == 7; }},
    {"Hunter.dat", RosterFileLimit,
     [](AppState& s) {
         const RosterSearch search = searchRosters(s.folder, "5QV1", RosterOrder::Registration);
         s.RegisteredName = search.entry.name;
         return search.error;
     },
     "12>5QV1>Anna\r\n", [](const AppState& s) { return s.RegisteredName == "Anna"; }},
};

enum class Case { NoDataFolder, Missing, Folder, Fifo, Device, TooLarge, ByteOrderMark };

// Puts the case in place; returns false when the system does not allow it.
bool prepare(const TempProgramFolder& program, const StartupFile& file, Case setup) {
    const QString path = program.data(file.name);
    switch (setup) {
    case Case::NoDataFolder:
        return QDir(program.data("")).removeRecursively();
    case Case::Missing:
        return true;
    case Case::Folder:
        return QDir().mkpath(path);
    case Case::Fifo:
        return ::mkfifo(QFile::encodeName(path).constData(), 0600) == 0;
    case Case::Device:
        return QFile::link("/dev/zero", path);
    case Case::TooLarge: {
        // Sparse: the size is what counts, not the bytes.
        QFile big(path);
        return big.open(QIODevice::WriteOnly) && big.resize(file.limit + 1);
    }
    case Case::ByteOrderMark:
        program.writeRaw(QStringLiteral("Data/") + file.name, "\xEF\xBB\xBF" + file.bomContent);
        return true;
    }
    return false;
}

// Runs a read that must not wait for anything. A reader stuck on a pipe is set free by opening the pipe's
// other end, so a hang fails the test instead of stopping the run.
std::optional<FileError> readWithWatchdog(const Reader& read, AppState& state, const QString& path,
                                          bool& hung) {
    std::promise<std::optional<FileError>> promise;
    std::future<std::optional<FileError>> result = promise.get_future();
    std::thread reader([&] { promise.set_value(read(state)); });
    hung = result.wait_for(std::chrono::seconds(10)) != std::future_status::ready;
    if (hung) {
        const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NONBLOCK);
        if (fd >= 0)
            ::close(fd);
        if (result.wait_for(std::chrono::seconds(10)) != std::future_status::ready) {
            std::fputs("a start-up read hangs and cannot be released\n", stderr);
            std::abort();
        }
    }
    reader.join();
    return result.get();
}

} // namespace

TEST(BadStartupFiles, EveryFileAndEveryKindOfBadFileIsNamedAtOnce) {
    const struct {
        Case setup;
        const char* label;
        FileError::Reason reason;
    } setups[] = {
        {Case::NoDataFolder, "no Data folder", FileError::Reason::FolderMissing},
        {Case::Missing, "missing", FileError::Reason::None},
        {Case::Folder, "a folder", FileError::Reason::IsFolder},
        {Case::Fifo, "a pipe", FileError::Reason::NotRegularFile},
        {Case::Device, "a link to /dev/zero", FileError::Reason::NotRegularFile},
        {Case::TooLarge, "too large", FileError::Reason::TooLarge},
        {Case::ByteOrderMark, "a byte-order mark", FileError::Reason::None},
    };
    for (const StartupFile& file : startupFiles) {
        for (const auto& setup : setups) {
            SCOPED_TRACE(std::string(file.name) + ", " + setup.label);
            TempProgramFolder program(false);
            AppState state(program.path());
            ASSERT_TRUE(prepare(program, file, setup.setup));
            bool hung = false;
            const std::optional<FileError> error =
                readWithWatchdog(file.read, state, program.data(file.name), hung);
            EXPECT_FALSE(hung);
            if (setup.setup == Case::ByteOrderMark) {
                EXPECT_FALSE(error);
                EXPECT_TRUE(file.readRight(state));
                continue;
            }
            ASSERT_TRUE(error);
            EXPECT_EQ(error->reason, setup.reason);
            for (int language : {0, 1000}) {
                const QString text = fileErrorText(*error, language);
                EXPECT_TRUE(text.contains(QDir::toNativeSeparators(program.data(file.name))))
                    << text.toStdString();
                if (setup.setup == Case::NoDataFolder) {
                    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(program.path() + "/Data")))
                        << text.toStdString();
                }
            }
        }
    }
}

TEST(BadStartupFiles, HugeLineInDataDatIsRefusedQuickly) {
    TempProgramFolder program(false);
    program.writeRaw("Data/Data.dat", "1\r\n" + QByteArray(10 * 1024 * 1024, '9') + "\r\n");
    const auto start = std::chrono::steady_clock::now();
    const Result<ScoreWeights> weights = ScoreWeights::load(program.data("Data.dat"));
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(2));
    ASSERT_FALSE(weights);
    EXPECT_EQ(weights.error().reason, FileError::Reason::TooLarge);
}

namespace {

// Every writer of a whole file, with the state it writes over.
struct Writer {
    const char* name;
    std::function<WriteResult(const ProgramFolder&, const DiskSync&)> write;
};

const Writer writers[] = {
    {"Lang.dat", [](const ProgramFolder& f, const DiskSync& s) { return writeLangFile(f, 1000, s); }},
    {"Prime.dat",
     [](const ProgramFolder& f, const DiskSync& s) {
         return writePrimeFile(f, 1, "5QV123", "Mario Rossi", QDate(2026, 3, 6), s);
     }},
    {"Use.dat",
     [](const ProgramFolder& f, const DiskSync& s) {
         return writeUseFile(f, UseHeader::noLog("H", 2026), StationProfile{}, 1, s);
     }},
};

} // namespace

TEST(BadWrites, EveryWriterKeepsTheOldBytesAndSaysWhy) {
    enum class Fault { NoSpace, FailedSync, FolderInTheWay };
    const struct {
        Fault fault;
        const char* label;
        FileError::Reason reason;
    } faults[] = {
        {Fault::NoSpace, "no space", FileError::Reason::None},
        {Fault::FailedSync, "failed sync", FileError::Reason::SyncFailed},
        {Fault::FolderInTheWay, "folder in the way", FileError::Reason::IsFolder},
    };
    const QByteArray old = "old bytes\r\n";
    for (const Writer& writer : writers) {
        for (const auto& fault : faults) {
            SCOPED_TRACE(std::string(writer.name) + ", " + fault.label);
            TempProgramFolder program(false);
            const ProgramFolder folder(program.path());
            const QString path = program.data(writer.name);
            WriteResult result;
            if (fault.fault == Fault::FolderInTheWay) {
                ASSERT_TRUE(QDir().mkpath(path + "/inside"));
                result = writer.write(folder, systemDiskSync());
                EXPECT_TRUE(QFileInfo(path + "/inside").isDir());
            } else {
                program.writeRaw(QStringLiteral("Data/") + writer.name, old);
                if (fault.fault == Fault::NoSpace) {
                    FileSizeLimit limit(4);
                    result = writer.write(folder, systemDiskSync());
                } else {
                    RecordingSync failing;
                    failing.failAll(DiskSync::Target::File);
                    result = writer.write(folder, failing);
                }
                EXPECT_EQ(program.readData(writer.name), old);
            }
            ASSERT_TRUE(result);
            EXPECT_EQ(result->kind, FileError::Kind::Unwritable);
            EXPECT_EQ(result->path, path);
            if (fault.reason != FileError::Reason::None) {
                EXPECT_EQ(result->reason, fault.reason);
            }
            EXPECT_EQ(QDir(program.data("")).entryList(QDir::Files | QDir::Hidden).size(),
                      fault.fault == Fault::FolderInTheWay ? 0 : 1);
        }
    }
    // And once the disk is well again, the same write goes through.
    TempProgramFolder program(false);
    for (const Writer& writer : writers)
        EXPECT_FALSE(writer.write(ProgramFolder(program.path()), systemDiskSync())) << writer.name;
}

// Each rewrite syncs the new file, then, after the rename, the folder that holds it: without the second
// a power cut can bring the old file back. When only that second sync fails, the new file is already in
// place, and the result says so rather than that the write failed.
TEST(BadWrites, EveryWriterSyncsTheFileThenItsFolderAndAFailedFolderSyncIsNoFailure) {
    for (const Writer& writer : writers) {
        for (const bool folderFails : {false, true}) {
            SCOPED_TRACE(std::string(writer.name) + (folderFails ? ", folder sync fails" : ""));
            TempProgramFolder program(false);
            program.writeRaw(QStringLiteral("Data/") + writer.name, "old bytes\r\n");
            RecordingSync sync;
            if (folderFails)
                sync.failAll(DiskSync::Target::Folder);
            const WriteResult result = writer.write(ProgramFolder(program.path()), sync);
            EXPECT_EQ(sync.calls(),
                      QList<RecordingSync::Call>({RecordingSync::file(program.data(writer.name)),
                                                  RecordingSync::folder(program.data(""))}));
            EXPECT_NE(program.readData(writer.name), "old bytes\r\n");
            EXPECT_EQ(inPlaceUnconfirmed(result), folderFails);
            EXPECT_EQ(result.has_value(), folderFails);
            if (folderFails) {
                for (const int language : {0, 1000}) {
                    const QString text = fileErrorText(*result, language);
                    EXPECT_TRUE(text.contains(QDir::toNativeSeparators(program.data(writer.name))));
                    // Never the words of a failed write: the new content is there.
                    EXPECT_FALSE(text.startsWith(language == 0 ? "Impossibile" : "Cannot"))
                        << text.toStdString();
                }
            }
        }
    }
}

TEST(BadWrites, LeftoversOfAnInterruptedRewriteAreRemovedAtStart) {
    TempProgramFolder program(false);
    program.writeData("Use.dat", {"1"});
    // Named as Qt names the temporary file of a rewrite: the target's name and a generated suffix.
    QStringList temporaries;
    for (const char* name : {"Use.dat", "Prime.dat"}) {
        QTemporaryFile file(program.data(name));
        file.setAutoRemove(false);
        ASSERT_TRUE(file.open());
        temporaries << QFileInfo(file.fileName()).fileName();
    }
    const QStringList kept = {"Use.dat", "Use.dat.bak", "Use.dat.abcdefg", "Use.dat.abc123",
                              "Lady.dat.ABCdef"};
    for (const QString& name : kept)
        program.writeRaw("Data/" + name, "x");
    ASSERT_TRUE(QDir().mkpath(program.data("Lang.dat.abcdef")));

    for (const char* name : {"5QV123_MD_L_2026.Log", "Log.dat"}) {
        QTemporaryFile file(program.logs(name));
        file.setAutoRemove(false);
        ASSERT_TRUE(file.open());
        temporaries << file.fileName(); // asking for the name gives the file one
    }
    program.writeRaw("Logs/notes.txt.abcdef", "x");

    EXPECT_EQ(removeWriterLeftovers(ProgramFolder(program.path())), 4);
    EXPECT_EQ(QDir(program.logs("")).entryList(QDir::Files), QStringList({"notes.txt.abcdef"}));
    QStringList left = QDir(program.data("")).entryList(QDir::Files | QDir::Dirs | QDir::NoDotAndDotDot);
    QStringList expected = kept + QStringList{"Lang.dat.abcdef"};
    left.sort();
    expected.sort();
    EXPECT_EQ(left, expected);
}
