#include "core/exchange/LogRestore.h"

#include "core/exchange/BackupNames.h"
#include "core/exchange/DurableCopy.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogPath.h"
#include "core/exchange/PCCBackup.h"

namespace qvmd {

RestoreOutcome restoreLog(const ProgramFolder& folder, const QString& backupName, const QDateTime& now) {
    RestoreOutcome outcome;
    const std::optional<QString> logName = restoreTargetName(backupName);
    if (!logName) {
        outcome.status = RestoreOutcome::Status::NoLogName;
        return outcome;
    }
    outcome.logPath = logFilePath(folder, *logName);
    auto failed = [&](FileError error) {
        outcome.status = RestoreOutcome::Status::CopyFailed;
        outcome.error = std::move(error);
        return outcome;
    };

    // The backup's content is staged first: should the safety copy take the backup's own name (both made
    // in the same second), the two swap places and neither is lost.
    StagedCopy restored;
    if (WriteResult error = restored.stage(folder.backup(backupName), outcome.logPath))
        return failed(*error);

    PCCBackup safety;
    safety.SourceFile = outcome.logPath;
    const Result<bool> logExists = safety.SourceExists();
    if (!logExists)
        return failed(logExists.error());
    if (logExists.value()) {
        safety.BackupFile = folder.backup(*backupFileName(*logName, now));
        if (WriteResult error = ensureBackupFolder(folder))
            return failed(*error);
        if (WriteResult error = safety.Backup())
            return failed(*error);
        outcome.safetyCopyPath = safety.BackupFile;
    }

    if (WriteResult error = restored.commit())
        return failed(*error);
    outcome.status = RestoreOutcome::Status::Restored;
    outcome.error.reset();
    return outcome;
}

} // namespace qvmd
