#include "core/update/FileShape.h"

#include "core/common/TextFile.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/ScoreWeights.h"

namespace qvmd {

namespace {

constexpr int settingsLines = 11;
constexpr int weightLines = 5;

DownloadFault wrongShape(int line) {
    return DownloadFault{DownloadFault::Kind::WrongShape, 0, QString(), line};
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
            return wrongShape(static_cast<int>(i + 1));
        ++stations;
    }
    if (stations == 0)
        return wrongShape(0);
    return std::nullopt;
}

// Every non-blank line of the country table is a prefix and a name.
std::optional<DownloadFault> checkCountries(const QStringList& lines) {
    if (lines.size() > CountryTable::MaxCountries)
        return wrongShape(CountryTable::MaxCountries + 1);
    int countries = 0;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        if (lines[i].trimmed().isEmpty())
            continue;
        if (!lines[i].contains(QLatin1Char('>')))
            return wrongShape(static_cast<int>(i + 1));
        ++countries;
    }
    if (countries == 0)
        return wrongShape(0);
    return std::nullopt;
}

// Five numbers; the first is read by its leading number, but it must have one.
std::optional<DownloadFault> checkWeights(const QStringList& lines) {
    if (lines.size() < weightLines)
        return wrongShape(static_cast<int>(lines.size() + 1));
    const QString first = lines[0].trimmed();
    const bool leadingDigit =
        !first.isEmpty() &&
        (first[0].isDigit() ||
         (first.size() > 1 && (first[0] == QLatin1Char('-') || first[0] == QLatin1Char('+')) &&
          first[1].isDigit()));
    if (!leadingDigit)
        return wrongShape(1);
    const Result<ScoreWeights> weights = ScoreWeights::fromLines(lines);
    if (!weights)
        return wrongShape(weights.error().line);
    return std::nullopt;
}

std::optional<DownloadFault> checkLines(int fileIndex, const QStringList& lines) {
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
            return wrongShape(settingsLines + 1);
        return std::nullopt;
    default:
        return wrongShape(0);
    }
}

} // namespace

std::optional<DownloadFault> checkFileShape(int fileIndex, const QByteArray& bytes) {
    if (bytes.isEmpty())
        return DownloadFault{DownloadFault::Kind::Empty, 0, QString(), 0};
    if (looksLikeWebPage(bytes))
        return DownloadFault{DownloadFault::Kind::WebPage, 0, QString(), 0};
    // The files are plain text; a zero byte means something else arrived.
    if (bytes.contains('\0'))
        return wrongShape(0);
    const QStringList lines = splitLines(bytes);
    const int lastLine = static_cast<int>(lines.size());
    std::optional<DownloadFault> fault = checkLines(fileIndex, lines);
    // Every file ends its last line with CR LF: without it the transfer stopped short, even when the
    // server announced no length and the cut line still looks like a line of the file. A fault before the
    // last line is the file's own.
    if (!bytes.endsWith("\r\n") && (!fault || fault->line == 0 || fault->line >= lastLine))
        return DownloadFault{DownloadFault::Kind::Truncated, 0, QString(), lastLine};
    return fault;
}

} // namespace qvmd
