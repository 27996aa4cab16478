#pragma once

#include "core/logfile/LogCounters.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <limits>
#include <utility>
#include <vector>

namespace qvmd {

class CheckTexts;
class RosterCategories;

// What the other station's log says about a valid contact.
enum class CrossState : quint8 {
    Unchecked,
    Confirmed,
    NoLog,     // the worked station sent no log: nothing to confirm against
    NotInLog,  // its log has no contact with this station
    TimeOff,   // its log has the contact, but outside the time window
    Miscopied, // the identifier is unknown, but one known identifier is one edit away
    // Confirmed, but the number received is not the one the other station sent, and the rules refuse it.
    WrongNumber,
};

// A valid contact as the cross-check and the score need it: the log's text is gone by then. Records
// that are cancelled or refused on their own (fields, identifier, own station, duplicate) leave only
// their findings.
struct CheckedContact {
    static constexpr qint64 Unread = std::numeric_limits<qint64>::min();
    qint64 seconds = Unread; // the stamp on one scale, or Unread
    // The station worked: 0 or more, its number in the rosters the log was read with; below 0, the
    // log's other station number -1 - worked (CheckedLog::others).
    qint32 worked = 0;
    qint32 line = 0;            // in the file, 1-based
    qint32 sent = -1;           // the progressive number sent, -1 when it is no number
    qint32 received = -1;       // the number received, -1 when it is no number
    qint16 country = 0;         // the identifier's country number (capped), as the statistics mark it
    quint8 countedCategory = 0; // RosterCategories mask of a category field that is exactly "H" or "L"
    CrossState cross = CrossState::Unchecked;

    bool onRoster() const { return worked >= 0; }
    std::size_t other() const { return static_cast<std::size_t>(-1 - worked); }
    bool refused() const {
        return cross == CrossState::NotInLog || cross == CrossState::TimeOff ||
               cross == CrossState::Miscopied || cross == CrossState::WrongNumber;
    }
};

// A station worked that the rosters read with the log do not list. A log works each station once, so
// each belongs to one valid contact.
struct OtherStation {
    quint32 start = 0;        // in CheckedLog::otherText: the identifier, then the category field
    quint16 size = 0;         // of the identifier, upper-cased (plain ASCII, as a valid one is)
    quint16 categorySize = 0; // of the category field trimmed, as the log has it
    quint8 category = 0;      // RosterCategories mask of the category field trimmed
    qint32 number = -1;       // the cross-check's number for it, -1 when none
    qint32 unknown = -1;      // without one: its number among such stations of all logs
};

// A finding as a few bytes until its report is written, when its text is made: tens of thousands of
// them would otherwise hold their texts through the whole run.
struct Finding {
    qint32 line = 0;    // 0: about the whole log
    quint16 id = 0;     // the CheckTexts::Id of a line's finding; 0: one whole text, its only value
    quint16 count = 0;  // of values
    quint32 values = 0; // where its values begin in CheckedLog::findingValues
};

struct CheckedLog {
    QString fileName; // as the reports name the log
    bool readable = false;
    std::vector<CheckedContact> contacts; // the valid contacts, in file order
    std::vector<OtherStation> others;
    QByteArray otherText;
    std::vector<Finding> findings;
    // The findings' values one after another, each as its length in two units, then its text.
    QString findingValues;

    QString station; // header identifier trimmed and upper-cased
    QString category;
    QString name;
    QString year;         // the header's, when it is four digits
    bool indexed = false; // the log the cross-check uses for its station and category
    // False for a log another log of its station and category stands for: one row each in the tables.
    bool inTables = true;
    // A log from mail that a newer message of its station replaced: kept out of the index and the ranks.
    bool superseded = false;
    // For a log from mail, the lines its report shows under its name: the message, what it supersedes.
    QStringList originLines;
    // The rosters whose numbers the contacts carry; the cross-check must be given the same, or the log
    // read without any.
    const RosterCategories* readWith = nullptr;

    // Set while nothing in the log proves its date order: its stamps were read day/month/year, and each
    // day that reads otherwise month/day/year is listed both ways (Julian day numbers).
    std::vector<std::pair<qint64, qint64>> daySwaps;

    LogCounters claimedCounters; // the statistics of every record, as the logging window keeps them
    int claimed = 0;             // valid (not cancelled) records
    int confirmed = 0;
    int notInLog = 0;
    int timeOff = 0;
    int miscopied = 0;
    int duplicates = 0;
    int numbersMiscopied = 0; // confirmed contacts whose number received differs from the one sent
    int numbersRefused = 0;   // of those, the ones the rules refuse
    std::int64_t claimedScore = 0;
    std::int64_t checkedScore = 0;
    int rank = 0; // 0: not ranked

    // A finding given whole.
    void addFinding(int line, QStringView text) { addFinding(line, 0, {text}); }
    // A line's finding: "Line N: " and the text id with the values, made when the report is written.
    void addFinding(int line, int id, std::initializer_list<QStringView> values);
    // The text a finding stands for.
    QString findingText(const Finding& finding, const CheckTexts& texts) const;
    // The same appended to out.
    void findingText(const Finding& finding, const CheckTexts& texts, QString& out) const;
    QByteArrayView otherIdentifier(const OtherStation& other) const {
        return QByteArrayView(otherText).sliced(other.start, other.size);
    }
    QByteArrayView otherCategory(const OtherStation& other) const {
        return QByteArrayView(otherText).sliced(other.start + other.size, other.categorySize);
    }
    // The identifier a contact worked, upper-cased.
    QString workedText(const CheckedContact& contact) const;
    // Frees the contacts and findings once the report is written; the names, counts, scores and rank
    // the tables use stay.
    void dropDetails() {
        // Swapped with empty ones: assigning {} to a vector keeps its room.
        std::vector<CheckedContact>().swap(contacts);
        std::vector<OtherStation>().swap(others);
        otherText = QByteArray();
        std::vector<Finding>().swap(findings);
        findingValues = QString();
    }
};

// A station identifier as the program forms it: country number without leading zero, club letters,
// unit number.
bool wellFormedIdentifier(QStringView identifier);
// How the reports write the month-first date order.
QString monthFirstForm();
bool wellFormedIdentifier(QByteArrayView identifier);

// What reading a log can look up at once: with rosters each valid contact gets the worked station's
// roster number and the category the roster gives is compared, and the statistics count countries up
// to countryCount.
struct LogCheckReferences {
    const RosterCategories* rosters = nullptr;
    int countryCount = 0;
};

// Checks one log on its own from its bytes (Windows-1252, as received): header, field counts,
// progressive order, time stamps, identifiers, own station and duplicates, each finding with its line.
// name is what the reports call the log (a file's name; it is compared with the name the header
// gives). The bytes are read once and not kept: only the valid contacts' numbers stay.
CheckedLog checkLogBytes(const QString& name, QByteArrayView bytes, const CheckTexts& texts,
                         const LogCheckReferences& references = {});
// Reads a log file and checks it by its file name. An unreadable file gives a log with readable false
// and one finding.
CheckedLog checkLogFile(const QString& path, const CheckTexts& texts,
                        const LogCheckReferences& references = {});

} // namespace qvmd
