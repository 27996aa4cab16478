#include "core/app/ReferenceUpdate.h"

#include "core/app/StartupFiles.h"

namespace qvmd {

std::optional<FileError> applyReferenceUpdate(AppState& state, const ReferenceUpdate& update) {
    if (update.countries) {
        WorkedCountries worked(update.countries->count());
        for (int n = 1; n <= state.worked.countryCount(); ++n) {
            if (state.worked.isWorked(n))
                worked.mark(n);
        }
        state.worked = std::move(worked);
        state.countries = *update.countries;
    }
    if (update.weights)
        state.weights = *update.weights;
    if (update.settingsReplaced)
        return readMdIni(state);
    return std::nullopt;
}

} // namespace qvmd
