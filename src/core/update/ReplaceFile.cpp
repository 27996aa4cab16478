#include "core/update/ReplaceFile.h"

#include "core/common/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>

namespace qvmd {

WriteResult replaceFileItself(const QString& path, const QByteArray& bytes) {
    if (!QFileInfo(path).isSymLink())
        return writeFileBytes(path, bytes);
    // Written beside the link under a name of its own, then renamed over the link: the rename replaces
    // the link, not its target, and a failure leaves the link as it was.
    QTemporaryFile staged(path + QStringLiteral(".XXXXXX"));
    if (!staged.open())
        return fileError(FileError::Kind::Unwritable, path, reasonOfSystemError(errno));
    const QString stagedPath = staged.fileName();
    staged.close();
    // The staged file's folder is synced again after the rename below.
    if (WriteResult error = writeFileBytes(stagedPath, bytes); error && !inPlaceUnconfirmed(error))
        return fileError(FileError::Kind::Unwritable, path, error->reason);
#ifdef Q_OS_WIN
    // Windows renames over nothing: the link goes first.
    QFile::remove(path);
#endif
    errno = 0;
    if (std::rename(QFile::encodeName(stagedPath).constData(), QFile::encodeName(path).constData()) != 0)
        return fileError(FileError::Kind::Unwritable, path, reasonOfSystemError(errno));
    staged.setAutoRemove(false);
    if (!syncFolderOfFile(path, systemDiskSync()))
        return fileError(FileError::Kind::Unconfirmed, path, FileError::Reason::SyncFailed);
    return std::nullopt;
}

} // namespace qvmd
