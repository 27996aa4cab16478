#pragma once

#include "core/logging/ContactChecks.h"
#include "core/logging/LogInUse.h"

#include <QString>

#include <optional>

namespace qvmd {

struct AppState;

// The messages of the logging window in the active language.

// Why a check refused the contact; empty when it passed.
QString checkMessage(const AppState& state, const CheckResult& result);

// What went wrong with a change of the log in use; nothing when it was done.
std::optional<QString> outcomeMessage(const AppState& state, const LogInUse::WriteOutcome& outcome);

// Why the log in use could not be opened; for a log gone from Logs, also where its newest copy is.
QString openFailureMessage(const AppState& state, const FileError& error);

// The one status line about what a power cut left at the end of the log; nothing when it left nothing.
std::optional<QString> tailCutMessage(const AppState& state, const LogInUse::Opened& opened);

} // namespace qvmd
