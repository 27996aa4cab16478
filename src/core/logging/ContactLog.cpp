#include "core/logging/ContactLog.h"

#include "core/refdata/CountryTable.h"

#include <algorithm>

namespace qvmd {

const QString& Contact::field(int column) const {
    static const QString none;
    switch (column) {
    case 1:
        return progressiveSent;
    case 2:
        return progressiveReceived;
    case 3:
        return identifier;
    case 4:
        return name;
    case 5:
        return category;
    case 6:
        return country;
    case 7:
        return timeStamp;
    case 8:
        return cancelled;
    default:
        return none;
    }
}

void ContactLog::assign(std::vector<Contact> contacts) {
    if (listener_)
        listener_->beforeReset();
    contacts_ = std::move(contacts);
    rowsById_.clear();
    validByCountry_.clear();
    tally_ = {};
    rowsById_.reserve(static_cast<qsizetype>(contacts_.size()));
    for (int row = 1; row <= size(); ++row)
        add(row, at(row));
    if (listener_)
        listener_->afterReset();
}

int ContactLog::append(Contact contact) {
    const int row = size() + 1;
    if (listener_)
        listener_->beforeAppend(row);
    contacts_.push_back(std::move(contact));
    add(row, contacts_.back());
    if (listener_)
        listener_->afterAppend(row);
    return row;
}

void ContactLog::replace(int row, Contact contact) {
    Contact& slot = contacts_.at(static_cast<std::size_t>(row - 1));
    remove(row, slot);
    slot = std::move(contact);
    add(row, slot);
    if (listener_)
        listener_->changed(row);
}

int ContactLog::findValid(const QString& identifier, int exceptRow) const {
    const auto found = rowsById_.constFind(identifier);
    if (found == rowsById_.cend())
        return 0;
    for (int row : *found) {
        if (row != exceptRow && at(row).isValid())
            return row;
    }
    return 0;
}

int ContactLog::markWorkedCountries(CountryTable& countries) const {
    countries.clearWorked();
    for (auto it = validByCountry_.cbegin(); it != validByCountry_.cend(); ++it) {
        if (it.value() > 0 && it.key() >= 1 && it.key() <= countries.count())
            countries.markWorked(it.key());
    }
    return countries.countWorked();
}

void ContactLog::add(int row, const Contact& contact) {
    std::vector<int>& rows = rowsById_[contact.identifier];
    // Rows arrive in order except when a modified contact takes a new identifier.
    rows.insert(std::upper_bound(rows.begin(), rows.end(), row), row);
    count(contact, +1);
}

void ContactLog::remove(int row, const Contact& contact) {
    const auto found = rowsById_.find(contact.identifier);
    if (found != rowsById_.end()) {
        std::vector<int>& rows = *found;
        rows.erase(std::remove(rows.begin(), rows.end(), row), rows.end());
        if (rows.empty())
            rowsById_.erase(found);
    }
    count(contact, -1);
}

void ContactLog::count(const Contact& contact, int sign) {
    if (contact.isCancelled()) {
        tally_.cancelled += sign;
        return;
    }
    if (!contact.isValid())
        return;
    if (contact.category == QLatin1String("H"))
        tally_.hunters += sign;
    else if (contact.category == QLatin1String("L"))
        tally_.ladies += sign;
    const int country = countryNumberOf(contact.identifier.trimmed());
    if (country > 0) {
        int& valid = validByCountry_[country];
        valid += sign;
        if (valid == 0)
            validByCountry_.remove(country);
    }
}

} // namespace qvmd
