#include "FuzzFolder.h"
#include "core/check/CheckReports.h"
#include "core/check/CheckTexts.h"
#include "core/check/CheckedLog.h"
#include "core/check/CrossCheck.h"
#include "core/check/RecordPlaces.h"
#include "core/check/RosterCategories.h"
#include "core/common/Windows1252.h"
#include "core/logfile/LogFile.h"

#include <algorithm>

// The checker's own reading on arbitrary bytes: two rosters and up to four logs, split at "~~~~". Each
// log is split as the log reader splits it and checked (header, stamps, identifiers, duplicates), all
// are cross-checked and scored, and every report and table is made. Nothing may crash, the fields must
// be the reader's, and the counts must add up.
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
    qvmd::RecordPlaces places;
    for (qsizetype i = 2; i < pieces.size(); ++i) {
        // The checker splits a log on its bytes exactly as the log reader does on its text.
        const qvmd::LogContents expected = qvmd::parseLog(pieces[i]);
        places.read(pieces[i]);
        if (places.records.size() != expected.records.size() ||
            places.header.header.values != expected.header.values)
            __builtin_trap();
        for (std::size_t r = 0; r < places.records.size(); ++r)
            for (int field = 0; field < qvmd::ContactRecord::FieldCount; ++field)
                if (qvmd::fromWindows1252(places.field(places.records[r], field)) !=
                    expected.records[r].field(field))
                    __builtin_trap();
        logs.push_back(qvmd::checkLogBytes(QStringLiteral("log%1.Log").arg(i), pieces[i], texts, references));
    }
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
