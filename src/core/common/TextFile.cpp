#include "core/common/TextFile.h"

#include "core/common/Windows1252.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSaveFile>

#include <cerrno>
#include <utility>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qvmd {

namespace {

const QByteArray byteOrderMark("\xEF\xBB\xBF");

FileError tooLarge(const QString& path, qint64 maxBytes) {
    FileError error = fileError(FileError::Kind::Unreadable, path, FileError::Reason::TooLarge);
    error.high = maxBytes;
    return error;
}

// The folder is named when it is the folder, not the file, that is missing.
FileError folderMissing(FileError::Kind kind, const QString& path) {
    FileError error = fileError(kind, path, FileError::Reason::FolderMissing);
    error.value = QFileInfo(path).absolutePath();
    return error;
}

bool folderExists(const QString& path) {
    return QFileInfo(QFileInfo(path).absolutePath()).isDir();
}

FileError::Reason reasonOf(int error) {
    switch (error) {
    case EACCES:
    case EPERM:
        return FileError::Reason::AccessDenied;
    case EROFS:
        return FileError::Reason::ReadOnly;
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
        return FileError::Reason::NoSpace;
    case EIO:
        return FileError::Reason::DiskError;
    case EISDIR:
        return FileError::Reason::IsFolder;
    default:
        return FileError::Reason::None;
    }
}

FileError readFailure(const QString& path, int error) {
    if (error == ENOENT || error == ENOTDIR) {
        return folderExists(path) ? fileError(FileError::Kind::Missing, path, FileError::Reason::None)
                                  : folderMissing(FileError::Kind::Missing, path);
    }
    return fileError(FileError::Kind::Unreadable, path, reasonOf(error));
}

// What stands in the way of writing path, found before anything is touched.
std::optional<FileError> writeBlocker(const QString& path) {
    if (!folderExists(path))
        return folderMissing(FileError::Kind::Unwritable, path);
    const QFileInfo info(path);
    if (info.isDir())
        return fileError(FileError::Kind::Unwritable, path, FileError::Reason::IsFolder);
    // Writing to a pipe would wait for a reader for ever.
    if (info.exists() && !info.isFile())
        return fileError(FileError::Kind::Unwritable, path, FileError::Reason::NotRegularFile);
    return std::nullopt;
}

FileError writeFailure(const QFileDevice& file, const QString& path, int error) {
    FileError::Reason reason = reasonOf(error);
    if (reason == FileError::Reason::None) {
        if (file.error() == QFileDevice::ResourceError)
            reason = FileError::Reason::NoSpace;
        else if (file.error() == QFileDevice::PermissionsError)
            reason = FileError::Reason::AccessDenied;
        else if (QFileInfo(path).exists() && !QFileInfo(path).isWritable())
            reason = FileError::Reason::ReadOnly;
    }
    return fileError(FileError::Kind::Unwritable, path, reason);
}

QByteArray encodeLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

#ifdef Q_OS_UNIX
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    void reset(int fd) {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = fd;
    }
    int get() const { return fd_; }
    // Gives the descriptor up, for a close whose result is checked.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

// After a rename the folder entry must reach the disk too, or a power cut can bring the old file back.
bool syncFolderOf(const QString& path, const DiskSync& sync) {
    const QString folderPath = QFileInfo(path).absolutePath();
    const Descriptor folder(::open(QFile::encodeName(folderPath).constData(), O_RDONLY | O_CLOEXEC));
    // A folder that cannot be opened cannot be synced; the rename itself is done.
    if (folder.get() < 0)
        return true;
    // Some file systems cannot sync a folder at all; that is not a failure of this write.
    return sync.sync(folder.get(), DiskSync::Target::Folder, folderPath) == 0 || errno == EINVAL;
}
#endif

// What must come before an appended line: the end of a last line that has none.
QByteArray lineEndMissingAt(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered) || file.size() == 0 ||
        !file.seek(file.size() - 1))
        return QByteArray();
    const QByteArray last = file.read(1);
    if (last == "\n" || last.isEmpty())
        return QByteArray();
    return last == "\r" ? QByteArray("\n") : QByteArray("\r\n");
}

} // namespace

