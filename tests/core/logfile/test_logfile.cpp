#include "core/common/ProgramFolder.h"
#include "core/logfile/ContactRecord.h"
#include "core/logfile/LogCounters.h"
#include "core/logfile/LogFile.h"
#include "core/logfile/LogName.h"
#include "core/logfile/LogSelection.h"
#include "core/logfile/LogStatistics.h"
#include "support/FileSizeLimit.h"
#include "support/Printers.h"
#include "support/SystemFiles.h"
#include "support/TempProgramFolder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

using namespace qvmd;
using qvmd::test::crlf;
using qvmd::test::TempProgramFolder;

namespace {

const QString sampleRecord = QStringLiteral("12>7>5QV123>OPERATOR>L>Italia>06/03/2015 14:05:09>N>");
const QString sampleBlank = QStringLiteral("13>0>0QV0>DELETED>>NO>06/03/2015 14:07:41>S>");

StationProfile ladyProfile() {
    return {QStringLiteral("5QV123"), QStringLiteral("OPERATOR"), QStringLiteral("5"),
            QStringLiteral("QV"),     QStringLiteral("123"),      QStringLiteral("L")};
}

const QStringList sampleHeader = {"##L", "#5QV123", "#OPERATOR", "#N",    "#1",  "#06/03/2015",
                                  "#5",  "#QV",     "#123",      "#2015", "#LOG"};

QStringList fieldsOf(const ContactRecord& record) {
    QStringList fields;
    for (int i = 0; i < ContactRecord::FieldCount; ++i)
        fields.append(record.fieldText(i));
    return fields;
}

} // namespace

TEST(LogFormat, CreateAppendAndRewriteGiveTheDocumentedBytes) {
    TempProgramFolder folder(false);
    const ProgramFolder program(folder.path());
    const QString name = logFileName(QStringLiteral(" 5QV123"), QStringLiteral("L"), 2015);
    ASSERT_EQ(name, "5QV123_MD_L_2015.Log");
    const LogHeader header =
        LogHeader::forProfile(ladyProfile(), QStringLiteral("N"), 1, QDate(2015, 3, 6), 2015);

    ASSERT_FALSE(createLog(program, name, header));
    EXPECT_EQ(folder.readRaw("Logs/" + name), crlf(sampleHeader));
    EXPECT_EQ(folder.readRaw("Logs/Log.dat"), QByteArray("1\r\n0\r\n0\r\n0\r\n0\r\n"));

    const ContactRecord contact = ContactRecord::contact(
        12, QStringLiteral(" 7"), QStringLiteral("5QV123"), QStringLiteral("OPERATOR "), QStringLiteral("L"),
        QStringLiteral("Italia"), QStringLiteral("06/03/2015 14:05:09"));
    const ContactRecord blank = ContactRecord::blankCancelled(13, QStringLiteral("06/03/2015 14:07:41"));
    EXPECT_EQ(contact.line(), sampleRecord);
    EXPECT_EQ(blank.line(), sampleBlank);
    ASSERT_FALSE(appendRecord(program.logs(name), contact));
    ASSERT_FALSE(appendRecord(program.logs(name), blank));
    const QByteArray written = crlf(sampleHeader + QStringList{sampleRecord, sampleBlank});
    EXPECT_EQ(folder.readRaw("Logs/" + name), written);

    // Read back and rewritten whole: the same bytes.
    const Result<LogContents> read = readLog(program.logs(name));
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.value().records.size(), 2u);
    EXPECT_EQ(read.value().headerValueCount, 11);
    EXPECT_EQ(read.value().header.values, header.values);
    ASSERT_FALSE(rewriteLog(program.logs(name), read.value().header, read.value().records));
    EXPECT_EQ(folder.readRaw("Logs/" + name), written);

    // The blank cancelled record as the grid shows it.
    EXPECT_EQ(fieldsOf(read.value().records[1]),
              QStringList({"13", "0", "0QV0", "DELETED", "", "NO", "06/03/2015 14:07:41", "S"}));
}

