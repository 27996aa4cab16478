#include "core/exchange/PCCBackup.h"

#include "core/exchange/DurableCopy.h"

namespace qvmd {

WriteResult PCCBackup::Backup() const {
    return copyFileDurably(SourceFile, BackupFile, sync_);
}

WriteResult PCCBackup::Replace() const {
    return copyFileDurably(BackupFile, SourceFile, sync_);
}

Result<bool> PCCBackup::SourceExists() const {
    return plainFileExists(SourceFile);
}

Result<bool> PCCBackup::BackupExists() const {
    return plainFileExists(BackupFile);
}

} // namespace qvmd
