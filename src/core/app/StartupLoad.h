#pragma once

#include "core/common/FileError.h"

#include <optional>

namespace qvmd {

struct AppState;

// How far a start-up pass reads.
enum class StartupScope {
    LanguageOnly, // a second copy is running: only the language of its message is needed
    AllFiles,
};

// What a start-up pass could not read.
struct StartupFailure {
    FileError error;
    bool languageKnown = true; // false when Lang.dat itself failed: the message is given in both languages
};

// The start-up pass: reads Lang.dat, Prime.dat, Md.ini, Use.dat (registered station only), Prefix.dat and
// Data.dat into the state, in this order, and stops at the first file that cannot be read. The start
// routine runs it before the splash and again after it, so that what registration wrote is in force.
std::optional<StartupFailure> loadStartupFiles(AppState& state, StartupScope scope = StartupScope::AllFiles);

} // namespace qvmd
