#include "core/common/Numbers.h"

#include <limits>

namespace qvmd {

namespace {

bool isBlank(char16_t c) {
    return c == u' ' || c == u'\t';
}

template <typename View> std::int64_t leadingNumberOf(View text) {
    qsizetype pos = 0;
    while (pos < text.size() && isBlank(detail::unit(text, pos)))
        ++pos;
    bool anyDigit = false;
    const std::int64_t value = detail::readDigits(text, pos, anyDigit);
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
    return detail::wholeNumberOf(trimmedField(text));
}

} // namespace qvmd
