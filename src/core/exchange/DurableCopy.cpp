#include "core/exchange/DurableCopy.h"

#include "core/common/TextFile.h"

#include "core/platform/FileSystem.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>

namespace qvmd {

namespace {

constexpr qint64 chunkSize = 1 << 20;

FileError readError(const QString& path) {
    return fileError(FileError::Kind::Unreadable, path, FileError::Reason::DiskError);
}

// Opens the source for reading without ever waiting on a pipe, and only when it is a plain file.
WriteResult openSource(QFile& in, const QString& from) {
    const int fd = platform::openForReading(from);
    if (fd < 0)
        return readFailureOf(from, errno);
    platform::OpenedKind opened;
    if (!platform::kindOf(fd, opened) || opened.kind != platform::EntryKind::RegularFile) {
        platform::closeFile(fd);
        return fileError(FileError::Kind::Unreadable, from,
                         opened.kind == platform::EntryKind::Folder ? FileError::Reason::IsFolder
                                                                    : FileError::Reason::NotRegularFile);
    }
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        platform::closeFile(fd);
        return fileError(FileError::Kind::Unreadable, from, FileError::Reason::None);
    }
    return std::nullopt;
}

} // namespace

StagedCopy::StagedCopy(const DiskSync& sync) : out_(std::make_unique<StagedFile>(sync)) {}

StagedCopy::~StagedCopy() = default;

WriteResult StagedCopy::stage(const QString& from, const QString& to) {
    drop();
    staged_ = false;
    QFile in;
    if (WriteResult failed = openSource(in, from))
        return failed;
    if (WriteResult failed = out_->open(to))
        return failed;
    // Byte for byte, in pieces: a log is copied as it is, whatever its size or content.
    for (;;) {
        const QByteArray buffer = in.read(chunkSize);
        if (in.error() != QFileDevice::NoError) {
            out_->drop();
            return readError(from);
        }
        if (buffer.isEmpty())
            break;
        if (WriteResult failed = out_->write(buffer))
            return failed;
    }
    if (WriteResult failed = out_->finish())
        return failed;
    staged_ = true;
    return std::nullopt;
}

WriteResult StagedCopy::commit() {
    if (!staged_)
        return fileError(FileError::Kind::Unwritable, out_->target(), FileError::Reason::None);
    staged_ = false;
    return out_->commit();
}

void StagedCopy::drop() {
    out_->drop();
    staged_ = false;
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
