#include "core/app/StartupLoad.h"

#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/app/StationState.h"

namespace qvmd {

std::optional<StartupFailure> loadStartupFiles(AppState& state, StartupScope scope) {
    const Result<std::int16_t> language = readLangFile(state.folder);
    if (!language)
        return StartupFailure{language.error(), false};
    state.LanguageOffset = language.value();
    if (scope == StartupScope::LanguageOnly)
        return std::nullopt;

    // A Prime.dat that cannot be read leaves no registered station behind.
    state.RegistrationState = 0;
    if (auto error = readPrimeFile(state))
        return StartupFailure{*error};
    if (auto error = readMdIni(state))
        return StartupFailure{*error};
    // Only a registered station has a profile; any other state leaves Use.dat unread.
    if (state.RegistrationState == 1 || state.RegistrationState == 2) {
        if (auto error = loadUseFile(state))
            return StartupFailure{*error};
    }

    Result<CountryTable> countries = CountryTable::load(state.folder.data(QStringLiteral("Prefix.dat")));
    if (!countries)
        return StartupFailure{countries.error()};
    state.countries = std::move(countries.value());
    // No log is read yet: nothing is worked, in a set the size of the new table.
    state.worked = WorkedCountries(state.countries.count());
    const Result<ScoreWeights> weights = ScoreWeights::load(state.folder.data(QStringLiteral("Data.dat")));
    if (!weights)
        return StartupFailure{weights.error()};
    state.weights = weights.value();
    state.MaxUnitNumber = 3000;
    return std::nullopt;
}

} // namespace qvmd