TEST(LogFormat, RecordLinesSplitByTheReadingRule) {
    struct Case {
        const char* line;
        QStringList fields;
    };
    const Case cases[] = {
        {"3>12>5QV123>OPERATOR>L>Italia>06/03/2015 14:05:09>N>",
         {"3", "12", "5QV123", "OPERATOR", "L", "Italia", "06/03/2015 14:05:09", "N"}},
        {"1>2>3", {"1", "2", "3", "", "", "", "", ""}},      // short line padded
        {"1>>3>>>>>N", {"1", "", "3", "", "", "", "", "N"}}, // empty fields kept, last unterminated
        {"1>2>3>4>5>6>7>8>9>10>", {"1", "2", "3", "4", "5", "6", "7", "8"}}, // ninth and later dropped
        {">", {"", "", "", "", "", "", "", ""}},
        {" 4 > x>", {" 4 ", " x", "", "", "", "", "", ""}}, // read texts kept as they are
        {"1>a\rb>", {"1", "a b", "", "", "", "", "", ""}},  // a stray CR never reaches a written line
    };
    for (const Case& c : cases) {
        const ContactRecord fromText = ContactRecord::fromLine(QString::fromLatin1(c.line));
        const ContactRecord fromBytes = ContactRecord::fromBytes(c.line);
        EXPECT_EQ(fieldsOf(fromText), c.fields) << c.line;
        EXPECT_EQ(fromBytes, fromText) << c.line;
        // Every record's line splits back into the same eight fields.
        EXPECT_EQ(fieldsOf(ContactRecord::fromLine(fromText.line())), c.fields) << c.line;
    }
    QString many;
    for (int i = 1; i <= 25; ++i)
        many += QString::number(i) + QLatin1Char('>');
    const QList<QStringView> twenty = splitRecordFields(many);
    ASSERT_EQ(twenty.size(), ContactRecord::MaxFields);
    EXPECT_EQ(twenty.last(), u"20");
    EXPECT_EQ(splitRecordFields(u"a>>b").size(), 3);
}

TEST(LogFormat, NoFieldOrHeaderValueCarriesASeparatorOrLineEnd) {
    ContactRecord record = ContactRecord::fromFields(
        {"1", "2", "5QV1>X", "AN\r\nNA", " L ", "It>al\nia", "06/03/2015 14:05:09", "N"});
    EXPECT_EQ(record.line().toString(), "1>2>5QV1 X>AN  NA>L>It al ia>06/03/2015 14:05:09>N>");
    record.setField(ContactRecord::Cancelled, QStringLiteral("S>"));
    EXPECT_EQ(record.field(ContactRecord::Cancelled), u"S");
    EXPECT_TRUE(record.isCancelled());
    EXPECT_EQ(record.field(ContactRecord::Name), u"AN  NA");

    StationProfile profile = ladyProfile();
    profile.OperatorName = QStringLiteral("ANNA\r\n#Y");
    const QStringList lines = LogHeader::forProfile(profile, "N", 1, QDate(2015, 3, 6), 2015).lines();
    ASSERT_EQ(lines.size(), 11);
    EXPECT_EQ(lines[2], "#ANNA  #Y");
}

