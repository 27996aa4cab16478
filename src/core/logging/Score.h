#pragma once

#include <QString>

#include <cstdint>

namespace qvmd {

struct ScoreWeights;
struct LogCounters;

// Points per Hunter, per Lady and per country, chosen by the own category.
struct PointValues {
    int hunter = 0;
    int lady = 0;
    int country = 0;
};

inline bool isHunterLog(const QString& ownCategory) {
    return ownCategory == QLatin1String("H");
}

PointValues pointValues(const ScoreWeights& weights, const QString& ownCategory);

// (H x pH + L x pL + C x pC), multiplied by the Lady count when there is one. Wide enough for any
// counts the 16-bit counters can hold.
std::int64_t scoreTotal(std::int64_t hunters, std::int64_t ladies, std::int64_t countries,
                        const PointValues& points);
std::int64_t scoreTotal(const LogCounters& counters, const PointValues& points);

// " Hunter" in a Lady log, " Lady" in a Hunter log: the category the log still needs to be valid.
QString missingCategorySuffix(const QString& ownCategory);
// Shown while the log has no valid contact of that category.
bool validityWarningShown(const QString& ownCategory, const LogCounters& counters);

} // namespace qvmd
