#include "core/logfile/LogCounters.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

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

WriteResult ensureLogsFolder(const ProgramFolder& folder) {
    const QString logs = folder.path(QStringLiteral("Logs"));
    const QFileInfo info(logs);
    if (info.isDir())
        return std::nullopt;
    if (info.exists() || info.isSymLink())
        return fileError(FileError::Kind::Unwritable, logs, FileError::Reason::NotRegularFile);
    if (!QDir().mkpath(logs))
        return fileError(FileError::Kind::Unwritable, logs);
    return std::nullopt;
}

WriteResult writeCounterFile(const ProgramFolder& folder, const LogCounters& counters, const DiskSync& sync) {
    if (WriteResult failure = ensureLogsFolder(folder))
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

#ifdef Q_OS_UNIX
// Opens an existing regular Log.dat, never following a link or waiting on a pipe; -1 otherwise.
int openCounterFile(const QString& path, int mode) {
    const int fd =
        ::open(QFile::encodeName(path).constData(), mode | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    struct stat status {};
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(fd);
        errno = EINVAL;
        return -1;
    }
    return fd;
}

bool writtenInPlace(const QString& path, const QByteArray& bytes) {
    const int fd = openCounterFile(path, O_WRONLY);
    if (fd < 0)
        return false;
    struct stat status {};
    const auto size = static_cast<size_t>(bytes.size());
    bool written = ::fstat(fd, &status) == 0 && ::pwrite(fd, bytes.constData(), size, 0) == bytes.size();
    // Only a shorter text leaves old bytes behind, after its fifth line.
    if (written && status.st_size > bytes.size())
        written = ::ftruncate(fd, bytes.size()) == 0;
    return ::close(fd) == 0 && written;
}
#endif

} // namespace

WriteResult updateCounterFile(const ProgramFolder& folder, const LogCounters& counters,
                              const DiskSync& sync) {
#ifdef Q_OS_UNIX
    QByteArray bytes;
    for (const QString& line : counterLines(counters))
        bytes += line.toLatin1() + "\r\n";
    if (writtenInPlace(folder.logs(counterFileName), bytes))
        return std::nullopt;
#endif
    return writeCounterFile(folder, counters, sync);
}

WriteResult syncCounterFile(const ProgramFolder& folder, const DiskSync& sync) {
#ifdef Q_OS_UNIX
    const QString path = folder.logs(counterFileName);
    const int fd = openCounterFile(path, O_RDONLY);
    if (fd < 0)
        return fileError(FileError::Kind::Unconfirmed, path, FileError::Reason::SyncFailed);
    const bool synced = sync.sync(fd, DiskSync::Target::File, path) == 0;
    ::close(fd);
    if (!synced)
        return fileError(FileError::Kind::Unconfirmed, path, FileError::Reason::SyncFailed);
#else
    Q_UNUSED(folder);
    Q_UNUSED(sync);
#endif
    return std::nullopt;
}

} // namespace qvmd
