#pragma once

#include "core/common/ProgramFolder.h"

#include <QString>

namespace qvmd {

// The full path of a log file in the Logs folder; the name is trimmed as the profile may carry blanks.
inline QString logFilePath(const ProgramFolder& folder, const QString& logName) {
    return folder.logs(logName.trimmed());
}

} // namespace qvmd
