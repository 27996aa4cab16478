#include "core/logfile/LogFile.h"
#include "core/print/PrintableLog.h"
#include "support/Printers.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

QList<QStringList> allRecords(const PrintableLog& log) {
    QList<QStringList> all;
    const ReportRecords next = log.records();
    QStringList fields;
    while (next(fields))
        all.append(fields);
    return all;
}

} // namespace

TEST(PrintableLog, CountsLinesAsTheyStandInTheFile) {
    struct Case {
        const char* bytes;
        qsizetype lines;
    };
    for (const Case& c : {Case{"", 0}, Case{"a", 1}, Case{"a\r\n", 1}, Case{"a\r\nb", 2}, Case{"\r\n\r\n", 2},
                          Case{"a\n\nb\n", 3}, Case{"a\rb\r\n", 1}})
        EXPECT_EQ(PrintableLog(QByteArray(c.bytes)).lineCount(), c.lines) << c.bytes;
}

TEST(PrintableLog, HandsTheRecordsTheLogReaderReads) {
    // Header and empty lines, a short line, one with fields beyond the eighth, a stray CR, no last line end.
    const QByteArray bytes = "##L\r\n#5QV123\r\n\r\n"
                             "1>7>5QV1>NICOL\xD2>L>Italia>06/03/2015 14:05:09>N>\r\n"
                             "#Y\n"
                             "2>8>5QV2\r\n"
                             "3>9>5QV3>A>H>Malta>06/03/2015 14:07:41>S>extra>more>\r\n"
                             "4>1>5QV4>B\rC>H>Malta>06/03/2015 14:09:00>N>\r\n"
                             "5>2>5QV5>D>L>Italia>06/03/2015 14:10:00>N";
    const PrintableLog log{bytes};
    const QList<QStringList> printed = allRecords(log);

    const LogContents read = parseLog(bytes);
    ASSERT_EQ(printed.size(), qsizetype(read.records.size()));
    for (qsizetype i = 0; i < printed.size(); ++i) {
        QStringList expected;
        for (int f = 0; f < ContactRecord::FieldCount; ++f)
            expected.append(read.records[std::size_t(i)].fieldText(f));
        EXPECT_EQ(printed[i], expected) << i;
    }
    ASSERT_EQ(printed.size(), 5);
    EXPECT_EQ(printed[0][3], QStringLiteral("NICOL\u00D2"));
    EXPECT_EQ(printed[1], QStringList({"2", "8", "5QV2", "", "", "", "", ""}));
    EXPECT_EQ(printed[2][7], QStringLiteral("S"));
    EXPECT_EQ(printed[3][3], QStringLiteral("B C"));
    EXPECT_EQ(printed[4][7], QStringLiteral("N"));
    EXPECT_EQ(allRecords(log), printed) << "every pass starts at the first record";
}

TEST(PrintableLog, AFileThatCannotBeReadIsReportedAsTheLogReaderReportsIt) {
    QTemporaryDir dir;
    const QString missing = dir.filePath(QStringLiteral("none.Log"));
    const Result<PrintableLog> log = PrintableLog::read(missing);
    ASSERT_FALSE(log);
    EXPECT_EQ(log.error().kind, readLogBytes(missing).error().kind);
    EXPECT_EQ(log.error().path, missing);
    EXPECT_FALSE(PrintableLog::read(dir.path())) << "a folder is no log";
}
