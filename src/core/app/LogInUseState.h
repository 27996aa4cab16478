#pragma once

#include "core/logging/LogInUse.h"

namespace qvmd {

struct AppState;

// The log in use as the state names it: its folder, its name, the year of the log choice and the
// profile a rewrite puts in its header.
LogInUsePlace logInUsePlace(const AppState& state);

} // namespace qvmd
