#include "core/common/StagedFile.h"

#include "core/common/TextFile.h"
#include "core/platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>

namespace qvmd {

namespace {

QString temporaryNameFor(const QString& target) {
    static const char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
    QString name = target + QLatin1Char('.');
    for (int i = 0; i < 6; ++i)
        name += QLatin1Char(letters[QRandomGenerator::global()->bounded(52)]);
    return name;
}

} // namespace

StagedFile::StagedFile(const DiskSync& sync) : sync_(sync) {}

StagedFile::~StagedFile() {
    drop();
}

FileError StagedFile::failure(FileError::Reason fallback) {
    FileError::Reason reason = reasonOfSystemError(errno);
    if (reason == FileError::Reason::None)
        reason = file_.error() == QFileDevice::ResourceError ? FileError::Reason::NoSpace : fallback;
    return fileError(FileError::Kind::Unwritable, target_, reason);
}

WriteResult StagedFile::open(const QString& target) {
    drop();
    target_ = target;
    synced_ = false;
    if (WriteResult blocked = writeBlockerOf(target))
        return blocked;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary_ = temporaryNameFor(target);
        fd = platform::createExclusive(temporary_);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0) {
        FileError error = failure(FileError::Reason::None);
        temporary_.clear();
        return error;
    }
    if (!file_.open(fd, QIODevice::WriteOnly | QIODevice::Unbuffered, QFileDevice::AutoCloseHandle)) {
        platform::closeFile(fd);
        QFile::remove(temporary_);
        temporary_.clear();
        return fileError(FileError::Kind::Unwritable, target_, FileError::Reason::None);
    }
    // A plain file keeps its permissions; what a link points at says nothing about the file replacing it.
    if (platform::entryKind(target) == platform::EntryKind::RegularFile)
        file_.setPermissions(QFile::permissions(target));
    return std::nullopt;
}

WriteResult StagedFile::write(const QByteArray& bytes) {
    if (!file_.isOpen())
        return fileError(FileError::Kind::Unwritable, target_, FileError::Reason::None);
    errno = 0;
    if (!platform::writeAll(static_cast<int>(file_.handle()), bytes.constData(), bytes.size())) {
        FileError error = failure(FileError::Reason::NoSpace);
        drop();
        return error;
    }
    return std::nullopt;
}

WriteResult StagedFile::finish() {
    if (!file_.isOpen())
        return fileError(FileError::Kind::Unwritable, target_, FileError::Reason::None);
    if (synced_)
        return std::nullopt;
    errno = 0;
    if (sync_.sync(static_cast<int>(file_.handle()), DiskSync::Target::File, target_) != 0) {
        const FileError::Reason reason =
            errno == ENOSPC ? FileError::Reason::NoSpace : FileError::Reason::SyncFailed;
        drop();
        return fileError(FileError::Kind::Unwritable, target_, reason);
    }
    synced_ = true;
    return std::nullopt;
}

WriteResult StagedFile::commit() {
    if (WriteResult failed = finish())
        return failed;
    file_.close();
    errno = 0;
    if (platform::replaceFile(temporary_, target_) != 0) {
        FileError error = failure(FileError::Reason::None);
        drop();
        return error;
    }
    temporary_.clear();
    // The new file is in place now, whatever the folder's sync says.
    if (!syncFolderOfFile(target_, sync_))
        return fileError(FileError::Kind::Unconfirmed, target_, FileError::Reason::SyncFailed);
    return std::nullopt;
}

void StagedFile::drop() {
    synced_ = false;
    if (file_.isOpen())
        file_.close();
    if (!temporary_.isEmpty())
        QFile::remove(temporary_);
    temporary_.clear();
}

bool syncFolder(const QString& folder, const DiskSync& sync) {
    const int fd = platform::openFolderForSync(folder);
    if (fd < 0) {
        // Where the system syncs no folder the sync is still called, so a test sees every step.
        if (errno == ENOTSUP)
            return sync.sync(-1, DiskSync::Target::Folder, folder) == 0;
        // A folder that cannot be opened cannot be synced; the change itself is done.
        return true;
    }
    const bool synced = sync.sync(fd, DiskSync::Target::Folder, folder) == 0;
    platform::closeFile(fd);
    return synced;
}

bool syncFolderOfFile(const QString& path, const DiskSync& sync) {
    return syncFolder(QFileInfo(path).absolutePath(), sync);
}

WriteResult makeFolderDurably(const QString& folder, const DiskSync& sync) {
    const QString wanted = QDir::cleanPath(QFileInfo(folder).absoluteFilePath());
    // The missing folders, outermost first.
    QStringList missing;
    for (QString at = wanted; platform::entryKind(at) == platform::EntryKind::Missing;) {
        missing.prepend(at);
        const QString parent = QFileInfo(at).absolutePath();
        if (parent == at)
            break;
        at = parent;
    }
    for (const QString& path : missing) {
        errno = 0;
        if (platform::makeFolder(path) != 0 && errno != EEXIST) {
            const FileError::Reason reason = reasonOfSystemError(errno);
            return fileError(FileError::Kind::Unwritable, path, reason);
        }
        // A new folder vanishes with its contents in a power cut until the folder holding it is synced.
        if (!syncFolderOfFile(path, sync))
            return fileError(FileError::Kind::Unconfirmed, path, FileError::Reason::SyncFailed);
    }
    if (!QFileInfo(wanted).isDir())
        return fileError(FileError::Kind::Unwritable, wanted, FileError::Reason::NotRegularFile);
    return std::nullopt;
}

} // namespace qvmd
