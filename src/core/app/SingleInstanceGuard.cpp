#include "core/app/SingleInstanceGuard.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qvmd {

namespace {

FileError unlockable(const QString& path, FileError::Reason reason) {
    return fileError(FileError::Kind::Unlockable, path, reason);
}

#ifdef Q_OS_UNIX
FileError::Reason openFailureReason(int cause) {
    switch (cause) {
    case EISDIR:
        return FileError::Reason::IsFolder;
    case EACCES:
    case EPERM:
        return FileError::Reason::AccessDenied;
    case ENOENT:
    case ENOTDIR:
        return FileError::Reason::FolderMissing;
    case ENOSPC:
        return FileError::Reason::NoSpace;
    case ELOOP: // a link in place of the lock, which is never followed
        return FileError::Reason::NotRegularFile;
    default:
        return FileError::Reason::None;
    }
}
#endif

} // namespace

QString SingleInstanceGuard::defaultLockFolder() {
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

QString SingleInstanceGuard::lockPath(const ProgramFolder& folder, const QString& lockFolder) {
    const QString canonical = QFileInfo(folder.folder()).canonicalFilePath();
    const QString key =
        canonical.isEmpty() ? QDir::cleanPath(QDir(folder.folder()).absolutePath()) : canonical;
    const QByteArray hash =
        QCryptographicHash::hash(key.toUtf8(), QCryptographicHash::Sha256).toHex().left(16);
    return QDir(lockFolder).filePath(QStringLiteral("QV_md-%1.lock").arg(QLatin1String(hash)));
}

#ifdef Q_OS_UNIX
SingleInstanceGuard::SingleInstanceGuard(const ProgramFolder& folder, const QString& lockFolder) {
    const QString path = lockPath(folder, lockFolder);
    // The file's content means nothing: the lock is the system's, on the open file, and ends with the
    // process that holds it. The file is never removed, so no copy can take a lock another just made.
    descriptor_ = ::open(QFile::encodeName(path).constData(),
                         O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY, 0600);
    if (descriptor_ < 0) {
        error_ = unlockable(path, openFailureReason(errno));
        if (error_->reason == FileError::Reason::FolderMissing)
            error_->value = lockFolder;
        return;
    }
    struct stat status {};
    if (::fstat(descriptor_, &status) != 0 || !S_ISREG(status.st_mode)) {
        error_ = unlockable(path, FileError::Reason::NotRegularFile);
        return;
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0) {
        acquired_ = true;
        // For a person looking at the folder, who holds it; only a note, the lock holds without it.
        const QByteArray owner = QByteArray::number(static_cast<qint64>(::getpid())) + '\n';
        [[maybe_unused]] const int emptied = ::ftruncate(descriptor_, 0);
        [[maybe_unused]] const ssize_t written =
            ::pwrite(descriptor_, owner.constData(), static_cast<size_t>(owner.size()), 0);
    } else if (errno != EWOULDBLOCK) {
        error_ = unlockable(path, FileError::Reason::None);
    }
}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}
#else
SingleInstanceGuard::SingleInstanceGuard(const ProgramFolder& folder, const QString& lockFolder)
    : lockFile_(std::make_unique<QLockFile>(lockPath(folder, lockFolder))) {
    // The runtime folder is this machine's own, so an owner that is not running is proven dead.
    lockFile_->setStaleLockTime(0);
    acquired_ = lockFile_->tryLock(0);
    if (!acquired_ && lockFile_->error() != QLockFile::LockFailedError) {
        const FileError::Reason reason = lockFile_->error() == QLockFile::PermissionError
                                             ? FileError::Reason::AccessDenied
                                             : FileError::Reason::None;
        error_ = unlockable(lockFile_->fileName(), reason);
    }
}

SingleInstanceGuard::~SingleInstanceGuard() = default;
#endif

} // namespace qvmd
