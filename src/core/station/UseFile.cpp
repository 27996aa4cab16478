#include "core/station/UseFile.h"

#include "core/common/Numbers.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"

namespace qvmd {

namespace {

const QString useFileName = QStringLiteral("Use.dat");

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

UseRecord useRecord(const UseHeader& header, const StationProfile& profile, std::int16_t stationKind) {
    UseRecord record;
    record.log.LogInUse = leadingInt16(header.logInUse);
    record.log.LogInUseName = header.logName.trimmed();
    record.log.paperLog = header.paperLog.trimmed();
    record.log.year = header.year.trimmed();
    record.profile = {profile.StationCallsign.trimmed(), profile.OperatorName.trimmed(),
                      profile.countryNumber.trimmed(),   profile.club.trimmed(),
                      profile.unitNumber.trimmed(),      header.category.trimmed()};
    record.stationKind = stationKind;
    return record;
}

void applyUseLines(UseRecord& record, const QStringList& lines) {
    const qsizetype count = std::min<qsizetype>(lines.size(), 11);
    for (qsizetype i = 0; i < count; ++i) {
        const QString& line = lines.at(i);
        const QString text = line.trimmed();
        switch (i) {
        case 0:
            record.log.LogInUse = leadingInt16(line);
            break;
        case 1:
            record.log.LogInUseName = text;
            break;
        case 2:
            record.profile.category = text;
            break;
        case 3:
            record.log.paperLog = text;
            break;
        case 4:
            record.log.year = text;
            break;
        case 5:
            record.profile.StationCallsign = text;
            break;
        case 6:
            record.profile.OperatorName = text;
            break;
        case 7:
            record.profile.countryNumber = text;
            break;
        case 8:
            record.profile.club = text;
            break;
        case 9:
            record.profile.unitNumber = text;
            break;
        case 10:
            record.stationKind = leadingInt16(line);
            break;
        }
    }
}

Result<UseRecord> readUseFile(const ProgramFolder& folder, UseRecord base) {
    Result<QStringList> lines = readLines(folder.data(useFileName), SmallFileLimit);
    if (!lines)
        return lines.error();
    applyUseLines(base, lines.value());
    return base;
}

WriteResult writeUseFile(const ProgramFolder& folder, const UseHeader& header, const StationProfile& profile,
                         std::int16_t stationKind, const DiskSync& sync) {
    return writeLines(folder.data(useFileName), useFileLines(header, profile, stationKind), sync);
}

} // namespace qvmd
