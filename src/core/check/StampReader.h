#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>

#include <span>
#include <vector>

namespace qvmd {

// A contact's date and time as seconds on one scale, or why it could not be read.
struct Stamp {
    enum class State : quint8 { Read, Unreadable, Ambiguous };
    State state = State::Unreadable;
    qint64 seconds = 0;
    bool read() const { return state == State::Read; }
};

// How the dates of one log are written. The program writes day/month/year; a log written under other
// regional settings may carry month/day/year or year-month-day.
enum class DateForm : quint8 { DayMonthYear, MonthDayYear, YearMonthDay };

struct LogStamps {
    std::vector<Stamp> stamps; // one per text, in order
    DateForm form = DateForm::DayMonthYear;
    bool otherForm = false; // some stamp was read in a form other than day/month/year
};

// Reads the stamps of one log together: the log's date order is month/day/year only when some stamp
// proves it (a second number above 12) and none proves day/month/year; under that order a stamp whose
// day and month could be swapped is ambiguous. Times are H:mm[:ss], with AM/PM accepted.
LogStamps readStamps(std::span<const QStringView> texts);
// The same on a log's Windows-1252 bytes, into stamps, whose room is kept from one log to the next.
void readStamps(std::span<const QByteArrayView> texts, LogStamps& stamps);

} // namespace qvmd
