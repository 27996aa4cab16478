#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"

#include <QStringList>

#include <cstdint>

namespace qvmd {

class ProgramFolder;

// Counters of the log in use, kept in Logs/Log.dat. There is one counter file for all logs: it always
// describes the log in use.
struct LogCounters {
    std::int16_t NextProgressive = 1; // number of records plus 1
    std::int16_t HunterCount = 0;     // valid contacts with category "H"
    std::int16_t LadyCount = 0;       // valid contacts with category "L"
    std::int16_t CountryCount = 0;    // distinct countries among the valid contacts
    std::int16_t CancelledCount = 0;  // records whose flag is not "N"

    // NextProgressive is 16-bit: the last record a log can take is number 32766, after which
    // NextProgressive stands at its largest value and the log refuses further records.
    static constexpr std::int16_t LastProgressive = 32766;
    bool full() const { return NextProgressive > LastProgressive; }

    friend bool operator==(const LogCounters&, const LogCounters&) = default;
};

// The counter file's name inside Logs.
inline const QString counterFileName = QStringLiteral("Log.dat");

// The five lines in file order, each a trimmed decimal integer.
QStringList counterLines(const LogCounters& counters);
// Lines after the fifth are ignored; a missing line counts 0 (each read by the leading-number rule).
LogCounters parseCounterLines(const QStringList& lines);

// Reads Logs/Log.dat.
Result<LogCounters> readCounterFile(const ProgramFolder& folder);
// Rewrites Logs/Log.dat whole and atomically, creating the Logs folder when it is missing.
WriteResult writeCounterFile(const ProgramFolder& folder, const LogCounters& counters,
                             const DiskSync& sync = systemDiskSync());

// What opening a log found of Log.dat.
struct CounterFileCheck {
    bool rebuilt = false; // Log.dat was missing or did not describe the log, and was rewritten
    WriteResult error;    // that rewrite failed
};
// Brings Log.dat in line with the counters counted from the log's records: the log is the truth, so a
// Log.dat that is missing or says otherwise (a crash, a power cut) is rewritten whole and synced.
CounterFileCheck reconcileCounterFile(const ProgramFolder& folder, const LogCounters& truth,
                                      const DiskSync& sync = systemDiskSync());

// Log.dat after each change of the log in use: its few bytes rewritten in place, without a temporary file,
// a rename or a sync, so a contact waits for no disk but its own record's. Log.dat is derived from the log
// and rebuilt from it whenever the two disagree (reconcileCounterFile), so a power cut before the system
// writes it back costs nothing; a killed program leaves it whole, since one write puts all of it in place.
// A Log.dat that is missing or cannot be written in place is written whole the careful way, which also
// says what failed.
WriteResult updateCounterFile(const ProgramFolder& folder, const LogCounters& counters,
                              const DiskSync& sync = systemDiskSync());
// Puts what updateCounterFile left in place on the disk, once the log is closed.
WriteResult syncCounterFile(const ProgramFolder& folder, const DiskSync& sync = systemDiskSync());

// Creates the Logs folder when it is missing; a file in its place is reported.
WriteResult ensureLogsFolder(const ProgramFolder& folder, const DiskSync& sync = systemDiskSync());

} // namespace qvmd
