#include "core/app/SingleInstanceGuard.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
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
    case EACCES:
    case EPERM:
        return FileError::Reason::AccessDenied;
    case ENOENT:
        return FileError::Reason::FolderMissing;
    default:
        return FileError::Reason::None;
    }
}
#endif

} // namespace

QString SingleInstanceGuard::lockTarget(const ProgramFolder& folder) {
    const QString data = QDir::cleanPath(folder.data(QString()));
    const QFileInfo info(data);
    return info.exists() || info.isSymLink() ? data : QDir::cleanPath(folder.folder());
}

#ifdef Q_OS_UNIX
SingleInstanceGuard::SingleInstanceGuard(const ProgramFolder& folder) {
    const QString target = lockTarget(folder);
    // A folder opened for reading can be locked on any file system that can be read; the lock belongs to
    // this open folder, so every spelling and every link that reaches the folder meets it.
    descriptor_ =
        ::open(QFile::encodeName(target).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
    if (descriptor_ < 0) {
        error_ = unlockable(target, openFailureReason(errno));
        if (error_->reason == FileError::Reason::FolderMissing)
            error_->value = target;
        return;
    }
    if (::flock(descriptor_, LOCK_EX | LOCK_NB) == 0)
        acquired_ = true;
    else if (errno != EWOULDBLOCK)
        error_ = unlockable(target, FileError::Reason::None);
}

SingleInstanceGuard::~SingleInstanceGuard() {
    if (descriptor_ >= 0)
        ::close(descriptor_);
}
#else
SingleInstanceGuard::SingleInstanceGuard(const ProgramFolder& folder)
    : lockFile_(
          std::make_unique<QLockFile>(QDir(lockTarget(folder)).filePath(QStringLiteral("QV_md.lock")))) {
    // Elsewhere a lock file in the locked folder stands in; an owner that is not running is proven dead.
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
