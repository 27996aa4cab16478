#include "core/common/FrozenClock.h"
#include "core/common/Numbers.h"
#include "core/common/ParallelFor.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"
#include "support/FileSizeLimit.h"
#include "support/Printers.h"
#include "support/SystemFiles.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <thread>
#include <vector>

using namespace qvmd;
using qvmd::test::FileSizeLimit;

TEST(ProgramFolderRule, RootGetsNoExtraSeparatorAndFoldersGetOne) {
    EXPECT_EQ(ProgramFolder("C:\\").data("Prime.dat"), "C:\\Data\\Prime.dat");
    EXPECT_EQ(ProgramFolder("C:\\Logbook").data("Prime.dat"), "C:\\Logbook\\Data\\Prime.dat");
    EXPECT_EQ(ProgramFolder("/").logs("Log.dat"), "/Logs/Log.dat");
    EXPECT_EQ(ProgramFolder("/opt/qv").backup("a.Bak"), "/opt/qv/Backup/a.Bak");
    EXPECT_EQ(ProgramFolder("/opt/qv/").path("Data\\Use.dat"), "/opt/qv/Data/Use.dat");
}

// Texts and raw file bytes follow the same rule.
TEST(FrozenClock, TellsTheNamedTimeOnBothFacesOrIsAbsent) {
    struct Case {
        const char* value;
        const char* local; // empty: no clock
    } cases[] = {{"2026-05-06T10:11:12", "06/05/2026 10:11:12"},
                 {" 2026-12-31T23:59:59\n", "31/12/2026 23:59:59"},
                 {"", ""},
                 {"yesterday", ""},
                 {"2026-13-01T00:00:00", ""}};
    for (const Case& c : cases) {
        const std::unique_ptr<Clock> clock = frozenClockFrom(c.value);
        if (!*c.local) {
            EXPECT_EQ(clock, nullptr) << c.value;
            continue;
        }
        ASSERT_NE(clock, nullptr) << c.value;
        EXPECT_EQ(shortDateText(clock->now().date()) + ' ' + longTimeText(clock->now().time()), c.local);
        EXPECT_EQ(clock->nowUtc().time(), clock->now().time());
        EXPECT_EQ(clock->nowUtc().timeSpec(), Qt::UTC);
    }
}

TEST(LeadingNumber, FollowsTheOneRule) {
    const std::pair<const char*, std::int64_t> cases[] = {
        {" 2", 2},
        {"x", 0},
        {"", 0},
        {"12abc", 12},
        {"  1000\t", 1000},
        {"-7x", -7},
        {"- 7", 0},
        {"+0", 0},
        {"99999999999999999999999", std::numeric_limits<std::int64_t>::max()},
        {"\xE8"
         "5",
         0}, // a code-page letter before the digits
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(leadingNumber(QString::fromLatin1(text)), expected) << text;
        EXPECT_EQ(leadingNumber(QByteArrayView(text)), expected) << text;
    }
}

TEST(SixteenBit, OutOfRangeSaturates) {
    EXPECT_EQ(leadingInt16(u"40000"), 32767);
    EXPECT_EQ(leadingInt16(u"-40000"), -32768);
    EXPECT_EQ(leadingInt16(u"32767"), 32767);
    EXPECT_EQ(toInt16(-1), -1);
}

TEST(WholeNumber, AcceptsOnlyAnIntegerBetweenBlanks) {
    EXPECT_EQ(wholeNumber(u" 15 "), 15);
    EXPECT_EQ(wholeNumber(u"-3"), -3);
    EXPECT_FALSE(wholeNumber(u"12abc"));
    EXPECT_FALSE(wholeNumber(u""));
    EXPECT_FALSE(wholeNumber(u"1 2"));
}

TEST(Windows1252, RoundTripsAccentsAndTheEuroSign) {
    const QString text = QStringLiteral("ÀÈÉÌÒÙÇ l'€ “x”");
    const QByteArray bytes = toWindows1252(text);
    EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 192);
    EXPECT_EQ(static_cast<unsigned char>(bytes[6]), 199);
    EXPECT_EQ(static_cast<unsigned char>(bytes[10]), 0x80);
    EXPECT_EQ(fromWindows1252(bytes), text);
    EXPECT_EQ(toWindows1252(QStringLiteral("ж")), "?");
}

