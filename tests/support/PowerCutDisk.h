#pragma once

#include "support/RecordingSync.h"

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <map>

namespace qvmd::test {

// A disk that loses, in a power cut, everything a strict POSIX file system may lose: a file's data since
// its last sync, and a folder's new entries, removals and renames since the folder's last sync (a new
// folder with everything in it, until the folder holding it is synced). Writers are handed it as their
// sync; it records and fails calls as RecordingSync does, and a failed sync confirms nothing. Everything
// under the root when it is made counts as on the disk. Linux only: it reads synced files back through
// /proc/self/fd.
class PowerCutDisk : public RecordingSync {
public:
    explicit PowerCutDisk(const QString& root);

    int sync(int fd, Target target, const QString& path) const override;

    // Puts the tree under the root back to what the disk holds, as the next start finds it.
    void cut();

private:
    struct Entry {
        std::uint64_t inode = 0;
        enum class Kind { File, Folder, Link } kind = Entry::Kind::File;
        QByteArray linkTarget;
    };
    using Listing = std::map<QString, Entry>;

    void take(const QString& folder, std::uint64_t inode);
    static Listing listingOf(const QString& folder);
    void rebuild(const QString& folder, std::uint64_t inode) const;

    QString root_;
    std::uint64_t rootInode_ = 0;
    mutable std::map<std::uint64_t, QByteArray> data_; // durable content by inode
    mutable std::map<std::uint64_t, Listing> folders_; // durable entries by folder inode
};

} // namespace qvmd::test
