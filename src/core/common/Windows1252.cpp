#include "core/common/Windows1252.h"

#include <algorithm>
#include <array>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qvmd {

namespace {

// Bytes 0x80 to 0x9F; 0 marks the five unassigned codes, kept as the C1 control of the same value.
constexpr std::array<char16_t, 32> HighControls = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// Whether any byte is in 0x80 to 0x9F, sixteen at a time where the processor allows.
bool hasHighControls(const unsigned char* bytes, qsizetype size) {
    qsizetype i = 0;
#ifdef __SSE2__
    // As signed bytes the range is -128 to -97: below -96.
    const __m128i limit = _mm_set1_epi8(-96);
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + i));
        if (_mm_movemask_epi8(_mm_cmplt_epi8(block, limit)) != 0)
            return true;
    }
#endif
    for (; i < size; ++i) {
        if (bytes[i] >= 0x80 && bytes[i] <= 0x9F)
            return true;
    }
    return false;
}

} // namespace

QString fromWindows1252(QByteArrayView bytes) {
    // Latin-1 is Windows-1252 but for 0x80 to 0x9F: Qt's vectorised Latin-1 decoding does the bulk, then
    // the characters of that range are put right, looking only into blocks that hold any.
    QString text = QString::fromLatin1(bytes);
    char16_t* out = reinterpret_cast<char16_t*>(text.data());
    const unsigned char* in = reinterpret_cast<const unsigned char*>(bytes.data());
    const qsizetype size = bytes.size();
    constexpr qsizetype Block = 256;
    for (qsizetype start = 0; start < size; start += Block) {
        const qsizetype stop = std::min(size, start + Block);
        if (!hasHighControls(in + start, stop - start))
            continue;
        for (qsizetype i = start; i < stop; ++i) {
            const unsigned char byte = in[i];
            if (byte >= 0x80 && byte <= 0x9F && HighControls[byte - 0x80] != 0)
                out[i] = HighControls[byte - 0x80];
        }
    }
    return text;
}

QByteArray toWindows1252(const QString& text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        char byte = '?';
        if (c < 0x80 || (c >= 0xA0 && c <= 0xFF) || (c >= 0x80 && c <= 0x9F && HighControls[c - 0x80] == 0)) {
            byte = static_cast<char>(c);
        } else {
            for (std::size_t k = 0; k < HighControls.size(); ++k) {
                if (HighControls[k] == c) {
                    byte = static_cast<char>(0x80 + k);
                    break;
                }
            }
        }
        bytes[i] = byte;
    }
    return bytes;
}

} // namespace qvmd
