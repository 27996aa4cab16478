#include "core/logging/ContactLog.h"

#include "core/logfile/WorkedCountries.h"
#include "core/refdata/CountryTable.h"

#include <algorithm>

namespace qvmd {

void ContactLog::assign(std::vector<ContactRecord> records) {
    if (listener_)
        listener_->beforeReset();
    records_ = std::move(records);
    rowsById_.clear();
    validByCountry_.clear();
    tally_ = {};
    rowsById_.reserve(static_cast<qsizetype>(records_.size()));
    for (int row = 1; row <= size(); ++row)
        add(row, at(row));
    if (listener_)
        listener_->afterReset();
}

int ContactLog::append(ContactRecord record) {
    const int row = size() + 1;
    if (listener_)
        listener_->beforeAppend(row);
    records_.push_back(std::move(record));
    add(row, records_.back());
    if (listener_)
        listener_->afterAppend(row);
    return row;
}

void ContactLog::replace(int row, ContactRecord record) {
    ContactRecord& slot = records_.at(static_cast<std::size_t>(row - 1));
    remove(row, slot);
    slot = std::move(record);
    add(row, slot);
    if (listener_)
        listener_->changed(row);
}

int ContactLog::findValid(QStringView identifier, int exceptRow) const {
    const auto found = rowsById_.constFind(identifier.toString());
    if (found == rowsById_.cend())
        return 0;
    for (int row : *found) {
        if (row != exceptRow && !at(row).isCancelled())
            return row;
    }
    return 0;
}

WorkedCountries ContactLog::workedCountries(int countryCount) const {
    WorkedCountries worked(countryCount);
    for (auto it = validByCountry_.cbegin(); it != validByCountry_.cend(); ++it)
        worked.mark(it.key());
    return worked;
}

void ContactLog::add(int row, const ContactRecord& record) {
    std::vector<int>& rows = rowsById_[record.fieldText(ContactRecord::Unit)];
    // Rows arrive in order except when a modified contact takes a new identifier.
    rows.insert(std::upper_bound(rows.begin(), rows.end(), row), row);
    count(record, +1);
}

void ContactLog::remove(int row, const ContactRecord& record) {
    const auto found = rowsById_.find(record.fieldText(ContactRecord::Unit));
    if (found != rowsById_.end()) {
        std::vector<int>& rows = *found;
        rows.erase(std::remove(rows.begin(), rows.end(), row), rows.end());
        if (rows.empty())
            rowsById_.erase(found);
    }
    count(record, -1);
}

// Counted as the statistics of a log file count them: any flag but "N" is cancelled.
void ContactLog::count(const ContactRecord& record, int sign) {
    if (record.isCancelled()) {
        tally_.cancelled += sign;
        return;
    }
    const QStringView category = record.field(ContactRecord::Category);
    if (category == u"H")
        tally_.hunters += sign;
    else if (category == u"L")
        tally_.ladies += sign;
    const int country = countryNumberOf(record.field(ContactRecord::Unit).trimmed());
    if (country > 0) {
        int& valid = validByCountry_[country];
        valid += sign;
        if (valid == 0)
            validByCountry_.remove(country);
    }
}

} // namespace qvmd
