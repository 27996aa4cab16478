#include "core/exchange/LogRetire.h"

#include "core/common/TextFile.h"
#include "core/exchange/BackupNames.h"
#include "core/exchange/DurableCopy.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogPath.h"

#include <QFile>

#include <cerrno>

namespace qvmd {

RetireOutcome retireLog(const ProgramFolder& folder, const QString& logName, const QDateTime& now) {
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
    if (!exists.value())
        return failed(fileError(FileError::Kind::Missing, logPath));
    if (WriteResult error = ensureBackupFolder(folder))
        return failed(*error);
    // A copy the disk did not confirm is still in place: the log may go.
    if (WriteResult error = copyFileDurably(logPath, outcome.backupPath); error && !inPlaceUnconfirmed(error))
        return failed(*error);
    QFile log(logPath);
    errno = 0;
    if (!log.remove()) {
        const FileError::Reason reason = reasonOfSystemError(errno);
        return failed(
            fileError(FileError::Kind::Unwritable, logPath,
                      reason == FileError::Reason::None ? FileError::Reason::AccessDenied : reason));
    }
    syncFolderOfFile(logPath, systemDiskSync());
    outcome.status = RetireOutcome::Status::Moved;
    return outcome;
}

} // namespace qvmd
