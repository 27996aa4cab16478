#pragma once

#include "core/common/Clock.h"

namespace qvmd::test {

// "Now" fixed for a test: local time as given, UTC two hours behind (an Italian summer day).
class FixedClock : public Clock {
public:
    explicit FixedClock(QDateTime local = QDateTime(QDate(2026, 5, 9), QTime(14, 5, 9))) : local_(local) {}
    QDateTime now() const override { return local_; }
    QDateTime nowUtc() const override {
        return QDateTime(local_.date(), local_.time(), Qt::UTC).addSecs(-7200);
    }

private:
    QDateTime local_;
};

} // namespace qvmd::test
