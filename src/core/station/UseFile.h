#pragma once

#include "core/common/FileError.h"
#include "core/station/StationProfile.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace qvmd {

struct AppState;
class ProgramFolder;

// Lines 1 to 5 of Use.dat: the log choice and the category, as each writer puts them.
struct UseHeader {
    QString logInUse; // "0" or "1"
    QString logName;  // file name of the log in use, "0" when none
    QString category; // "H", "L" or "0"
    QString paperLog; // "Y", "N" or "0"
    QString year;     // four digits

    // Registration and the profile editor: no log in use.
    static UseHeader noLog(const QString& category, int year);
    // Creating or selecting a log.
    static UseHeader forLog(const QString& logName, const QString& category, const QString& paperLog,
                            const QString& year);
};

// The eleven lines of Use.dat: the header, then the profile and the station type.
QStringList useFileLines(const UseHeader& header, const StationProfile& profile, std::int16_t stationKind);

// Copies the lines of Use.dat into the log choice, the profile and StationKind. Lines after the
// eleventh are ignored; missing ones leave their fields as they were.
void applyUseLines(AppState& state, const QStringList& lines);

// Reads Data/Use.dat into the state; a missing or unreadable file is returned and nothing changes.
std::optional<FileError> readUseFile(AppState& state);

// Rewrites Data/Use.dat whole (atomically: a failure leaves the old file as it was).
WriteResult writeUseFile(const ProgramFolder& folder, const UseHeader& header, const StationProfile& profile,
                         std::int16_t stationKind);

// Rewrites Data/Use.dat from the state's profile and StationKind with the given header; once the file
// is written, the state's log choice and category follow it, so memory and disk agree.
WriteResult saveUseFile(AppState& state, const UseHeader& header);

// The year a writer puts on line 5: the current one by the state's clock.
int currentYear(const AppState& state);

} // namespace qvmd
