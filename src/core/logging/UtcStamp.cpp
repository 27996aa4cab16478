#include "core/logging/UtcStamp.h"

#include "core/common/Clock.h"

namespace qvmd {

QDateTime Mod_Time(const Clock& clock) {
    const QDateTime now = clock.nowUtc().toUTC();
    const QTime time = now.time();
    return QDateTime(now.date(), QTime(time.hour(), time.minute(), time.second()), Qt::UTC);
}

QString utcStampText(const QDateTime& utc) {
    return shortDateText(utc.date()) + QLatin1Char(' ') + longTimeText(utc.time());
}

} // namespace qvmd
