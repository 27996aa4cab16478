#include "core/logfile/LogCounters.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"

#include <QDir>
#include <QFileInfo>

namespace qvmd {

QStringList counterLines(const LogCounters& c) {
    return {QString::number(c.NextProgressive), QString::number(c.HunterCount), QString::number(c.LadyCount),
            QString::number(c.CountryCount), QString::number(c.CancelledCount)};
}

LogCounters parseCounterLines(const QStringList& lines) {
    auto at = [&](qsizetype i) -> std::int16_t { return i < lines.size() ? leadingInt16(lines[i]) : 0; };
    return {at(0), at(1), at(2), at(3), at(4)};
}

Result<LogCounters> readCounterFile(const ProgramFolder& folder) {
    Result<QStringList> lines = readLines(folder.logs(counterFileName), SmallFileLimit);
    if (!lines)
        return lines.error();
    return parseCounterLines(lines.value());
}

WriteResult ensureLogsFolder(const ProgramFolder& folder) {
    const QString logs = folder.path(QStringLiteral("Logs"));
    const QFileInfo info(logs);
    if (info.isDir())
        return std::nullopt;
    if (info.exists() || info.isSymLink())
        return fileError(FileError::Kind::Unwritable, logs, FileError::Reason::NotRegularFile);
    if (!QDir().mkpath(logs))
        return fileError(FileError::Kind::Unwritable, logs);
    return std::nullopt;
}

WriteResult writeCounterFile(const ProgramFolder& folder, const LogCounters& counters, const DiskSync& sync) {
    if (WriteResult failure = ensureLogsFolder(folder))
        return failure;
    return writeLines(folder.logs(counterFileName), counterLines(counters), sync);
}

} // namespace qvmd
