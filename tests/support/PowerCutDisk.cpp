#include "support/PowerCutDisk.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace qvmd::test {

namespace {

std::uint64_t inodeOf(const QString& path) {
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return 0;
    return status.st_ino;
}

QByteArray contentOf(int fd) {
    // The descriptor may be open for writing only: the file is opened again for reading.
    QFile again(QStringLiteral("/proc/self/fd/%1").arg(fd));
    if (!again.open(QIODevice::ReadOnly))
        return QByteArray();
    return again.readAll();
}

} // namespace

PowerCutDisk::PowerCutDisk(const QString& root) : root_(QDir::cleanPath(root)) {
    rootInode_ = inodeOf(root_);
    take(root_, rootInode_);
}

void PowerCutDisk::take(const QString& folder, std::uint64_t inode) {
    const Listing listing = listingOf(folder);
    folders_[inode] = listing;
    for (const auto& [name, entry] : listing) {
        const QString path = folder + QLatin1Char('/') + name;
        if (entry.kind == Entry::Kind::Folder) {
            take(path, entry.inode);
        } else if (entry.kind == Entry::Kind::File) {
            QFile file(path);
            if (file.open(QIODevice::ReadOnly))
                data_[entry.inode] = file.readAll();
        }
    }
}

PowerCutDisk::Listing PowerCutDisk::listingOf(const QString& folder) {
    Listing listing;
    const QFileInfoList entries =
        QDir(folder).entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    for (const QFileInfo& info : entries) {
        Entry entry;
        entry.inode = inodeOf(info.filePath());
        if (info.isSymLink()) {
            entry.kind = Entry::Kind::Link;
            entry.linkTarget = QFile::encodeName(info.symLinkTarget());
        } else if (info.isDir()) {
            entry.kind = Entry::Kind::Folder;
        }
        listing[info.fileName()] = entry;
    }
    return listing;
}

int PowerCutDisk::sync(int fd, Target target, const QString& path) const {
    if (RecordingSync::sync(fd, target, path) != 0)
        return -1;
    struct stat status {};
    if (fd < 0 || ::fstat(fd, &status) != 0)
        return 0;
    if (target == Target::File)
        data_[status.st_ino] = contentOf(fd);
    else
        folders_[status.st_ino] = listingOf(path);
    return 0;
}

void PowerCutDisk::rebuild(const QString& folder, std::uint64_t inode) const {
    const auto listing = folders_.find(inode);
    if (listing == folders_.end())
        return; // a folder whose entries never reached the disk is empty
    for (const auto& [name, entry] : listing->second) {
        const QString path = folder + QLatin1Char('/') + name;
        switch (entry.kind) {
        case Entry::Kind::Folder:
            QDir().mkdir(path);
            rebuild(path, entry.inode);
            break;
        case Entry::Kind::Link:
            QFile::link(QFile::decodeName(entry.linkTarget), path);
            break;
        case Entry::Kind::File: {
            QFile file(path);
            if (file.open(QIODevice::WriteOnly)) {
                const auto data = data_.find(entry.inode);
                // A file whose data never reached the disk comes back empty.
                if (data != data_.end())
                    file.write(data->second);
            }
            break;
        }
        }
    }
}

void PowerCutDisk::cut() {
    QDir root(root_);
    for (const QFileInfo& info :
         root.entryInfoList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        if (info.isDir() && !info.isSymLink())
            QDir(info.filePath()).removeRecursively();
        else
            QFile::remove(info.filePath());
    }
    rebuild(root_, rootInode_);
    // The rebuilt tree is the disk from now on.
    data_.clear();
    folders_.clear();
    take(root_, rootInode_);
    clear();
}

} // namespace qvmd::test
