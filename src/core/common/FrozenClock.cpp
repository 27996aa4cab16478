#include "core/common/FrozenClock.h"

namespace qvmd {

std::unique_ptr<Clock> frozenClockFrom(const QByteArray& value) {
    const QDateTime at = QDateTime::fromString(QString::fromLatin1(value.trimmed()), Qt::ISODate);
    if (value.isEmpty() || !at.isValid())
        return nullptr;
    return std::make_unique<FrozenClock>(QDateTime(at.date(), at.time()));
}

std::unique_ptr<Clock> frozenClockFromEnvironment() {
    return frozenClockFrom(qgetenv("QVMD_FIXED_CLOCK"));
}

} // namespace qvmd
