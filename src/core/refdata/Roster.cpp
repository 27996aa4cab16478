#include "core/refdata/Roster.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"

#include <QByteArrayView>

#include <array>
#include <cstring>
#include <string_view>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace qvmd {

namespace {

qsizetype lastIndexOf(QByteArrayView text, char c) {
    for (qsizetype i = text.size(); i > 0; --i) {
        if (text[i - 1] == c)
            return i - 1;
    }
    return -1;
}

// Position of needle in text from `from` on, or -1. A roster search is one pass over the whole file, so the
// scan must cost little more than reading it: 16 positions at a time are tested for the needle's first and
// last byte together, and only those candidates are compared in full.
qsizetype findBytes(QByteArrayView text, qsizetype from, QByteArrayView needle) {
    const char* data = text.data();
    const qsizetype size = text.size();
    const qsizetype k = needle.size();
#if defined(__SSE2__)
    if (k >= 2) {
        const __m128i first = _mm_set1_epi8(needle[0]);
        const __m128i last = _mm_set1_epi8(needle[k - 1]);
        for (; from + k - 1 + 16 <= size; from += 16) {
            const __m128i a = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from));
            const __m128i b = _mm_loadu_si128(reinterpret_cast<const __m128i*>(data + from + k - 1));
            auto mask = static_cast<unsigned>(
                _mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(a, first), _mm_cmpeq_epi8(b, last))));
            while (mask != 0) {
                const int bit = __builtin_ctz(mask);
                if (std::memcmp(data + from + bit + 1, needle.data() + 1, static_cast<std::size_t>(k - 2)) ==
                    0)
                    return from + bit;
                mask &= mask - 1;
            }
        }
    }
#endif
    if (from > size)
        return -1;
    const std::size_t pos = std::string_view(data, static_cast<std::size_t>(size))
                                .find(std::string_view(needle.data(), static_cast<std::size_t>(k)),
                                      static_cast<std::size_t>(from));
    return pos == std::string_view::npos ? -1 : static_cast<qsizetype>(pos);
}

// Applies the splitting rule to one line; returns the name when the line's key is the identifier.
std::optional<QByteArrayView> nameIfKey(QByteArrayView line, QByteArrayView identifier,
                                        bool positiveLeadingOnly) {
    if (line.isEmpty() || line[0] == '#')
        return std::nullopt;
    if (positiveLeadingOnly && leadingNumber(line) <= 0)
        return std::nullopt;
    const qsizetype last = lastIndexOf(line, '>');
    if (last < 0)
        return std::nullopt;
    const qsizetype before = lastIndexOf(line.first(last), '>');
    if (line.sliced(before + 1, last - before - 1) != identifier)
        return std::nullopt;
    return line.sliced(last + 1);
}

} // namespace

std::optional<QString> findInRoster(const QByteArray& roster, const QString& identifier,
                                    bool positiveLeadingOnly) {
    QByteArray needle = toWindows1252(identifier);
    // A character outside the code page cannot be in the file; its "?" stand-in must not match one.
    if (fromWindows1252(needle) != identifier)
        return std::nullopt;
    const qsizetype keySize = needle.size();
    needle += '>';

    // Only lines that hold "identifier>" somewhere can match; each such line is judged once by the full
    // rule, so the scan stays linear even on hostile input.
    const char* data = roster.constData();
    const qsizetype size = roster.size();
    qsizetype from = 0;
    while (from < size) {
        const qsizetype hit = findBytes(roster, from, needle);
        if (hit < 0)
            break;
        qsizetype start = hit;
        while (start > 0 && data[start - 1] != '\n')
            --start;
        const void* newline = std::memchr(data + hit, '\n', static_cast<std::size_t>(size - hit));
        qsizetype end = newline ? static_cast<const char*>(newline) - data : size;
        from = end + 1;
        if (end > start && data[end - 1] == '\r')
            --end;
        const QByteArrayView line(data + start, end - start);
        if (const auto name = nameIfKey(line, QByteArrayView(needle).first(keySize), positiveLeadingOnly))
            return fromWindows1252(*name);
    }
    return std::nullopt;
}

RosterSearch searchRosters(const ProgramFolder& folder, const QString& identifier, RosterOrder order) {
    struct Source {
        const char* file;
        const char* category;
        bool positiveLeadingOnly;
    };
    const bool registration = order == RosterOrder::Registration;
    const std::array<Source, 2> sources =
        registration ? std::array<Source, 2>{{{"Hunter.dat", "H", true}, {"Lady.dat", "L", false}}}
                     : std::array<Source, 2>{{{"Lady.dat", "L", false}, {"Hunter.dat", "H", false}}};

    RosterSearch search;
    for (const Source& source : sources) {
        const QString path = folder.data(QLatin1String(source.file));
        const Result<QByteArray> bytes = readFileBytes(path, RosterFileLimit);
        if (!bytes) {
            if (!search.error)
                search.error = bytes.error();
            continue;
        }
        if (std::optional<QString> name =
                findInRoster(bytes.value(), identifier, source.positiveLeadingOnly)) {
            search.found = true;
            search.entry = RosterEntry{identifier, std::move(*name), QLatin1String(source.category)};
            return search;
        }
    }
    return search;
}

} // namespace qvmd
