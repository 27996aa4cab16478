#include "core/common/TextFile.h"

#include "core/common/Windows1252.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace qvmd {

namespace {

FileError openError(const QFileDevice& file, const QString& path, FileError::Kind kind) {
    return FileError{kind, path, file.errorString(), 0};
}

QByteArray encodeLines(const QStringList& lines) {
    QByteArray bytes;
    for (const QString& line : lines) {
        bytes += toWindows1252(line);
        bytes += "\r\n";
    }
    return bytes;
}

} // namespace

Result<QByteArray> readFileBytes(const QString& path) {
    QFile file(path);
    if (!file.exists())
        return FileError{FileError::Kind::Missing, path, QStringLiteral("file not found"), 0};
    if (!file.open(QIODevice::ReadOnly))
        return openError(file, path, FileError::Kind::Unreadable);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return openError(file, path, FileError::Kind::Unreadable);
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

Result<QStringList> readLines(const QString& path) {
    Result<QByteArray> bytes = readFileBytes(path);
    if (!bytes)
        return bytes.error();
    return splitLines(bytes.value());
}

WriteResult writeLines(const QString& path, const QStringList& lines) {
    return writeFileBytes(path, encodeLines(lines));
}

WriteResult writeFileBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return openError(file, path, FileError::Kind::Unwritable);
    // The flush is checked here because commit() renames a short file over the old one when the buffered
    // rest fails to reach the disk (a full disk), and still reports success.
    if (file.write(bytes) != bytes.size() || !file.flush() || file.error() != QFileDevice::NoError) {
        FileError error = openError(file, path, FileError::Kind::Unwritable);
        file.cancelWriting();
        return error;
    }
    if (!file.commit())
        return openError(file, path, FileError::Kind::Unwritable);
    return std::nullopt;
}

WriteResult appendLine(const QString& path, const QString& line) {
    // Unbuffered, so that a failed write can be cut off again without a stale buffer in the way.
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered))
        return openError(file, path, FileError::Kind::Unwritable);
    const qint64 oldSize = file.size();
    // A line that is not wholly on the disk is taken off again: a torn record would merge with the next
    // one, and a record reported as failed must not turn up in the file later.
    auto failed = [&](FileError error) {
        file.resize(oldSize);
        return error;
    };
    const QByteArray bytes = encodeLines({line});
    if (file.write(bytes) != bytes.size())
        return failed(openError(file, path, FileError::Kind::Unwritable));
#ifdef Q_OS_UNIX
    if (::fsync(file.handle()) != 0)
        return failed(FileError{FileError::Kind::Unwritable, path,
                                QStringLiteral("the disk did not confirm the write"), 0});
#endif
    return std::nullopt;
}

} // namespace qvmd
