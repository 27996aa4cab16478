#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>

namespace qvmd {

// The one source of "now", so tests can fix it.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const { return QDateTime::currentDateTime(); }
    virtual QDateTime nowUtc() const { return QDateTime::currentDateTimeUtc(); }
};

// The machine's own clock, for whoever is handed no other.
inline const Clock& systemClock() {
    static const Clock clock;
    return clock;
}

// Dates and times in files and on screen use one fixed form, whatever the machine's locale.
inline QString shortDateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}
inline QString longTimeText(const QTime& time) {
    return time.toString(QStringLiteral("HH:mm:ss"));
}

} // namespace qvmd