#ifdef Q_OS_UNIX
Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes) {
    // Non-blocking, so that opening a pipe returns at once instead of waiting for a writer.
    const Descriptor fd(
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY));
    if (fd.get() < 0)
        return readFailure(path, errno);
    struct stat status {};
    if (::fstat(fd.get(), &status) != 0)
        return readFailure(path, errno);
    if (S_ISDIR(status.st_mode))
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::IsFolder);
    if (!S_ISREG(status.st_mode))
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::NotRegularFile);
    if (status.st_size > maxBytes)
        return tooLarge(path, maxBytes);

    // The file may grow while it is read: never more than the limit is taken in.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(status.st_size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxBytes)
                return tooLarge(path, maxBytes);
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, maxBytes + 1));
        }
        const ssize_t got =
            ::read(fd.get(), bytes.data() + filled, static_cast<size_t>(bytes.size() - filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return readFailure(path, errno);
        if (got == 0)
            break;
        filled += got;
        // A regular file gives less than asked only at its end: no further call to find it.
        if (filled < bytes.size())
            break;
    }
    if (filled > maxBytes)
        return tooLarge(path, maxBytes);
    bytes.truncate(filled);
    if (bytes.startsWith(byteOrderMark))
        bytes.remove(0, byteOrderMark.size());
    return bytes;
}
#else
Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes) {
    const QFileInfo info(path);
    if (!info.exists())
        return readFailure(path, ENOENT);
    if (info.isDir())
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::IsFolder);
    if (!info.isFile())
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::NotRegularFile);
    if (info.size() > maxBytes)
        return tooLarge(path, maxBytes);
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::None);
    QByteArray bytes = file.read(maxBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::DiskError);
    if (bytes.size() > maxBytes)
        return tooLarge(path, maxBytes);
    if (bytes.startsWith(byteOrderMark))
        bytes.remove(0, byteOrderMark.size());
    return bytes;
}
#endif

QStringList splitLines(const QByteArray& bytes) {
    QStringList lines;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    while (start < size) {
        qsizetype end = bytes.indexOf('\n', start);
        const qsizetype next = end < 0 ? size : end + 1;
        if (end < 0)
            end = size;
        qsizetype stop = end;
        if (stop > start && bytes[stop - 1] == '\r')
            --stop;
        lines.append(fromWindows1252(QByteArrayView(bytes.constData() + start, stop - start)));
        start = next;
    }
    return lines;
}

Result<QStringList> readLines(const QString& path, qint64 maxBytes) {
    Result<QByteArray> bytes = readFileBytes(path, maxBytes);
    if (!bytes)
        return bytes.error();
    return splitLines(bytes.value());
}

WriteResult writeLines(const QString& path, const QStringList& lines, const DiskSync& sync) {
    return writeFileBytes(path, encodeLines(lines), sync);
}

WriteResult writeFileBytes(const QString& path, const QByteArray& bytes, const DiskSync& sync) {
    if (auto blocked = writeBlocker(path))
        return blocked;
    QSaveFile file(path);
    // errno tells the reason Qt's error codes lump together (a full disk, a read-only file system).
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return writeFailure(file, path, errno);
    // The flush is checked here because commit() renames a short file over the old one when the buffered
    // rest fails to reach the disk (a full disk), and still reports success.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        FileError error = writeFailure(file, path, errno);
        file.cancelWriting();
        return error;
    }
#ifdef Q_OS_UNIX
    // commit() syncs too but reports success when that sync fails, so the sync is done and checked here.
    if (sync.sync(file.handle(), DiskSync::Target::File, path) != 0) {
        const FileError::Reason reason =
            errno == ENOSPC ? FileError::Reason::NoSpace : FileError::Reason::SyncFailed;
        file.cancelWriting();
        return fileError(FileError::Kind::Unwritable, path, reason);
    }
#endif
    if (!file.commit())
        return writeFailure(file, path, errno);
#ifdef Q_OS_UNIX
    // The new file is in place now, whatever the folder's sync says.
    if (!syncFolderOf(path, sync))
        return fileError(FileError::Kind::Unconfirmed, path, FileError::Reason::SyncFailed);
#else
    Q_UNUSED(sync);
#endif
    return std::nullopt;
}

WriteResult appendLine(const QString& path, const QString& line, const DiskSync& sync) {
    if (auto blocked = writeBlocker(path))
        return blocked;
    const bool created = !QFileInfo::exists(path);
    // Ended and appended in one write, so a failure takes both off again.
    const QByteArray bytes = lineEndMissingAt(path) + encodeLines({line});
    // Unbuffered, so that a failed write can be cut off again without a stale buffer in the way.
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return writeFailure(file, path, errno);
    const qint64 oldSize = file.size();
    // A line that is not wholly on the disk is taken off again: a torn record would merge with the next
    // one, and a record reported as failed must not turn up in the file later.
    auto failed = [&](FileError error) {
        file.resize(oldSize);
        return error;
    };
    if (file.write(bytes) != bytes.size())
        return failed(writeFailure(file, path, errno));
#ifdef Q_OS_UNIX
    if (sync.sync(file.handle(), DiskSync::Target::File, path) != 0)
        return failed(fileError(FileError::Kind::Unwritable, path, FileError::Reason::SyncFailed));
    // A new file's folder entry must reach the disk as well.
    if (created && !syncFolderOf(path, sync))
        return failed(fileError(FileError::Kind::Unwritable, path, FileError::Reason::SyncFailed));
#else
    Q_UNUSED(created);
    Q_UNUSED(sync);
#endif
    return std::nullopt;
}

