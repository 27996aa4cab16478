#include "core/logfile/LogCounters.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "core/platform/FileSystem.h"

#include <cerrno>

namespace qvmd {

QStringList counterLines(const LogCounters& c) {
    return {QString::number(c.NextProgressive), QString::number(c.HunterCount), QString::number(c.LadyCount),
            QString::number(c.CountryCount), QString::number(c.CancelledCount)};
}

LogCounters parseCounterLines(const QStringList& lines) {
    auto at = [&](qsizetype i) -> std::int16_t { return i < lines.size() ? leadingInt16(lines[i]) : 0; };
    return {at(0), at(1), at(2), at(3), at(4)};
}

Result<LogCounters> readCounterFile(const ProgramFolder& folder) {
    Result<QStringList> lines = readLines(folder.logs(counterFileName), SmallFileLimit);
    if (!lines)
        return lines.error();
    return parseCounterLines(lines.value());
}

WriteResult ensureLogsFolder(const ProgramFolder& folder, const DiskSync& sync) {
    const QString logs = folder.path(QStringLiteral("Logs"));
    const QFileInfo info(logs);
    if (info.isDir())
        return std::nullopt;
    if (info.exists() || info.isSymLink())
        return fileError(FileError::Kind::Unwritable, logs, FileError::Reason::NotRegularFile);
    // A log written into a folder the disk has not confirmed could vanish with it.
    if (WriteResult failure = makeFolderDurably(logs, sync))
        return fileError(FileError::Kind::Unwritable, failure->path, failure->reason);
    return std::nullopt;
}

WriteResult writeCounterFile(const ProgramFolder& folder, const LogCounters& counters, const DiskSync& sync) {
    if (WriteResult failure = ensureLogsFolder(folder, sync))
        return failure;
    return writeLines(folder.logs(counterFileName), counterLines(counters), sync);
}

CounterFileCheck reconcileCounterFile(const ProgramFolder& folder, const LogCounters& truth,
                                      const DiskSync& sync) {
    const Result<LogCounters> onDisk = readCounterFile(folder);
    if (onDisk && onDisk.value() == truth)
        return {};
    return {true, writeCounterFile(folder, truth, sync)};
}

namespace {

// Log.dat rewritten in place, never through a link or into a pipe: a write of a few bytes that needs no
// new disk blocks.
bool writtenInPlace(const QString& path, const QByteArray& bytes) {
    const int fd = platform::openExistingForWriting(path);
    if (fd < 0)
        return false;
    const bool written = platform::rewriteInPlace(fd, bytes.constData(), bytes.size());
    return platform::closeFile(fd) == 0 && written;
}

} // namespace

WriteResult updateCounterFile(const ProgramFolder& folder, const LogCounters& counters,
                              const DiskSync& sync) {
    QByteArray bytes;
    for (const QString& line : counterLines(counters))
        bytes += line.toLatin1() + "\r\n";
    if (writtenInPlace(folder.logs(counterFileName), bytes))
        return std::nullopt;
    return writeCounterFile(folder, counters, sync);
}

WriteResult syncCounterFile(const ProgramFolder& folder, const DiskSync& sync) {
    const QString path = folder.logs(counterFileName);
    const int fd = platform::openExistingForWriting(path);
    if (fd < 0)
        return fileError(FileError::Kind::Unconfirmed, path, FileError::Reason::SyncFailed);
    const bool synced = sync.sync(fd, DiskSync::Target::File, path) == 0;
    platform::closeFile(fd);
    if (!synced)
        return fileError(FileError::Kind::Unconfirmed, path, FileError::Reason::SyncFailed);
    return std::nullopt;
}

} // namespace qvmd
