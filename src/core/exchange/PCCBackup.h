#pragma once

#include "core/common/FileError.h"

#include <QString>

namespace qvmd {

// Copies one file onto another, replacing what is at the destination. Each call works on the files as they
// are at that moment; a failure comes back to the caller with the file and the reason.
class PCCBackup {
public:
    QString BackupFile; // full path of the copy
    QString SourceFile; // full path of the file that is copied

    // SourceFile onto BackupFile.
    WriteResult Backup() const;
    // BackupFile onto SourceFile.
    WriteResult Replace() const;

    Result<bool> SourceExists() const;
    Result<bool> BackupExists() const;
};

} // namespace qvmd
