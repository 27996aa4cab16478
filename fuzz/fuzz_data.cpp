#include "core/common/Numbers.h"
#include "core/common/TextFile.h"
#include "core/refdata/ScoreWeights.h"

#include <cstddef>
#include <cstdint>

namespace {

bool isWeight(std::int64_t value) {
    return value >= 0 && value <= 32767;
}

} // namespace

// The score weights on arbitrary bytes: either five weights in 0..32767 or an error naming the first line
// that is not one.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    const QStringList lines = qvmd::splitLines(bytes);
    const qvmd::Result<qvmd::ScoreWeights> weights = qvmd::ScoreWeights::fromLines(lines);
    if (!weights.ok()) {
        const int line = weights.error().line;
        if (line < 1 || line > 5 || line > lines.size())
            __builtin_trap();
        const QString& text = lines[line - 1];
        const std::optional<std::int64_t> value =
            line == 1 ? std::optional(qvmd::leadingNumber(text)) : qvmd::wholeNumber(text);
        if (value && isWeight(*value))
            __builtin_trap();
    } else if (!lines.isEmpty() && weights.value().hunterPointsForHunter != qvmd::leadingNumber(lines[0])) {
        __builtin_trap();
    }
    return 0;
}
