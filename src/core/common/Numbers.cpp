#include "core/common/Numbers.h"

#include "core/common/TrimmedField.h"

#include <limits>

namespace qvmd {

namespace {

// One code unit of either view, so that the rule is written once for texts and for raw file bytes.
char16_t unit(QStringView text, qsizetype pos) {
    return text[pos].unicode();
}
char16_t unit(QByteArrayView text, qsizetype pos) {
    return static_cast<unsigned char>(text[pos]);
}

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
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

template <typename View> std::int64_t leadingNumberOf(View text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(unit(text, pos)))
        ++pos;
    bool anyDigit = false;
    const std::int64_t value = readDigits(text, pos, anyDigit);
    return anyDigit ? value : 0;
}

} // namespace

std::int64_t leadingNumber(QStringView text) {
    return leadingNumberOf(text);
}

std::int64_t leadingNumber(QByteArrayView bytes) {
    return leadingNumberOf(bytes);
}

std::int16_t toInt16(std::int64_t value) {
    if (value > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    if (value < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(value);
}

std::optional<std::int64_t> wholeNumber(QStringView text) {
    const QStringView trimmed = trimmedField(text);
    // Progressive numbers and counters: a few plain digits, which cannot overflow.
    if (!trimmed.isEmpty() && trimmed.size() <= 9) {
        std::int64_t value = 0;
        bool digits = true;
        for (const QChar c : trimmed) {
            const auto digit = static_cast<unsigned>(c.unicode() - u'0');
            digits &= digit <= 9;
            value = value * 10 + digit;
        }
        if (digits)
            return value;
    }
    qsizetype pos = 0;
    bool anyDigit = false;
    const std::int64_t value = readDigits(trimmed, pos, anyDigit);
    if (!anyDigit || pos != trimmed.size())
        return std::nullopt;
    return value;
}

} // namespace qvmd
