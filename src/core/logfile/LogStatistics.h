#pragma once

#include "core/common/FileError.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/WorkedCountries.h"

#include <QString>

namespace qvmd {

class ProgramFolder;

// What the records of a log add up to.
struct LogStatistics {
    LogCounters counters;
    WorkedCountries worked;
};

// The statistics pass: NextProgressive is the record count plus 1; a record whose flag is "N" marks the
// country of its identifier worked (numbers 0 or above countryCount mark nothing) and counts as Hunter
// or Lady by its category "H" or "L"; every other record counts as cancelled. CountryCount is the
// number of countries worked. Counts beyond the 16-bit range stay at its largest value.
LogStatistics logStatistics(std::span<const ContactRecord> records, int countryCount);

// A log's header and statistics, for choosing a log: the records themselves are not kept.
struct LogSummary {
    LogContents contents; // header values and paper log mode; no records
    LogStatistics statistics;
};
// The statistics pass straight over the file's bytes, by the same rules as parseLog and logStatistics
// but without decoding or keeping any record.
LogSummary scanLog(QByteArrayView bytes, int countryCount);
Result<LogSummary> readLogSummary(const QString& path, int countryCount);

// Opening the log in use. The log is the truth: when Logs/Log.dat is missing or disagrees with the
// records (a crash between an append and the counter rewrite), the counters are rebuilt from the
// records and the counter file is rewritten.
struct OpenedLog {
    LogContents contents;
    LogStatistics statistics;     // counters and worked countries from the records
    bool countersRebuilt = false; // Log.dat did not describe the log
    WriteResult counterFileError; // rewriting Log.dat failed; the counters in memory are still right
};
// What a rewrite in Logs left behind when the program was stopped is removed first.
Result<OpenedLog> openLog(const ProgramFolder& folder, const QString& logName, int countryCount,
                          const DiskSync& sync = systemDiskSync());

} // namespace qvmd
