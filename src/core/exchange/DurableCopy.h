#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/StagedFile.h"

#include <QString>

#include <memory>

namespace qvmd {

// A whole-file copy in two steps: the copy is written beside the destination, and only the commit syncs
// it and puts it in place with one rename. Until then the destination is untouched, and a copy
// that is dropped leaves nothing behind. Special files (folders, pipes, devices) are refused on either
// side, so a pipe named like a log never blocks the program. A commit whose folder sync fails has put
// the copy in place and says so (FileError::Kind::Unconfirmed).
class StagedCopy {
public:
    explicit StagedCopy(const DiskSync& sync = systemDiskSync());
    ~StagedCopy();
    StagedCopy(const StagedCopy&) = delete;
    StagedCopy& operator=(const StagedCopy&) = delete;

    WriteResult stage(const QString& from, const QString& to);
    WriteResult commit();
    void drop();

private:
    std::unique_ptr<StagedFile> out_;
    bool staged_ = false;
};

// Copies a whole file over the destination: staged, synced and renamed in one go.
WriteResult copyFileDurably(const QString& from, const QString& to, const DiskSync& sync = systemDiskSync());

// Whether a path names a file: true for a plain file, false when nothing is there although its folder is,
// an error for a missing folder or anything that is not a plain file.
Result<bool> plainFileExists(const QString& path);

} // namespace qvmd
