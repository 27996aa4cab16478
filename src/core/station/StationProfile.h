#pragma once

#include "core/station/StationIdentifier.h"

#include <QString>

#include <cstdint>

namespace qvmd {

// The own station; every text is kept trimmed.
struct StationProfile {
    QString StationCallsign; // country number, club and unit number written together
    QString OperatorName;
    QString countryNumber;
    QString club;
    QString unitNumber;
    QString category = QStringLiteral("0"); // "H", "L", or "0" before one is chosen
};

// The log choice kept beside the profile.
struct LogChoice {
    std::int16_t LogInUse = 0;
    QString LogInUseName;
    QString paperLog = QStringLiteral("0"); // "Y", "N", or "0" when no log is chosen
    QString year;
};

} // namespace qvmd
