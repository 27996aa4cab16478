#include "core/refdata/ScoreWeights.h"

#include "core/common/Numbers.h"
#include "core/common/TextFile.h"

#include <array>

namespace qvmd {

Result<ScoreWeights> ScoreWeights::fromLines(const QStringList& lines, const QString& path) {
    ScoreWeights weights;
    const std::array<std::int16_t*, 5> fields = {&weights.hunterPointsForHunter, &weights.ladyPointsForHunter,
                                                 &weights.ladyPointsForLady, &weights.hunterPointsForLady,
                                                 &weights.countryPoints};
    if (!lines.isEmpty())
        weights.hunterPointsForHunter = leadingInt16(lines[0]);
    for (qsizetype i = 1; i < lines.size() && i < static_cast<qsizetype>(fields.size()); ++i) {
        const std::optional<std::int64_t> value = wholeNumber(lines[i]);
        // A value the old reader would have stopped on is named, with its line, instead.
        if (!value) {
            return FileError{FileError::Kind::Malformed, path,
                             QStringLiteral("\"%1\" is not a whole number").arg(lines[i].trimmed()),
                             static_cast<int>(i + 1)};
        }
        *fields[static_cast<std::size_t>(i)] = toInt16(*value);
    }
    return weights;
}

Result<ScoreWeights> ScoreWeights::load(const QString& path) {
    Result<QStringList> lines = readLines(path);
    if (!lines)
        return lines.error();
    return fromLines(lines.value(), path);
}

} // namespace qvmd
