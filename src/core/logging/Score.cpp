#include "core/logging/Score.h"

#include "core/logfile/LogCounters.h"
#include "core/refdata/ScoreWeights.h"

namespace qvmd {

PointValues pointValues(const ScoreWeights& weights, const QString& ownCategory) {
    if (isHunterLog(ownCategory))
        return {weights.hunterPointsForHunter, weights.ladyPointsForHunter, weights.countryPoints};
    return {weights.hunterPointsForLady, weights.ladyPointsForLady, weights.countryPoints};
}

std::int64_t scoreTotal(std::int64_t hunters, std::int64_t ladies, std::int64_t countries,
                        const PointValues& points) {
    const std::int64_t sum = hunters * points.hunter + ladies * points.lady + countries * points.country;
    return ladies != 0 ? sum * ladies : sum;
}

std::int64_t scoreTotal(const LogCounters& counters, const PointValues& points) {
    return scoreTotal(counters.HunterCount, counters.LadyCount, counters.CountryCount, points);
}

QString missingCategorySuffix(const QString& ownCategory) {
    return isHunterLog(ownCategory) ? QStringLiteral(" Lady") : QStringLiteral(" Hunter");
}

bool validityWarningShown(const QString& ownCategory, const LogCounters& counters) {
    return isHunterLog(ownCategory) ? counters.LadyCount == 0 : counters.HunterCount == 0;
}

} // namespace qvmd
