#pragma once

#include <QStringView>

#include <cstdint>
#include <vector>

namespace qvmd {

// The countries worked in one log, numbered 1 to N as the country table numbers them. They belong to
// the log, not to the country table, so reading one log can never leave marks behind for another.
class WorkedCountries {
public:
    explicit WorkedCountries(int countryCount = 0);

    int countryCount() const { return static_cast<int>(marks_.size()) - 1; }
    // Numbers outside 1..N are ignored. Inline: the statistics of a log call it once a record.
    void mark(int countryNumber) {
        if (countryNumber < 1 || countryNumber > countryCount())
            return;
        std::uint8_t& mark = marks_[static_cast<std::size_t>(countryNumber)];
        count_ += 1 - mark;
        mark = 1;
    }
    // Marks the country of a station identifier: the leading digits after leading blanks.
    void markIdentifier(QStringView identifier);
    bool isWorked(int countryNumber) const;
    int count() const { return count_; }
    void clear();

private:
    std::vector<std::uint8_t> marks_; // 1 for a country worked
    int count_ = 0;
};

} // namespace qvmd
