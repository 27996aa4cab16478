#include "core/logfile/LogStatistics.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/logfile/MarkScan.h"

#include <array>
#include <limits>

namespace qvmd {

LogStatistics logStatistics(std::span<const ContactRecord> records, int countryCount) {
    LogStatistics result{LogCounters{}, WorkedCountries(countryCount)};
    std::int64_t hunters = 0;
    std::int64_t ladies = 0;
    std::int64_t cancelled = 0;
    for (const ContactRecord& record : records) {
        if (record.isCancelled()) {
            ++cancelled;
            continue;
        }
        result.worked.markIdentifier(record.field(ContactRecord::Unit));
        const QStringView category = record.field(ContactRecord::Category);
        if (category.size() == 1 && category[0] == u'H')
            ++hunters;
        else if (category.size() == 1 && category[0] == u'L')
            ++ladies;
    }
    result.counters.NextProgressive = toInt16(static_cast<std::int64_t>(records.size()) + 1);
    result.counters.HunterCount = toInt16(hunters);
    result.counters.LadyCount = toInt16(ladies);
    result.counters.CountryCount = toInt16(result.worked.count());
    result.counters.CancelledCount = toInt16(cancelled);
    return result;
}

namespace {

// The blanks QString::trimmed takes off, as bytes of the code page.
bool isBlankByte(char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte == ' ' || (byte >= 0x09 && byte <= 0x0D) || byte == 0xA0;
}

bool isLetter(QByteArrayView field, char letter) {
    return field.size() == 1 && field[0] == letter;
}

int countryNumberOfBytes(QByteArrayView identifier) {
    qsizetype i = 0;
    while (i < identifier.size() && isBlankByte(identifier[i]))
        ++i;
    constexpr int limit = std::numeric_limits<int>::max();
    int value = 0;
    for (; i < identifier.size() && identifier[i] >= '0' && identifier[i] <= '9'; ++i) {
        const int digit = identifier[i] - '0';
        value = value > (limit - digit) / 10 ? limit : value * 10 + digit;
    }
    return value;
}

} // namespace

LogSummary scanLog(QByteArrayView bytes, int countryCount) {
    LogSummary summary{LogContents{}, LogStatistics{LogCounters{}, WorkedCountries(countryCount)}};
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();
    std::int64_t records = 0;
    std::int64_t hunters = 0;
    std::int64_t ladies = 0;
    std::int64_t cancelled = 0;

    qsizetype lineStart = 0;
    int separators = 0;
    std::array<qsizetype, ContactRecord::FieldCount + 1> bounds{};
    auto endLine = [&](qsizetype end) {
        qsizetype stop = end;
        if (stop > lineStart && data[stop - 1] == '\r')
            --stop;
        if (stop == lineStart)
            return;
        if (data[lineStart] == '#') {
            addHeaderLine(summary.contents, QByteArrayView(data + lineStart, stop - lineStart));
            return;
        }
        ++records;
        bounds[0] = lineStart;
        // Field i (0-based) as the reading rule gives it: up to its ">", the rest of the line when it is
        // the last and unterminated, empty when missing.
        auto field = [&](int i) {
            if (separators > i)
                return QByteArrayView(data + bounds[i], bounds[i + 1] - 1 - bounds[i]);
            if (separators == i)
                return QByteArrayView(data + bounds[i], stop - bounds[i]);
            return QByteArrayView();
        };
        // A CR inside a field stays in the comparison here, where the records have a blank: neither is
        // a letter, so both count the same.
        if (!isLetter(field(ContactRecord::Cancelled), 'N')) {
            ++cancelled;
            return;
        }
        summary.statistics.worked.mark(countryNumberOfBytes(field(ContactRecord::Unit)));
        const QByteArrayView category = field(ContactRecord::Category);
        if (isLetter(category, 'H'))
            ++hunters;
        else if (isLetter(category, 'L'))
            ++ladies;
    };
    forEachMark<false>(data, size, [&](qsizetype at) {
        switch (data[at]) {
        case '>':
            if (separators < ContactRecord::FieldCount)
                bounds[static_cast<std::size_t>(++separators)] = at + 1;
            break;
        default: // line feed
            endLine(at);
            lineStart = at + 1;
            separators = 0;
            break;
        }
    });
    if (lineStart < size)
        endLine(size);

    LogCounters& counters = summary.statistics.counters;
    counters.NextProgressive = toInt16(records + 1);
    counters.HunterCount = toInt16(hunters);
    counters.LadyCount = toInt16(ladies);
    counters.CountryCount = toInt16(summary.statistics.worked.count());
    counters.CancelledCount = toInt16(cancelled);
    return summary;
}

Result<LogSummary> readLogSummary(const QString& path, int countryCount) {
    Result<QByteArray> bytes = readLogBytes(path);
    if (!bytes)
        return bytes.error();
    return scanLog(bytes.value(), countryCount);
}

Result<OpenedLog> openLog(const ProgramFolder& folder, const QString& logName, int countryCount,
                          const DiskSync& sync) {
    removeLogsLeftovers(folder);
    Result<LogContents> contents = readLog(folder.logs(logName));
    if (!contents)
        return contents.error();
    LogStatistics statistics = logStatistics(contents.value().records, countryCount);
    OpenedLog opened{std::move(contents.value()), std::move(statistics), false, std::nullopt};
    const Result<LogCounters> onDisk = readCounterFile(folder);
    if (!onDisk || !(onDisk.value() == opened.statistics.counters)) {
        opened.countersRebuilt = true;
        opened.counterFileError = writeCounterFile(folder, opened.statistics.counters, sync);
    }
    return opened;
}

} // namespace qvmd
