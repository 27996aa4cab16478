#include "core/common/Numbers.h"
#include "core/common/TextFile.h"
#include "core/refdata/ScoreWeights.h"

#include <cstddef>
#include <cstdint>

// The score weights on arbitrary bytes: either five values or an error naming a line 2 to 5.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = qvmd::splitLines(bytes);
    const qvmd::Result<qvmd::ScoreWeights> weights = qvmd::ScoreWeights::fromLines(lines);
    if (!weights.ok()) {
        const int line = weights.error().line;
        if (line < 2 || line > 5 || line > lines.size() || qvmd::wholeNumber(lines[line - 1]))
            __builtin_trap();
    } else if (!lines.isEmpty() && weights.value().hunterPointsForHunter != qvmd::leadingInt16(lines[0])) {
        __builtin_trap();
    }
    return 0;
}
