#include "core/common/ProgramFolder.h"
#include "core/logfile/LogCounters.h"
#include "core/logging/LogInUse.h"
#include "support/FixedClock.h"
#include "support/Printers.h"
#include "support/RecordingSync.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::crlf;
using qvmd::test::FixedClock;
using qvmd::test::RecordingSync;
using qvmd::test::TempProgramFolder;

namespace {

const QString logName = QStringLiteral("5QV123_MD_L_2026.Log");
const QStringList header = {"##L", "#5QV123", "#ANNA", "#Y",    "#1",  "#01/05/2026",
                            "#5",  "#QV",     "#123",  "#2026", "#LOG"};
const QString first = QStringLiteral("1>4>7QV45>MARIA>H>Italia>08/12/2026 05:00:01>N>");
const QString second = QStringLiteral("2>9>1QV408>SARA FERRÈ>L>Canada>08/12/2026 05:01:02>N>");

LogInUsePlace placeIn(const QString& folder, const Clock* clock) {
    LogInUsePlace place;
    place.folder = ProgramFolder(folder);
    place.logName = logName;
    place.year = QStringLiteral("2026");
    place.countryCount = 340;
    place.profile = {"5QV123", "ANNA", "5", "QV", "123", "L"};
    place.clock = clock;
    return place;
}

// A log in use over a temporary program folder, on a sync the test watches.
struct OpenLog {
    explicit OpenLog(const QByteArray& logBytes) {
        folder.writeRaw("Logs/" + logName, logBytes);
        log = std::make_unique<LogInUse>(placeIn(folder.path(), &clock), sync);
    }
    QByteArray logBytes() const { return folder.readRaw("Logs/" + logName); }

    TempProgramFolder folder{false};
    FixedClock clock{QDateTime(QDate(2026, 12, 8), QTime(6, 0, 0))};
    RecordingSync sync;
    std::unique_ptr<LogInUse> log;
};

ContactFields fields(const char* identifier) {
    return {"5", identifier, "GIULIA", "L", "Italia", "08/12/2026 05:04:28"};
}

} // namespace

