#include "core/logfile/WorkedCountries.h"

#include "core/common/TrimmedField.h"
#include "core/refdata/CountryTable.h"

#include <algorithm>

namespace qvmd {

WorkedCountries::WorkedCountries(int countryCount)
    : marks_(static_cast<std::size_t>(std::max(countryCount, 0)) + 1, false) {}

void WorkedCountries::markIdentifier(QStringView identifier) {
    mark(countryNumberOf(trimmedField(identifier)));
}

bool WorkedCountries::isWorked(int countryNumber) const {
    return countryNumber >= 1 && countryNumber <= countryCount() &&
           marks_[static_cast<std::size_t>(countryNumber)];
}

void WorkedCountries::clear() {
    std::fill(marks_.begin(), marks_.end(), false);
    count_ = 0;
}

} // namespace qvmd
