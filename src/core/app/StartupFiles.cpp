#include "core/app/StartupFiles.h"

#include "core/common/Numbers.h"
#include "core/common/TextFile.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogFile.h"

namespace qvmd {

namespace {

constexpr int settingsCount = 11;

} // namespace

Result<std::int16_t> readLangFile(const ProgramFolder& folder) {
    Result<QStringList> lines = readLines(folder.data(QStringLiteral("Lang.dat")), SmallFileLimit);
    if (!lines)
        return lines.error();
    if (lines.value().isEmpty())
        return std::int16_t{0};
    const std::int16_t offset = leadingInt16(lines.value().constLast()) == 0 ? 0 : 1000;
    return offset;
}

WriteResult writeLangFile(const ProgramFolder& folder, std::int16_t languageOffset, const DiskSync& sync) {
    const QString text = languageOffset == 0 ? QStringLiteral("0") : QStringLiteral("1000");
    return writeLines(folder.data(QStringLiteral("Lang.dat")), {text}, sync);
}

std::optional<FileError> readPrimeFile(AppState& state) {
    Result<QStringList> read = readLines(state.folder.data(QStringLiteral("Prime.dat")), SmallFileLimit);
    if (!read)
        return read.error();
    const QStringList& lines = read.value();
    if (lines.size() >= 1)
        state.RegistrationState = leadingInt16(lines[0]);
    if (lines.size() >= 2)
        state.StationKind = leadingInt16(lines[1]);
    if (lines.size() >= 3)
        state.RegisteredUnitId = lines[2].trimmed();
    if (lines.size() >= 4)
        state.RegisteredName = lines[3].trimmed();
    return std::nullopt;
}

std::optional<FileError> readMdIni(AppState& state) {
    Result<QStringList> read = readLines(state.folder.data(QStringLiteral("Md.ini")), SmallFileLimit);
    if (!read)
        return read.error();
    const QStringList& lines = read.value();
    QStringList entries;
    entries.reserve(settingsCount);
    for (int i = 0; i < settingsCount; ++i)
        entries.append(i < lines.size() ? lines[i].trimmed() : QString());
    state.SettingsEntries = entries;
    return std::nullopt;
}

int removeWriterLeftovers(const ProgramFolder& folder) {
    const QStringList dataFiles = {QStringLiteral("Lang.dat"), QStringLiteral("Prime.dat"),
                                   QStringLiteral("Use.dat"), QStringLiteral("Md.ini")};
    const int data = removeLeftoverTemporaries(folder.data(QString()),
                                               [&](const QString& name) { return dataFiles.contains(name); });
    // In Logs: the counter file and the logs, whatever their station.
    return data + removeLogsLeftovers(folder);
}

} // namespace qvmd
