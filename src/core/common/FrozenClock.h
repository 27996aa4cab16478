#pragma once

#include "core/common/Clock.h"

#include <QByteArray>

#include <memory>

namespace qvmd {

// A clock that always tells the same time, so that two runs of the program (on two systems, say) write
// byte-identical files for the same keystrokes.
class FrozenClock : public Clock {
public:
    explicit FrozenClock(QDateTime at) : at_(std::move(at)) {}
    QDateTime now() const override { return at_; }
    QDateTime nowUtc() const override { return QDateTime(at_.date(), at_.time(), Qt::UTC); }

private:
    QDateTime at_;
};

// The clock named by QVMD_FIXED_CLOCK ("yyyy-MM-ddTHH:mm:ss"), which only tests set; none when it is
// unset or not such a time.
std::unique_ptr<Clock> frozenClockFromEnvironment();
std::unique_ptr<Clock> frozenClockFrom(const QByteArray& value);

} // namespace qvmd
