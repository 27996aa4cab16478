#include "core/common/Numbers.h"

#include <limits>

namespace qvmd {

namespace {

bool isBlank(QChar c) {
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// Reads sign and digits starting at pos; returns the value and the position after the digits.
std::int64_t readDigits(QStringView text, qsizetype& pos, bool& anyDigit) {
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('-') || text[pos] == QLatin1Char('+'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    constexpr std::int64_t limit = std::numeric_limits<std::int64_t>::max();
    std::int64_t value = 0;
    anyDigit = false;
    while (pos < text.size() && text[pos] >= QLatin1Char('0') && text[pos] <= QLatin1Char('9')) {
        const int digit = text[pos].unicode() - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
        anyDigit = true;
        ++pos;
    }
    return negative ? -value : value;
}

} // namespace

std::int64_t leadingNumber(QStringView text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    bool anyDigit = false;
    const std::int64_t value = readDigits(text, pos, anyDigit);
    return anyDigit ? value : 0;
}

std::int16_t toInt16(std::int64_t value) {
    if (value > std::numeric_limits<std::int16_t>::max())
        return std::numeric_limits<std::int16_t>::max();
    if (value < std::numeric_limits<std::int16_t>::min())
        return std::numeric_limits<std::int16_t>::min();
    return static_cast<std::int16_t>(value);
}

std::optional<std::int64_t> wholeNumber(QStringView text) {
    const QStringView trimmed = text.trimmed();
    qsizetype pos = 0;
    bool anyDigit = false;
    const std::int64_t value = readDigits(trimmed, pos, anyDigit);
    if (!anyDigit || pos != trimmed.size())
        return std::nullopt;
    return value;
}

} // namespace qvmd
