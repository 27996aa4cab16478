#include "core/station/UseFile.h"

#include "core/app/AppState.h"
#include "core/common/Numbers.h"
#include "core/common/TextFile.h"

namespace qvmd {

namespace {

const QString useFileName = QStringLiteral("Use.dat");

void applyHeader(AppState& state, const UseHeader& header) {
    state.log.LogInUse = leadingInt16(header.logInUse);
    state.log.LogInUseName = header.logName.trimmed();
    state.profile.category = header.category.trimmed();
    state.log.paperLog = header.paperLog.trimmed();
    state.log.year = header.year.trimmed();
}

} // namespace

UseHeader UseHeader::noLog(const QString& category, int year) {
    return {QStringLiteral("0"), QStringLiteral("0"), category, QStringLiteral("0"), QString::number(year)};
}

UseHeader UseHeader::forLog(const QString& logName, const QString& category, const QString& paperLog,
                            const QString& year) {
    return {QStringLiteral("1"), logName, category, paperLog, year};
}

QStringList useFileLines(const UseHeader& header, const StationProfile& profile, std::int16_t stationKind) {
    return {
        header.logInUse.trimmed(),      header.logName.trimmed(),        header.category.trimmed(),
        header.paperLog.trimmed(),      header.year.trimmed(),           profile.StationCallsign.trimmed(),
        profile.OperatorName.trimmed(), profile.countryNumber.trimmed(), profile.club.trimmed(),
        profile.unitNumber.trimmed(),   QString::number(stationKind)};
}

void applyUseLines(AppState& state, const QStringList& lines) {
    const qsizetype count = std::min<qsizetype>(lines.size(), 11);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& line = lines.at(i);
        const QString text = line.trimmed();
        switch (i) {
        case 0:
            state.log.LogInUse = leadingInt16(line);
            break;
        case 1:
            state.log.LogInUseName = text;
            break;
        case 2:
            state.profile.category = text;
            break;
        case 3:
            state.log.paperLog = text;
            break;
        case 4:
            state.log.year = text;
            break;
        case 5:
            state.profile.StationCallsign = text;
            break;
        case 6:
            state.profile.OperatorName = text;
            break;
        case 7:
            state.profile.countryNumber = text;
            break;
        case 8:
            state.profile.club = text;
            break;
        case 9:
            state.profile.unitNumber = text;
            break;
        case 10:
            state.StationKind = leadingInt16(line);
            break;
        }
    }
}

std::optional<FileError> readUseFile(AppState& state) {
    Result<QStringList> lines = readLines(state.folder.data(useFileName), SmallFileLimit);
    if (!lines)
        return lines.error();
    applyUseLines(state, lines.value());
    return std::nullopt;
}

WriteResult writeUseFile(const ProgramFolder& folder, const UseHeader& header, const StationProfile& profile,
                         std::int16_t stationKind) {
    return writeLines(folder.data(useFileName), useFileLines(header, profile, stationKind));
}

WriteResult saveUseFile(AppState& state, const UseHeader& header) {
    WriteResult failure = writeUseFile(state.folder, header, state.profile, state.StationKind);
    if (!failure)
        applyHeader(state, header);
    return failure;
}

int currentYear(const AppState& state) {
    return state.clock->now().date().year();
}

} // namespace qvmd
