#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <cstdint>
#include <limits>

namespace qvmd {

// A log is checked on its Windows-1252 bytes, one byte per character: these read a byte as the decoded
// text's character would be read, so that both give the same answer.

// The blanks QString::trimmed and QChar::isSpace take, as bytes of the code page.
inline bool isBlankByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == ' ' || (byte >= 0x09 && byte <= 0x0D) || byte == 0xA0;
}

inline QByteArrayView trimmedBytes(QByteArrayView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && isBlankByte(text[begin]))
        ++begin;
    while (end > begin && isBlankByte(text[end - 1]))
        --end;
    return text.sliced(begin, end - begin);
}

// One character of either kind of text as a number.
inline char16_t unitAt(QStringView text, qsizetype pos) {
    return text[pos].unicode();
}
inline char16_t unitAt(QByteArrayView text, qsizetype pos) {
    return static_cast<unsigned char>(text[pos]);
}

// The station identifier's grammar, written once for every reader: a country number without a leading
// zero, club letters, a unit number, nothing else. upper(c) gives the upper case of a letter the reader
// accepts (0 for anything else); put(i, c) receives each character as read, upper-cased; country gets
// the country number (capped at the largest int).
template <typename View, typename Upper, typename Put>
bool readIdentifier(View text, Upper upper, Put put, std::int32_t* country = nullptr) {
    const qsizetype size = text.size();
    if (size == 0 || unitAt(text, 0) < u'1' || unitAt(text, 0) > u'9')
        return false;
    constexpr std::int32_t limit = std::numeric_limits<std::int32_t>::max();
    std::int32_t value = 0;
    qsizetype i = 0;
    for (; i < size && unitAt(text, i) >= u'0' && unitAt(text, i) <= u'9'; ++i) {
        const std::int32_t digit = unitAt(text, i) - u'0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
        put(i, unitAt(text, i));
    }
    const qsizetype clubStart = i;
    for (; i < size; ++i) {
        const char16_t letter = upper(unitAt(text, i));
        if (letter == 0)
            break;
        put(i, letter);
    }
    const qsizetype unitStart = i;
    for (; i < size && unitAt(text, i) >= u'0' && unitAt(text, i) <= u'9'; ++i)
        put(i, unitAt(text, i));
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
