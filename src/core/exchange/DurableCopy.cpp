#include "core/exchange/DurableCopy.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace qvmd {

namespace {

constexpr qint64 chunkSize = 1 << 20;

FileError error(FileError::Kind kind, const QString& path, const QString& detail) {
    return FileError{kind, path, detail, 0};
}

QString notPlainFile() {
    return QStringLiteral("not a plain file");
}

QString notConfirmed() {
    return QStringLiteral("the disk did not confirm the write");
}

// Opens the source for reading without ever waiting on a pipe, and only when it is a plain file.
Result<bool> openSource(QFile& in, const QString& from) {
#ifdef Q_OS_UNIX
    const QByteArray native = QFile::encodeName(from);
    const int fd = ::open(native.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        const int code = errno;
        const auto kind = code == ENOENT ? FileError::Kind::Missing : FileError::Kind::Unreadable;
        return error(kind, from, QString::fromLocal8Bit(std::strerror(code)));
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        ::close(fd);
        return error(FileError::Kind::Unreadable, from, notPlainFile());
    }
    if (!in.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return error(FileError::Kind::Unreadable, from, in.errorString());
    }
    return true;
#else
    const QFileInfo info(from);
    if (!info.exists())
        return error(FileError::Kind::Missing, from, QStringLiteral("file not found"));
    if (!info.isFile())
        return error(FileError::Kind::Unreadable, from, notPlainFile());
    in.setFileName(from);
    if (!in.open(QIODevice::ReadOnly))
        return error(FileError::Kind::Unreadable, from, in.errorString());
    return true;
#endif
}

// A destination that exists must be a plain file: renaming over a folder fails, over a pipe or a device
// it would silently replace something that is not a log.
WriteResult checkDestination(const QString& to) {
#ifdef Q_OS_UNIX
    struct stat info {};
    const QByteArray native = QFile::encodeName(to);
    if (::stat(native.constData(), &info) == 0 && !S_ISREG(info.st_mode))
        return error(FileError::Kind::Unwritable, to, notPlainFile());
#else
    const QFileInfo info(to);
    if (info.exists() && !info.isFile())
        return error(FileError::Kind::Unwritable, to, notPlainFile());
#endif
    return std::nullopt;
}

bool syncFolderOf(const QString& path) {
#ifdef Q_OS_UNIX
    const QByteArray folder = QFile::encodeName(QFileInfo(path).absolutePath());
    const int fd = ::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return false;
    const bool synced = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return synced;
#else
    Q_UNUSED(path);
    return true;
#endif
}

} // namespace

StagedCopy::StagedCopy() = default;

StagedCopy::~StagedCopy() {
    drop();
}

WriteResult StagedCopy::stage(const QString& from, const QString& to) {
    drop();
    QFile in;
    if (Result<bool> opened = openSource(in, from); !opened)
        return opened.error();
    if (WriteResult refused = checkDestination(to))
        return refused;

    auto out = std::make_unique<QSaveFile>(to);
    if (!out->open(QIODevice::WriteOnly))
        return error(FileError::Kind::Unwritable, to, out->errorString());
    auto failed = [&](FileError failure) {
        out->cancelWriting();
        return failure;
    };
    QByteArray buffer;
    while (!in.atEnd()) {
        buffer = in.read(chunkSize);
        if (buffer.isEmpty() && in.error() != QFileDevice::NoError)
            return failed(error(FileError::Kind::Unreadable, from, in.errorString()));
        if (buffer.isEmpty())
            break;
        if (out->write(buffer) != buffer.size())
            return failed(error(FileError::Kind::Unwritable, to, out->errorString()));
    }
    if (in.error() != QFileDevice::NoError)
        return failed(error(FileError::Kind::Unreadable, from, in.errorString()));
    // The commit's own sync ignores failures, and a full disk may only show on the flush.
    if (!out->flush() || out->error() != QFileDevice::NoError)
        return failed(error(FileError::Kind::Unwritable, to, out->errorString()));
#ifdef Q_OS_UNIX
    if (::fsync(out->handle()) != 0)
        return failed(error(FileError::Kind::Unwritable, to, notConfirmed()));
#endif
    out_ = std::move(out);
    to_ = to;
    return std::nullopt;
}

WriteResult StagedCopy::commit() {
    if (!out_)
        return error(FileError::Kind::Unwritable, to_, QStringLiteral("nothing to write"));
    std::unique_ptr<QSaveFile> out = std::move(out_);
    if (!out->commit())
        return error(FileError::Kind::Unwritable, to_, out->errorString());
    if (!syncFolderOf(to_))
        return error(FileError::Kind::Unwritable, to_, notConfirmed());
    return std::nullopt;
}

void StagedCopy::drop() {
    if (out_)
        out_->cancelWriting();
    out_.reset();
}

WriteResult copyFileDurably(const QString& from, const QString& to) {
    StagedCopy copy;
    if (WriteResult failed = copy.stage(from, to))
        return failed;
    return copy.commit();
}

Result<bool> plainFileExists(const QString& path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        if (!QFileInfo(info.absolutePath()).isDir())
            return error(FileError::Kind::Missing, info.absolutePath(), QStringLiteral("folder not found"));
        return false;
    }
    if (!info.isFile())
        return error(FileError::Kind::Unreadable, path, notPlainFile());
    return true;
}

} // namespace qvmd
