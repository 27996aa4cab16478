#include "core/check/RecordPlaces.h"

#include "core/logfile/MarkScan.h"

#include <bit>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

namespace qvmd {
namespace {

// Where ">", line feeds and carriage returns stand in 16 bytes at once, one bit per byte.
struct Marks {
    unsigned separators = 0;
    unsigned lineFeeds = 0;
    unsigned returns = 0;
};

#ifdef __SSE2__
Marks marksAt(const char* data) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data));
    return {static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('>')))),
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('\n')))),
            static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8('\r'))))};
}
#else
Marks marksAt(const char* data) {
    Marks marks;
    for (unsigned i = 0; i < 16; ++i) {
        marks.separators |= static_cast<unsigned>(data[i] == '>') << i;
        marks.lineFeeds |= static_cast<unsigned>(data[i] == '\n') << i;
        marks.returns |= static_cast<unsigned>(data[i] == '\r') << i;
    }
    return marks;
}
#endif

} // namespace

void RecordPlaces::read(QByteArrayView bytes) {
    header = LogContents{};
    headerLines.clear();
    records.clear();
    patched.clear();
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    data = bytes.data();
    const qsizetype size = bytes.size();

    RecordPlace place;
    place.line = 1;
    qint32 lastSeparator = -1;
    qsizetype firstReturn = -1; // of the line; inside its text when before its end
    auto endLine = [&](qsizetype end) {
        qsizetype stop = end;
        if (stop > place.start && bytes[stop - 1] == '\r')
            --stop;
        if (stop == place.start)
            return;
        if (bytes[place.start] == '#') {
            addHeaderLine(header, bytes.sliced(place.start, stop - place.start));
            headerLines.push_back(place.line);
            return;
        }
        place.stop = static_cast<qint32>(stop);
        const qint32 tailStart = place.separators > 0 ? lastSeparator + 1 : place.start;
        place.fields = place.separators + (place.stop > tailStart ? 1 : 0);
        records.push_back(place);
        if (firstReturn < 0 || firstReturn >= stop)
            return;
        // The reader takes a carriage return inside a record for a blank.
        if (patched.isEmpty()) {
            patched = bytes.toByteArray();
            data = patched.constData();
        }
        char* text = patched.data();
        for (qsizetype i = place.start; i < stop; ++i)
            if (text[i] == '\r')
                text[i] = ' ';
    };
    auto separatorAt = [&](qsizetype at) {
        if (place.separators < 8)
            place.ends[static_cast<std::size_t>(place.separators)] = static_cast<qint32>(at);
        ++place.separators;
        lastSeparator = static_cast<qint32>(at);
    };
    auto lineFeedAt = [&](qsizetype at) {
        endLine(at);
        place.start = static_cast<qint32>(at + 1);
        ++place.line;
        place.separators = 0;
        firstReturn = -1;
    };
    // Most blocks of a log hold separators only; the others are taken mark by mark, in order.
    qsizetype i = 0;
    for (; i + 16 <= size; i += 16) {
        const Marks marks = marksAt(bytes.data() + i);
        if ((marks.lineFeeds | marks.returns) == 0) {
            for (unsigned bits = marks.separators; bits != 0; bits &= bits - 1)
                separatorAt(i + std::countr_zero(bits));
            continue;
        }
        for (unsigned bits = marks.separators | marks.lineFeeds | marks.returns; bits != 0;
             bits &= bits - 1) {
            const int bit = std::countr_zero(bits);
            const unsigned mark = 1u << bit;
            if (marks.separators & mark)
                separatorAt(i + bit);
            else if (marks.lineFeeds & mark)
                lineFeedAt(i + bit);
            else if (firstReturn < 0)
                firstReturn = i + bit;
        }
    }
    for (; i < size; ++i) {
        if (bytes[i] == '>')
            separatorAt(i);
        else if (bytes[i] == '\n')
            lineFeedAt(i);
        else if (bytes[i] == '\r' && firstReturn < 0)
            firstReturn = i;
    }
    if (place.start < size)
        endLine(size);
}

} // namespace qvmd
