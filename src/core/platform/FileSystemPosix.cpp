#include "core/platform/FileSystem.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvmd::platform {

namespace {

QByteArray nameOf(const QString& path) {
    return QFile::encodeName(path);
}

EntryKind kindOfMode(mode_t mode) {
    if (S_ISREG(mode))
        return EntryKind::RegularFile;
    if (S_ISDIR(mode))
        return EntryKind::Folder;
    if (S_ISLNK(mode))
        return EntryKind::Link;
    return EntryKind::Other;
}

// Refuses a descriptor that is not a regular file, closing it.
int regularOnly(int fd) {
    struct stat status {};
    if (fd >= 0 && (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode))) {
        const int cause = S_ISDIR(status.st_mode) ? EISDIR : ENXIO;
        ::close(fd);
        errno = cause;
        return -1;
    }
    return fd;
}

} // namespace

EntryKind entryKind(const QString& path) {
    struct stat status {};
    if (::lstat(nameOf(path).constData(), &status) != 0)
        return EntryKind::Missing;
    return kindOfMode(status.st_mode);
}

bool kindOf(int fd, OpenedKind& out) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        return false;
    out.kind = kindOfMode(status.st_mode);
    out.size = status.st_size;
    return true;
}

int openForReading(const QString& path) {
    // Non-blocking, so that opening a pipe returns at once instead of waiting for a writer.
    return ::open(nameOf(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
}

int createExclusive(const QString& path) {
    return ::open(nameOf(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY,
                  0666);
}

int openExistingForWriting(const QString& path) {
    // A pipe nobody reads refuses a non-blocking open (ENXIO) instead of waiting for a reader.
    const int fd =
        ::open(nameOf(path).constData(), O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    return regularOnly(fd);
}

int openForAppend(const QString& path, bool create) {
    const int flags = O_WRONLY | O_APPEND | O_NONBLOCK | O_CLOEXEC | O_NOCTTY | (create ? O_CREAT : 0);
    return regularOnly(::open(nameOf(path).constData(), flags, 0666));
}

int flushFile(int fd) {
    return ::fsync(fd);
}

int openFolderForSync(const QString& folder) {
    return ::open(nameOf(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
}

int flushFolder(int fd) {
    // Some file systems cannot sync a folder at all; that is not a failure of the write.
    if (::fsync(fd) == 0 || errno == EINVAL)
        return 0;
    return -1;
}

int closeFile(int fd) {
    return ::close(fd);
}

bool writeAll(int fd, const char* data, std::int64_t size) {
    for (std::int64_t written = 0; written < size;) {
        const ssize_t done = ::write(fd, data + written, static_cast<size_t>(size - written));
        if (done < 0 && errno == EINTR)
            continue;
        if (done <= 0) {
            if (done == 0)
                errno = ENOSPC;
            return false;
        }
        written += done;
    }
    return true;
}

bool rewriteInPlace(int fd, const char* data, std::int64_t size) {
    struct stat status {};
    if (::fstat(fd, &status) != 0 || ::pwrite(fd, data, static_cast<size_t>(size), 0) != size)
        return false;
    // Only a shorter text leaves old bytes behind.
    return status.st_size <= size || ::ftruncate(fd, size) == 0;
}

bool truncateFile(int fd, std::int64_t size) {
    return ::ftruncate(fd, size) == 0;
}

int replaceFile(const QString& from, const QString& to) {
    return ::rename(nameOf(from).constData(), nameOf(to).constData());
}

int makeFolder(const QString& path) {
    return ::mkdir(nameOf(path).constData(), 0777);
}

bool modificationStamp(const QString& path, std::int64_t& size, std::int64_t& nanoseconds) {
    struct stat status {};
    if (::stat(nameOf(path).constData(), &status) != 0)
        return false;
    size = status.st_size;
#ifdef __APPLE__
    nanoseconds =
        static_cast<std::int64_t>(status.st_mtimespec.tv_sec) * 1000000000 + status.st_mtimespec.tv_nsec;
#else
    nanoseconds = static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1000000000 + status.st_mtim.tv_nsec;
#endif
    return true;
}

} // namespace qvmd::platform
