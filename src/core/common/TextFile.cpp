#include "core/common/TextFile.h"

#include "core/common/StagedFile.h"
#include "core/common/Windows1252.h"
#include "core/platform/FileSystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include <cerrno>
#include <utility>

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
    case EBUSY:
        return FileError::Reason::InUse;
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

QByteArray encodeLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

// Owns a descriptor of the platform layer; closed on every way out.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0)
            platform::closeFile(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    void reset(int fd) {
        if (fd_ >= 0)
            platform::closeFile(fd_);
        fd_ = fd;
    }
    int get() const { return fd_; }
    // Gives the descriptor up, for a close whose result is checked.
    int release() { return std::exchange(fd_, -1); }

private:
    int fd_;
};

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

Result<QByteArray> readFileBytes(const QString& path, qint64 maxBytes) {
    const int fd = platform::openForReading(path);
    if (fd < 0)
        return readFailure(path, errno);
    QFile file;
    if (!file.open(fd, QIODevice::ReadOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        platform::closeFile(fd);
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::None);
    }
    platform::OpenedKind opened;
    if (!platform::kindOf(fd, opened))
        return readFailure(path, errno);
    if (opened.kind == platform::EntryKind::Folder)
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::IsFolder);
    if (opened.kind != platform::EntryKind::RegularFile)
        return fileError(FileError::Kind::Unreadable, path, FileError::Reason::NotRegularFile);
    if (opened.size > maxBytes)
        return tooLarge(path, maxBytes);

    // The file may grow while it is read: never more than the limit is taken in.
    QByteArray bytes;
    bytes.resize(static_cast<qsizetype>(opened.size) + 1);
    qsizetype filled = 0;
    for (;;) {
        if (filled == bytes.size()) {
            if (filled > maxBytes)
                return tooLarge(path, maxBytes);
            bytes.resize(std::min<qsizetype>(bytes.size() * 2, maxBytes + 1));
        }
        const qint64 got = file.read(bytes.data() + filled, bytes.size() - filled);
        if (got < 0)
            return fileError(FileError::Kind::Unreadable, path, FileError::Reason::DiskError);
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
    StagedFile file(sync);
    if (WriteResult failed = file.open(path))
        return failed;
    if (WriteResult failed = file.write(bytes))
        return failed;
    return file.commit();
}

WriteResult appendLine(const QString& path, const QString& line, const DiskSync& sync) {
    if (auto blocked = writeBlocker(path))
        return blocked;
    const bool created = !QFileInfo::exists(path);
    // Ended and appended in one write, so a failure takes both off again.
    const QByteArray bytes = lineEndMissingAt(path) + encodeLines({line});
    errno = 0;
    Descriptor fd(platform::openForAppend(path, true));
    if (fd.get() < 0)
        return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
    platform::OpenedKind opened;
    if (!platform::kindOf(fd.get(), opened))
        return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
    const qint64 oldSize = opened.size;
    // A line that is not wholly on the disk is taken off again: a torn record would merge with the next
    // one, and a record reported as failed must not turn up in the file later.
    auto failed = [&](FileError error) {
        platform::truncateFile(fd.get(), oldSize);
        return error;
    };
    if (!platform::writeAll(fd.get(), bytes.constData(), bytes.size())) {
        const FileError::Reason reason = reasonOf(errno);
        return failed(fileError(FileError::Kind::Unwritable, path,
                                reason == FileError::Reason::None ? FileError::Reason::NoSpace : reason));
    }
    if (sync.sync(fd.get(), DiskSync::Target::File, path) != 0)
        return failed(fileError(FileError::Kind::Unwritable, path, FileError::Reason::SyncFailed));
    // A new file's folder entry must reach the disk as well.
    if (created && !syncFolderOfFile(path, sync))
        return failed(fileError(FileError::Kind::Unwritable, path, FileError::Reason::SyncFailed));
    if (platform::closeFile(fd.release()) != 0)
        return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
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
    // A name nothing stands on yet (a new report folder) is created in one call that follows no link.
    Descriptor fd(platform::createExclusive(path));
    if (fd.get() < 0) {
        if (errno != EEXIST)
            return openForWriteFailure(path, errno);
        // Something stands there. A special file or a link is refused before it is opened: opening a
        // pipe or a device has effects of its own. The open checks again, for one that appears in between.
        const platform::EntryKind kind = platform::entryKind(path);
        if (kind != platform::EntryKind::RegularFile && kind != platform::EntryKind::Missing)
            return fileError(FileError::Kind::Unwritable, path,
                             kind == platform::EntryKind::Folder ? FileError::Reason::IsFolder
                                                                 : FileError::Reason::NotRegularFile);
        fd.reset(platform::openExistingForWriting(path));
        if (fd.get() < 0)
            return openForWriteFailure(path, errno);
        // Written over the old bytes and cut to size: a rerun reuses the old file's disk blocks.
        if (!platform::rewriteInPlace(fd.get(), bytes.constData(), bytes.size()))
            return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
    } else if (!platform::writeAll(fd.get(), bytes.constData(), bytes.size())) {
        return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
    }
    if (platform::closeFile(fd.release()) != 0)
        return fileError(FileError::Kind::Unwritable, path, reasonOf(errno));
    return std::nullopt;
}

FileError readFailureOf(const QString& path, int error) {
    return readFailure(path, error);
}

WriteResult writeBlockerOf(const QString& path) {
    return writeBlocker(path);
}

FileError::Reason reasonOfSystemError(int error) {
    return reasonOf(error);
}

} // namespace qvmd
