#pragma once

#include "core/common/TrimmedField.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <limits>
#include <optional>

namespace qvmd {

namespace detail {

// One code unit of either view, so that each rule is written once for texts and for raw file bytes.
inline char16_t unit(QStringView text, qsizetype pos) {
    return text[pos].unicode();
}
inline char16_t unit(QByteArrayView text, qsizetype pos) {
    return static_cast<unsigned char>(text[pos]);
}

// Reads sign and digits starting at pos; returns the value and the position after the digits.
template <typename View> std::int64_t readDigits(View text, qsizetype& pos, bool& anyDigit) {
    bool negative = false;
    if (pos < text.size() && (unit(text, pos) == u'-' || unit(text, pos) == u'+')) {
        negative = unit(text, pos) == u'-';
        ++pos;
    }
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    anyDigit = false;
    while (pos < text.size() && unit(text, pos) >= u'0' && unit(text, pos) <= u'9') {
        const int digit = unit(text, pos) - u'0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
        anyDigit = true;
        ++pos;
    }
    return negative ? -value : value;
}

// The leading decimal digits of a text as an int, the largest int when they run beyond it; 0 without any.
template <typename View> int leadingDigitsOf(View text) {
    constexpr int limit = std::numeric_limits<int>::max();
    int value = 0;
    for (qsizetype i = 0; i < text.size() && unit(text, i) >= u'0' && unit(text, i) <= u'9'; ++i) {
        const int digit = unit(text, i) - u'0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return value;
}

// A trimmed text that is a whole number and nothing else.
template <typename View> std::optional<std::int64_t> anyWholeNumberOf(View trimmed) {
    qsizetype pos = 0;
    bool anyDigit = false;
    const std::int64_t value = readDigits(trimmed, pos, anyDigit);
    if (!anyDigit || pos != trimmed.size())
        return std::nullopt;
    return value;
}
// The same, with the usual case first: a few plain digits, which cannot overflow (progressive numbers,
// counters).
template <typename View> std::optional<std::int64_t> wholeNumberOf(View trimmed) {
    if (!trimmed.isEmpty() && trimmed.size() <= 9) {
        std::int64_t value = 0;
        bool digits = true;
        for (qsizetype i = 0; i < trimmed.size(); ++i) {
            const auto digit = static_cast<unsigned>(unit(trimmed, i) - u'0');
            digits &= digit <= 9;
            value = value * 10 + digit;
        }
        if (digits)
            return value;
    }
    return anyWholeNumberOf(trimmed);
}

} // namespace detail

// The one leading-number rule of every file: leading blanks skipped, an optional sign, then the longest
// run of decimal digits; 0 when there is none. Values beyond the 64-bit range saturate.
std::int64_t leadingNumber(QStringView text);
// The same rule on a file's raw bytes (the leading part is plain ASCII in every code page we read).
std::int64_t leadingNumber(QByteArrayView bytes);

// 16-bit values as the files and flags hold them; out-of-range values saturate instead of wrapping.
std::int16_t toInt16(std::int64_t value);
inline std::int16_t leadingInt16(QStringView text) {
    return toInt16(leadingNumber(text));
}

// A trimmed text that is a whole integer and nothing else (sign allowed), or nothing.
std::optional<std::int64_t> wholeNumber(QStringView text);
// The same rule on a file's raw bytes, trimmed as trimmedField trims them: the answer the decoded text
// would give. Inline: a log's check reads two a record.
inline std::optional<std::int64_t> wholeNumber(QByteArrayView bytes) {
    return detail::wholeNumberOf(trimmedField(bytes));
}

// True as the 16-bit flags between windows have it: all bits set.
inline constexpr std::int16_t FlagTrue = -1;
inline constexpr std::int16_t FlagFalse = 0;

} // namespace qvmd
