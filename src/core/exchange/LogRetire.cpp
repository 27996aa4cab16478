#include "core/exchange/LogRetire.h"

#include "core/common/TextFile.h"
#include "core/exchange/BackupNames.h"
#include "core/exchange/DurableCopy.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogPath.h"

#include <QFile>

#include <cerrno>

namespace qvmd {

RetireOutcome retireLog(const ProgramFolder& folder, const QString& logName, const QDateTime& now,
                        const DiskSync& sync) {
    RetireOutcome outcome;
    const std::optional<QString> name = backupFileName(logName, now);
    if (!name) {
        outcome.status = RetireOutcome::Status::NoBaseName;
        return outcome;
    }
    outcome.backupPath = folder.backup(*name);
    const QString logPath = logFilePath(folder, logName);
    auto failed = [&](FileError error) {
        outcome.error = std::move(error);
        return outcome;
    };
    const Result<bool> exists = plainFileExists(logPath);
    if (!exists)
        return failed(exists.error());
    if (!exists.value()) {
        outcome.status = RetireOutcome::Status::Missing;
        return failed(fileError(FileError::Kind::Missing, logPath));
    }
    // The log leaves Logs only once its copy, and every folder entry on the way to it, is on the disk: a
    // copy the disk did not confirm could vanish in a power cut together with the log.
    if (WriteResult error = ensureBackupFolder(folder, sync))
        return failed(*error);
    // Synced even when the folder was there: an earlier run may have made it without the disk's word.
    if (!syncFolderOfFile(folder.path(QStringLiteral("Backup")), sync))
        return failed(fileError(FileError::Kind::Unconfirmed, folder.path(QStringLiteral("Backup")),
                                FileError::Reason::SyncFailed));
    if (WriteResult error = copyFileDurably(logPath, outcome.backupPath, sync)) {
        // An unconfirmed copy stays: it is a second copy, never the only one.
        return failed(*error);
    }
    QFile log(logPath);
    errno = 0;
    if (!log.remove()) {
        const FileError::Reason reason = reasonOfSystemError(errno);
        return failed(
            fileError(FileError::Kind::Unwritable, logPath,
                      reason == FileError::Reason::None ? FileError::Reason::AccessDenied : reason));
    }
    outcome.status = RetireOutcome::Status::Moved;
    // The log is gone either way; a removal the disk forgets only brings it back.
    if (!syncFolderOfFile(logPath, sync))
        outcome.error = fileError(FileError::Kind::Unconfirmed, logPath, FileError::Reason::SyncFailed);
    return outcome;
}

} // namespace qvmd
