#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QDateTime>
#include <QString>

#include <optional>
#include <vector>

namespace qvmd {

struct RestoreOutcome {
    enum class Status {
        Restored,   // the log holds the backup's content
        NoLogName,  // the backup's name gives no log name; nothing was touched
        CopyFailed, // nothing was restored: the log is as it was (error says why)
        NotInPlace, // the copy was put in place, yet the log read back does not hold the backup (error)
    };
    Status status = Status::CopyFailed;
    QString logPath;                // the log that was (or would have been) replaced
    QString safetyCopyPath;         // the copy of the replaced log; empty when none was made
    std::optional<FileError> error; // why the restore failed
    // Files put in place whose folder entry the disk did not confirm (the safety copy, the log).
    std::vector<FileError> unconfirmed;
};

// Puts a copy from the Backup folder back in place of its log: the log of that name in the Logs folder,
// found without regard to case (restoreTargetAmong), so a restore never writes a second log beside the
// first. The log it replaces is first copied into the Backup folder under the usual dated name, so a
// restore never destroys the only copy of a log (a safety copy the disk did not confirm stops the restore),
// and the log is replaced with one rename, so it is either
// wholly old or wholly restored. It is read back afterwards: Restored means the log holds the backup.
RestoreOutcome restoreLog(const ProgramFolder& folder, const QString& backupName, const QString& logInUse,
                          const QDateTime& now, const DiskSync& sync = systemDiskSync());

} // namespace qvmd