TEST(LogRead, PaperModeHeaderValuesAndLineHandling) {
    struct Case {
        QByteArray bytes;
        bool paper;
        int records;
        QString category;
    };
    const QByteArray body = "1>2>5QV1>A>H>Italia>d>N>\r\n";
    const Case cases[] = {
        {crlf(sampleHeader) + body, false, 1, "L"},
        {"##H\r\n#5QV1\r\n#A\r\n#Y\r\n" + body, true, 1, "H"},
        {"##H\r\n#5QV1\r\n#A\r\n#Y \r\n" + body, false, 1, "H"}, // a trailing blank is not paper mode
        {"##H\r\n#5QV1\r\n#A\r\n#y\r\n" + body, false, 1, "H"},
        {"##L\n#Y\n\n" + body + "\r\n\n" + body, true, 2, "L"},         // LF ends and empty lines skipped
        {"\xEF\xBB\xBF##L\r\n" + body, false, 1, "L"},                  // an editor's byte-order mark
        {"##L\r\n" + body + "1>2>5QV1>A>H>Italia>d>N>", false, 2, "L"}, // last line without its end
    };
    for (const Case& c : cases) {
        const LogContents log = parseLog(c.bytes);
        EXPECT_EQ(log.paperLog, c.paper) << c.bytes.toStdString();
        EXPECT_EQ(static_cast<int>(log.records.size()), c.records) << c.bytes.toStdString();
        EXPECT_EQ(log.header.value(LogHeader::CategoryValue), c.category) << c.bytes.toStdString();
    }
    // Windows-1252 text decoded, including the characters Latin-1 lacks.
    const LogContents accented = parseLog("1>2>5QV1>NICOL\xD2 \x80\x9C>L>x>d>N>\r\n");
    EXPECT_EQ(accented.records.at(0).field(ContactRecord::Name), u"NICOLÒ €œ");
    // More than eleven header lines: the extra ones are not taken.
    const LogContents longHeader = parseLog(crlf(sampleHeader + QStringList{"#EXTRA"}));
    EXPECT_EQ(longHeader.headerValueCount, 11);
    EXPECT_EQ(longHeader.header.value(LogHeader::ClosingValue), "LOG");
}

TEST(LogRead, SpecialAndMissingFilesAreReportedNotWaitedOn) {
    TempProgramFolder folder(false);
    QDir(folder.path()).mkpath("Logs/Folder.Log");
    EXPECT_EQ(readLog(folder.logs("Folder.Log")).error().kind, FileError::Kind::Unreadable);
    EXPECT_EQ(readLog(folder.logs("None.Log")).error().kind, FileError::Kind::Missing);
    ASSERT_TRUE(test::makeNamedPipe(folder.logs("Fifo.Log")));
    EXPECT_EQ(readLog(folder.logs("Fifo.Log")).error().kind, FileError::Kind::Unreadable);
    const AppendResult append = appendRecord(folder.logs("Fifo.Log"), ContactRecord());
    ASSERT_TRUE(append);
    EXPECT_EQ(append->kind, AppendError::Kind::WriteFailed);
    // Appending never creates a headless log.
    ASSERT_TRUE(appendRecord(folder.logs("None.Log"), ContactRecord()));
    EXPECT_FALSE(QFile::exists(folder.logs("None.Log")));
}

