#include "core/update/FileShape.h"

#include "core/common/TextFile.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/ScoreWeights.h"

namespace qvmd {

namespace {

constexpr int settingsLines = 11;
constexpr int weightLines = 5;

DownloadFault wrongShape(int line, QString detail) {
    return DownloadFault{DownloadFault::Kind::WrongShape, 0, std::move(detail), line};
}

bool looksLikeWebPage(const QByteArray& bytes) {
    const QByteArray start = bytes.left(64).trimmed().toLower();
    return start.startsWith("<!doctype") || start.startsWith("<html") || start.startsWith("<?xml") ||
           start.startsWith("<head") || start.startsWith("<body");
}

// A roster line is blank, a comment, or an identifier (a country number first) with its name after ">".
std::optional<DownloadFault> checkRoster(const QStringList& lines) {
    int stations = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString& line = lines[i];
        if (line.trimmed().isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        if (!line.contains(QLatin1Char('>')) || countryNumberOf(splitLine(line).key) <= 0)
            return wrongShape(static_cast<int>(i + 1), QString());
        ++stations;
    }
    if (stations == 0)
        return wrongShape(0, QStringLiteral("no stations"));
    return std::nullopt;
}

// Every non-blank line of the country table is a prefix and a name.
std::optional<DownloadFault> checkCountries(const QStringList& lines) {
    if (lines.size() > CountryTable::MaxCountries)
        return wrongShape(CountryTable::MaxCountries + 1, QString());
    int countries = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        if (!lines[i].contains(QLatin1Char('>')))
            return wrongShape(static_cast<int>(i + 1), QString());
        ++countries;
    }
    if (countries == 0)
        return wrongShape(0, QStringLiteral("no countries"));
    return std::nullopt;
}

// Five numbers; the first is read by its leading number, but it must have one.
std::optional<DownloadFault> checkWeights(const QStringList& lines) {
    if (lines.size() < weightLines)
        return wrongShape(static_cast<int>(lines.size() + 1), QString());
    const QString first = lines[0].trimmed();
    const bool leadingDigit =
        !first.isEmpty() &&
        (first[0].isDigit() ||
         (first.size() > 1 && (first[0] == QLatin1Char('-') || first[0] == QLatin1Char('+')) &&
          first[1].isDigit()));
    if (!leadingDigit)
        return wrongShape(1, QString());
    const Result<ScoreWeights> weights = ScoreWeights::fromLines(lines);
    if (!weights)
        return wrongShape(weights.error().line, QString());
    return std::nullopt;
}

} // namespace

std::optional<DownloadFault> checkFileShape(int fileIndex, const QByteArray& bytes) {
    if (bytes.isEmpty())
        return DownloadFault{DownloadFault::Kind::Empty, 0, QString(), 0};
    if (looksLikeWebPage(bytes))
        return DownloadFault{DownloadFault::Kind::WebPage, 0, QString(), 0};
    // The files are plain text; a zero byte means something else arrived.
    if (bytes.contains('\0'))
        return wrongShape(0, QString());
    const QStringList lines = splitLines(bytes);
    switch (fileIndex) {
    case 0:
    case 1:
        return checkRoster(lines);
    case 2:
        return checkCountries(lines);
    case 3:
        return checkWeights(lines);
    case 4:
        if (lines.size() > settingsLines)
            return wrongShape(settingsLines + 1, QString());
        return std::nullopt;
    default:
        return wrongShape(0, QString());
    }
}

} // namespace qvmd
