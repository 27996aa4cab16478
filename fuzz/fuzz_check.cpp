#include "FuzzFolder.h"
#include "core/check/CheckReports.h"
#include "core/check/CheckTexts.h"
#include "core/check/CheckedLog.h"
#include "core/check/CrossCheck.h"
#include "core/check/RosterCategories.h"

#include <algorithm>

// The checker's own reading on arbitrary bytes: two rosters and up to four logs, split at "~~~~". Each
// log is checked (header, stamps, identifiers, duplicates), all are cross-checked and scored, and every
// report and table is made. Nothing may crash, and the counts must add up.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArray input = qvmd::fuzz::bytesOf(data, size).toByteArray();
    // "~~~~" splits; a lone "~" stays in its part.
    QList<QByteArray> pieces;
    QByteArray current;
    int tildes = 0;
    for (const char c : input) {
        if (c == '~' && ++tildes == 4) {
            pieces.append(current.chopped(3));
            current.clear();
            tildes = 0;
            continue;
        }
        if (c != '~')
            tildes = 0;
        current += c;
    }
    pieces.append(current);
    if (pieces.size() < 3 || pieces.size() > 6)
        return 0;
    static const qvmd::CheckTexts texts(1000);
    qvmd::RosterCategories rosters;
    rosters.addRoster(pieces[0], qvmd::RosterCategories::Lady);
    rosters.addRoster(pieces[1], qvmd::RosterCategories::Hunter);
    const qvmd::LogCheckReferences references{&rosters, 8};
    std::vector<qvmd::CheckedLog> logs;
    for (qsizetype i = 2; i < pieces.size(); ++i)
        logs.push_back(qvmd::checkLogBytes(QStringLiteral("log%1.Log").arg(i), pieces[i], texts, references));
    qvmd::CrossCheckSettings settings;
    settings.countryCount = 8;
    settings.windowMinutes = 10;
    settings.weights.hunterPointsForHunter = 1;
    settings.weights.ladyPointsForHunter = 3;
    settings.weights.ladyPointsForLady = 3;
    settings.weights.hunterPointsForLady = 1;
    settings.weights.countryPoints = 2;
    qvmd::crossCheck(logs, rosters, settings, texts);
    for (const qvmd::CheckedLog& log : logs) {
        if (log.confirmed < 0 || log.notInLog < 0 || log.timeOff < 0 || log.miscopied < 0 ||
            log.duplicates < 0 || log.confirmed + log.notInLog + log.timeOff + log.miscopied > log.claimed ||
            log.rank < 0 || log.rank > static_cast<int>(logs.size()))
            __builtin_trap();
        for (const qvmd::Finding& finding : log.findings)
            if (finding.line < 0 || finding.text.isEmpty())
                __builtin_trap();
        const QByteArray report = qvmd::logReport(log, texts);
        if (!report.endsWith("\r\n") || QString::fromUtf8(report).toUtf8() != report)
            __builtin_trap();
    }
    if (qvmd::resultsCsv(logs, texts).isEmpty() || qvmd::resultsHtml(logs, texts).isEmpty())
        __builtin_trap();
    return 0;
}
