#pragma once

#include <QByteArrayView>
#include <QtGlobal>

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qvmd {

// Calls visit(position) for every ">", LF and CR in order: sixteen bytes at a time where the processor
// allows, since a log is mostly bytes that need no look.
// For the log readers only.
// Without withReturns only ">" and LF are visited.
template <bool withReturns = true, typename Visit>
void forEachMark(const char* data, qsizetype size, Visit&& visit) {
    qsizetype i = 0;
#ifdef __SSE2__
    const __m128i separator = _mm_set1_epi8('>');
    const __m128i lineFeed = _mm_set1_epi8('\n');
    const __m128i carriageReturn = _mm_set1_epi8('\r');
    for (; i + 16 <= size; i += 16) {
        const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + i));
        __m128i marks = _mm_or_si128(_mm_cmpeq_epi8(block, separator), _mm_cmpeq_epi8(block, lineFeed));
        if constexpr (withReturns)
            marks = _mm_or_si128(marks, _mm_cmpeq_epi8(block, carriageReturn));
        auto mask = static_cast<unsigned>(_mm_movemask_epi8(marks));
        while (mask != 0) {
            visit(i + std::countr_zero(mask));
            mask &= mask - 1;
        }
    }
#endif
    for (; i < size; ++i) {
        if (data[i] == '>' || data[i] == '\n' || (withReturns && data[i] == '\r'))
            visit(i);
    }
}

} // namespace qvmd
