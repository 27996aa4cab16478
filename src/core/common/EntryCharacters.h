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

} // namespace qvmd
