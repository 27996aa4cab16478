#pragma once

#include "core/logging/Score.h"

#include <QtGlobal>

#include <array>
#include <cstdint>
#include <vector>

namespace qvmd {

class ContactLog;

// How the day of the log in use went, from its valid contacts (cancelled ones never count).
struct DayStatistics {
    struct Hour {
        int hunters = 0;
        int ladies = 0;
        int total() const { return hunters + ladies; }
        bool operator==(const Hour&) const = default;
    };
    struct Country {
        int number = 0;
        int contacts = 0;
        bool operator==(const Country&) const = default;
    };
    struct ScorePoint {
        qint64 utcSeconds = 0; // seconds since 1970-01-01 00:00 UTC
        std::int64_t score = 0;
        bool operator==(const ScorePoint&) const = default;
    };

    // Hunter and Lady contacts by the UTC hour of their stamp, 0 to 23, whatever the day.
    std::array<Hour, 24> hours{};
    // The score after the last contact of each minute that has one, in time order; contacts are taken
    // in the order of their stamps, so a contact changed later still counts at its own time.
    std::vector<ScorePoint> score;
    // Countries 1 to the country count with at least one contact, most contacts first, then by number.
    std::vector<Country> countries;
    // The stamps of the valid contacts, in order, for the rates.
    std::vector<qint64> stamps;
    int valid = 0;
    int cancelled = 0;
    int unreadableStamps = 0; // valid contacts left out of the hours, the score line and the rates

    // The hour with the most contacts (the earliest of equals), or -1 on an empty day.
    int busiestHour() const;
    // Contacts per hour at the pace of the given minutes up to now, as contest loggers show a rate.
    int ratePerHour(qint64 nowUtcSeconds, int minutes) const;
};

DayStatistics dayStatistics(const ContactLog& log, int countryCount, const PointValues& points);

} // namespace qvmd
