#pragma once

#include "core/common/Numbers.h"
#include "core/common/TrimmedField.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QtGlobal>

#include <bit>
#include <cstdint>
#include <cstring>
#include <limits>
#include <utility>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qvmd {

// One record of a log as the statistics and the log in use need it, read from the file's bytes (Windows-1252,
// one byte a character) without decoding them.
struct RecordLine {
    QByteArrayView line;   // eight fields, each followed by ">", without CR or LF: the line written back
    QByteArrayView unit;   // field 3, the worked station's identifier
    char category = 0;     // 'H' or 'L' when field 5 is exactly that letter, otherwise 0
    bool cancelled = true; // field 8 is anything but exactly "N"
    bool inScanned = true; // line lies in the scanned bytes; otherwise in a copy that lasts only the call
};

// The facts of a record's own line (eight fields, each followed by ">"; missing ones are empty).
RecordLine recordLineFacts(QByteArrayView line);

// Field index (0-based) of a record's own line, without its ">".
QByteArrayView recordLineField(QByteArrayView line, int index);
// Two fields of the same line, found with one look at it.
std::pair<QByteArrayView, QByteArrayView> recordLineFields(QByteArrayView line, int first, int second);

// A log line without its line end made a record's own line by the reading rule and appended to out:
// fields end at each ">", a last field without one still counts, fields 9 and later are dropped, missing
// ones are empty and a CR becomes a blank. Byte for byte what ContactRecord::fromBytes makes of it.
void appendRecordLine(QByteArrayView line, QByteArray& out);

// The country number of an identifier's bytes: blanks skipped (those QString::trimmed takes off), then the
// leading decimal digits, the largest int when they run beyond it.
inline int countryNumberInBytes(QByteArrayView identifier) {
    // The usual identifier: one to three digits, then the club; read without a branch per digit.
    if (identifier.size() >= 4) {
        const auto digit = [&](int i) {
            return static_cast<unsigned>(static_cast<unsigned char>(identifier[i]) - '0');
        };
        const unsigned d0 = digit(0), d1 = digit(1), d2 = digit(2), d3 = digit(3);
        if (d0 < 10 && d3 >= 10) {
            if (d1 >= 10)
                return static_cast<int>(d0);
            return static_cast<int>(d2 >= 10 ? d0 * 10 + d1 : d0 * 100 + d1 * 10 + d2);
        }
    }
    // Otherwise the text rule of countryNumberOf, after the blanks a field's bytes may start with.
    qsizetype i = 0;
    while (i < identifier.size() && isBlankByte(identifier[i]))
        ++i;
    return detail::leadingDigitsOf(identifier.sliced(i));
}

namespace detail {

// A line the fast path does not take: its record is the part up to the eighth ">" when that holds no CR,
// otherwise a normalised copy.
template <typename OnRecord>
void otherRecordLine(QByteArrayView whole, QByteArray& scratch, OnRecord& onRecord) {
    qsizetype end = 0;
    int separators = 0;
    while (separators < 8) {
        const void* found =
            std::memchr(whole.data() + end, '>', static_cast<std::size_t>(whole.size() - end));
        if (!found)
            break;
        end = static_cast<const char*>(found) - whole.data() + 1;
        ++separators;
    }
    if (separators == 8 && !std::memchr(whole.data(), '\r', static_cast<std::size_t>(end))) {
        onRecord(recordLineFacts(whole.first(end)));
        return;
    }
    scratch.clear();
    appendRecordLine(whole, scratch);
    RecordLine copy = recordLineFacts(scratch);
    copy.inScanned = false;
    onRecord(copy);
}

// std::popcount is a library call where the processor's own instruction is not assumed.
inline int bitCount(std::uint64_t bits) {
#ifdef __POPCNT__
    return std::popcount(bits);
#else
    bits -= (bits >> 1) & 0x5555555555555555ull;
    bits = (bits & 0x3333333333333333ull) + ((bits >> 2) & 0x3333333333333333ull);
    bits = (bits + (bits >> 4)) & 0x0F0F0F0F0F0F0F0Full;
    return static_cast<int>((bits * 0x0101010101010101ull) >> 56);
#endif
}

inline std::uint64_t bitsBelow(qsizetype position) {
    return position >= 64 ? ~std::uint64_t(0) : (std::uint64_t(1) << position) - 1;
}

#ifdef __SSE2__
// Where one byte value stands among the 64 bytes from at, one bit a byte.
inline std::uint64_t matches64(const char* at, char wanted) {
    const __m128i pattern = _mm_set1_epi8(wanted);
    std::uint64_t bits = 0;
    for (int block = 0; block < 4; ++block) {
        const __m128i bytes = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 16 * block));
        bits |= static_cast<std::uint64_t>(
                    static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(bytes, pattern))))
                << (16 * block);
    }
    return bits;
}
#endif

} // namespace detail

