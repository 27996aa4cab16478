#include "core/common/TextFile.h"
#include "core/logfile/WorkedCountries.h"
#include "core/refdata/CountryTable.h"

#include <cstddef>
#include <cstdint>

// The country table on arbitrary bytes: every line is a row, and the lookups stay within the table.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = qvmd::splitLines(bytes);
    qvmd::CountryTable table = qvmd::CountryTable::fromLines(lines);
    if (table.count() != std::min<qsizetype>(lines.size(), qvmd::CountryTable::MaxCountries))
        __builtin_trap();
    qvmd::WorkedCountries worked(table.count());
    for (int n = -1; n <= table.count() + 1; ++n) {
        const QString name = table.name(n);
        const QString prefix = table.prefix(n);
        if (name.contains(QLatin1Char('>')) || (prefix.contains(QLatin1Char('>'))))
            __builtin_trap();
        worked.mark(n);
    }
    if (worked.count() != table.count())
        __builtin_trap();
    for (const QString& line : lines)
        (void)qvmd::countryNumberOf(line);
    return 0;
}
