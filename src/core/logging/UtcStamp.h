#pragma once

#include <QDateTime>
#include <QString>

namespace qvmd {

class Clock;

// The current UTC date and time in whole seconds.
QDateTime Mod_Time(const Clock& clock);

// The stamp as contacts carry it: "dd/MM/yyyy HH:mm:ss".
QString utcStampText(const QDateTime& utc);

} // namespace qvmd
