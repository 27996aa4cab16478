#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QDateTime>
#include <QString>

#include <optional>

namespace qvmd {

// Where the leftovers of an append cut by a power cut start: bytes after the last line end that hold a
// NUL byte, or that hold no ">" at all, are no record (the record was never reported written). Nothing
// for a file that ends in a line end, a last line that is only its CR, a header line, or a torn record
// that holds real text: that stays a short record of its own.
std::optional<qsizetype> crashTailStart(QByteArrayView bytes);

struct CrashTailCut {
    QString backupPath;             // the copy of the whole log made before the cut
    std::optional<FileError> error; // the copy or the cut failed: the log is as it was
};

// Copies the whole log into the Backup folder (the usual dated name), then cuts its crash tail off.
// The log is only cut once the copy is confirmed by the disk. bytes is the log as read; on success it
// is cut too.
CrashTailCut cutCrashTail(const ProgramFolder& folder, const QString& logName, QByteArray& bytes,
                          qsizetype tailStart, const QDateTime& now, const DiskSync& sync = systemDiskSync());

} // namespace qvmd
