#include "core/app/LogInUseState.h"

#include "core/app/AppState.h"

namespace qvmd {

LogInUsePlace logInUsePlace(const AppState& state) {
    return {state.folder,  state.log.LogInUseName, state.log.year, state.countries.count(),
            state.profile, state.StationKind,      state.clock};
}

} // namespace qvmd
