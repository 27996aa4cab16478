#include "core/refdata/CountryTable.h"

#include "core/common/Numbers.h"

#include "core/common/TextFile.h"

#include <algorithm>
#include <limits>

namespace qvmd {

SplitLine splitLine(QStringView line) {
    // Equivalent to taking segments at each ">" in turn: every segment but the last overwrites the key.
    const qsizetype last = line.lastIndexOf(QLatin1Char('>'));
    if (last < 0)
        return {QStringView(), line};
    const qsizetype before = line.first(last).lastIndexOf(QLatin1Char('>'));
    return {line.sliced(before + 1, last - before - 1), line.sliced(last + 1)};
}

CountryTable CountryTable::fromLines(const QStringList& lines) {
    CountryTable table;
    const qsizetype taken = std::min<qsizetype>(lines.size(), MaxCountries);
    table.rows_.resize(static_cast<std::size_t>(taken) + 1);
    for (qsizetype i = 0; i < taken; ++i) {
        const SplitLine parts = splitLine(lines[i]);
        Row& row = table.rows_[static_cast<std::size_t>(i) + 1];
        row.prefix = parts.key.toString();
        row.name = parts.value.toString();
    }
    return table;
}

Result<CountryTable> CountryTable::load(const QString& path) {
    Result<QStringList> lines = readLines(path, TableFileLimit);
    if (!lines)
        return lines.error();
    if (lines.value().size() > MaxCountries) {
        FileError error = fileError(FileError::Kind::Malformed, path, FileError::Reason::TooManyLines);
        error.line = MaxCountries + 1;
        error.high = MaxCountries;
        return error;
    }
    return fromLines(lines.value());
}

QString CountryTable::name(int countryNumber) const {
    return valid(countryNumber) ? rows_[static_cast<std::size_t>(countryNumber)].name : QString();
}

QString CountryTable::prefix(int countryNumber) const {
    return valid(countryNumber) ? rows_[static_cast<std::size_t>(countryNumber)].prefix : QString();
}

int countryNumberOf(QStringView identifier) {
    return detail::leadingDigitsOf(identifier);
}

} // namespace qvmd