// Every way a record reaches the log: it is a line of its own, the counters returned are those of the
// log as the file now holds it, and Log.dat follows. A last line torn by a power cut or a hand edit is
// ended first and stays a short record of its own.
TEST(LogInUseWrites, EachRecordIsALineOfItsOwnAndTheCountersFollowTheLog) {
    const QByteArray sound = crlf(header + QStringList{first, second});
    const QByteArray torn = crlf(header + QStringList{first}) + "2>9>1QV408>SARA FE";
    const QString added = "3>5>9QV9>GIULIA>L>Italia>08/12/2026 05:04:28>N>";
    const QString blank = "3>0>0QV0>DELETED>>NO>08/12/2026 05:04:28>S>";
    struct Case {
        const char* label;
        QByteArray before;
        bool blankRecord;
        QByteArray after;
        LogCounters counters;
    };
    const Case cases[] = {
        {"contact", sound, false, crlf(header + QStringList{first, second, added}), {4, 1, 2, 3, 0}},
        {"blank cancelled", sound, true, crlf(header + QStringList{first, second, blank}), {4, 1, 1, 2, 1}},
        {"contact after a torn line",
         torn,
         false,
         crlf(header + QStringList{first, "2>9>1QV408>SARA FE", added}),
         {4, 1, 1, 2, 1}},
        {"blank after a torn line",
         torn,
         true,
         crlf(header + QStringList{first, "2>9>1QV408>SARA FE", blank}),
         {4, 1, 0, 1, 2}},
        {"contact after a torn line end",
         crlf(header + QStringList{first, second}).chopped(1),
         false,
         crlf(header + QStringList{first, second, added}),
         {4, 1, 2, 3, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        OpenLog open(c.before);
        ASSERT_FALSE(open.log->open().logError);
        const LogInUse::WriteOutcome outcome = c.blankRecord
                                                   ? open.log->addBlankCancelled("08/12/2026 05:04:28")
                                                   : open.log->addContact(fields("9QV9"));
        EXPECT_EQ(outcome.outcome, LogInUse::Outcome::Done);
        EXPECT_EQ(open.logBytes(), c.after);
        EXPECT_EQ(outcome.counters, c.counters);
        EXPECT_EQ(open.log->counters(), c.counters);
        EXPECT_FALSE(open.log->settle());
        EXPECT_EQ(readCounterFile(ProgramFolder(open.folder.path())).value(), c.counters);

        // Reopened, the log says the same: nothing merged, nothing lost.
        LogInUse again(placeIn(open.folder.path(), &open.clock));
        ASSERT_FALSE(again.open().logError);
        EXPECT_EQ(again.counters(), c.counters);
        EXPECT_EQ(again.contacts().size(), 3);
    }
}

// A rewrite that fails leaves the file as it was, so the record in memory goes back too; a rewrite whose
// file is in place but whose folder the disk did not confirm is kept, and said to be unconfirmed. Each
// write syncs exactly what it changed: the log, then its folder after the rename. Log.dat follows in
// place and waits for no sync.
TEST(LogInUseWrites, FailedRewritesRollBackAndUnconfirmedOnesStand) {
    struct Case {
        const char* label;
        std::optional<DiskSync::Target> failing;
        LogInUse::Outcome outcome;
        bool changed;
    };
    const Case cases[] = {
        {"all syncs succeed", std::nullopt, LogInUse::Outcome::Done, true},
        {"the file's sync fails", DiskSync::Target::File, LogInUse::Outcome::Refused, false},
        {"the folder's sync fails", DiskSync::Target::Folder, LogInUse::Outcome::Unconfirmed, true},
    };
    for (const bool cancel : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.label) + (cancel ? ", cancel" : ", modify"));
            const QByteArray before = crlf(header + QStringList{first, second});
            OpenLog open(before);
            ASSERT_FALSE(open.log->open().logError);
            open.sync.clear();
            if (c.failing)
                open.sync.failAll(*c.failing);
            const LogCounters countersBefore = open.log->counters();

            const LogInUse::WriteOutcome outcome =
                cancel ? open.log->cancelContact(2) : open.log->modifyContact(2, fields("8QV8"));
            EXPECT_EQ(outcome.outcome, c.outcome);
            const QString row = open.log->contacts().at(2).line().toString();
            if (c.changed) {
                EXPECT_NE(open.logBytes(), before);
                EXPECT_TRUE(open.logBytes().contains(row.toLatin1() + "\r\n")) << row.toStdString();
                EXPECT_NE(row, second);
                // The log's own rename is what the operator hears of first.
                if (c.failing) {
                    ASSERT_TRUE(outcome.fileError);
                    EXPECT_EQ(outcome.fileError->kind, FileError::Kind::Unconfirmed);
                    EXPECT_EQ(outcome.fileError->path, open.folder.logs(logName));
                }
                EXPECT_EQ(outcome.counters, open.log->counters());
            } else {
                EXPECT_EQ(open.logBytes(), before);
                EXPECT_EQ(row, second);
                EXPECT_EQ(open.log->contacts().at(2).fieldText(ContactRecord::Cancelled), "N");
                EXPECT_EQ(open.log->counters(), countersBefore);
            }
            const QList<RecordingSync::Call> expected =
                c.changed ? QList<RecordingSync::Call>{RecordingSync::file(open.folder.logs(logName)),
                                                       RecordingSync::folder(open.folder.logs(""))}
                          : QList<RecordingSync::Call>{RecordingSync::file(open.folder.logs(logName))};
            EXPECT_EQ(open.sync.calls(), expected);
            EXPECT_EQ(readCounterFile(ProgramFolder(open.folder.path())).value(), open.log->counters());
        }
    }
}

