#include "core/logfile/LogSelection.h"

#include "core/common/Numbers.h"

namespace qvmd {

LogSelection selectionFromHeader(const QString& logName, const LogHeader& header) {
    auto value = [&](int index) { return header.value(index).trimmed(); };
    LogSelection selection;
    selection.use = UseHeader::forLog(logName.trimmed(), value(LogHeader::CategoryValue),
                                      value(LogHeader::PaperLogValue), value(LogHeader::YearValue));
    selection.profile.category = value(LogHeader::CategoryValue);
    selection.profile.StationCallsign = value(LogHeader::IdentifierValue);
    selection.profile.OperatorName = value(LogHeader::NameValue);
    selection.profile.countryNumber = value(LogHeader::CountryValue);
    selection.profile.club = value(LogHeader::ClubValue);
    selection.profile.unitNumber = value(LogHeader::UnitValue);
    selection.stationKind = leadingInt16(header.value(LogHeader::StationTypeValue));
    selection.year = static_cast<int>(leadingNumber(header.value(LogHeader::YearValue)));
    return selection;
}

} // namespace qvmd
