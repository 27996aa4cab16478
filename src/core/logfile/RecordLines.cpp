#include "core/logfile/RecordLines.h"

#include <algorithm>
#include <array>

namespace qvmd {

namespace {

constexpr int FieldCount = 8;

// The separators of a record's own line; a missing one stands at the line's end.
std::array<qsizetype, FieldCount> separatorsOf(QByteArrayView line) {
    std::array<qsizetype, FieldCount> at{};
    qsizetype from = 0;
    for (qsizetype& position : at) {
        const void* found = from < line.size() ? std::memchr(line.data() + from, '>',
                                                             static_cast<std::size_t>(line.size() - from))
                                               : nullptr;
        position = found ? static_cast<const char*>(found) - line.data() : line.size();
        from = std::min(position + 1, line.size());
    }
    return at;
}

QByteArrayView fieldBetween(QByteArrayView line, const std::array<qsizetype, FieldCount>& at, int index) {
    const qsizetype begin =
        index == 0 ? 0 : std::min(at[static_cast<std::size_t>(index) - 1] + 1, line.size());
    return line.sliced(begin, std::max<qsizetype>(at[static_cast<std::size_t>(index)] - begin, 0));
}

} // namespace

RecordLine recordLineFacts(QByteArrayView line) {
    const std::array<qsizetype, FieldCount> at = separatorsOf(line);
    RecordLine facts;
    facts.line = line;
    facts.unit = fieldBetween(line, at, 2);
    const QByteArrayView category = fieldBetween(line, at, 4);
    if (category == "H" || category == "L")
        facts.category = category[0];
    facts.cancelled = fieldBetween(line, at, 7) != "N";
    return facts;
}

QByteArrayView recordLineField(QByteArrayView line, int index) {
    if (index < 0 || index >= FieldCount)
        return {};
    return fieldBetween(line, separatorsOf(line), index);
}

std::pair<QByteArrayView, QByteArrayView> recordLineFields(QByteArrayView line, int first, int second) {
    if (first < 0 || first >= FieldCount || second < 0 || second >= FieldCount)
        return {};
    const std::array<qsizetype, FieldCount> at = separatorsOf(line);
    return {fieldBetween(line, at, first), fieldBetween(line, at, second)};
}

void appendRecordLine(QByteArrayView line, QByteArray& out) {
    const qsizetype begin = out.size();
    qsizetype pos = 0;
    int fields = 0;
    while (pos < line.size() && fields < FieldCount) {
        const qsizetype found = line.indexOf('>', pos);
        const qsizetype end = found < 0 ? line.size() : found;
        out += line.sliced(pos, end - pos);
        out += '>';
        ++fields;
        pos = end + 1;
    }
    for (; fields < FieldCount; ++fields)
        out += '>';
    std::replace(out.begin() + begin, out.end(), '\r', ' ');
}

} // namespace qvmd
