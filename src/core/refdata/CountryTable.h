#pragma once

#include "core/common/FileError.h"

#include <QString>
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
        std::uint8_t worked = 0;
    };

    // Parses the file's lines; texts are kept untrimmed.
    static CountryTable fromLines(const QStringList& lines);
    static Result<CountryTable> load(const QString& path);

    std::int16_t count() const { return static_cast<std::int16_t>(rows_.empty() ? 0 : rows_.size() - 1); }
    // Empty for 0 and for numbers outside 1..N.
    QString name(int countryNumber) const;
    QString prefix(int countryNumber) const;
    const Row& row(int countryNumber) const { return rows_.at(static_cast<std::size_t>(countryNumber)); }

    void clearWorked();
    void markWorked(int countryNumber);
    bool isWorked(int countryNumber) const;
    int countWorked() const;

private:
    std::vector<Row> rows_ = std::vector<Row>(1);
};

// The leading run of decimal digits of an identifier as a number; 0 when it starts with anything else.
int countryNumberOf(QStringView identifier);

} // namespace qvmd
