#pragma once

#include "core/logfile/LogCounters.h"
#include "core/logging/Score.h"

#include <QString>

#include <cstdint>

namespace qvmd {

class ContactLog;
class CountryTable;
class RosterIndex;
struct EntryTexts;

// What the logging window knows about the station being typed, before Find or Write: a plain value the
// window only shows. Computing it changes nothing.
struct EntryStatus {
    enum class Kind {
        Empty,     // nothing typed
        Own,       // the own station
        Duplicate, // a valid contact of the log has this identifier
        Station,   // anything else
    };
    enum class Roster {
        NotLooked, // a generic station, an identifier without its unit number, or a roster unreadable
        Lady,
        Hunter,
        NotFound,
    };

    Kind kind = Kind::Empty;
    QString identifier;
    int country = 0;
    bool countryKnown = false; // 1 to N
    QString countryName;
    bool generic = false;
    Roster roster = Roster::NotLooked;
    QString rosterName;
    // Duplicate: the earlier contact's row, its progressive number and its time as hh:mm.
    int duplicateRow = 0;
    QString duplicateProgressive;
    QString duplicateTime;
    // Station: a country no valid contact of the log has yet.
    bool newCountry = false;
    // Station with a known category and not a modification: what writing it now adds to the total.
    bool pointsKnown = false;
    std::int64_t pointsAdded = 0;

    bool operator==(const EntryStatus&) const = default;
};

// Everything the status is computed from, besides the entry row.
struct StatusSources {
    const ContactLog& log;
    const CountryTable& countries;
    const RosterIndex& rosters;
    const QString& ownIdentifier;
    const LogCounters& counters;
    PointValues points;
};

// The status of the entry row as typed. category is the one chosen for the contact ("H", "L" or empty;
// the roster's decides when empty); editedRow is the contact being modified, 0 for a new one.
EntryStatus entryStatus(const StatusSources& sources, const EntryTexts& typed, const QString& category,
                        int editedRow);

// The hh:mm of a time stamp as the log stores it ("06/03/2015 14:05:09" gives "14:05"); empty when the
// text holds no time.
QString hoursAndMinutes(QStringView stamp);

} // namespace qvmd
