#include "core/exchange/LogBackup.h"

#include "core/exchange/BackupNames.h"
#include "core/exchange/LogPath.h"
#include "core/exchange/PCCBackup.h"

#include "core/common/StagedFile.h"

#include <QFileInfo>

#include <utility>

namespace qvmd {

WriteResult ensureBackupFolder(const ProgramFolder& folder, const DiskSync& sync) {
    const QString backupFolder = folder.path(QStringLiteral("Backup"));
    if (QFileInfo(backupFolder).isDir())
        return std::nullopt;
    // A copy in a folder the disk has not confirmed could vanish with the folder in a power cut.
    return makeFolderDurably(backupFolder, sync);
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
    // A copy in a new folder the disk did not confirm is made, but no more confirmed than its folder.
    const WriteResult folderMade = ensureBackupFolder(folder, sync);
    if (folderMade && !inPlaceUnconfirmed(folderMade))
        outcome.error = folderMade;
    else if (!(outcome.error = copier.Backup()))
        outcome.error = folderMade;
    if (inPlaceUnconfirmed(outcome.error))
        outcome.unconfirmed = std::exchange(outcome.error, std::nullopt);
    outcome.status = outcome.error ? BackupOutcome::Status::CopyFailed : BackupOutcome::Status::Copied;
    return outcome;
}

} // namespace qvmd
