#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/logfile/ContactRecord.h"
#include "core/logfile/LogHeader.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>
#include <span>
#include <vector>

namespace qvmd {

class ProgramFolder;

// A log as read: its header values, the paper log mode and the records in file order (record n has
// progressive number n when the log is sound).
struct LogContents {
    LogHeader header;
    int headerValueCount = 0; // header values found, at most LogHeader::ValueCount
    bool paperLog = false;    // a line that is exactly "#Y"
    std::vector<ContactRecord> records;
};

// A header line (starting "#") into the header values and the paper log mode, by the reading rule below.
void addHeaderLine(LogContents& log, QByteArrayView line);

// Where the lines of a log stand, for reports that name lines (1-based, counting every line).
struct LogLinePlaces {
    struct Record {
        int line = 0;
        int separators = 0;        // every ">" of the line
        bool trailingText = false; // text after the last ">", a field of its own
    };
    std::vector<Record> records;  // one per record, in order
    std::vector<int> headerLines; // every line starting "#", in order
};

// The reading rule over a whole file: empty lines skipped; a line that is exactly "#Y" turns paper log
// mode on; a line starting "##" gives header value 0 (its last character) and each later "#" line the
// next value, up to eleven; every other line is a record (ContactRecord::fromBytes). CR LF or LF line
// ends; a leading UTF-8 byte-order mark is skipped. Each line is decoded once. With places, also where
// each record and header line stands, from the same pass.
LogContents parseLog(QByteArrayView bytes, LogLinePlaces* places = nullptr);

// The largest log file the program reads: far beyond 32766 records of any sensible length.
inline constexpr qint64 MaxLogFileBytes = 64 * 1024 * 1024;

// Reads a log file's bytes: regular files only (a FIFO or a folder is reported, never waited on), at
// most MaxLogFileBytes.
Result<QByteArray> readLogBytes(const QString& path);
// Reads and parses a log file.
Result<LogContents> readLog(const QString& path);

// Writes a new log (header only, replacing any file of that name) into Logs, creating the folder when
// it is missing, then resets Logs/Log.dat to 1, 0, 0, 0, 0. Each file is rewritten atomically: a
// failure leaves it as it was.
WriteResult createLog(const ProgramFolder& folder, const QString& logName, const LogHeader& header,
                      const DiskSync& sync = systemDiskSync());

// Rewrites a whole log atomically: the header, then every record in order.
WriteResult rewriteLog(const QString& path, const LogHeader& header, std::span<const ContactRecord> records,
                       const DiskSync& sync = systemDiskSync());
// The same with the records as the file holds them: every line followed by CR LF.
WriteResult rewriteLog(const QString& path, const LogHeader& header, const QByteArray& recordLines,
                       const DiskSync& sync = systemDiskSync());

// Why appending a record did not happen.
struct AppendError {
    enum class Kind {
        LogFull,     // the record's progressive number is beyond LogCounters::LastProgressive
        WriteFailed, // the file could not be written; nothing of the record is left in it
    };
    Kind kind = Kind::WriteFailed;
    FileError file;
};
using AppendResult = std::optional<AppendError>;

// Appends one record line to an existing log and syncs it to the disk before returning: when this
// reports success the record survives a crash or a power cut. A missing log is not created. A last line
// left without its end (a power cut, a hand edit) is ended first and stays a short record of its own,
// as the reader already takes it.
AppendResult appendRecord(const QString& path, const ContactRecord& record,
                          const DiskSync& sync = systemDiskSync());

// Removes what a rewrite of a log or of Log.dat left behind in Logs when the program was stopped before
// its rename (Log.dat.AbCdEf, 5QV123_MD_L_2026.Log.AbCdEf). Returns how many were removed.
int removeLogsLeftovers(const ProgramFolder& folder);

// The window's message for a refused or failed append, in the language of the offset (0 or 1000).
QString appendErrorText(const AppendError& error, int languageOffset);

} // namespace qvmd
