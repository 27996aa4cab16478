#pragma once

#include "core/station/StationProfile.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace qvmd {

// The eleven header lines of a log, as values without their "#" marks. Value i is header line i + 1;
// the statistics pass and the log selection index them the same way.
struct LogHeader {
    enum Value : int {
        CategoryValue = 0, // "##" + "L" or "H"
        IdentifierValue,   // station identifier
        NameValue,         // operator's name
        PaperLogValue,     // "Y" or "N"
        StationTypeValue,  // 1 member, 2 generic
        DateValue,         // date of the last whole-file write
        CountryValue,      // country number
        ClubValue,
        UnitValue,
        YearValue,    // four digits
        ClosingValue, // "LOG"
    };
    static constexpr int ValueCount = 11;

    QStringList values = QStringList(ValueCount);

    const QString& value(int index) const { return values[index]; }

    // The header a writer puts on a log: the profile's fields trimmed, the paper log flag, the station
    // type, the date of writing (dd/MM/yyyy) and the year of the log.
    static LogHeader forProfile(const StationProfile& profile, const QString& paperLog,
                                std::int16_t stationType, const QDate& date, int year);

    // The eleven lines: "##" + category, then "#" + each value, the last "#LOG". Values are written
    // trimmed, with CR and LF turned into blanks so that a value stays on its line.
    QStringList lines() const;
};

} // namespace qvmd
