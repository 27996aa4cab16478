#pragma once

#include <QChar>

namespace qvmd {

// The characters the entry boxes take, after upper-casing: the same sets in the station and logging windows.
inline bool isDigitKey(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

inline bool isCapitalKey(QChar c) {
    return c >= QLatin1Char('A') && c <= QLatin1Char('Z');
}

// The accented capitals an Italian keyboard types into a name.
inline bool isAccentedCapital(QChar c) {
    switch (c.unicode()) {
    case 0xC0: // À
    case 0xC8: // È
    case 0xC9: // É
    case 0xCC: // Ì
    case 0xD2: // Ò
    case 0xD9: // Ù
    case 0xC7: // Ç
        return true;
    default:
        return false;
    }
}

// What an entry box holds, for the characters it admits.
enum class EntryKind {
    Number, // digits
    Club,   // capitals
    Name,   // capitals, blank, ".", "'" and the accented capitals
    None,   // filled by the program only
};

// Whether a box of this kind takes the (already upper-cased) character: the one rule for every window.
inline bool entryAdmits(EntryKind kind, QChar upper) {
    switch (kind) {
    case EntryKind::Number:
        return isDigitKey(upper);
    case EntryKind::Club:
        return isCapitalKey(upper);
    case EntryKind::Name:
        return isCapitalKey(upper) || upper == QLatin1Char(' ') || upper == QLatin1Char('.') ||
               upper == QLatin1Char('\'') || isAccentedCapital(upper);
    case EntryKind::None:
        break;
    }
    return false;
}

} // namespace qvmd
