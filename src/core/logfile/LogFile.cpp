#include "core/logfile/LogFile.h"

#include "core/common/FileErrorText.h"
#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/common/StringTable.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/MarkScan.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <cstring>

namespace qvmd {

// Header values by the selection rule: "##" restarts at value 0 with the last character.
void addHeaderLine(LogContents& log, QByteArrayView line) {
    if (line == "#Y")
        log.paperLog = true;
    if (line.startsWith("##")) {
        log.header.values[LogHeader::CategoryValue] = fromWindows1252(line.last(1));
        log.headerValueCount = 1;
    } else if (log.headerValueCount < LogHeader::ValueCount) {
        log.header.values[log.headerValueCount++] = fromWindows1252(line.sliced(1));
    }
}

LogContents parseLog(QByteArrayView bytes, LogLinePlaces* places) {
    LogContents log;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    // The whole file decoded once: records read from it share this text and keep only their bounds.
    const QString text = fromWindows1252(bytes);
    // Roughly one record per 60 bytes: one reservation instead of a dozen regrowths for a large log.
    log.records.reserve(static_cast<std::size_t>(bytes.size() / 60));
    if (places)
        places->records.reserve(log.records.capacity());
    const char* const data = bytes.data();
    const qsizetype size = bytes.size();

    qsizetype lineStart = 0;
    int lineNumber = 1;
    int separators = 0;    // up to the record's field count
    int allSeparators = 0; // every one on the line
    qsizetype lastSeparator = -1;
    bool strayReturn = false;
    std::array<std::int32_t, ContactRecord::FieldCount + 1> bounds{};
    auto endLine = [&](qsizetype end) {
        qsizetype stop = end;
        if (stop > lineStart && data[stop - 1] == '\r')
            --stop;
        const qsizetype length = stop - lineStart;
        if (length == 0)
            return;
        if (data[lineStart] == '#') {
            addHeaderLine(log, QByteArrayView(data + lineStart, length));
            if (places)
                places->headerLines.push_back(lineNumber);
            return;
        }
        if (separators == ContactRecord::FieldCount && !strayReturn) {
            bounds[0] = static_cast<std::int32_t>(lineStart);
            log.records.push_back(ContactRecord::inShared(text, bounds));
        } else {
            // Short lines, a last field without its ">", a CR inside: the record gets a line of its own.
            log.records.push_back(ContactRecord::fromLine(QStringView(text).sliced(lineStart, length)));
        }
        if (places) {
            const qsizetype tailStart = allSeparators > 0 ? lastSeparator + 1 : lineStart;
            places->records.push_back({lineNumber, allSeparators, stop > tailStart});
        }
    };
    forEachMark(data, size, [&](qsizetype at) {
        switch (data[at]) {
        case '>':
            if (separators < ContactRecord::FieldCount)
                bounds[static_cast<std::size_t>(++separators)] = static_cast<std::int32_t>(at + 1);
            ++allSeparators;
            lastSeparator = at;
            break;
        case '\r':
            // Only the CR that ends a line is a line end; any other is kept out of the record's fields.
            if (at + 1 < size && data[at + 1] != '\n')
                strayReturn = true;
            break;
        default: // line feed
            endLine(at);
            lineStart = at + 1;
            ++lineNumber;
            separators = 0;
            allSeparators = 0;
            strayReturn = false;
            break;
        }
    });
    if (lineStart < size)
        endLine(size);
    return log;
}

Result<QByteArray> readLogBytes(const QString& path) {
    return readFileBytes(path, MaxLogFileBytes);
}

Result<LogContents> readLog(const QString& path) {
    Result<QByteArray> bytes = readLogBytes(path);
    if (!bytes)
        return bytes.error();
    return parseLog(bytes.value());
}

WriteResult createLog(const ProgramFolder& folder, const QString& logName, const LogHeader& header,
                      const DiskSync& sync) {
    if (WriteResult failure = ensureLogsFolder(folder, sync))
        return failure;
    // A log in place but unconfirmed still gets its counters: the two files must describe one log.
    WriteResult log = writeLines(folder.logs(logName), header.lines(), sync);
    if (log && !inPlaceUnconfirmed(log))
        return log;
    WriteResult counters = writeCounterFile(folder, LogCounters{}, sync);
    return counters ? counters : log;
}

WriteResult rewriteLog(const QString& path, const LogHeader& header, std::span<const ContactRecord> records,
                       const DiskSync& sync) {
    QStringList lines = header.lines();
    lines.reserve(lines.size() + static_cast<qsizetype>(records.size()));
    for (const ContactRecord& record : records)
        lines.append(record.line().toString());
    return writeLines(path, lines, sync);
}

WriteResult rewriteLog(const QString& path, const LogHeader& header, const QByteArray& recordLines,
                       const DiskSync& sync) {
    QByteArray bytes;
    for (const QString& line : header.lines())
        bytes += toWindows1252(line) + "\r\n";
    bytes += recordLines;
    return writeFileBytes(path, bytes, sync);
}

AppendResult appendRecord(const QString& path, const ContactRecord& record, const DiskSync& sync) {
    if (leadingNumber(record.field(ContactRecord::Progressive)) > LogCounters::LastProgressive)
        return AppendError{AppendError::Kind::LogFull, fileError(FileError::Kind::Unwritable, path)};
    const QFileInfo info(path);
    // Appending would create a headless log, or block on a FIFO.
    if (!info.isFile()) {
        return AppendError{AppendError::Kind::WriteFailed, info.exists()
                                                               ? fileError(FileError::Kind::Unwritable, path,
                                                                           FileError::Reason::NotRegularFile)
                                                               : fileError(FileError::Kind::Missing, path)};
    }
    if (WriteResult failure = appendLine(path, record.line().toString(), sync))
        return AppendError{AppendError::Kind::WriteFailed, *failure};
    return std::nullopt;
}

int removeLogsLeftovers(const ProgramFolder& folder) {
    return removeLeftoverTemporaries(folder.path(QStringLiteral("Logs")), [](const QString& name) {
        return name == counterFileName || name.endsWith(QLatin1String(".Log"), Qt::CaseInsensitive);
    });
}

QString appendErrorText(const AppendError& error, int languageOffset) {
    if (error.kind == AppendError::Kind::WriteFailed)
        return fileErrorText(error.file, languageOffset);
    return builtInText(1723, languageOffset)
        .arg(QFileInfo(error.file.path).fileName())
        .arg(LogCounters::LastProgressive);
}

} // namespace qvmd
