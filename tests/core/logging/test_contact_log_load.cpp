#include "core/common/Windows1252.h"
#include "core/logfile/LogStatistics.h"
#include "core/logfile/WorkedCountries.h"
#include "core/logging/ContactLog.h"
#include "support/Printers.h"

#include <QRandomGenerator>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

constexpr int countries = 40;

// A log of random lines over the bytes the reading rule looks at: separators, CR and LF where they do and
// do not belong, the letters the statistics compare, blanks before digits, a header line now and then, and
// lines short and long enough for every way through the reader (lines over 128 bytes, the file's last
// bytes).
QByteArray randomLog(QRandomGenerator& random) {
    static const char alphabet[] = {'>',    '>',  '>',  '>', '>', '>',    'N',    'N', 'H', 'L',
                                    'S',    '1',  '2',  '3', '4', '0',    '9',    'Q', 'V', ' ',
                                    '\xA0', '\t', '\r', '#', 'a', '\x81', '\xD2', 'Y'};
    QByteArray bytes = random.bounded(5) == 0 ? QByteArray("\xEF\xBB\xBF") : QByteArray();
    const int lines = random.bounded(1, 60);
    for (int i = 0; i < lines; ++i) {
        switch (random.bounded(6)) {
        case 0: { // a sound record, possibly long
            const QByteArray name(random.bounded(0, 140), 'A');
            bytes += QByteArray::number(i + 1) + ">5>" +
                     QByteArray::number(random.bounded(0, countries + 3)) +
                     (random.bounded(2) ? "QV" : "ABC") + QByteArray::number(random.bounded(1, 3000)) + '>' +
                     name + '>' + (random.bounded(2) ? "H" : "L") + ">Italia>06/03/2015 14:05:09>" +
                     (random.bounded(5) ? "N" : "S") + '>';
            break;
        }
        case 1:
            bytes += random.bounded(3) ? "#" : "#Y";
            break;
        default:
            for (int n = random.bounded(0, 160); n > 0; --n)
                bytes += alphabet[random.bounded(int(sizeof alphabet))];
            break;
        }
        const int end = random.bounded(4);
        bytes += end == 0 ? "\n" : end == 1 ? "\r\r\n" : "\r\n";
    }
    if (random.bounded(3) == 0)
        bytes.chop(random.bounded(1, 4));
    return bytes;
}

} // namespace

// Reading the log in use from its bytes and the selection's statistics pass must agree, record for record
// and count for count, with the reading rule as the decoded reader applies it.
TEST(ContactLogLoad, AgreesWithTheDecodedReaderOnRandomLogs) {
    QRandomGenerator random(20261208);
    for (int trial = 0; trial < 3000; ++trial) {
        const QByteArray bytes = randomLog(random);
        SCOPED_TRACE(testing::Message()
                     << "trial " << trial << ": " << bytes.toPercentEncoding().constData());
        const LogContents expected = parseLog(bytes);
        const LogStatistics statistics = logStatistics(expected.records, countries);

        ContactLog log;
        const LogContents header = log.load(bytes);
        EXPECT_EQ(header.header.values, expected.header.values);
        EXPECT_EQ(header.paperLog, expected.paperLog);
        ASSERT_EQ(log.size(), static_cast<int>(expected.records.size()));
        for (int row = 1; row <= log.size(); ++row) {
            const ContactRecord& record = expected.records[static_cast<std::size_t>(row - 1)];
            ASSERT_EQ(log.at(row), record) << "row " << row;
            EXPECT_EQ(log.isCancelled(row), record.isCancelled()) << "row " << row;
            EXPECT_EQ(log.fieldText(row, ContactRecord::Unit), record.fieldText(ContactRecord::Unit));
        }
        const ContactTally tally = log.tally();
        EXPECT_EQ(tally.hunters, statistics.counters.HunterCount);
        EXPECT_EQ(tally.ladies, statistics.counters.LadyCount);
        EXPECT_EQ(tally.cancelled, statistics.counters.CancelledCount);
        const WorkedCountries worked = log.workedCountries(countries);
        for (int country = 0; country <= countries + 1; ++country)
            EXPECT_EQ(worked.isWorked(country), statistics.worked.isWorked(country)) << "country " << country;

        const LogSummary scanned = scanLog(bytes, countries);
        EXPECT_EQ(scanned.statistics.counters, statistics.counters);
        EXPECT_EQ(scanned.contents.header.values, expected.header.values);

        // The first valid contact of each station is the one a walk through the records finds.
        for (int row = 1; row <= log.size(); ++row) {
            const QString unit = log.fieldText(row, ContactRecord::Unit);
            int first = 0;
            for (std::size_t i = 0; i < expected.records.size() && first == 0; ++i) {
                if (expected.records[i].fieldText(ContactRecord::Unit) == unit &&
                    !expected.records[i].isCancelled())
                    first = static_cast<int>(i) + 1;
            }
            ASSERT_EQ(log.findValid(unit), first) << "row " << row;
        }
        // The records' lines, each ended by CR LF, are what a rewrite writes after the header.
        QByteArray lines;
        for (const ContactRecord& record : expected.records)
            lines += toWindows1252(record.line().toString()) + "\r\n";
        EXPECT_EQ(log.recordLines(), lines);
    }
}

// The bytes of the file are the record: characters the code page lacks are stored as the file gets them,
// and an identifier the code page cannot hold is in no record.
TEST(ContactLogLoad, KeepsTheFilesBytesAndLooksUpInThem) {
    ContactLog log;
    log.load("##L\r\n1>2>5QV1>NICOL\xD2 \x81>L>x>d>N>\r\n");
    EXPECT_EQ(log.line(1), QByteArrayView("1>2>5QV1>NICOL\xD2 \x81>L>x>d>N>"));
    EXPECT_EQ(log.fieldText(1, ContactRecord::Name), QString::fromUtf8("NICOLÒ \u0081"));
    log.append(ContactRecord::fromFields(
        {"2", "3", QString::fromUtf8("5QV\u0142"), QString::fromUtf8("ZO\u0142"), "H", "x", "d", "N"}));
    EXPECT_EQ(log.line(2), QByteArrayView("2>3>5QV?>ZO?>H>x>d>N>"));
    EXPECT_EQ(log.findValid(QString::fromUtf8("5QV\u0142")), 0);
    EXPECT_EQ(log.findValid(u"5QV?"), 2);
    EXPECT_EQ(log.findValid(u"5QV1"), 1);
    EXPECT_EQ(log.category(1), 'L');
    EXPECT_EQ(log.category(2), 'H');
}
