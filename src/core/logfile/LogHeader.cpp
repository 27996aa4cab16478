#include "core/logfile/LogHeader.h"

#include "core/common/Clock.h"

namespace qvmd {

namespace {

QString oneLine(QString text) {
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return text.trimmed();
}

} // namespace

LogHeader LogHeader::forProfile(const StationProfile& profile, const QString& paperLog,
                                std::int16_t stationType, const QDate& date, int year) {
    LogHeader header;
    header.values = {profile.category,
                     profile.StationCallsign,
                     profile.OperatorName,
                     paperLog,
                     QString::number(stationType),
                     shortDateText(date),
                     profile.countryNumber,
                     profile.club,
                     profile.unitNumber,
                     QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')),
                     QStringLiteral("LOG")};
    return header;
}

QStringList LogHeader::lines() const {
    QStringList lines;
    lines.reserve(ValueCount);
    for (int i = 0; i < ValueCount; ++i) {
        // The closing line is fixed: readers of other people look for it.
        const QString text = i == ClosingValue   ? QStringLiteral("LOG")
                             : i < values.size() ? oneLine(values[i])
                                                 : QString();
        lines.append((i == CategoryValue ? QStringLiteral("##") : QStringLiteral("#")) + text);
    }
    return lines;
}

} // namespace qvmd
