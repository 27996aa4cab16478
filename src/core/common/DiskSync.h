#pragma once

#include <QString>

namespace qvmd {

// Puts what was written on the disk: a file's data before it is renamed into place or reported written,
// and a folder's entries after a rename or a new file. Every writer takes the one it uses, so a test can
// watch each sync of one write and make any of them fail; the default is the system's.
class DiskSync {
public:
    enum class Target { File, Folder };
    DiskSync() = default;
    virtual ~DiskSync() = default;
    DiskSync(const DiskSync&) = delete;
    DiskSync& operator=(const DiskSync&) = delete;

    // 0 on success, otherwise -1 with errno set. The path names what is synced (the file or the folder);
    // a folder's descriptor is -1 where the system syncs no folder.
    virtual int sync(int fileDescriptor, Target target, const QString& path) const;
};

// The system's sync (fsync, FlushFileBuffers), for every writer that is given no other. It keeps no state, so
// threads share it.
const DiskSync& systemDiskSync();

} // namespace qvmd
