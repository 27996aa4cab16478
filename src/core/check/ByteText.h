#pragma once

#include "core/common/Numbers.h"

#include <QByteArrayView>
#include <QStringView>

#include <cstdint>
#include <limits>

namespace qvmd {

// A log is checked on its Windows-1252 bytes, one byte per character: these read a byte as the decoded
// text's character would be read, so that both give the same answer (blanks and trimming: TrimmedField).

// The station identifier's grammar, written once for every reader: a country number without a leading
// zero, club letters, a unit number, nothing else. upper(c) gives the upper case of a letter the reader
// accepts (0 for anything else); put(i, c) receives each character as read, upper-cased; country gets
// the country number (capped at the largest int).
template <typename View, typename Upper, typename Put>
bool readIdentifier(View text, Upper upper, Put put, std::int32_t* country = nullptr) {
    const qsizetype size = text.size();
    if (size == 0 || detail::unit(text, 0) < u'1' || detail::unit(text, 0) > u'9')
        return false;
    constexpr std::int32_t limit = std::numeric_limits<std::int32_t>::max();
    std::int32_t value = 0;
    qsizetype i = 0;
    for (; i < size && detail::unit(text, i) >= u'0' && detail::unit(text, i) <= u'9'; ++i) {
        const std::int32_t digit = detail::unit(text, i) - u'0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
        put(i, detail::unit(text, i));
    }
    const qsizetype clubStart = i;
    for (; i < size; ++i) {
        const char16_t letter = upper(detail::unit(text, i));
        if (letter == 0)
            break;
        put(i, letter);
    }
    const qsizetype unitStart = i;
    for (; i < size && detail::unit(text, i) >= u'0' && detail::unit(text, i) <= u'9'; ++i)
        put(i, detail::unit(text, i));
    if (i != size || unitStart == clubStart || unitStart == size)
        return false;
    if (country)
        *country = value;
    return true;
}

// The letters of a well-formed identifier: capitals only.
inline char16_t capitalLetter(char16_t c) {
    return c >= u'A' && c <= u'Z' ? c : 0;
}

} // namespace qvmd
