#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/station/StationProfile.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace qvmd {

class ProgramFolder;

// What Use.dat holds: the log choice, the profile with its category, and the station type.
struct UseRecord {
    LogChoice log;
    StationProfile profile;
    std::int16_t stationKind = 1;
};

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

// What the file holds once a writer has written these: texts trimmed, the category from the header.
UseRecord useRecord(const UseHeader& header, const StationProfile& profile, std::int16_t stationKind);

// Copies the lines of Use.dat into the record. Lines after the eleventh are ignored; missing ones leave
// their fields as they were.
void applyUseLines(UseRecord& record, const QStringList& lines);

// Reads Data/Use.dat over the given record (fields of missing lines keep its values).
Result<UseRecord> readUseFile(const ProgramFolder& folder, UseRecord base);

// Rewrites Data/Use.dat whole (atomically: a failure leaves the old file as it was).
WriteResult writeUseFile(const ProgramFolder& folder, const UseHeader& header, const StationProfile& profile,
                         std::int16_t stationKind, const DiskSync& sync = systemDiskSync());

} // namespace qvmd
