#include "core/exchange/AutoBackup.h"

#include "core/common/TextFile.h"
#include "core/exchange/AutoBackupList.h"
#include "core/exchange/BackupNames.h"
#include "core/exchange/LogBackup.h"
#include "core/exchange/LogPath.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace qvmd {

namespace {

constexpr qint64 copyReadLimit = 256 * 1024 * 1024;

// The part every copy of the log starts with: the log name before its first ".", then "-".
QString copyPrefix(const QString& logName) {
    const QString name = logName.trimmed();
    return name.left(name.indexOf(QLatin1Char('.'))) + QLatin1Char('-');
}

bool isCopyOf(const QString& fileName, const QString& prefix) {
    return fileName.startsWith(prefix, Qt::CaseInsensitive) &&
           fileName.endsWith(QStringLiteral(".Bak"), Qt::CaseInsensitive);
}

// Whether the file is still the automatic copy the list remembers.
bool stillTheSameCopy(const QString& path, const AutoBackupEntry& entry) {
    const QFileInfo info(path);
    if (!info.isFile() || info.size() != entry.size)
        return false;
    const Result<QByteArray> content = readFileBytes(path, copyReadLimit);
    return content && contentFingerprint(content.value()) == entry.fingerprint;
}

} // namespace

std::optional<QString> newestBackupOf(const ProgramFolder& folder, const QString& logName) {
    if (backupFileName(logName, QDateTime()) == std::nullopt)
        return std::nullopt;
    const QString prefix = copyPrefix(logName);
    const QFileInfoList files =
        QDir(folder.path(QStringLiteral("Backup"))).entryInfoList(QDir::Files | QDir::Hidden, QDir::NoSort);
    std::optional<QFileInfo> newest;
    for (const QFileInfo& file : files) {
        if (!isCopyOf(file.fileName(), prefix))
            continue;
        if (!newest || file.lastModified() > newest->lastModified() ||
            (file.lastModified() == newest->lastModified() && file.fileName() > newest->fileName()))
            newest = file;
    }
    if (!newest)
        return std::nullopt;
    return newest->absoluteFilePath();
}

AutoBackupOutcome makeAutoBackup(const ProgramFolder& folder, const QString& logName, const QDateTime& now,
                                 int keep, const DiskSync& sync, const WriteSequence* writes) {
    const std::uint64_t writesBefore = writes ? writes->current() : 0;
    AutoBackupOutcome outcome;
    if (!backupFileName(logName, now)) {
        outcome.status = AutoBackupOutcome::Status::NoBaseName;
        return outcome;
    }
    const Result<QByteArray> content = readFileBytes(logFilePath(folder, logName), copyReadLimit);
    if (!content) {
        outcome.error = content.error();
        return outcome;
    }
    // A copy of another size differs; only one of the same size is read.
    if (const std::optional<QString> newest = newestBackupOf(folder, logName);
        newest && QFileInfo(*newest).size() == content.value().size()) {
        const Result<QByteArray> previous = readFileBytes(*newest, copyReadLimit);
        if (previous && previous.value() == content.value()) {
            outcome.status = AutoBackupOutcome::Status::Unchanged;
            outcome.backupPath = *newest;
            return outcome;
        }
    }

    // The list names the copy before it exists, and forgets removed copies only after they are gone: a
    // stop at any point leaves entries without a file (dropped later), never a copy nobody will remove.
    const std::optional<QString> name = backupFileName(logName, now);
    if (WriteResult failed = ensureBackupFolder(folder, sync)) {
        outcome.error = failed;
        return outcome;
    }
    Result<QList<AutoBackupEntry>> listed = readAutoBackupList(folder);
    if (!listed) {
        outcome.error = listed.error();
        return outcome;
    }
    QList<AutoBackupEntry> entries = listed.value();
    entries.removeIf([&](const AutoBackupEntry& entry) { return entry.name == *name; });
    entries.append({*name, content.value().size(), contentFingerprint(content.value())});
    if (WriteResult failed = writeAutoBackupList(folder, entries, sync);
        failed && !inPlaceUnconfirmed(failed)) {
        outcome.error = failed;
        return outcome;
    }

    const BackupOutcome copied = backupLog(folder, logName, now, sync);
    if (copied.status != BackupOutcome::Status::Copied) {
        outcome.error = copied.error;
        entries.removeLast();
        writeAutoBackupList(folder, entries, sync);
        return outcome;
    }
    outcome.backupPath = copied.backupPath;
    if (writes && !WriteSequence::untouched(writesBefore, writes->current())) {
        outcome.status = AutoBackupOutcome::Status::Overtaken;
        return outcome;
    }
    outcome.status = AutoBackupOutcome::Status::Made;
    // A copy the disk did not confirm could vanish in a power cut: no older copy goes for it.
    if (copied.unconfirmed) {
        outcome.error = copied.unconfirmed;
        return outcome;
    }

    // The oldest automatic copies of this log beyond the newest `keep`; a file that is no longer the copy
    // the list remembers is only forgotten.
    const QString prefix = copyPrefix(logName);
    qsizetype ofThisLog = std::count_if(entries.cbegin(), entries.cend(), [&](const AutoBackupEntry& entry) {
        return isCopyOf(entry.name, prefix);
    });
    bool forgotten = false;
    for (auto it = entries.begin(); it != entries.end() && ofThisLog > std::max(keep, 1);) {
        if (!isCopyOf(it->name, prefix)) {
            ++it;
            continue;
        }
        const QString path = folder.backup(it->name);
        if (stillTheSameCopy(path, *it)) {
            if (QFile::remove(path))
                outcome.removed.append(path);
            else if (!outcome.error)
                outcome.error = fileError(FileError::Kind::Unwritable, path, FileError::Reason::AccessDenied);
        }
        it = entries.erase(it);
        --ofThisLog;
        forgotten = true;
    }
    if (!outcome.removed.isEmpty() && !syncFolderOfFile(outcome.removed.first(), sync) && !outcome.error)
        outcome.error = fileError(FileError::Kind::Unconfirmed, folder.path(QStringLiteral("Backup")),
                                  FileError::Reason::SyncFailed);
    if (forgotten) {
        if (WriteResult failed = writeAutoBackupList(folder, entries, sync);
            failed && !inPlaceUnconfirmed(failed) && !outcome.error)
            outcome.error = failed;
    }
    return outcome;
}

} // namespace qvmd
