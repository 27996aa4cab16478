#pragma once

#include "core/common/FileError.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace qvmd {

// Reads the whole file as raw bytes (for scans that must not allocate per line).
Result<QByteArray> readFileBytes(const QString& path);

// Splits Windows-1252 text into lines, CR LF or LF; a last line without terminator still counts,
// and a file ending in a terminator has no extra empty line.
QStringList splitLines(const QByteArray& bytes);

// Reads a text file as lines (see splitLines).
Result<QStringList> readLines(const QString& path);

// Rewrites a whole file, every line ended by CR LF, through a temporary file renamed over the old one,
// so that a failure leaves the old file as it was.
WriteResult writeLines(const QString& path, const QStringList& lines);

// Rewrites a whole file with the given bytes, the same way: the old file stays until the new one is complete.
WriteResult writeFileBytes(const QString& path, const QByteArray& bytes);

// Appends one line ended by CR LF and syncs it to the disk before reporting success.
WriteResult appendLine(const QString& path, const QString& line);

} // namespace qvmd
