#include "core/app/StationState.h"

#include "core/app/AppState.h"

namespace qvmd {

UseRecord useRecordOf(const AppState& state) {
    return {state.log, state.profile, state.StationKind};
}

void adoptUseRecord(AppState& state, const UseRecord& record) {
    state.log = record.log;
    state.profile = record.profile;
    state.StationKind = record.stationKind;
}

std::optional<FileError> loadUseFile(AppState& state) {
    Result<UseRecord> record = readUseFile(state.folder, useRecordOf(state));
    if (!record)
        return record.error();
    adoptUseRecord(state, record.value());
    return std::nullopt;
}

WriteResult saveUseFile(AppState& state, const UseHeader& header, const StationProfile& profile,
                        std::int16_t stationKind, const DiskSync& sync) {
    WriteResult failure = writeUseFile(state.folder, header, profile, stationKind, sync);
    // A file in place but unconfirmed holds the new record all the same.
    if (!failure || inPlaceUnconfirmed(failure))
        adoptUseRecord(state, useRecord(header, profile, stationKind));
    return failure;
}

WriteResult saveUseFile(AppState& state, const UseHeader& header) {
    return saveUseFile(state, header, state.profile, state.StationKind);
}

int currentYear(const AppState& state) {
    return state.clock->now().date().year();
}

} // namespace qvmd
