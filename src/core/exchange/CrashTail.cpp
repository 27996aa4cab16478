#include "core/exchange/CrashTail.h"

#include "core/common/TextFile.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogPath.h"

namespace qvmd {

std::optional<qsizetype> crashTailStart(QByteArrayView bytes) {
    const qsizetype start = bytes.lastIndexOf('\n') + 1;
    const QByteArrayView tail = bytes.sliced(start);
    if (tail.isEmpty() || tail == "\r" || tail.startsWith('#'))
        return std::nullopt;
    if (tail.contains('\0') || !tail.contains('>'))
        return start;
    return std::nullopt;
}

CrashTailCut cutCrashTail(const ProgramFolder& folder, const QString& logName, QByteArray& bytes,
                          qsizetype tailStart, const QDateTime& now, const DiskSync& sync) {
    CrashTailCut cut;
    const BackupOutcome copied = backupLog(folder, logName, now, sync);
    cut.backupPath = copied.backupPath;
    // The copy must be on the disk before anything of the log goes, even bytes that are no contact.
    if (copied.status != BackupOutcome::Status::Copied) {
        cut.error = copied.error ? copied.error : fileError(FileError::Kind::Unwritable, copied.backupPath);
        return cut;
    }
    if (copied.unconfirmed) {
        cut.error = copied.unconfirmed;
        return cut;
    }
    const QByteArray kept = bytes.left(tailStart);
    // Unconfirmed is in place all the same: the log is cut.
    if (WriteResult failed = writeFileBytes(logFilePath(folder, logName), kept, sync);
        failed && !inPlaceUnconfirmed(failed)) {
        cut.error = failed;
        return cut;
    }
    bytes = kept;
    return cut;
}

} // namespace qvmd
