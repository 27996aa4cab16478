#include "core/refdata/Roster.h"

#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"

#include <QByteArrayMatcher>
#include <QByteArrayView>

#include <array>
#include <cstring>

namespace qvmd {

namespace {

// The leading-number rule on raw bytes, reduced to the one question the registration search asks.
bool leadingNumberIsPositive(QByteArrayView line) {
    qsizetype pos = 0;
    while (pos < line.size() && (line[pos] == ' ' || line[pos] == '\t'))
        ++pos;
    bool negative = false;
    if (pos < line.size() && (line[pos] == '-' || line[pos] == '+')) {
        negative = line[pos] == '-';
        ++pos;
    }
    bool nonZero = false;
    for (; pos < line.size() && line[pos] >= '0' && line[pos] <= '9'; ++pos)
        nonZero = nonZero || line[pos] != '0';
    return nonZero && !negative;
}

qsizetype lastIndexOf(QByteArrayView text, char c) {
    for (qsizetype i = text.size(); i > 0; --i) {
        if (text[i - 1] == c)
            return i - 1;
    }
    return -1;
}

// Applies the splitting rule to one line; returns the name when the line's key is the identifier.
std::optional<QByteArrayView> nameIfKey(QByteArrayView line, QByteArrayView identifier,
                                        bool positiveLeadingOnly) {
    if (line.isEmpty() || line[0] == '#')
        return std::nullopt;
    if (positiveLeadingOnly && !leadingNumberIsPositive(line))
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
    const QByteArrayMatcher matcher(needle);
    const char* data = roster.constData();
    const qsizetype size = roster.size();
    qsizetype from = 0;
    while (from < size) {
        const qsizetype hit = matcher.indexIn(data, size, from);
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
        const Result<QByteArray> bytes = readFileBytes(path);
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