TEST(LogStatisticsPass, CountersAndWorkedCountries) {
    struct Case {
        const char* name;
        QStringList records;
        LogCounters expected;
    };
    const Case cases[] = {
        {"three valid, one cancelled, one blank",
         {"1>1>5QV1>A>H>It>d>N>", "2>1>7QV2>B>L>Fr>d>N>", "3>1>9ABC3>C>L>De>d>N>", "4>1>5QV4>D>H>It>d>S>",
          "5>0>0QV0>DELETED>>NO>d>S>"},
         {6, 1, 2, 3, 2}},
        {"two contacts in one country", {"1>1>5QV1>A>H>It>d>N>", "2>1>5ABC2>B>L>It>d>N>"}, {3, 1, 1, 1, 0}},
        {"country 0 and beyond the table mark nothing",
         {"1>1>0QV1>A>H>x>d>N>", "2>1>400QV2>B>L>x>d>N>", "3>1>QV3>C>H>x>d>N>"},
         {4, 2, 1, 0, 0}},
        {"only an exact N is valid; other categories count nowhere",
         {"1>1>5QV1>A>H>It>d>n>", "2>1>5QV2>B>h>It>d>N>", "3>1>5QV3>C>L>It>d>>", "4"},
         {5, 0, 0, 1, 3}},
        {"leading blanks of the identifier", {"1>1> 7QV1>A>H>x>d>N>"}, {2, 1, 0, 1, 0}},
    };
    for (const Case& c : cases) {
        const QByteArray bytes = crlf(sampleHeader + c.records);
        const LogContents log = parseLog(bytes);
        EXPECT_EQ(logStatistics(log.records, 340).counters, c.expected) << c.name;
        // The selection's pass over the bytes agrees with the records' pass.
        const LogSummary scanned = scanLog(bytes, 340);
        EXPECT_EQ(scanned.statistics.counters, c.expected) << c.name;
        EXPECT_EQ(scanned.contents.header.values, log.header.values) << c.name;
    }
    // Counts past the 16-bit range stay at its largest value.
    const std::vector<ContactRecord> huge(40000, ContactRecord::fromLine(u"1>1>5QV1>A>H>x>d>N>"));
    const LogCounters saturated = logStatistics(huge, 340).counters;
    EXPECT_EQ(saturated.NextProgressive, 32767);
    EXPECT_EQ(saturated.HunterCount, 32767);
    EXPECT_TRUE(saturated.full());
}

