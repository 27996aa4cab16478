#include "FuzzFolder.h"
#include "core/common/Numbers.h"
#include "core/logfile/LogStatistics.h"
#include "core/logfile/WorkedCountries.h"
#include "core/logging/ContactLog.h"

// The statistics passes on arbitrary bytes (the first byte picks the country count): the selection's pass
// over the bytes and the log in use read from its bytes must agree with the records' pass in every
// counter, mark, record and header value.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0)
        return 0;
    const int countryCount = data[0];
    const QByteArrayView bytes = qvmd::fuzz::bytesOf(data + 1, size - 1);
    const qvmd::LogContents log = qvmd::parseLog(bytes);
    const qvmd::LogStatistics records = qvmd::logStatistics(log.records, countryCount);
    const qvmd::LogSummary scanned = qvmd::scanLog(bytes, countryCount);
    if (!(records.counters == scanned.statistics.counters) ||
        scanned.contents.header.values != log.header.values || scanned.contents.paperLog != log.paperLog ||
        scanned.contents.headerValueCount != log.headerValueCount)
        __builtin_trap();
    for (int country = 0; country <= countryCount + 1; ++country) {
        if (records.worked.isWorked(country) != scanned.statistics.worked.isWorked(country))
            __builtin_trap();
    }
    qvmd::ContactLog inUse;
    const qvmd::LogContents header = inUse.load(QByteArray(bytes.data(), bytes.size()));
    if (inUse.size() != static_cast<int>(log.records.size()) || header.header.values != log.header.values ||
        qvmd::toInt16(inUse.tally().hunters) != records.counters.HunterCount ||
        qvmd::toInt16(inUse.tally().ladies) != records.counters.LadyCount ||
        qvmd::toInt16(inUse.tally().cancelled) != records.counters.CancelledCount)
        __builtin_trap();
    for (int row = 1; row <= inUse.size(); ++row) {
        if (!(inUse.at(row) == log.records[static_cast<std::size_t>(row - 1)]))
            __builtin_trap();
    }
    const qvmd::WorkedCountries worked = inUse.workedCountries(countryCount);
    for (int country = 0; country <= countryCount + 1; ++country) {
        if (worked.isWorked(country) != records.worked.isWorked(country))
            __builtin_trap();
    }
    if (records.counters.NextProgressive < 1 || records.counters.CountryCount > countryCount)
        __builtin_trap();
    return 0;
}
