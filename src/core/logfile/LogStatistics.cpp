#include "core/logfile/LogStatistics.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/logfile/RecordLines.h"

#include <algorithm>
#include <cstdint>
#include <vector>

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

LogSummary scanLog(QByteArrayView bytes, int countryCount) {
    LogSummary summary{LogContents{}, LogStatistics{LogCounters{}, WorkedCountries(countryCount)}};
    // Tallied in locals, which the compiler keeps in registers, and the countries marked once at the end.
    std::vector<std::uint8_t> seen(static_cast<std::size_t>(std::max(countryCount, 0)) + 1, 0);
    const auto countries = static_cast<unsigned>(std::max(countryCount, 0));
    std::int64_t records = 0;
    std::int64_t hunters = 0;
    std::int64_t ladies = 0;
    std::int64_t cancelled = 0;
    forEachLogLine<false>(
        bytes, [&](QByteArrayView line) { addHeaderLine(summary.contents, line); },
        [&](const RecordLine& record) {
            ++records;
            if (record.cancelled) {
                ++cancelled;
                return;
            }
            const int country = countryNumberInBytes(record.unit);
            if (static_cast<unsigned>(country) - 1 < countries)
                seen[static_cast<std::size_t>(country)] = 1;
            hunters += record.category == 'H';
            ladies += record.category == 'L';
        });
    WorkedCountries& worked = summary.statistics.worked;
    for (int country = 1; country <= countryCount; ++country) {
        if (seen[static_cast<std::size_t>(country)])
            worked.mark(country);
    }

    LogCounters& counters = summary.statistics.counters;
    counters.NextProgressive = toInt16(records + 1);
    counters.HunterCount = toInt16(hunters);
    counters.LadyCount = toInt16(ladies);
    counters.CountryCount = toInt16(worked.count());
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
    const CounterFileCheck check = reconcileCounterFile(folder, opened.statistics.counters, sync);
    opened.countersRebuilt = check.rebuilt;
    opened.counterFileError = check.error;
    return opened;
}

} // namespace qvmd
