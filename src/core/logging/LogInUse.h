#pragma once

#include "core/common/Clock.h"
#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"
#include "core/common/WriteSequence.h"
#include "core/exchange/CrashTail.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/WorkedCountries.h"
#include "core/logging/ContactLog.h"
#include "core/station/StationProfile.h"

#include <memory>
#include <optional>

namespace qvmd {

// Where the log in use lives and what a rewrite puts in its header; fixed while the log is open.
struct LogInUsePlace {
    ProgramFolder folder{QString()};
    QString logName;
    QString year; // the log choice's year; when empty, the header's
    int countryCount = 0;
    StationProfile profile;
    std::int16_t stationKind = 1;
    const Clock* clock = &systemClock(); // dates a rewrite's header and a cut crash tail
};

// What the window hands over for a contact; the progressive number and the flag come from the log.
struct ContactFields {
    QString received;
    QString identifier;
    QString name;
    QString category;
    QString country;
    QString timeStamp;
};

// The log in use while the logging window is open: its records, its counters and its two files, kept in
// agreement. Every change reaches the log file first; only what the file holds is shown and counted.
// The counters and worked countries are its own: each write returns the counters, and the window hands
// them on to whoever else reads them.
class LogInUse {
public:
    explicit LogInUse(LogInUsePlace place, const DiskSync& sync = systemDiskSync());
    ~LogInUse();
    LogInUse(const LogInUse&) = delete;
    LogInUse& operator=(const LogInUse&) = delete;

    // Reads the log file; the counters become those of the log itself, and the counter file is rewritten
    // when it says otherwise. A failed rewrite of the counter file is returned with the log still open.
    // What a rewrite in Logs left behind when the program was stopped is removed first, and the leftovers
    // of a cut append after the last record (crashTailStart) are cut off once the log is copied.
    struct Opened {
        std::optional<FileError> logError;     // the log could not be read: nothing is open
        std::optional<FileError> counterError; // Log.dat could not be brought in line
        std::optional<CrashTailCut> tailCut;   // a crash tail was found: its copy, or why it stayed
    };
    Opened open();

    ContactLog& contacts() { return contacts_; }
    const ContactLog& contacts() const { return contacts_; }
    bool paperLog() const { return paperLog_; }
    const LogCounters& counters() const { return counters_; }
    const WorkedCountries& worked() const { return worked_; }

    enum class Outcome {
        Done,
        Refused,           // the log is full or its file could not be written: nothing changed anywhere
        CounterFileFailed, // the log file and the window agree; only Log.dat is stale
        Unconfirmed,       // the log file holds the change, but the disk did not confirm the rewrite
    };
    struct WriteOutcome {
        Outcome outcome = Outcome::Done;
        std::optional<AppendError> appendError; // why an append was refused
        std::optional<FileError> fileError;     // a failed or unconfirmed rewrite of the log or of Log.dat
        LogCounters counters;                   // the log's counters after the write
        bool written() const { return outcome != Outcome::Refused; }
    };

    // A new contact numbered NextProgressive and appended.
    WriteOutcome addContact(const ContactFields& fields);
    // A picked contact changed: its progressive number is kept, the file rewritten.
    WriteOutcome modifyContact(int row, const ContactFields& fields);
    // The contact of a row marked cancelled, the file rewritten.
    WriteOutcome cancelContact(int row);
    // A blank cancelled line for paper logs, numbered NextProgressive and appended.
    WriteOutcome addBlankCancelled(const QString& timeStamp);

    // Puts Log.dat, which follows each change without waiting for the disk, on the disk (when the log is
    // closed); its failure, once.
    std::optional<FileError> settle();

    // The writes into the log file, for a copy of it taken on another thread; it outlives the log.
    std::shared_ptr<const WriteSequence> writes() const { return writes_; }

private:
    // Counters and worked countries from the records.
    void recount();
    WriteOutcome append(const ContactRecord& record);
    WriteOutcome rewriteWith(int row, const ContactRecord& record);
    WriteOutcome countersWritten(std::optional<FileError> unconfirmedLog);
    WriteOutcome outcome(Outcome kind, std::optional<FileError> error = std::nullopt) const;
    QString logPath() const;
    const Clock& clock() const;

    const LogInUsePlace place_;
    const DiskSync& sync_;
    LogCounters counters_;
    WorkedCountries worked_;
    ContactLog contacts_;
    LogHeader header_; // as read; the rewrite keeps its paper log mode
    bool paperLog_ = false;
    bool countersUnsynced_ = false; // Log.dat changed in place since it was last synced
    std::shared_ptr<WriteSequence> writes_ = std::make_shared<WriteSequence>();
};

} // namespace qvmd
