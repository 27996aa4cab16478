#pragma once

#include "core/common/FileError.h"

#include <QString>
#include <QStringList>
#include <QStringView>

#include <cstdint>
#include <vector>

namespace qvmd {

// Rows 0 to N of Prefix.dat: row i is line i, row 0 stays empty; blank lines keep their number.
class CountryTable {
public:
    struct Row {
        QString prefix;
        QString name;
    };

    // The country count is a 16-bit value, so a table never holds more rows than that.
    static constexpr int MaxCountries = 32767;

    // Parses the file's lines (at most MaxCountries are taken); texts are kept untrimmed.
    static CountryTable fromLines(const QStringList& lines);
    // One read of the file; a file longer than MaxCountries lines is Malformed.
    static Result<CountryTable> load(const QString& path);

    std::int16_t count() const { return static_cast<std::int16_t>(rows_.size() - 1); }
    // Empty for 0 and for numbers outside 1..N.
    QString name(int countryNumber) const;
    QString prefix(int countryNumber) const;
    const Row& row(int countryNumber) const { return rows_.at(static_cast<std::size_t>(countryNumber)); }

private:
    bool valid(int countryNumber) const {
        return countryNumber >= 0 && static_cast<std::size_t>(countryNumber) < rows_.size();
    }

    std::vector<Row> rows_ = std::vector<Row>(1);
};

// The splitting rule shared by Prefix.dat and the rosters: the text before the last ">" back to the one
// before it (or the line start) is the key, the text after the last ">" the value; a line without ">" is
// all value with an empty key.
struct SplitLine {
    QStringView key;
    QStringView value;
};
SplitLine splitLine(QStringView line);

// The leading run of decimal digits of an identifier as a number; 0 when it starts with anything else.
// A run too long for an int saturates, so it is never a valid country number.
int countryNumberOf(QStringView identifier);

} // namespace qvmd
