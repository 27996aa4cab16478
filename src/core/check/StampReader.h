#pragma once

#include <QByteArrayView>
#include <QStringView>
#include <QtGlobal>

#include <span>
#include <utility>
#include <vector>

namespace qvmd {

// A contact's date and time as seconds on one scale, or why it could not be read.
struct Stamp {
    enum class State : quint8 { Read, Unreadable };
    State state = State::Unreadable;
    qint64 seconds = 0;
    bool read() const { return state == State::Read; }
};

// How the dates of one log are written. The program writes day/month/year; a log written under other
// regional settings may carry month/day/year or year-month-day.
enum class DateForm : quint8 { DayMonthYear, MonthDayYear, YearMonthDay };

// What decided a log's date order.
enum class DateProof : quint8 {
    None,       // nothing: every date reads either way (or the log has no two-way date at all)
    DayAbove12, // some date has a number above 12 where the other order puts the month
    TwelveHour, // the times carry AM/PM, as the regional settings that put the month first write them
};

struct LogStamps {
    std::vector<Stamp> stamps; // one per text, in order
    DateForm form = DateForm::DayMonthYear;
    DateProof proof = DateProof::None;
    bool otherForm = false; // some stamp was read in a form other than day/month/year
    // When nothing proves the order, the stamps are read day/month/year and each day that would differ
    // read month/day/year is listed: its day number (Julian) both ways, so that the order can still be
    // turned once the other logs show which days the event used.
    std::vector<std::pair<qint64, qint64>> daySwaps;
};

// Reads the stamps of one log together: the log's date order is month/day/year when some stamp proves
// it (a second number above 12, or a 12-hour clock) and none proves day/month/year (a first number
// above 12); every stamp is then read in that order. Times are H:mm[:ss], with AM/PM accepted.
LogStamps readStamps(std::span<const QStringView> texts);
// The same on a log's Windows-1252 bytes, into stamps, whose room is kept from one log to the next.
void readStamps(std::span<const QByteArrayView> texts, LogStamps& stamps);

} // namespace qvmd
