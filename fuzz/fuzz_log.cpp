#include "FuzzFolder.h"
#include "core/common/Windows1252.h"
#include "core/logfile/LogFile.h"

// The log reader on arbitrary bytes: every record has eight fields and a line that can be written as
// is, and writing the log back and reading it again gives the same records.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView bytes = qvmd::fuzz::bytesOf(data, size);
    const qvmd::LogContents log = qvmd::parseLog(bytes);
    if (log.headerValueCount < 0 || log.headerValueCount > qvmd::LogHeader::ValueCount)
        __builtin_trap();
    QStringList lines;
    for (const qvmd::ContactRecord& record : log.records) {
        const QStringView line = record.line();
        if (line.count(u'>') != qvmd::ContactRecord::FieldCount || !line.endsWith(u'>') ||
            line.contains(u'\r') || line.contains(u'\n'))
            __builtin_trap();
        if (!(qvmd::ContactRecord::fromLine(line) == record))
            __builtin_trap();
        lines.append(line.toString());
    }
    // A record never starts with "#" and is never empty, so the lines written read back as the same
    // records (unless the first begins with what reads as a byte-order mark).
    QByteArray written;
    for (const QString& line : lines)
        written += qvmd::toWindows1252(line) + "\r\n";
    if (written.startsWith("\xEF\xBB\xBF"))
        return 0;
    if (qvmd::parseLog(written).records != log.records)
        __builtin_trap();
    return 0;
}
