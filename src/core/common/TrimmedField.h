#pragma once

#include <QByteArrayView>
#include <QStringView>

#include <array>

namespace qvmd {

// QStringView::trimmed() for passes over every field of a log: fields as the program writes them have
// no blanks at their ends, and those are returned without a call.
inline QStringView trimmedField(QStringView text) {
    auto printable = [](QChar c) { return c.unicode() > u' ' && c.unicode() < 0x7f; };
    if (text.isEmpty() || (printable(text.front()) && printable(text.back())))
        return text;
    return text.trimmed();
}

namespace detail {
// By byte of the Windows-1252 files: whether its character is one QString::trimmed takes off.
extern const std::array<bool, 256> BlankBytes;
} // namespace detail

// The same rule on a file's raw bytes (Windows-1252, one byte a character), for passes that never
// decode: a byte is a blank when its decoded character is.
inline bool isBlankByte(char c) {
    return detail::BlankBytes[static_cast<unsigned char>(c)];
}

inline QByteArrayView trimmedField(QByteArrayView bytes) {
    auto printable = [](char c) { return c > ' ' && c < 0x7f; };
    if (bytes.isEmpty() || (printable(bytes.front()) && printable(bytes.back())))
        return bytes;
    qsizetype begin = 0;
    qsizetype end = bytes.size();
    while (begin < end && isBlankByte(bytes[begin]))
        ++begin;
    while (end > begin && isBlankByte(bytes[end - 1]))
        --end;
    return bytes.sliced(begin, end - begin);
}

} // namespace qvmd
