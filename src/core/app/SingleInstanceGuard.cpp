#include "core/app/SingleInstanceGuard.h"

#include "core/platform/SingleCopyLock.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>

namespace qvmd {

namespace {

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

} // namespace

QString SingleInstanceGuard::lockTarget(const ProgramFolder& folder) {
    const QString data = QDir::cleanPath(folder.data(QString()));
    const QFileInfo info(data);
    return info.exists() || info.isSymLink() ? data : QDir::cleanPath(folder.folder());
}

SingleInstanceGuard::SingleInstanceGuard(const ProgramFolder& folder) {
    const QString target = lockTarget(folder);
    lock_ = std::make_unique<platform::SingleCopyLock>(target);
    switch (lock_->state()) {
    case platform::SingleCopyLock::State::Held:
        acquired_ = true;
        break;
    case platform::SingleCopyLock::State::HeldByAnother:
        break;
    case platform::SingleCopyLock::State::Failed:
        error_ = fileError(FileError::Kind::Unlockable, target, openFailureReason(lock_->error()));
        if (error_->reason == FileError::Reason::FolderMissing)
            error_->value = target;
        break;
    }
}

SingleInstanceGuard::~SingleInstanceGuard() = default;

} // namespace qvmd
