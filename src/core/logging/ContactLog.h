#pragma once

#include <QHash>
#include <QString>

#include <vector>

namespace qvmd {

class CountryTable;

// One contact of the log in use, its eight fields as the file holds them.
struct Contact {
    QString progressiveSent;
    QString progressiveReceived;
    QString identifier;
    QString name;
    QString category; // "H" or "L"
    QString country;
    QString timeStamp; // UTC, as text
    QString cancelled; // "N" valid, "S" cancelled

    bool isValid() const { return cancelled == QLatin1String("N"); }
    bool isCancelled() const { return cancelled == QLatin1String("S"); }
    // Field 1 to 8, as the grid's columns number them; anything else is empty.
    const QString& field(int column) const;
};

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

    int size() const { return static_cast<int>(contacts_.size()); }
    bool empty() const { return contacts_.empty(); }
    // Row 1 .. size().
    const Contact& at(int row) const { return contacts_.at(static_cast<std::size_t>(row - 1)); }

    // Replaces every record at once (opening a log).
    void assign(std::vector<Contact> contacts);
    // Adds a record after the last one and returns its row.
    int append(Contact contact);
    // Replaces the record of an existing row.
    void replace(int row, Contact contact);

    // The first row holding a valid contact with exactly this identifier, other than exceptRow; 0 if none.
    int findValid(const QString& identifier, int exceptRow = 0) const;

    const ContactTally& tally() const { return tally_; }
    // Marks in the table the countries of the valid contacts (numbers 0 or above N mark nothing)
    // and returns how many are worked.
    int markWorkedCountries(CountryTable& countries) const;

    void setListener(Listener* listener) { listener_ = listener; }

private:
    void add(int row, const Contact& contact);
    void remove(int row, const Contact& contact);
    void count(const Contact& contact, int sign);

    std::vector<Contact> contacts_;
    QHash<QString, std::vector<int>> rowsById_; // rows in ascending order
    QHash<int, int> validByCountry_;            // country number -> valid contacts
    ContactTally tally_;
    Listener* listener_ = nullptr;
};

} // namespace qvmd
