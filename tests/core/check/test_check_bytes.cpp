// The checker reads a log on its bytes; these hold it to the log reader's rule and to the decoded text.
#include "core/check/CheckReports.h"
#include "core/check/CheckTexts.h"
#include "core/check/CheckedLog.h"
#include "core/check/CrossCheck.h"
#include "core/check/RecordPlaces.h"
#include "core/check/RosterCategories.h"
#include "core/common/Windows1252.h"
#include "core/logfile/LogFile.h"
#include "core/logging/ContactLog.h"

#include <gtest/gtest.h>

#include <random>

using namespace qvmd;

namespace {

const QByteArray header = "##H\r\n#1QV1\r\n#OP\r\n#N\r\n#1\r\n#x\r\n#1\r\n#QV\r\n#1\r\n#2026\r\n#LOG\r\n";

QStringList texts(const CheckedLog& log) {
    QStringList list;
    for (const Finding& finding : log.findings)
        list.append(log.findingText(finding, CheckTexts(1000)));
    return list;
}

// Random bytes from the characters that matter to the rule: separators, line ends, header marks,
// blanks of the code page and letters outside ASCII.
TEST(CheckRecordPlaces, SplitLinesAndFieldsAsTheLogReaderDoes) {
    std::mt19937 random(20);
    const QByteArray alphabet = QByteArray(">>>\r\n\n#NHL 5Qa\xA0\xE9\xDF\t", 19);
    RecordPlaces places;
    for (int round = 0; round < 3000; ++round) {
        QByteArray bytes = random() % 8 == 0 ? QByteArray("\xEF\xBB\xBF") : QByteArray();
        for (int length = static_cast<int>(random() % 160); length > 0; --length)
            bytes += alphabet[static_cast<qsizetype>(random() % static_cast<unsigned>(alphabet.size()))];
        LogLinePlaces lines;
        const LogContents expected = parseLog(bytes, &lines);
        places.read(bytes);
        const std::string label = bytes.toPercentEncoding().toStdString();
        EXPECT_EQ(places.header.header.values, expected.header.values) << label;
        EXPECT_EQ(places.header.headerValueCount, expected.headerValueCount) << label;
        EXPECT_EQ(places.headerLines, lines.headerLines) << label;
        ASSERT_EQ(places.records.size(), expected.records.size()) << label;
        for (std::size_t i = 0; i < places.records.size(); ++i) {
            const RecordPlace& record = places.records[i];
            EXPECT_EQ(record.line, lines.records[i].line) << label;
            EXPECT_EQ(record.fields, lines.records[i].separators + (lines.records[i].trailingText ? 1 : 0))
                << label;
            for (int field = 0; field < ContactRecord::FieldCount; ++field)
                EXPECT_EQ(fromWindows1252(places.field(record, field)), expected.records[i].field(field))
                    << label << " field " << field;
        }
    }
}

// Identifiers as hand-edited logs have them: each is read as the decoded text would be, upper-cased
// and trimmed, and only a plain one is a station.
TEST(CheckLogBytes, ReadsHandEditedIdentifiersAsTheirText) {
    struct Case {
        QByteArray unit;
        const char* worked;  // the valid contact's station, or nullptr
        const char* finding; // otherwise the finding on line 12
    };
    for (const Case& c : std::vector<Case>{
             {"5QV12", "5QV12", nullptr},
             {"5qv12", "5QV12", nullptr},
             {" 5QV12\xA0\t", "5QV12", nullptr},
             {"5Q\xDF"
              "12",
              "5QSS12", nullptr}, // the sharp s upper-cases to two letters
             {"5Q\xE9"
              "12",
              nullptr,
              "Line 12: station identifier \"5Q\xC3\x89"
              "12\" is malformed"},
             {"5QV\r12", nullptr, "Line 12: station identifier \"5QV 12\" is malformed"},
             {"05QV12", nullptr, "Line 12: station identifier \"05QV12\" is malformed"},
             {"1qv1", nullptr, "Line 12: own station worked"},
         }) {
        const QByteArray log = header + "1>1>" + c.unit + ">X>H>C>06/03/2026 14:00:00>N>\r\n";
        const CheckedLog checked = checkLogBytes(QStringLiteral("1QV1_MD_H_2026.Log"), log, CheckTexts(1000));
        const std::string label = c.unit.toPercentEncoding().toStdString();
        EXPECT_EQ(checked.claimed, 1) << label;
        if (c.worked) {
            ASSERT_EQ(checked.contacts.size(), 1u) << label;
            EXPECT_EQ(checked.workedText(checked.contacts[0]), QLatin1String(c.worked)) << label;
            EXPECT_EQ(checked.contacts[0].country, 5) << label;
            EXPECT_TRUE(checked.findings.empty()) << texts(checked).join(u'|').toStdString();
        } else {
            EXPECT_TRUE(checked.contacts.empty()) << label;
            EXPECT_EQ(texts(checked), QStringList{QString::fromUtf8(c.finding)}) << label;
        }
    }
}

// The checker and the logging window share the duplicate rule: on random logs of a few stations, some
// contacts cancelled, each duplicate the checker reports is the earlier row the window would name.
TEST(CheckLogBytes, DuplicatesAreTheEarlierRowsTheLogInUseFinds) {
    std::mt19937 random(35);
    const char* const stations[] = {"2QV2", "3QV3", "4QV4", "5QV5"};
    for (int round = 0; round < 40; ++round) {
        QByteArray records;
        for (int c = 1; c <= 30; ++c)
            records += QByteArray::number(c) + ">1>" + stations[random() % 4] +
                       ">X>H>C>06/03/2026 14:00:00>" + (random() % 4 == 0 ? "S" : "N") + ">\r\n";
        const CheckedLog checked =
            checkLogBytes(QStringLiteral("1QV1_MD_H_2026.Log"), header + records, CheckTexts(1000));
        ContactLog log;
        log.load(header + records);
        QStringList expected;
        for (int row = 1; row <= log.size(); ++row) {
            const int earlier = log.isCancelled(row) ? 0 : log.findValid(log.fieldText(row, 2), row);
            if (earlier > 0 && earlier < row)
                expected.append(QStringLiteral("Line %1: duplicate of line %2 (%3)")
                                    .arg(row + 11)
                                    .arg(earlier + 11)
                                    .arg(log.fieldText(row, 2)));
        }
        EXPECT_EQ(texts(checked), expected) << "round " << round;
    }
}

// A log read with the rosters has its roster stations numbered and their categories compared while
// it is read; read without, the cross-check does both. The reports must not tell the difference.
TEST(CheckLogBytes, RostersAtReadingOrAtCrossCheckGiveTheSameReports) {
    RosterCategories rosters;
    rosters.addRoster("2QV2>ANNA\r\n3QV3>BEA\r\n", RosterCategories::Lady);
    rosters.addRoster("4QV4>CARLO\r\n", RosterCategories::Hunter);
    const QByteArray records = "1>1>2QV2>X>L>C>06/03/2026 14:00:00>N>\r\n"
                               "2>1>3qv3>X> H >C>06/03/2026 14:01:00>N>\r\n"
                               "3>1>4QV4>X>H>C>06/03/2026 14:02:00>N>\r\n"
                               "4>1>4QV5>X>L>C>06/03/2026 14:03:00>N>\r\n"
                               "5>1>9QV9>X>H>C>06/03/2026 14:04:00>N>\r\n"
                               "6>1>2QV2>X>L>C>06/03/2026 14:05:00>N>\r\n";
    const QByteArray answer = "##L\r\n#2QV2\r\n#OP\r\n#N\r\n#1\r\n#x\r\n#2\r\n#QV\r\n#2\r\n#2026\r\n#LOG\r\n"
                              "1>1>1QV1>X>H>C>06/03/2026 14:30:00>N>\r\n";
    const CheckTexts english(1000);
    std::vector<std::vector<CheckedLog>> runs(2);
    for (std::size_t withRosters = 0; withRosters < 2; ++withRosters) {
        const LogCheckReferences references{withRosters ? &rosters : nullptr, 9};
        runs[withRosters].push_back(
            checkLogBytes(QStringLiteral("1QV1_MD_H_2026.Log"), header + records, english, references));
        runs[withRosters].push_back(
            checkLogBytes(QStringLiteral("2QV2_MD_L_2026.Log"), answer, english, references));
        CrossCheckSettings settings;
        settings.countryCount = 9;
        settings.weights.hunterPointsForHunter = 1;
        settings.weights.ladyPointsForHunter = 3;
        settings.weights.countryPoints = 2;
        crossCheck(runs[withRosters], rosters, settings, english);
    }
    const QByteArray report = logReport(runs[1][0], english);
    EXPECT_EQ(report.toStdString(), logReport(runs[0][0], english).toStdString());
    EXPECT_EQ(resultsCsv(runs[1], english), resultsCsv(runs[0], english));
    EXPECT_EQ(runs[1][0].others.size(), 2u); // 4QV5 and 9QV9 are on no roster
    EXPECT_TRUE(report.contains("Line 12: 2QV2: time outside the window, 30 minutes apart\r\n"
                                "Line 13: 3QV3: category H, the roster gives L\r\n"
                                "Line 15: 4QV5: miscopied identifier, probably 4QV4\r\n"
                                "Line 16: 9QV9: in no roster and no log received\r\n"
                                "Line 17: duplicate of line 12 (2QV2)\r\n"))
        << report.toStdString();
}

} // namespace
