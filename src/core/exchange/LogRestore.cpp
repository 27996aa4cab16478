#include "core/exchange/LogRestore.h"

#include "core/common/TextFile.h"
#include "core/exchange/BackupNames.h"
#include "core/exchange/DurableCopy.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogPath.h"
#include "core/exchange/PCCBackup.h"

#include <QDir>

namespace qvmd {

namespace {

// Far beyond any log the program writes; a larger backup is not read back whole.
constexpr qint64 restoredSizeLimit = 256 * 1024 * 1024;

QStringList logsIn(const ProgramFolder& folder) {
    return QDir(folder.path(QStringLiteral("Logs"))).entryList(QDir::Files | QDir::Hidden);
}

} // namespace

RestoreOutcome restoreLog(const ProgramFolder& folder, const QString& backupName, const QString& logInUse,
                          const QDateTime& now, const DiskSync& sync) {
    RestoreOutcome outcome;
    const std::optional<QString> logName = restoreTargetAmong(backupName, logsIn(folder), logInUse);
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
    // A step whose new file is in place goes on; only the disk's confirmation is missing.
    auto stopped = [&](WriteResult result) {
        if (inPlaceUnconfirmed(result)) {
            outcome.unconfirmed.push_back(*result);
            return false;
        }
        return result.has_value();
    };

    // What the log must hold afterwards, read before the safety copy could take the backup's name.
    const Result<QByteArray> wanted = readFileBytes(folder.backup(backupName), restoredSizeLimit);
    if (!wanted)
        return failed(wanted.error());

    // The backup's content is staged first: should the safety copy take the backup's own name (both made
    // in the same second), the two swap places and neither is lost.
    StagedCopy restored(sync);
    if (WriteResult error = restored.stage(folder.backup(backupName), outcome.logPath))
        return failed(*error);

    PCCBackup safety(sync);
    safety.SourceFile = outcome.logPath;
    const Result<bool> logExists = safety.SourceExists();
    if (!logExists)
        return failed(logExists.error());
    if (logExists.value()) {
        safety.BackupFile = folder.backup(*backupFileName(*logName, now));
        // The log is replaced only once its safety copy, and the folder that holds it, are on the disk.
        if (WriteResult error = ensureBackupFolder(folder, sync))
            return failed(*error);
        if (WriteResult copied = safety.Backup())
            return failed(*copied);
        outcome.safetyCopyPath = safety.BackupFile;
    }

    WriteResult committed = restored.commit();
    if (stopped(committed))
        return failed(*committed);
    outcome.error.reset();
    const Result<QByteArray> holds = readFileBytes(outcome.logPath, restoredSizeLimit);
    if (!holds || holds.value() != wanted.value()) {
        outcome.status = RestoreOutcome::Status::NotInPlace;
        outcome.error = holds ? fileError(FileError::Kind::Malformed, outcome.logPath) : holds.error();
        return outcome;
    }
    outcome.status = RestoreOutcome::Status::Restored;
    return outcome;
}

} // namespace qvmd
