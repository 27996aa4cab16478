#pragma once

#include "core/app/AppState.h"
#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <cstdint>
#include <optional>

namespace qvmd {

// Lang.dat: the last line counts, as its leading number. The program only knows 0 (Italian) and
// 1000 (English); any other non-zero value is taken as English so that no lookup lands on a wrong id.
Result<std::int16_t> readLangFile(const ProgramFolder& folder);
// Rewrites Lang.dat whole with "0" or "1000".
WriteResult writeLangFile(const ProgramFolder& folder, std::int16_t languageOffset,
                          const DiskSync& sync = systemDiskSync());

// Prime.dat: registration state, station kind, identifier and name from lines 1 to 4. A missing line
// leaves its value as it was; line 5 (the registration date) and any later line change nothing.
// On a read failure the state is left untouched.
std::optional<FileError> readPrimeFile(AppState& state);

// Md.ini: up to eleven trimmed lines into SettingsEntries 0..10; the missing ones become empty and
// lines after the eleventh are ignored. On a read failure the entries are left untouched.
std::optional<FileError> readMdIni(AppState& state);

// Removes the temporary files that a rewrite of a file in Data or Logs left behind when the program was
// stopped before its rename; the files themselves are untouched. Returns how many were removed.
int removeWriterLeftovers(const ProgramFolder& folder);

} // namespace qvmd
