#include "core/refdata/ScoreWeights.h"

#include "core/common/Numbers.h"
#include "core/common/TextFile.h"

#include <array>
#include <limits>

namespace qvmd {

namespace {

constexpr std::int64_t highestWeight = std::numeric_limits<std::int16_t>::max();

FileError badValue(const QString& path, qsizetype index, const QString& line, FileError::Reason reason) {
    FileError error = fileError(FileError::Kind::Malformed, path, reason);
    error.line = static_cast<int>(index + 1);
    error.value = line.trimmed();
    error.low = 0;
    error.high = highestWeight;
    return error;
}

} // namespace

Result<ScoreWeights> ScoreWeights::fromLines(const QStringList& lines, const QString& path) {
    ScoreWeights weights;
    const std::array<std::int16_t*, 5> fields = {&weights.hunterPointsForHunter, &weights.ladyPointsForHunter,
                                                 &weights.ladyPointsForLady, &weights.hunterPointsForLady,
                                                 &weights.countryPoints};
    for (qsizetype i = 0; i < lines.size() && i < static_cast<qsizetype>(fields.size()); ++i) {
        // Line 1 keeps the lenient leading-number rule; lines 2 to 5 must be whole numbers. A value the old
        // reader would have stopped on is named, with its line, instead.
        const std::optional<std::int64_t> value = i == 0 ? leadingNumber(lines[i]) : wholeNumber(lines[i]);
        if (!value)
            return badValue(path, i, lines[i], FileError::Reason::NotWholeNumber);
        // A weight is a count of points: a negative one or one beyond 16 bits is a typing error, not a cap.
        if (*value < 0 || *value > highestWeight)
            return badValue(path, i, lines[i], FileError::Reason::OutOfRange);
        *fields[static_cast<std::size_t>(i)] = static_cast<std::int16_t>(*value);
    }
    return weights;
}

Result<ScoreWeights> ScoreWeights::load(const QString& path) {
    Result<QStringList> lines = readLines(path, SmallFileLimit);
    if (!lines)
        return lines.error();
    return fromLines(lines.value(), path);
}

} // namespace qvmd
