#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace qvmd {

struct BackupOutcome {
    enum class Status { Copied, NoBaseName, CopyFailed };
    Status status = Status::CopyFailed;
    QString backupPath;             // the copy, when the name could be made
    std::optional<FileError> error; // why the copy failed
    // Copied, but the disk did not confirm the copy's folder entry (FileError::Kind::Unconfirmed).
    std::optional<FileError> unconfirmed;
};

// Copies a log from the Logs folder into the Backup folder under its dated name, creating the Backup
// folder when it is missing.
BackupOutcome backupLog(const ProgramFolder& folder, const QString& logName, const QDateTime& now,
                        const DiskSync& sync = systemDiskSync());

// Creates the Backup folder when it is missing, durably: Kind::Unconfirmed when the disk did not confirm
// the new folder.
WriteResult ensureBackupFolder(const ProgramFolder& folder, const DiskSync& sync = systemDiskSync());

} // namespace qvmd