std::optional<QString> temporaryFileTarget(const QString& fileName) {
    // \z, not $: a name that ends in a line feed after the six letters is some other file.
    static const QRegularExpression pattern(QStringLiteral("\\A(.+)\\.[A-Za-z]{6}\\z"));
    const QRegularExpressionMatch match = pattern.match(fileName);
    if (!match.hasMatch())
        return std::nullopt;
    return match.captured(1);
}

int removeLeftoverTemporaries(const QString& folder, const std::function<bool(const QString&)>& isOurs) {
    int removed = 0;
    const QDir dir(folder);
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot);
    for (const QFileInfo& entry : entries) {
        const std::optional<QString> target = temporaryFileTarget(entry.fileName());
        if (entry.isSymLink() || !target || !isOurs(*target))
            continue;
        if (QFile::remove(entry.absoluteFilePath()))
            ++removed;
    }
    return removed;
}

#ifdef Q_OS_UNIX
namespace {

FileError openForWriteFailure(const QString& path, int error) {
    if (error == ENOENT || error == ENOTDIR)
        return folderMissing(FileError::Kind::Unwritable, path);
    if (error == EISDIR)
        return fileError(FileError::Kind::Unwritable, path, FileError::Reason::IsFolder);
    // A pipe nobody reads refuses a non-blocking open for writing; a link is never followed.
    if (error == ENXIO || error == ELOOP)
        return fileError(FileError::Kind::Unwritable, path, FileError::Reason::NotRegularFile);
    return fileError(FileError::Kind::Unwritable, path, reasonOf(error));
}

} // namespace

WriteResult overwriteFileBytes(const QString& path, const QByteArray& bytes) {
    const QByteArray name = QFile::encodeName(path);
    constexpr int flags = O_WRONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | O_NOFOLLOW;
    // A name nothing stands on yet (a new report folder) is created in one call that follows no link.
    Descriptor fd(::open(name.constData(), flags | O_CREAT | O_EXCL, 0666));
    off_t oldSize = 0;
    if (fd.get() < 0) {
        if (errno != EEXIST)
            return openForWriteFailure(path, errno);
        // Something stands there. A special file or a link is refused before it is opened: opening a
        // pipe or a device has effects of its own. The open is checked again, for one that appears in
        // between.
        struct stat before {};
        if (::lstat(name.constData(), &before) == 0 && !S_ISREG(before.st_mode))
            return fileError(FileError::Kind::Unwritable, path,
                             S_ISDIR(before.st_mode) ? FileError::Reason::IsFolder
                                                     : FileError::Reason::NotRegularFile);
        fd.reset(::open(name.constData(), flags | O_CREAT, 0666));
        if (fd.get() < 0)
            return openForWriteFailure(path, errno);
        struct stat status {};
        if (::fstat(fd.get(), &status) != 0)
            return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
        if (!S_ISREG(status.st_mode))
            return fileError(FileError::Kind::Unwritable, path, FileError::Reason::NotRegularFile);
        oldSize = status.st_size;
    }
    for (qsizetype written = 0; written < bytes.size();) {
        const ssize_t done =
            ::write(fd.get(), bytes.constData() + written, static_cast<size_t>(bytes.size() - written));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0)
            return fileError(FileError::Kind::Unwritable, path,
                             done < 0 ? reasonOf(errno) : FileError::Reason::NoSpace);
        written += done;
    }
    // Only a longer old file needs cutting: the call costs as much as the write.
    if (oldSize > bytes.size() && ::ftruncate(fd.get(), bytes.size()) != 0)
        return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
    if (::close(fd.release()) != 0)
        return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
    return std::nullopt;
}
#else
WriteResult overwriteFileBytes(const QString& path, const QByteArray& bytes) {
    if (auto blocked = writeBlocker(path))
        return blocked;
    QFile file(path);
    errno = 0;
    if (!file.open(QIODevice::ReadWrite) || file.write(bytes) != bytes.size() || !file.flush() ||
        (file.size() > bytes.size() && !file.resize(bytes.size())))
        return writeFailure(file, path, errno);
    return std::nullopt;
}
#endif

FileError readFailureOf(const QString& path, int error) {
    return readFailure(path, error);
}

WriteResult writeBlockerOf(const QString& path) {
    return writeBlocker(path);
}

FileError::Reason reasonOfSystemError(int error) {
    return reasonOf(error);
}

bool syncFolderOfFile(const QString& path, const DiskSync& sync) {
#ifdef Q_OS_UNIX
    return syncFolderOf(path, sync);
#else
    Q_UNUSED(path);
    Q_UNUSED(sync);
    return true;
#endif
}

} // namespace qvmd
