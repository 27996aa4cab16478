#include "core/common/FixedClock.h"

namespace qvmd {

std::unique_ptr<Clock> fixedClockFrom(const QByteArray& value) {
    const QDateTime at = QDateTime::fromString(QString::fromLatin1(value.trimmed()), Qt::ISODate);
    if (value.isEmpty() || !at.isValid())
        return nullptr;
    return std::make_unique<FixedClock>(QDateTime(at.date(), at.time()));
}

std::unique_ptr<Clock> fixedClockFromEnvironment() {
    return fixedClockFrom(qgetenv("QVMD_FIXED_CLOCK"));
}

} // namespace qvmd