// Every byte of 0x80 to 0x9F against the code page's published mapping; the five unassigned bytes stay
// the C1 control of the same value, both ways.
TEST(Windows1252, HighRangeMatchesThePublishedTable) {
    const struct {
        unsigned char byte;
        char16_t unicode;
    } table[] = {
        {0x80, 0x20AC}, {0x81, 0x0081}, {0x82, 0x201A}, {0x83, 0x0192}, {0x84, 0x201E}, {0x85, 0x2026},
        {0x86, 0x2020}, {0x87, 0x2021}, {0x88, 0x02C6}, {0x89, 0x2030}, {0x8A, 0x0160}, {0x8B, 0x2039},
        {0x8C, 0x0152}, {0x8D, 0x008D}, {0x8E, 0x017D}, {0x8F, 0x008F}, {0x90, 0x0090}, {0x91, 0x2018},
        {0x92, 0x2019}, {0x93, 0x201C}, {0x94, 0x201D}, {0x95, 0x2022}, {0x96, 0x2013}, {0x97, 0x2014},
        {0x98, 0x02DC}, {0x99, 0x2122}, {0x9A, 0x0161}, {0x9B, 0x203A}, {0x9C, 0x0153}, {0x9D, 0x009D},
        {0x9E, 0x017E}, {0x9F, 0x0178},
    };
    ASSERT_EQ(std::size(table), 32u);
    QByteArray all;
    QString expected;
    for (const auto& row : table) {
        SCOPED_TRACE(static_cast<int>(row.byte));
        const QByteArray one(1, static_cast<char>(row.byte));
        EXPECT_EQ(fromWindows1252(one), QString(QChar(row.unicode)));
        EXPECT_EQ(toWindows1252(QString(QChar(row.unicode))), one);
        all += one;
        expected += QChar(row.unicode);
    }
    // Long enough for the block-wise scan, with the range at both ends of a block.
    const QByteArray padded = QByteArray(230, 'a') + all + all + QByteArray(17, 'z');
    const QString paddedText = QString(230, u'a') + expected + expected + QString(17, u'z');
    EXPECT_EQ(fromWindows1252(padded), paddedText);
    EXPECT_EQ(toWindows1252(paddedText), padded);
}

class TextFileTest : public ::testing::Test {
protected:
    QTemporaryDir dir;
    QString file(const char* name) const { return dir.filePath(QLatin1String(name)); }
    QByteArray bytes(const QString& path) const {
        QFile f(path);
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }
};

TEST_F(TextFileTest, WritesCrLfAndReadsBothLineEndings) {
    const QString path = file("a.dat");
    ASSERT_FALSE(writeLines(path, {"1", "È", ""}));
    EXPECT_EQ(bytes(path), QByteArray("1\r\n\xC8\r\n\r\n"));
    EXPECT_EQ(readLines(path, SmallFileLimit).value(), QStringList({"1", "È", ""}));
    EXPECT_EQ(splitLines("a\nb\r\nc"), QStringList({"a", "b", "c"}));
    EXPECT_EQ(splitLines(""), QStringList());
}

TEST_F(TextFileTest, MissingFileIsReportedByName) {
    const auto result = readLines(file("none.dat"), SmallFileLimit);
    ASSERT_FALSE(result);
    EXPECT_EQ(result.error().kind, FileError::Kind::Missing);
    EXPECT_EQ(result.error().path, file("none.dat"));
}

TEST_F(TextFileTest, FailedRewriteKeepsTheOldFileAndLeavesNoTemporary) {
    const QString path = file("keep.dat");
    ASSERT_FALSE(writeLines(path, {"old"}));
    WriteResult failed;
    {
        FileSizeLimit limit(16);
        failed = writeLines(path, {QString(200, QLatin1Char('x'))});
    }
    ASSERT_TRUE(failed);
    EXPECT_EQ(failed->kind, FileError::Kind::Unwritable);
    EXPECT_EQ(failed->path, path);
    EXPECT_EQ(bytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"keep.dat"}));
}

TEST_F(TextFileTest, FailedAppendIsReportedAndLeavesNoHalfLine) {
    const QString path = file("log.Log");
    ASSERT_FALSE(appendLine(path, "one>"));
    {
        FileSizeLimit limit(8);
        EXPECT_TRUE(appendLine(path, "a longer second line>"));
    }
    // A torn record would glue itself onto the next one written.
    EXPECT_EQ(bytes(path), QByteArray("one>\r\n"));
    ASSERT_FALSE(appendLine(path, "two>"));
    EXPECT_EQ(bytes(path), QByteArray("one>\r\ntwo>\r\n"));
}