// A contact waits for one sync, its own record's: Log.dat is rewritten in place at once, whole and right,
// and reaches the disk when the log is settled (closed), once however many contacts came before.
TEST(LogInUseWrites, AContactWaitsForItsRecordsSyncAloneAndLogDatIsSyncedWhenSettled) {
    OpenLog open(crlf(header + QStringList{first}));
    ASSERT_FALSE(open.log->open().logError);
    open.sync.clear();
    const ProgramFolder folder(open.folder.path());
    ASSERT_EQ(open.log->addContact(fields("9QV9")).outcome, LogInUse::Outcome::Done);
    EXPECT_EQ(open.folder.readRaw("Logs/Log.dat"), "3\r\n1\r\n1\r\n2\r\n0\r\n");
    ASSERT_EQ(open.log->addContact(fields("9QV10")).outcome, LogInUse::Outcome::Done);
    EXPECT_EQ(readCounterFile(folder).value(), open.log->counters());
    const RecordingSync::Call logFile = RecordingSync::file(open.folder.logs(logName));
    EXPECT_EQ(open.sync.calls(), QList<RecordingSync::Call>({logFile, logFile}));
    EXPECT_FALSE(open.log->settle());
    EXPECT_FALSE(open.log->settle());
    EXPECT_EQ(open.sync.calls(), QList<RecordingSync::Call>(
                                     {logFile, logFile, RecordingSync::file(open.folder.logs("Log.dat"))}));
    EXPECT_EQ(open.folder.readRaw("Logs/Log.dat"), "4\r\n1\r\n2\r\n2\r\n0\r\n");

    // A cancellation rewrites it too.
    ASSERT_EQ(open.log->cancelContact(3).outcome, LogInUse::Outcome::Done);
    EXPECT_EQ(open.folder.readRaw("Logs/Log.dat"), "4\r\n1\r\n1\r\n2\r\n1\r\n");

    // A failed sync of Log.dat is told once; the counters in it are still right.
    open.sync.failAll(DiskSync::Target::File);
    ASSERT_EQ(open.log->addBlankCancelled("08/12/2026 05:04:28").outcome, LogInUse::Outcome::Refused);
    open.sync.failAll(DiskSync::Target::Folder);
    ASSERT_EQ(open.log->addBlankCancelled("08/12/2026 05:04:28").outcome, LogInUse::Outcome::Done);
    open.sync.failAll(DiskSync::Target::File);
    const std::optional<FileError> failure = open.log->settle();
    ASSERT_TRUE(failure);
    EXPECT_EQ(failure->kind, FileError::Kind::Unconfirmed);
    EXPECT_EQ(failure->path, open.folder.logs("Log.dat"));
    EXPECT_FALSE(open.log->settle());
    EXPECT_EQ(readCounterFile(folder).value(), open.log->counters());

    // A shorter text leaves no old byte behind.
    ASSERT_FALSE(updateCounterFile(folder, LogCounters{10, 10, 0, 0, 0}));
    ASSERT_FALSE(updateCounterFile(folder, LogCounters{9, 9, 0, 0, 0}));
    EXPECT_EQ(open.folder.readRaw("Logs/Log.dat"), "9\r\n9\r\n0\r\n0\r\n0\r\n");
}

// A Log.dat that is gone, or that a folder stands in for, cannot be written in place: it is written whole
// the careful way, or the failure is told while the log itself holds the contact.
TEST(LogInUseWrites, LogDatThatCannotBeWrittenInPlace) {
    {
        OpenLog open(crlf(header + QStringList{first}));
        ASSERT_FALSE(open.log->open().logError);
        QFile::remove(open.folder.logs("Log.dat"));
        open.sync.clear();
        ASSERT_EQ(open.log->addContact(fields("9QV9")).outcome, LogInUse::Outcome::Done);
        EXPECT_EQ(open.folder.readRaw("Logs/Log.dat"), "3\r\n1\r\n1\r\n2\r\n0\r\n");
        EXPECT_EQ(open.sync.calls(),
                  QList<RecordingSync::Call>({RecordingSync::file(open.folder.logs(logName)),
                                              RecordingSync::file(open.folder.logs("Log.dat")),
                                              RecordingSync::folder(open.folder.logs(""))}));
    }
    {
        OpenLog open(crlf(header + QStringList{first}));
        ASSERT_FALSE(open.log->open().logError);
        QFile::remove(open.folder.logs("Log.dat"));
        ASSERT_TRUE(QDir().mkpath(open.folder.logs("Log.dat")));
        const LogInUse::WriteOutcome outcome = open.log->addContact(fields("9QV9"));
        EXPECT_EQ(outcome.outcome, LogInUse::Outcome::CounterFileFailed);
        ASSERT_TRUE(outcome.fileError);
        EXPECT_EQ(outcome.fileError->path, open.folder.logs("Log.dat"));
        EXPECT_TRUE(open.logBytes().endsWith("2>5>9QV9>GIULIA>L>Italia>08/12/2026 05:04:28>N>\r\n"));
    }
}
