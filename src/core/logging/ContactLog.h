#pragma once

#include "core/logfile/ContactRecord.h"
#include "core/logfile/LogFile.h"
#include "core/logging/RowsByIdentifier.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QString>
#include <QStringView>

#include <vector>

namespace qvmd {

struct RecordLine;
class WorkedCountries;

// Valid Hunter and Lady contacts and cancelled ones, as the score table counts them.
struct ContactTally {
    int hunters = 0;
    int ladies = 0;
    int cancelled = 0;
    bool operator==(const ContactTally&) const = default;
};

// The records of the log in use, in file order (row n holds the n-th record, n from 1), with an index by
// station identifier and running tallies, so neither a duplicate check nor a recount walks the records.
//
// The records stay the file's bytes (Windows-1252, one byte a character): a log is read without decoding or
// allocating anything per record, and a record is decoded only when something shows it. What is kept is
// exactly what the file holds, so a rewrite writes back the bytes as read.
class ContactLog {
public:
    // Told of every change, so a view over the records needs no copy of them.
    class Listener {
    public:
        virtual ~Listener() = default;
        virtual void beforeAppend(int row) = 0;
        virtual void afterAppend(int row) = 0;
        virtual void changed(int row) = 0;
        virtual void beforeReset() = 0;
        virtual void afterReset() = 0;
    };

    int size() const { return static_cast<int>(rows_.size()); }
    bool empty() const { return rows_.empty(); }
    // Row 1 .. size(), decoded.
    ContactRecord at(int row) const { return ContactRecord::fromBytes(line(row)); }
    // One field of a row (ContactRecord::Field), decoded.
    QString fieldText(int row, int field) const;
    // A row's line as the file holds it, without its line end.
    QByteArrayView line(int row) const {
        const Row& r = rows_.at(static_cast<std::size_t>(row - 1));
        return QByteArrayView(bytes_).sliced(r.start, r.length);
    }
    // Any flag but "N" is cancelled.
    bool isCancelled(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)).cancelled; }
    // 'H' or 'L' when the category is exactly that letter, otherwise 0.
    char category(int row) const { return rows_.at(static_cast<std::size_t>(row - 1)).category; }
    // Every record line followed by CR LF, in order: what follows the header of a rewritten log.
    QByteArray recordLines() const;

    // Reads a log file's bytes by the reading rule (parseLog's) and keeps every record; returns the header
    // values and the paper log mode, without records.
    LogContents load(QByteArray bytes);
    // Replaces every record at once.
    void assign(const std::vector<ContactRecord>& records);
    // Adds a record after the last one and returns its row. Characters outside Windows-1252 become "?",
    // as in the file.
    int append(const ContactRecord& record);
    // Replaces the record of an existing row.
    void replace(int row, const ContactRecord& record);

    // The first row holding a valid contact with exactly this identifier, other than exceptRow; 0 if none.
    int findValid(QStringView identifier, int exceptRow = 0) const;

    const ContactTally& tally() const { return tally_; }
    // The countries of the valid contacts, 1 to countryCount (numbers 0 or above it mark nothing).
    WorkedCountries workedCountries(int countryCount) const;
    // Whether a valid contact of the log is in this country.
    bool countryWorked(int country) const;

    void setListener(Listener* listener) { listener_ = listener; }

private:
    struct Row {
        std::int32_t start = 0; // in bytes_
        std::int32_t length = 0;
        char category = 0;
        bool cancelled = true;
    };
    // Countries below this number are counted in a flat array, any above in a hash.
    static constexpr int nearCountries = 1024;

    void reset(QByteArray bytes, int expectedRows);
    // A row for a record whose line is already in bytes_ at start.
    void addRow(const RecordLine& record, qsizetype start);
    void count(const RecordLine& record, int sign);
    void countCountry(int country, int sign);

    QByteArray bytes_; // the file as read, then every line added or changed since
    std::vector<Row> rows_;
    RowsByIdentifier index_;
    ContactTally tally_;
    std::vector<int> validByCountry_ = std::vector<int>(nearCountries, 0); // valid contacts by number
    QHash<int, int> validByFarCountry_;
    Listener* listener_ = nullptr;
};

} // namespace qvmd
