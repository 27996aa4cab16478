#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace qvmd {

struct RetireOutcome {
    // Missing: there is no log to move (error names it); Moved with an error: the disk did not confirm
    // the log's removal.
    enum class Status { Moved, NoBaseName, Missing, Failed };
    Status status = Status::Failed;
    QString backupPath;             // where the log now is (or would have gone)
    std::optional<FileError> error; // why it failed; the log is then where it was
};

// The error of a failed retire whose copy the disk did not confirm: the log stayed, a copy may be there.
inline bool retireCopyUnconfirmed(const RetireOutcome& outcome) {
    return outcome.status == RetireOutcome::Status::Failed && inPlaceUnconfirmed(outcome.error);
}

// "Deleting" a log destroys nothing: the log moves from the Logs folder into the Backup folder under the
// dated name a backup gets, so the Restore window can bring it back. The copy and its folder entries are
// confirmed by the disk before the log leaves the Logs folder; otherwise the log stays where it is.
RetireOutcome retireLog(const ProgramFolder& folder, const QString& logName, const QDateTime& now,
                        const DiskSync& sync = systemDiskSync());

} // namespace qvmd
