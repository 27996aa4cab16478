#include "FuzzFolder.h"
#include "core/logfile/LogStatistics.h"

// The two statistics passes on arbitrary bytes (the first byte picks the country count): the selection's
// pass over the bytes must agree with the records' pass in every counter, mark and header value.
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
    if (records.counters.NextProgressive < 1 || records.counters.CountryCount > countryCount)
        __builtin_trap();
    return 0;
}
