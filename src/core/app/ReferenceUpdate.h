#pragma once

#include "core/app/AppState.h"
#include "core/common/FileError.h"
#include "core/update/UpdateChecker.h"

#include <optional>

namespace qvmd {

// Puts what an update brought into the running program: the new country table (the worked marks of the
// log in use kept, as country numbers are line numbers), the new score weights, and the settings of a new
// Md.ini, read again. Returns the error of a settings file that could not be read back.
std::optional<FileError> applyReferenceUpdate(AppState& state, const ReferenceUpdate& update);

} // namespace qvmd
