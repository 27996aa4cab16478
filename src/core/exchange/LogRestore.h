#pragma once

#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace qvmd {

struct RestoreOutcome {
    enum class Status { Restored, NoLogName, CopyFailed };
    Status status = Status::CopyFailed;
    QString logPath;                // the log that was (or would have been) replaced
    QString safetyCopyPath;         // the copy of the replaced log; empty when there was no log
    std::optional<FileError> error; // why the restore failed; the log is then as it was
};

// Puts a copy from the Backup folder back in place of its log. The log it replaces is first copied into
// the Backup folder under the usual dated name, so a restore never destroys the only copy of a log, and
// the log is replaced with one rename, so it is either wholly old or wholly restored.
RestoreOutcome restoreLog(const ProgramFolder& folder, const QString& backupName, const QDateTime& now);

} // namespace qvmd
