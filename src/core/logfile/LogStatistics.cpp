#include "core/logfile/LogStatistics.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"

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
        if (category == u"H")
            ++hunters;
        else if (category == u"L")
            ++ladies;
    }
    result.counters.NextProgressive = toInt16(static_cast<std::int64_t>(records.size()) + 1);
    result.counters.HunterCount = toInt16(hunters);
    result.counters.LadyCount = toInt16(ladies);
    result.counters.CountryCount = toInt16(result.worked.count());
    result.counters.CancelledCount = toInt16(cancelled);
    return result;
}

Result<LogSummary> readLogSummary(const QString& path, int countryCount) {
    Result<LogContents> contents = readLog(path);
    if (!contents)
        return contents.error();
    LogStatistics statistics = logStatistics(contents.value().records, countryCount);
    return LogSummary{std::move(contents.value()), std::move(statistics)};
}

Result<OpenedLog> openLog(const ProgramFolder& folder, const QString& logName, int countryCount) {
    Result<LogSummary> summary = readLogSummary(folder.logs(logName), countryCount);
    if (!summary)
        return summary.error();
    OpenedLog opened{std::move(summary.value().contents), std::move(summary.value().statistics), false,
                     std::nullopt};
    const Result<LogCounters> onDisk = readCounterFile(folder);
    if (!onDisk || !(onDisk.value() == opened.statistics.counters)) {
        opened.countersRebuilt = true;
        opened.counterFileError = writeCounterFile(folder, opened.statistics.counters);
    }
    return opened;
}

} // namespace qvmd
