#include "FuzzFolder.h"
#include "core/common/Windows1252.h"
#include "core/refdata/Roster.h"

// The roster search through the files: input is one byte of options (low bit: order; next four bits:
// identifier length), the identifier, then the bytes of both rosters split at the first 0xFF.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1)
        return 0;
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    const auto order = (data[0] & 1) != 0 ? qvmd::RosterOrder::Registration : qvmd::RosterOrder::Logging;
    const std::size_t length = std::min<std::size_t>((data[0] >> 1) & 0x0F, size - 1);
    const QString identifier = qvmd::fromWindows1252(qvmd::fuzz::bytesOf(data + 1, length));
    const QByteArrayView rest = qvmd::fuzz::bytesOf(data + 1 + length, size - 1 - length);
    const qsizetype split = rest.indexOf('\xFF');
    fuzz.put("Lady.dat", split < 0 ? rest : rest.first(split));
    fuzz.put("Hunter.dat", split < 0 ? QByteArrayView() : rest.sliced(split + 1));

    const qvmd::RosterSearch search = qvmd::searchRosters(fuzz.folder(), identifier, order);
    if (search.error)
        __builtin_trap();
    if (search.found &&
        (search.entry.identifier != identifier ||
         (search.entry.category != QLatin1String("L") && search.entry.category != QLatin1String("H"))))
        __builtin_trap();
    return 0;
}