TEST_F(TextFileTest, AppendAddsOneTerminatedLine) {
    const QString path = file("log.Log");
    ASSERT_FALSE(appendLine(path, "one>"));
    ASSERT_FALSE(appendLine(path, "two>"));
    EXPECT_EQ(bytes(path), QByteArray("one>\r\ntwo>\r\n"));
    EXPECT_TRUE(appendLine(dir.filePath("no/such/folder/x"), "x"));
}

TEST_F(TextFileTest, OverwriteInPlaceCutsToSizeAndReportsWhatStandsInTheWay) {
    const QString path = file("report.txt");
    ASSERT_FALSE(overwriteFileBytes(path, "a longer first text\r\n"));
    ASSERT_FALSE(overwriteFileBytes(path, "short\r\n"));
    EXPECT_EQ(bytes(path), QByteArray("short\r\n"));
    ASSERT_FALSE(overwriteFileBytes(path, "longer than short\r\n"));
    EXPECT_EQ(bytes(path), QByteArray("longer than short\r\n"));

    ASSERT_TRUE(QDir(dir.path()).mkdir("folder"));
    ASSERT_TRUE(test::makeNamedPipe(file("pipe")));
    // A link planted where a report goes is never written through, whether or not its target exists.
    const QString target = file("target.txt");
    ASSERT_TRUE(QFile::link(target, file("link")));
    ASSERT_TRUE(QFile::link(file("folder"), file("folder link")));
    struct Case {
        QString path;
        FileError::Reason reason;
    };
    for (const Case& c : {Case{file("folder"), FileError::Reason::IsFolder},
                          Case{file("pipe"), FileError::Reason::NotRegularFile},
                          Case{file("link"), FileError::Reason::NotRegularFile},
                          Case{file("folder link"), FileError::Reason::NotRegularFile},
                          Case{file("no/such/folder/x.txt"), FileError::Reason::FolderMissing}}) {
        const WriteResult failed = overwriteFileBytes(c.path, "x");
        ASSERT_TRUE(failed) << c.path.toStdString();
        EXPECT_EQ(failed->kind, FileError::Kind::Unwritable) << c.path.toStdString();
        EXPECT_EQ(failed->reason, c.reason) << c.path.toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(target));
    ASSERT_FALSE(overwriteFileBytes(target, "kept"));
    EXPECT_TRUE(overwriteFileBytes(file("link"), "x"));
    EXPECT_EQ(bytes(target), QByteArray("kept"));

    // A full disk is a failure, never a report cut short in silence.
    WriteResult full;
    {
        FileSizeLimit limit(8);
        full = overwriteFileBytes(path, QByteArray(200, 'x'));
    }
    EXPECT_TRUE(full);
}

TEST(ParallelFor, RunsEveryIndexOnce) {
    for (const std::size_t count : {std::size_t{0}, std::size_t{1}, std::size_t{7}, std::size_t{5000}}) {
        std::vector<std::atomic<int>> runs(count);
        parallelFor(count, [&](std::size_t i) { ++runs[i]; });
        EXPECT_TRUE(std::all_of(runs.cbegin(), runs.cend(), [](const std::atomic<int>& n) { return n == 1; }))
            << count;
    }
}

// A process held to one core (taskset, a container) works on that one, in the calling thread.
TEST(ParallelFor, KeepsToTheCoresTheProcessMayUse) {
    const unsigned before = test::allowedCores();
    ASSERT_GT(before, 0u);
    std::vector<std::thread::id> threads(100);
    unsigned cores = 0;
    {
        test::OneCore one;
        ASSERT_TRUE(one.held());
        cores = usableCores();
        parallelFor(threads.size(), [&](std::size_t i) { threads[i] = std::this_thread::get_id(); });
    }
    EXPECT_EQ(cores, 1u);
    EXPECT_TRUE(std::all_of(threads.cbegin(), threads.cend(),
                            [](std::thread::id id) { return id == std::this_thread::get_id(); }));
    EXPECT_EQ(usableCores(), before);
}
