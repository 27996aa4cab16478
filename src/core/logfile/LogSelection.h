#pragma once

#include "core/logfile/LogHeader.h"
#include "core/station/StationProfile.h"
#include "core/station/UseFile.h"

#include <QString>

#include <cstdint>

namespace qvmd {

// What choosing a log makes of the own station: the identity the log was created with, read back from
// its header, and the log choice that names it. The log is continued exactly as it was begun.
struct LogSelection {
    UseHeader use;                // "1", the log's name, category, paper log flag, year (Use.dat lines 1-5)
    StationProfile profile;       // identifier, name, country number, club, unit number, category
    std::int16_t stationKind = 1; // leading number of the header's station type
    int year = 0;                 // leading number of the header's year
};
LogSelection selectionFromHeader(const QString& logName, const LogHeader& header);

} // namespace qvmd
