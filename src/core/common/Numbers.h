#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>
#include <optional>

namespace qvmd {

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

// True as the 16-bit flags between windows have it: all bits set.
inline constexpr std::int16_t FlagTrue = -1;
inline constexpr std::int16_t FlagFalse = 0;

} // namespace qvmd
