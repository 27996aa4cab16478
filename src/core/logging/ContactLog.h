#pragma once

#include "core/logfile/ContactRecord.h"

#include <QHash>
#include <QString>
#include <QStringView>

#include <span>
#include <vector>

namespace qvmd {

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

    int size() const { return static_cast<int>(records_.size()); }
    bool empty() const { return records_.empty(); }
    // Row 1 .. size().
    const ContactRecord& at(int row) const { return records_.at(static_cast<std::size_t>(row - 1)); }
    std::span<const ContactRecord> records() const { return records_; }

    // Replaces every record at once (opening a log).
    void assign(std::vector<ContactRecord> records);
    // Adds a record after the last one and returns its row.
    int append(ContactRecord record);
    // Replaces the record of an existing row.
    void replace(int row, ContactRecord record);

    // The first row holding a valid contact with exactly this identifier, other than exceptRow; 0 if none.
    int findValid(QStringView identifier, int exceptRow = 0) const;

    const ContactTally& tally() const { return tally_; }
    // The countries of the valid contacts, 1 to countryCount (numbers 0 or above it mark nothing).
    WorkedCountries workedCountries(int countryCount) const;
    // Whether a valid contact of the log is in this country.
    bool countryWorked(int country) const { return validByCountry_.contains(country); }

    void setListener(Listener* listener) { listener_ = listener; }

private:
    void add(int row, const ContactRecord& record);
    void remove(int row, const ContactRecord& record);
    void count(const ContactRecord& record, int sign);

    std::vector<ContactRecord> records_;
    QHash<QString, std::vector<int>> rowsById_; // rows in ascending order
    QHash<int, int> validByCountry_;            // country number -> valid contacts
    ContactTally tally_;
    Listener* listener_ = nullptr;
};

} // namespace qvmd
