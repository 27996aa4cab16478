#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/StagedFile.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>

namespace qvmd {

// Size limits that fit the files: a file beyond its limit is reported, never read into memory whole.
inline constexpr qint64 SmallFileLimit = 64 * 1024;         // one-screen files: settings, counters
inline constexpr qint64 TableFileLimit = 4 * 1024 * 1024;   // reference tables such as the country list
inline constexpr qint64 RosterFileLimit = 64 * 1024 * 1024; // the rosters, which grow every year

// Reads the whole file as raw bytes (for scans that must not allocate per line). Only a regular file is
// read, and only up to maxBytes; a pipe, a device or a folder in its place is reported without waiting
// on it. A leading UTF-8 byte-order mark (added by some editors) is dropped.
Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes);

// Splits Windows-1252 text into lines, CR LF or LF; a last line without terminator still counts,
// and a file ending in a terminator has no extra empty line.
QStringList splitLines(const QByteArray& bytes);

// Reads a text file as lines (see readFileBytes and splitLines).
Result<QStringList> readLines(const QString& path, qint64 maxBytes);

// Rewrites a whole file, every line ended by CR LF, through a temporary file that is synced to the disk
// before it is renamed over the old one, so that a failure leaves the old file as it was. The one
// exception is a failed sync of the folder after the rename: the new file is then in place, and the
// result says so (FileError::Kind::Unconfirmed).
WriteResult writeLines(const QString& path, const QStringList& lines,
                       const DiskSync& sync = systemDiskSync());

// Rewrites a whole file with the given bytes, the same way: the old file stays until the new one is complete.
WriteResult writeFileBytes(const QString& path, const QByteArray& bytes,
                           const DiskSync& sync = systemDiskSync());

// Writes a file that every run makes anew (a report): in place over the old one and cut to size, without
// a temporary file or a sync, so a rerun reuses the old file's disk blocks. A folder, a pipe or a
// symbolic link in its place is reported without waiting on it or writing through it. A failure can
// leave the file part old, part new.
WriteResult overwriteFileBytes(const QString& path, const QByteArray& bytes);

// Appends one line ended by CR LF and syncs it to the disk before reporting success. A last line left
// without its CR LF (a power cut, a hand edit) is ended first, so the new line never joins it.
WriteResult appendLine(const QString& path, const QString& line, const DiskSync& sync = systemDiskSync());

// Removes what a rewrite left behind in `folder` when the program was stopped before the rename: regular
// files named "<name>.XXXXXX" (six letters, as the rewrite names its temporary file) where isOurs(name)
// says a writer of ours writes that name. Returns how many were removed.
int removeLeftoverTemporaries(const QString& folder, const std::function<bool(const QString&)>& isOurs);

// The file a rewrite's temporary file stands for ("Log.dat" for "Log.dat.AbCdEf"); nothing for any other
// name.
std::optional<QString> temporaryFileTarget(const QString& fileName);

// Pieces of the reads and rewrites for code that reads or stages a file its own way (a whole-file copy):
// the error for a failed open for reading, what stands in the way of writing path (a missing folder, a
// folder or a pipe in its place) and the reason for a system error code.
FileError readFailureOf(const QString& path, int error);
WriteResult writeBlockerOf(const QString& path);
FileError::Reason reasonOfSystemError(int error);

} // namespace qvmd
