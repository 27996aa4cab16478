#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"

#include <QByteArray>
#include <QFile>
#include <QString>

namespace qvmd {

// A whole-file replace: the new content is written beside the target under a temporary name
// ("<name>.XXXXXX", six letters), synced to the disk, and put in place with one rename; the folder entry
// is synced last. Until the commit the target is untouched, and a file that is dropped leaves nothing
// behind. A link at the target is replaced by the file itself, never written through; a plain file keeps
// its permissions, a new one gets the usual ones.
class StagedFile {
public:
    explicit StagedFile(const DiskSync& sync = systemDiskSync());
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    WriteResult open(const QString& target);
    WriteResult write(const QByteArray& bytes);
    // Puts the data on the disk (checked: a full disk may only show here).
    WriteResult finish();
    // Finishes, then renames the file into place. A failed folder sync after the rename is
    // Kind::Unconfirmed: the new file is in place.
    WriteResult commit();
    void drop();

    const QString& target() const { return target_; }

private:
    FileError failure(FileError::Reason fallback);

    const DiskSync& sync_;
    QFile file_;
    QString target_;
    QString temporary_;
    bool synced_ = false;
};

// Syncs the folder holding path after a rename or a new entry in it; false when the disk did not confirm.
bool syncFolderOfFile(const QString& path, const DiskSync& sync);
// Syncs a folder's own entries.
bool syncFolder(const QString& folder, const DiskSync& sync);

// Creates a folder and any missing folder above it, each made durable by a sync of the folder that holds
// it. A folder that is there already is left alone. A folder created but not confirmed by the disk is
// Kind::Unconfirmed.
WriteResult makeFolderDurably(const QString& folder, const DiskSync& sync = systemDiskSync());

} // namespace qvmd
