#pragma once

#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QDateTime>
#include <QString>

#include <optional>

namespace qvmd {

struct RetireOutcome {
    enum class Status { Moved, NoBaseName, Failed };
    Status status = Status::Failed;
    QString backupPath;             // where the log now is (or would have gone)
    std::optional<FileError> error; // why it failed; the log is then where it was
};

// "Deleting" a log destroys nothing: the log moves from the Logs folder into the Backup folder under the
// dated name a backup gets, so the Restore window can bring it back. The copy is complete and synced
// before the log leaves the Logs folder.
RetireOutcome retireLog(const ProgramFolder& folder, const QString& logName, const QDateTime& now);

} // namespace qvmd
