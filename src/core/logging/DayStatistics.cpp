#include "core/logging/DayStatistics.h"

#include "core/check/StampReader.h"
#include "core/logfile/RecordLines.h"
#include "core/logging/ContactLog.h"

#include <algorithm>

namespace qvmd {

namespace {

// The stamp reader counts Julian days; 1970-01-01 is day 2440588.
constexpr qint64 epochSeconds = qint64(2440588) * 86400;

struct Timed {
    qint64 seconds;
    int row;
};

} // namespace

int DayStatistics::busiestHour() const {
    int best = -1;
    for (int hour = 0; hour < 24; ++hour)
        if (hours[hour].total() > 0 && (best < 0 || hours[hour].total() > hours[best].total()))
            best = hour;
    return best;
}

int DayStatistics::ratePerHour(qint64 nowUtcSeconds, int minutes) const {
    if (minutes <= 0)
        return 0;
    const auto from = std::upper_bound(stamps.begin(), stamps.end(), nowUtcSeconds - qint64(minutes) * 60);
    const auto to = std::upper_bound(stamps.begin(), stamps.end(), nowUtcSeconds);
    const auto count = static_cast<int>(std::max<std::ptrdiff_t>(0, to - from));
    return count * 60 / minutes;
}

DayStatistics dayStatistics(const ContactLog& log, int countryCount, const PointValues& points) {
    DayStatistics result;
    std::vector<int> validRows;
    std::vector<QByteArrayView> stampTexts;
    std::vector<int> countryOfRow;
    validRows.reserve(static_cast<std::size_t>(log.size()));
    stampTexts.reserve(static_cast<std::size_t>(log.size()));
    countryOfRow.reserve(static_cast<std::size_t>(log.size()));
    // One look at each line: the window opens on logs of tens of thousands of contacts.
    for (int row = 1; row <= log.size(); ++row) {
        if (log.isCancelled(row)) {
            ++result.cancelled;
            continue;
        }
        validRows.push_back(row);
        const auto [unit, stamp] = recordLineFields(log.line(row), 2, 6);
        stampTexts.push_back(stamp);
        const int country = countryNumberInBytes(unit);
        countryOfRow.push_back(country >= 1 && country <= countryCount ? country : 0);
    }
    result.valid = static_cast<int>(validRows.size());

    // The log's own dates prove its date order, as the checker reads them.
    LogStamps stamps;
    readStamps(std::span<const QByteArrayView>(stampTexts), stamps);

    std::vector<int> byCountry(static_cast<std::size_t>(std::max(countryCount, 0)) + 1, 0);
    std::vector<Timed> timed;
    timed.reserve(validRows.size());
    for (std::size_t i = 0; i < validRows.size(); ++i) {
        const int row = validRows[i];
        ++byCountry[static_cast<std::size_t>(countryOfRow[i])];
        const Stamp& stamp = stamps.stamps[i];
        if (!stamp.read()) {
            ++result.unreadableStamps;
            continue;
        }
        const qint64 seconds = stamp.seconds - epochSeconds;
        timed.push_back({seconds, static_cast<int>(i)});
        DayStatistics::Hour& hour = result.hours[static_cast<std::size_t>((stamp.seconds % 86400) / 3600)];
        const char category = log.category(row);
        hour.hunters += category == 'H';
        hour.ladies += category == 'L';
    }

    for (int number = 1; number <= countryCount; ++number)
        if (byCountry[static_cast<std::size_t>(number)] > 0)
            result.countries.push_back({number, byCountry[static_cast<std::size_t>(number)]});
    std::stable_sort(result.countries.begin(), result.countries.end(),
                     [](const DayStatistics::Country& a, const DayStatistics::Country& b) {
                         return a.contacts > b.contacts;
                     });

    // A log is written as the day goes: in time order already, unless its clock was set back.
    const auto earlier = [](const Timed& a, const Timed& b) { return a.seconds < b.seconds; };
    if (!std::is_sorted(timed.begin(), timed.end(), earlier))
        std::stable_sort(timed.begin(), timed.end(), earlier);
    result.stamps.reserve(timed.size());
    std::vector<std::uint8_t> seen(byCountry.size(), 0);
    std::int64_t hunters = 0;
    std::int64_t ladies = 0;
    std::int64_t countries = 0;
    for (const Timed& contact : timed) {
        result.stamps.push_back(contact.seconds);
        const char category = log.category(validRows[static_cast<std::size_t>(contact.row)]);
        hunters += category == 'H';
        ladies += category == 'L';
        const int country = countryOfRow[static_cast<std::size_t>(contact.row)];
        if (country > 0 && !seen[static_cast<std::size_t>(country)]) {
            seen[static_cast<std::size_t>(country)] = 1;
            ++countries;
        }
        const DayStatistics::ScorePoint point{contact.seconds - contact.seconds % 60,
                                              scoreTotal(hunters, ladies, countries, points)};
        if (!result.score.empty() && result.score.back().utcSeconds == point.utcSeconds)
            result.score.back() = point;
        else
            result.score.push_back(point);
    }
    return result;
}

} // namespace qvmd
