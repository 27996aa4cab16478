#include "core/exchange/LogBackup.h"

#include "core/exchange/BackupNames.h"
#include "core/exchange/LogPath.h"
#include "core/exchange/PCCBackup.h"

#include <QDir>

#include <utility>

namespace qvmd {

WriteResult ensureBackupFolder(const ProgramFolder& folder) {
    const QString backupFolder = folder.path(QStringLiteral("Backup"));
    if (QDir(backupFolder).exists() || QDir().mkpath(backupFolder))
        return std::nullopt;
    return fileError(FileError::Kind::Unwritable, backupFolder);
}

BackupOutcome backupLog(const ProgramFolder& folder, const QString& logName, const QDateTime& now,
                        const DiskSync& sync) {
    BackupOutcome outcome;
    const std::optional<QString> name = backupFileName(logName, now);
    if (!name) {
        outcome.status = BackupOutcome::Status::NoBaseName;
        return outcome;
    }
    outcome.backupPath = folder.backup(*name);
    PCCBackup copier(sync);
    copier.SourceFile = logFilePath(folder, logName);
    copier.BackupFile = outcome.backupPath;
    outcome.error = ensureBackupFolder(folder);
    if (!outcome.error)
        outcome.error = copier.Backup();
    if (inPlaceUnconfirmed(outcome.error))
        outcome.unconfirmed = std::exchange(outcome.error, std::nullopt);
    outcome.status = outcome.error ? BackupOutcome::Status::CopyFailed : BackupOutcome::Status::Copied;
    return outcome;
}

} // namespace qvmd
