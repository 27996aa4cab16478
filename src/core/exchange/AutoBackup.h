#pragma once

#include "core/common/DiskSync.h"

#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"
#include "core/common/WriteSequence.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace qvmd {

struct AutoBackupOutcome {
    enum class Status {
        Made,       // a new copy is in the Backup folder
        Unchanged,  // the newest copy of the log already holds exactly this content
        NoBaseName, // the log name gives no backup name
        Overtaken,  // the log was written while it was copied: the copy may be cut, so nothing was removed
        Failed,     // no copy was made; error says why
    };
    Status status = Status::Failed;
    QString backupPath;  // the new copy
    QStringList removed; // older automatic copies removed to keep the newest ones
    // A failed copy; with Made, a copy the disk did not confirm (then no older copy was removed), or a list
    // or removal that failed.
    std::optional<FileError> error;
};

// A copy of a log made by the program itself: the same name and the same durable copy as a copy made by
// hand, skipped when the newest copy of the log (by hand or not) has the same content. Of the log's
// automatic copies only the newest `keep` stay; copies made by hand and other files are never removed.
// The log itself is only read. With the log's writes given, a copy that a write may have cut through is
// Overtaken; the same call again (the same `now`) replaces it.
AutoBackupOutcome makeAutoBackup(const ProgramFolder& folder, const QString& logName, const QDateTime& now,
                                 int keep, const DiskSync& sync = systemDiskSync(),
                                 const WriteSequence* writes = nullptr);

// The newest copy of a log in the Backup folder by modification time, or nothing.
std::optional<QString> newestBackupOf(const ProgramFolder& folder, const QString& logName);

} // namespace qvmd
