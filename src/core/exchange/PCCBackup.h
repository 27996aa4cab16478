#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"

#include <QString>

namespace qvmd {

// Copies one file onto another, replacing what is at the destination. Each call works on the files as they
// are at that moment; a failure comes back to the caller with the file and the reason.
class PCCBackup {
public:
    // The sync its copies use; a test hands in one that records or fails.
    explicit PCCBackup(const DiskSync& sync = systemDiskSync()) : sync_(sync) {}

    QString BackupFile; // full path of the copy
    QString SourceFile; // full path of the file that is copied

    // SourceFile onto BackupFile.
    WriteResult Backup() const;
    // BackupFile onto SourceFile.
    WriteResult Replace() const;

    Result<bool> SourceExists() const;
    Result<bool> BackupExists() const;

private:
    const DiskSync& sync_;
};

} // namespace qvmd
