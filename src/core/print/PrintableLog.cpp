#include "core/print/PrintableLog.h"

#include "core/logfile/ContactRecord.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogStatistics.h"

#include <cstring>

namespace qvmd {

namespace {

qsizetype countLines(const QByteArray& bytes) {
    qsizetype lines = 0;
    const char* at = bytes.constData();
    const char* const end = at + bytes.size();
    while (at < end) {
        const void* found = std::memchr(at, '\n', std::size_t(end - at));
        ++lines;
        if (!found)
            break;
        at = static_cast<const char*>(found) + 1;
    }
    return lines;
}

} // namespace

Result<PrintableLog> PrintableLog::read(const QString& path) {
    Result<QByteArray> bytes = readLogBytes(path);
    if (!bytes)
        return bytes.error();
    return PrintableLog(std::move(bytes.value()));
}

PrintableLog::PrintableLog(QByteArray bytes) : bytes_(std::move(bytes)), lineCount_(countLines(bytes_)) {}

ReportRecords PrintableLog::records() const {
    // The bytes are shared, not copied: the pass only keeps its place in them.
    return [bytes = bytes_, at = qsizetype(0)](QStringList& fields) mutable {
        const char* const data = bytes.constData();
        const qsizetype size = bytes.size();
        while (at < size) {
            const void* found = std::memchr(data + at, '\n', std::size_t(size - at));
            const qsizetype end = found ? static_cast<const char*>(found) - data : size;
            qsizetype stop = end;
            if (stop > at && data[stop - 1] == '\r')
                --stop;
            const QByteArrayView line(data + at, stop - at);
            at = end + 1;
            if (line.isEmpty() || line.front() == '#')
                continue;
            const ContactRecord record = ContactRecord::fromBytes(line);
            fields.clear();
            for (int i = 0; i < ContactRecord::FieldCount; ++i)
                fields.append(record.fieldText(i));
            return true;
        }
        return false;
    };
}

LogCounters PrintableLog::counters(int countryCount) const {
    return scanLog(bytes_, countryCount).statistics.counters;
}

} // namespace qvmd