TEST(LogCounterFile, LinesAfterTheFifthIgnoredAndMissingOnesZero) {
    struct Case {
        QStringList lines;
        LogCounters expected;
    };
    const Case cases[] = {
        {{"7", "2", "3", "4", "1"}, {7, 2, 3, 4, 1}},
        {{"7", "2", "3", "4", "1", "99", "x"}, {7, 2, 3, 4, 1}},
        {{" 12 apples", "2"}, {12, 2, 0, 0, 0}},
        {{}, {0, 0, 0, 0, 0}},
        {{"99999", "-99999", "x"}, {32767, -32768, 0, 0, 0}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseCounterLines(c.lines), c.expected) << c.lines.join('|').toStdString();
    const LogCounters counters{21, 5, 9, 4, 2};
    EXPECT_EQ(parseCounterLines(counterLines(counters)), counters);
}

TEST(LogOpen, TheLogIsTheTruthForTheCounters) {
    TempProgramFolder folder(false);
    const ProgramFolder program(folder.path());
    folder.writeRaw("Logs/5QV123_MD_L_2015.Log",
                    crlf(sampleHeader + QStringList{"1>1>7QV1>A>H>x>d>N>", "2>1>8QV2>B>L>x>d>S>"}));
    const LogCounters truth{3, 1, 0, 1, 1};
    struct Case {
        const char* name;
        std::optional<QByteArray> counterFile;
        bool rebuilt;
    };
    const Case cases[] = {
        {"agreeing file kept", QByteArray("3\r\n1\r\n0\r\n1\r\n1\r\n"), false},
        {"stale after a crash before the counter rewrite", QByteArray("2\r\n1\r\n0\r\n1\r\n1\r\n"), true},
        {"another log's counters", QByteArray("40\r\n30\r\n9\r\n5\r\n0\r\n"), true},
        {"missing", std::nullopt, true},
        // The next number alone agreeing is not enough: every counter must.
        {"hunters disagree", QByteArray("3\r\n0\r\n0\r\n1\r\n1\r\n"), true},
        {"ladies disagree", QByteArray("3\r\n1\r\n1\r\n1\r\n1\r\n"), true},
        {"countries disagree", QByteArray("3\r\n1\r\n0\r\n2\r\n1\r\n"), true},
        {"cancelled disagree", QByteArray("3\r\n1\r\n0\r\n1\r\n0\r\n"), true},
        {"only the first line", QByteArray("3\r\n"), true},
    };
    for (const Case& c : cases) {
        QFile::remove(folder.logs("Log.dat"));
        if (c.counterFile)
            folder.writeRaw("Logs/Log.dat", *c.counterFile);
        // What a rewrite killed before its rename left behind goes when the log is opened.
        folder.writeRaw("Logs/Log.dat.AbCdEf", "2\r\n");
        folder.writeRaw("Logs/5QV123_MD_L_2015.Log.XyZwvu", "##L\r\n");
        folder.writeRaw("Logs/notes.txt.abcdef", "kept");
        const Result<OpenedLog> opened = openLog(program, "5QV123_MD_L_2015.Log", 340);
        EXPECT_EQ(QDir(folder.logs("")).entryList(QDir::Files),
                  QStringList({"5QV123_MD_L_2015.Log", "Log.dat", "notes.txt.abcdef"}))
            << c.name;
        ASSERT_TRUE(opened.ok()) << c.name;
        EXPECT_EQ(opened.value().statistics.counters, truth) << c.name;
        EXPECT_EQ(opened.value().countersRebuilt, c.rebuilt) << c.name;
        EXPECT_FALSE(opened.value().counterFileError) << c.name;
        EXPECT_EQ(readCounterFile(program).value(), truth) << c.name;
    }
}

TEST(LogWrite, FailuresLeaveTheOldFileAndAFullLogRefuses) {
    TempProgramFolder folder(false);
    const ProgramFolder program(folder.path());
    const QString path = program.logs("5QV123_MD_L_2015.Log");
    const QByteArray old = crlf(sampleHeader + QStringList{sampleRecord});
    folder.writeRaw("Logs/5QV123_MD_L_2015.Log", old);
    folder.writeRaw("Logs/Log.dat", "2\r\n0\r\n1\r\n1\r\n0\r\n");
    std::vector<ContactRecord> many(200, ContactRecord::fromLine(sampleRecord));
    {
        // The disk fills part-way through each write.
        test::FileSizeLimit limit(old.size() + 20);
        EXPECT_TRUE(
            rewriteLog(path, LogHeader::forProfile(ladyProfile(), "N", 1, QDate(2016, 1, 1), 2015), many));
        const AppendResult append = appendRecord(path, ContactRecord::fromLine(sampleBlank));
        ASSERT_TRUE(append);
        EXPECT_EQ(append->kind, AppendError::Kind::WriteFailed);
    }
    EXPECT_EQ(folder.readRaw("Logs/5QV123_MD_L_2015.Log"), old);

    const AppendResult full =
        appendRecord(path, ContactRecord::blankCancelled(LogCounters::LastProgressive + 1, "d"));
    ASSERT_TRUE(full);
    EXPECT_EQ(full->kind, AppendError::Kind::LogFull);
    EXPECT_TRUE(appendErrorText(*full, 1000).contains("32766"));
    EXPECT_EQ(folder.readRaw("Logs/5QV123_MD_L_2015.Log"), old);
    EXPECT_FALSE(appendRecord(path, ContactRecord::blankCancelled(LogCounters::LastProgressive, "d")));
}

TEST(LogWrite, MissingLogsFolderIsCreatedAndAFileInItsPlaceReported) {
    TempProgramFolder folder(false);
    const ProgramFolder program(folder.path());
    const LogHeader header = LogHeader::forProfile(ladyProfile(), "Y", 2, QDate(2015, 3, 6), 2015);
    ASSERT_TRUE(QDir(folder.path() + "/Logs").removeRecursively());
    ASSERT_FALSE(createLog(program, "5QV123_MD_L_2015.Log", header));
    EXPECT_TRUE(QFile::exists(folder.logs("5QV123_MD_L_2015.Log")));
    EXPECT_TRUE(parseLog(folder.readRaw("Logs/5QV123_MD_L_2015.Log")).paperLog);

    ASSERT_TRUE(QDir(folder.path() + "/Logs").removeRecursively());
    folder.writeRaw("Logs", "not a folder");
    const WriteResult failure = createLog(program, "5QV123_MD_L_2015.Log", header);
    ASSERT_TRUE(failure);
    EXPECT_EQ(folder.readRaw("Logs"), "not a folder");
}

TEST(LogNames, OwnLogsListedWhateverTheCase) {
    TempProgramFolder folder(false);
    for (const char* name :
         {"5QV123_MD_L_2015.Log", "5qv123_MD_H_2016.LOG", "5QV1234_MD_L_2015.Log", "5QV12_MD_L_2015.Log",
          "7QV123_MD_L_2015.Log", "5QV123_MD_L_2015.Bak", "5QV123.log", "Log.dat"})
        folder.writeRaw(QStringLiteral("Logs/") + name, "##L\r\n");
    QDir(folder.path()).mkpath("Logs/5QV123_folder.log");
    EXPECT_EQ(ownLogFiles(ProgramFolder(folder.path()), "5QV123"),
              QStringList({"5qv123_MD_H_2016.LOG", "5QV123_MD_L_2015.Log"}));
    EXPECT_TRUE(ownLogFiles(ProgramFolder(folder.path() + "/none"), "5QV123").isEmpty());
    // A Lady and a Hunter log of one identifier never share a name.
    EXPECT_NE(logFileName("5QV123", "L", 2015), logFileName("5QV123", "H", 2015));
}

TEST(LogSelect, TheHeaderGivesBackTheIdentityAndYear) {
    // A Lady log of an earlier year, created with a generic station's data.
    const LogContents log = parseLog(
        crlf({"##L", "#9ABC7", "#ANNA ", "#Y", "#2", "#01/02/2013", "#9", "#ABC", "#7", "#2013", "#LOG"}));
    const LogSelection selection = selectionFromHeader(" 9ABC7_MD_L_2013.Log", log.header);
    EXPECT_EQ(
        useFileLines(selection.use, selection.profile, selection.stationKind),
        QStringList({"1", "9ABC7_MD_L_2013.Log", "L", "Y", "2013", "9ABC7", "ANNA", "9", "ABC", "7", "2"}));
    EXPECT_EQ(selection.profile.category, "L");
    EXPECT_EQ(selection.year, 2013);
}

// An append never joins a last line left without its end (a power cut during an append, a hand edit):
// that line is ended first and stays a record of its own, and the new record is a whole line.
TEST(LogWrite, AnAppendNeverJoinsAnUnterminatedLastLine) {
    const QByteArray head = crlf(sampleHeader);
    const QByteArray record = sampleRecord.toLatin1() + "\r\n";
    const struct {
        const char* label;
        QByteArray before;
        QByteArray after;
        int records;
    } cases[] = {
        {"torn record", head + "2>9>1QV408>SARA FE", head + "2>9>1QV408>SARA FE\r\n" + record, 2},
        {"torn between CR and LF", head + "2>9>1QV408>SARA>L>x>d>N>\r",
         head + "2>9>1QV408>SARA>L>x>d>N>\r\n" + record, 2},
        {"torn header", crlf(sampleHeader.mid(0, 10)) + "#LO",
         crlf(sampleHeader.mid(0, 10)) + "#LO\r\n" + record, 1},
        {"whole lines", head, head + record, 1},
        {"lines ended by LF alone", "##L\n#5QV123\n", "##L\n#5QV123\n" + record, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        TempProgramFolder folder(false);
        folder.writeRaw("Logs/a.Log", c.before);
        ASSERT_FALSE(appendRecord(folder.logs("a.Log"), ContactRecord::fromLine(sampleRecord)));
        EXPECT_EQ(folder.readRaw("Logs/a.Log"), c.after);
        const Result<LogContents> log = readLog(folder.logs("a.Log"));
        ASSERT_TRUE(log.ok());
        ASSERT_EQ(static_cast<int>(log.value().records.size()), c.records);
        EXPECT_EQ(log.value().records.back().line(), sampleRecord);
    }
}
