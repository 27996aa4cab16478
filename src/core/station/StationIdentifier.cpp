#include "core/station/StationIdentifier.h"

namespace qvmd {

namespace {

unsigned codeOf(QChar c) {
    return c.unicode();
}
unsigned codeOf(char c) {
    return static_cast<unsigned char>(c);
}

// One grammar for both faces: each character is read as its code.
template <class Text> bool wellFormed(const Text& identifier) {
    const auto code = [&](qsizetype i) { return codeOf(identifier[i]); };
    const auto digit = [&](qsizetype i) { return code(i) >= '0' && code(i) <= '9'; };
    const qsizetype size = identifier.size();
    if (size == 0 || code(0) < '1' || code(0) > '9')
        return false;
    qsizetype i = 0;
    while (i < size && digit(i))
        ++i;
    const qsizetype clubStart = i;
    while (i < size && code(i) >= 'A' && code(i) <= 'Z')
        ++i;
    const qsizetype unitStart = i;
    while (i < size && digit(i))
        ++i;
    return i == size && unitStart > clubStart && size > unitStart;
}

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

} // namespace

IdentifierParts splitIdentifier(const QString& identifier) {
    IdentifierParts parts;
    bool pastCountry = false;
    for (const QChar c : identifier) {
        if (!isDigit(c)) {
            pastCountry = true;
            parts.club.append(c);
        } else if (pastCountry) {
            parts.unit.append(c);
        } else {
            parts.country.append(c);
        }
    }
    return parts;
}

IdentifierFault genericClubFault(QStringView club) {
    if (club == MemberClub)
        return IdentifierFault::GenericIsMember;
    if (club.size() < 1 || club.size() > LongestClub)
        return IdentifierFault::ClubLength;
    return IdentifierFault::None;
}

IdentifierFault identifierFault(std::int64_t country, std::int64_t unit, QStringView club, bool generic,
                                IdentifierLimits limits) {
    if (!isCountryNumber(country, limits.countryCount))
        return IdentifierFault::Country;
    if (unit < 1 || unit > limits.maxUnit)
        return IdentifierFault::Unit;
    return generic ? genericClubFault(club) : IdentifierFault::None;
}

bool wellFormedStationIdentifier(QStringView identifier) {
    return wellFormed(identifier);
}

bool wellFormedStationIdentifier(QByteArrayView identifier) {
    return wellFormed(identifier);
}

} // namespace qvmd
