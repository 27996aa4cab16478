#include "core/common/Numbers.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/Roster.h"

#include <cstddef>
#include <cstdint>
#include <optional>

namespace {

// The search as the rules read, line by line on decoded text: the fast scan must agree with it.
std::optional<QString> referenceSearch(const QByteArray& roster, const QString& identifier,
                                       bool positiveOnly) {
    for (const QString& line : qvmd::splitLines(roster)) {
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (positiveOnly && qvmd::leadingNumber(line) <= 0)
            continue;
        if (!line.contains(QLatin1Char('>')))
            continue;
        const qvmd::SplitLine parts = qvmd::splitLine(line);
        if (parts.key == identifier)
            return parts.value.toString();
    }
    return std::nullopt;
}

} // namespace

// Input: one byte of options (low bit: registration filter; next four bits: identifier length), the
// identifier, then the roster bytes.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const bool positiveOnly = (data[0] & 1) != 0;
    const std::size_t length = std::min<std::size_t>((data[0] >> 1) & 0x0F, size - 1);
    const QString identifier = qvmd::fromWindows1252(
        QByteArrayView(reinterpret_cast<const char*>(data + 1), static_cast<qsizetype>(length)));
    const QByteArray roster(reinterpret_cast<const char*>(data + 1 + length),
                            static_cast<qsizetype>(size - 1 - length));

    const std::optional<QString> fast = qvmd::findInRoster(roster, identifier, positiveOnly);
    if (fast != referenceSearch(roster, identifier, positiveOnly))
        __builtin_trap();
    return 0;
}
