#pragma once

#include "core/common/Clock.h"
#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/common/StringTable.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/WorkedCountries.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/ScoreWeights.h"
#include "core/station/StationProfile.h"

#include <QStringList>

#include <cstdint>
#include <memory>

namespace qvmd {

// Everything that lives for the whole run. main creates one; every window gets it by reference.
struct AppState {
    explicit AppState(QString programFolder, const Clock* clockSource = nullptr)
        : folder(std::move(programFolder)), clock(clockSource ? clockSource : &systemClock()) {}
    AppState(const AppState&) = delete;
    AppState& operator=(const AppState&) = delete;

    ProgramFolder folder;
    const Clock* clock;
    const StringTable* strings = &StringTable::builtIn();

    // Start-up values.
    std::int16_t LanguageOffset = 0; // 0 Italian, 1000 English
    std::int16_t RegistrationState = 0;
    std::int16_t StationKind = 1; // 1 member, 2 generic
    QString RegisteredUnitId;
    QString RegisteredName;
    QStringList SettingsEntries = QStringList(11);
    std::int16_t MaxUnitNumber = 3000;

    // Own station and log choice.
    StationProfile profile;
    LogChoice log;

    // Reference data.
    CountryTable countries;
    ScoreWeights weights;
    LogCounters counters;
    // The countries worked in the log in use: they belong to the log, beside its counters, never to the
    // country table every window shares.
    WorkedCountries worked;

    // Flags between windows: FlagTrue or FlagFalse.
    std::int16_t LogChanged = FlagFalse;
    QString UtcNowText;

    // The text of a resource id in the active language, or the fallback when the table has none.
    QString text(int italianId, const QString& fallback = QString()) const {
        return strings->localised(italianId, LanguageOffset).value_or(fallback);
    }
};

} // namespace qvmd
