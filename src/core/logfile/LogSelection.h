#pragma once

#include "core/common/FileError.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogHeader.h"
#include "core/station/StationProfile.h"
#include "core/station/UseFile.h"

#include <QString>

#include <cstdint>

namespace qvmd {

class ProgramFolder;

// What choosing a log makes of the own station: the identity the log was created with, read back from
// its header, and the log choice that names it. The log is continued exactly as it was begun.
struct LogSelection {
    UseHeader use;                // "1", the log's name, category, paper log flag, year (Use.dat lines 1-5)
    StationProfile profile;       // identifier, name, country number, club, unit number, category
    std::int16_t stationKind = 1; // leading number of the header's station type
    int year = 0;                 // leading number of the header's year
};
LogSelection selectionFromHeader(const QString& logName, const LogHeader& header);

// Confirms a selection on disk: Logs/Log.dat with the log's counters, then Data/Use.dat. Each file is
// rewritten atomically; the first failure is returned and stops the rest.
WriteResult writeSelection(const ProgramFolder& folder, const LogSelection& selection,
                           const LogCounters& counters);

} // namespace qvmd
