#pragma once

#include "core/common/FileError.h"
#include "core/station/UseFile.h"

#include <optional>

namespace qvmd {

struct AppState;

// The one place where what Use.dat holds moves into the state: the log choice, the profile and the
// station type.

// The state's part that Use.dat holds.
UseRecord useRecordOf(const AppState& state);
void adoptUseRecord(AppState& state, const UseRecord& record);

// Reads Data/Use.dat into the state; a missing or unreadable file is returned and nothing changes.
std::optional<FileError> loadUseFile(AppState& state);

// Rewrites Data/Use.dat with the header, the profile and the station type; once the file is written, the
// state holds what it holds, so memory and disk agree. A failure leaves both as they were; a file in
// place whose folder sync failed (FileError::Kind::Unconfirmed) counts as written.
WriteResult saveUseFile(AppState& state, const UseHeader& header, const StationProfile& profile,
                        std::int16_t stationKind, const DiskSync& sync = systemDiskSync());
// The same with the state's own profile and station type: a new log choice.
WriteResult saveUseFile(AppState& state, const UseHeader& header);

// The year a writer puts on line 5: the current one by the state's clock.
int currentYear(const AppState& state);

} // namespace qvmd
