#include "core/exchange/DurableCopy.h"

#include "core/common/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qvmd {

namespace {

constexpr qint64 chunkSize = 1 << 20;

FileError readError(const QString& path) {
    return fileError(FileError::Kind::Unreadable, path, FileError::Reason::DiskError);
}

FileError writeError(const QFileDevice& file, const QString& path) {
    FileError::Reason reason = reasonOfSystemError(errno);
    if (reason == FileError::Reason::None && file.error() == QFileDevice::ResourceError)
        reason = FileError::Reason::NoSpace;
    return fileError(FileError::Kind::Unwritable, path, reason);
}

// Opens the source for reading without ever waiting on a pipe, and only when it is a plain file.
WriteResult openSource(QFile& in, const QString& from) {
#ifdef Q_OS_UNIX
    const int fd = ::open(QFile::encodeName(from).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return readFailureOf(from, errno);
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return fileError(FileError::Kind::Unreadable, from,
                         S_ISDIR(status.st_mode) ? FileError::Reason::IsFolder
                                                 : FileError::Reason::NotRegularFile);
    }
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return fileError(FileError::Kind::Unreadable, from, FileError::Reason::None);
    }
#else
    const QFileInfo info(from);
    if (!info.exists())
        return readFailureOf(from, ENOENT);
    if (!info.isFile())
        return fileError(FileError::Kind::Unreadable, from,
                         info.isDir() ? FileError::Reason::IsFolder : FileError::Reason::NotRegularFile);
    in.setFileName(from);
    if (!in.open(QIODevice::ReadOnly))
        return fileError(FileError::Kind::Unreadable, from, FileError::Reason::AccessDenied);
#endif
    return std::nullopt;
}

} // namespace

StagedCopy::StagedCopy(const DiskSync& sync) : sync_(sync) {}

StagedCopy::~StagedCopy() {
    drop();
}

WriteResult StagedCopy::stage(const QString& from, const QString& to) {
    drop();
    QFile in;
    if (WriteResult failed = openSource(in, from))
        return failed;
    if (WriteResult blocked = writeBlockerOf(to))
        return blocked;

    auto out = std::make_unique<QSaveFile>(to);
    errno = 0;
    if (!out->open(QIODevice::WriteOnly))
        return writeError(*out, to);
    auto failed = [&](FileError failure) {
        out->cancelWriting();
        return failure;
    };
    // Byte for byte, in pieces: a log is copied as it is, whatever its size or content.
    for (;;) {
        const QByteArray buffer = in.read(chunkSize);
        if (in.error() != QFileDevice::NoError)
            return failed(readError(from));
        if (buffer.isEmpty())
            break;
        if (out->write(buffer) != buffer.size())
            return failed(writeError(*out, to));
    }
    // A full disk may only show on the flush, and the commit's own sync ignores failures.
    if (!out->flush() || out->error() != QFileDevice::NoError)
        return failed(writeError(*out, to));
    if (sync_.sync(static_cast<int>(out->handle()), DiskSync::Target::File, to) != 0)
        return failed(
            fileError(FileError::Kind::Unwritable, to,
                      errno == ENOSPC ? FileError::Reason::NoSpace : FileError::Reason::SyncFailed));
    out_ = std::move(out);
    to_ = to;
    return std::nullopt;
}

WriteResult StagedCopy::commit() {
    if (!out_)
        return fileError(FileError::Kind::Unwritable, to_, FileError::Reason::None);
    std::unique_ptr<QSaveFile> out = std::move(out_);
    errno = 0;
    if (!out->commit())
        return writeError(*out, to_);
    // The copy is in place from here on, whatever the folder's sync says.
    if (!syncFolderOfFile(to_, sync_))
        return fileError(FileError::Kind::Unconfirmed, to_, FileError::Reason::SyncFailed);
    return std::nullopt;
}

void StagedCopy::drop() {
    if (out_)
        out_->cancelWriting();
    out_.reset();
}

WriteResult copyFileDurably(const QString& from, const QString& to, const DiskSync& sync) {
    StagedCopy copy(sync);
    if (WriteResult failed = copy.stage(from, to))
        return failed;
    return copy.commit();
}

Result<bool> plainFileExists(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!QFileInfo(info.absolutePath()).isDir())
            return readFailureOf(path, ENOENT);
        return false;
    }
    if (!info.isFile())
        return fileError(FileError::Kind::Unreadable, path,
                         info.isDir() ? FileError::Reason::IsFolder : FileError::Reason::NotRegularFile);
    return true;
}

} // namespace qvmd
