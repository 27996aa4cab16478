#pragma once

#include "core/check/StampReader.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogFile.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <vector>

namespace qvmd {

class CheckTexts;
class CountryTable;
class RosterCategories;

// What the check makes of one record.
enum class ContactState : quint8 {
    Valid,
    Cancelled,     // flag other than "N": never counted
    BadFields,     // not eight fields
    BadIdentifier, // worked station malformed
    OwnStation,
    Duplicate, // the same station already worked in this log
};

// What the other station's log says about a valid contact.
enum class CrossState : quint8 {
    Unchecked,
    Confirmed,
    NoLog,     // the worked station sent no log: nothing to confirm against
    NotInLog,  // its log has no contact with this station
    TimeOff,   // its log has the contact, but outside the time window
    Miscopied, // the identifier is unknown, but one known identifier is one edit away
};

struct CheckedContact {
    int line = 0; // in the file, 1-based
    ContactState state = ContactState::Valid;
    CrossState cross = CrossState::Unchecked;
    // Read once from the record while it is at hand, so that later passes need not go back to it:
    quint8 category = 0;        // RosterCategories mask of the category field, trimmed
    quint8 countedCategory = 0; // the same for a field that is exactly "H" or "L", as the statistics count
    int country = 0;            // the worked identifier's country number, as the statistics mark it
    int rosterNumber = -1;      // the worked station's number in the rosters read with the log; -1: none
    Stamp stamp;
    int categoryLength = 0; // of the category field trimmed, kept right after the identifier worked
    // The identifier worked, trimmed and upper-cased: a view of the log's identifiers, since the records
    // are gone once the log is checked.
    QStringView worked;
    // The category field trimmed, as the log has it.
    QStringView categoryText() const { return QStringView(worked.data() + worked.size(), categoryLength); }
    bool refused() const {
        return state != ContactState::Valid || cross == CrossState::NotInLog ||
               cross == CrossState::TimeOff || cross == CrossState::Miscopied;
    }
};

struct Finding {
    int line = 0; // 0: about the whole log
    QString text;
};

struct CheckedLog {
    QString path;
    QString fileName;
    bool readable = false;
    std::vector<CheckedContact> contacts; // one per record, in file order
    QString identifiers;                  // what the contacts' views show, one after the other
    std::vector<Finding> findings;

    QString station; // header identifier trimmed and upper-cased
    QString category;
    QString name;
    bool indexed = false; // the log the cross-check uses for its station
    // A log from mail that a newer message of its station replaced: kept out of the index and the ranks.
    bool superseded = false;
    // For a log from mail, the lines its report shows under its name: the message, what it supersedes.
    QStringList originLines;
    // The rosters whose numbers the contacts carry; the cross-check trusts the numbers only for these.
    const RosterCategories* readWith = nullptr;

    LogCounters claimedCounters; // the statistics of every record, as the logging window keeps them
    int claimed = 0;             // valid (not cancelled) records
    int confirmed = 0;
    int notInLog = 0;
    int timeOff = 0;
    int miscopied = 0;
    int duplicates = 0;
    std::int64_t claimedScore = 0;
    std::int64_t checkedScore = 0;
    int rank = 0; // 0: not ranked

    void addFinding(int line, const QString& text) { findings.push_back({line, text}); }
    // Frees the contacts and findings once the report is written; the names, counts, scores and rank
    // the tables use stay.
    void dropDetails() {
        // Swapped with empty ones: assigning {} to a vector keeps its room.
        std::vector<CheckedContact>().swap(contacts);
        identifiers = QString();
        std::vector<Finding>().swap(findings);
    }
};

// A station identifier as the program forms it: country number without leading zero, club letters,
// unit number.
bool wellFormedIdentifier(QStringView identifier);

// Reads and checks one log on its own: header, field counts, progressive order, time stamps,
// identifiers, own station and duplicates, each finding with its line. An unreadable file gives a log
// with readable false and one finding.
// What reading a log can look up at once: with rosters each valid contact gets the worked station's
// roster number, and the statistics count countries up to countryCount.
struct LogCheckReferences {
    const RosterCategories* rosters = nullptr;
    int countryCount = 0;
};
CheckedLog checkLogFile(const QString& path, const CheckTexts& texts,
                        const LogCheckReferences& references = {});
CheckedLog checkLogBytes(const QString& path, QByteArrayView bytes, const CheckTexts& texts,
                         const LogCheckReferences& references = {});

} // namespace qvmd