// The reading rule over a whole file, one pass over its bytes: a leading UTF-8 byte-order mark is skipped,
// lines end at LF (a CR before it is part of the line end), empty lines are skipped, a line starting "#"
// goes to onHeader(QByteArrayView) and every other line to onRecord(const RecordLine&), in file order.
// With exactLines, RecordLine::line is the record's line as ContactRecord::fromBytes makes it; without,
// a line may keep a stray CR, which none of the other facts depends on (a CR is a blank and no letter).
//
// Line ends are found with memchr; a line of up to 128 bytes that is a plain record (exactly eight ">",
// the last at its end, no stray CR) is then read from bit masks of its ">", without a branch per byte.
template <bool exactLines, typename OnHeader, typename OnRecord>
void forEachLogLine(QByteArrayView bytes, OnHeader&& onHeader, OnRecord&& onRecord) {
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    QByteArray scratch;
    qsizetype start = 0;
    while (start < size) {
        const char* const line = data + start;
        const void* found = std::memchr(line, '\n', static_cast<std::size_t>(size - start));
        const qsizetype end = found ? static_cast<const char*>(found) - data : size;
        qsizetype stop = end - start;
        if (stop > 0 && line[stop - 1] == '\r')
            --stop;
        start = end + 1;
        if (stop == 0)
            continue;
        if (line[0] == '#') {
            onHeader(QByteArrayView(line, stop));
            continue;
        }
#ifdef __SSE2__
        if (stop <= 128 && line + 128 <= data + size) {
            const std::uint64_t low = detail::matches64(line, '>') & detail::bitsBelow(stop);
            const int lowCount = detail::bitCount(low);
            int count = lowCount;
            bool strayReturn = false;
            if constexpr (exactLines)
                strayReturn = (detail::matches64(line, '\r') & detail::bitsBelow(stop)) != 0;
            if (stop > 64) {
                count += detail::bitCount(detail::matches64(line + 64, '>') & detail::bitsBelow(stop - 64));
                if constexpr (exactLines)
                    strayReturn |= (detail::matches64(line + 64, '\r') & detail::bitsBelow(stop - 64)) != 0;
            }
            if (lowCount >= 4 && count == 8 && line[stop - 1] == '>' && !strayReturn) {
                std::uint64_t rest = low & (low - 1);
                const int second = std::countr_zero(rest);
                rest &= rest - 1;
                const int third = std::countr_zero(rest);
                rest &= rest - 1;
                const int fourth = std::countr_zero(rest);
                RecordLine record;
                record.line = QByteArrayView(line, stop);
                record.unit = QByteArrayView(line + second + 1, third - second - 1);
                const char category = line[fourth + 1];
                record.category =
                    line[fourth + 2] == '>' && (category == 'H' || category == 'L') ? category : 0;
                record.cancelled = !(line[stop - 2] == 'N' && line[stop - 3] == '>');
                onRecord(record);
                continue;
            }
        }
#endif
        detail::otherRecordLine(QByteArrayView(line, stop), scratch, onRecord);
    }
}

} // namespace qvmd
