#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace qvmd {

// A station identifier is a country number, a club and a unit number written together (5QV123).

// The club of the organising group's member stations.
inline constexpr QStringView MemberClub = u"QV";
// The longest club a generic station may have.
inline constexpr int LongestClub = 5;

// Trims each part and joins them in order: 5 + QV + 123 gives 5QV123.
inline QString buildStationIdentifier(const QString& countryNumber, const QString& club,
                                      const QString& unit) {
    return countryNumber.trimmed() + club.trimmed() + unit.trimmed();
}

// An identifier split as the entry boxes hold it: the digits before the first non-digit, every
// non-digit, and the digits after the first non-digit.
struct IdentifierParts {
    QString country;
    QString club;
    QString unit;
};
IdentifierParts splitIdentifier(const QString& identifier);

// The first rule an identifier's parts break, in the order the windows report them.
enum class IdentifierFault {
    None,
    Country,         // not a line of the country table (1 to the country count)
    Unit,            // not from 1 to the largest unit number
    GenericIsMember, // a generic station with the members' club
    ClubLength,      // a generic station's club not of 1 to LongestClub letters
};

// A country number names a line of the country table.
inline bool isCountryNumber(std::int64_t country, int countryCount) {
    return country >= 1 && country <= countryCount;
}

// A generic station's club: neither the members' club nor longer than LongestClub letters, nor empty.
IdentifierFault genericClubFault(QStringView club);

struct IdentifierLimits {
    int countryCount = 0;
    int maxUnit = 0;
};
// Country and unit number (their leading numbers) and, for a generic station, its club (trimmed).
IdentifierFault identifierFault(std::int64_t country, std::int64_t unit, QStringView club, bool generic,
                                IdentifierLimits limits);

// The written form of an identifier: a country number without a leading zero, one or more capitals, one
// or more digits, nothing else. The same rule over text and over single-byte text.
bool wellFormedStationIdentifier(QStringView identifier);
bool wellFormedStationIdentifier(QByteArrayView identifier);

} // namespace qvmd
