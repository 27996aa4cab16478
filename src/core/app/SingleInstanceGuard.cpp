#include "core/app/SingleInstanceGuard.h"

namespace qvmd {

SingleInstanceGuard::SingleInstanceGuard(const ProgramFolder& folder)
    : lock_(std::make_unique<QLockFile>(folder.data(QStringLiteral("QV_md.lock")))) {
    // The program holds the lock for hours: age alone must never make it stale; a dead owner does.
    lock_->setStaleLockTime(0);
    acquired_ = lock_->tryLock(0);
    if (!acquired_ && lock_->error() == QLockFile::LockFailedError) {
        // A lock file without a readable owner (cut short by a crash) can never be claimed by age,
        // so it is removed once and the lock tried again.
        qint64 pid = 0;
        QString host;
        QString app;
        if (!lock_->getLockInfo(&pid, &host, &app) && lock_->removeStaleLockFile())
            acquired_ = lock_->tryLock(0);
    }
    if (!acquired_ && lock_->error() != QLockFile::LockFailedError) {
        const QString detail = lock_->error() == QLockFile::PermissionError
                                   ? QStringLiteral("permission denied")
                                   : QStringLiteral("the lock file could not be created");
        error_ = FileError{FileError::Kind::Unwritable, lock_->fileName(), detail, 0};
    }
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

} // namespace qvmd
