#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"
#include "core/logfile/RecordLines.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/Roster.h"
#include "core/refdata/ScoreWeights.h"
#include "support/Printers.h"
#include "support/TempProgramFolder.h"

#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>

#include <gtest/gtest.h>

#include <limits>

using namespace qvmd;
using qvmd::test::TempProgramFolder;

// ---- Country table ----

TEST(CountryTable, EveryLineTakesANumberAndSplitsAtItsLastSeparators) {
    const CountryTable table = CountryTable::fromLines(
        {QStringLiteral("I>Italy"), QString(), QStringLiteral("A>B>C"), QStringLiteral("X>"),
         QStringLiteral("No separator"), QStringLiteral(" F > France "), QStringLiteral("A>>B")});
    ASSERT_EQ(table.count(), 7);
    EXPECT_EQ(table.name(0), "");
    EXPECT_EQ(table.prefix(1), "I");
    EXPECT_EQ(table.name(1), "Italy");
    // A blank line keeps its number, with both texts empty.
    EXPECT_EQ(table.prefix(2), "");
    EXPECT_EQ(table.name(2), "");
    EXPECT_EQ(table.prefix(3), "B");
    EXPECT_EQ(table.name(3), "C");
    EXPECT_EQ(table.prefix(4), "X");
    EXPECT_EQ(table.name(4), "");
    EXPECT_EQ(table.prefix(5), "");
    EXPECT_EQ(table.name(5), "No separator");
    EXPECT_EQ(table.prefix(6), " F ");
    EXPECT_EQ(table.name(6), " France ");
    EXPECT_EQ(table.prefix(7), "");
    EXPECT_EQ(table.name(7), "B");
    // Beyond N and below 0 there is nothing.
    EXPECT_EQ(table.name(8), "");
    EXPECT_EQ(table.name(-1), "");
}

TEST(CountryTable, DefaultFileHolds341CountriesWithTheirNames) {
    TempProgramFolder folder;
    const Result<CountryTable> table = CountryTable::load(folder.data(QStringLiteral("Prefix.dat")));
    ASSERT_TRUE(table.ok());
    EXPECT_EQ(table.value().count(), 341);
    EXPECT_EQ(table.value().prefix(1), "VE");
    EXPECT_EQ(table.value().name(1), "Canada");
    EXPECT_EQ(table.value().name(4), QStringLiteral("Åland Islands"));
    EXPECT_EQ(table.value().name(341), "Sicily");
    EXPECT_EQ(table.value().name(342), "");
    for (int n = 1; n <= 341; ++n)
        EXPECT_FALSE(table.value().name(n).isEmpty()) << "country " << n;
}

TEST(CountryTable, LoadReportsMissingAndOverlongFiles) {
    TempProgramFolder folder(false);
    const QString path = folder.data(QStringLiteral("Prefix.dat"));
    Result<CountryTable> missing = CountryTable::load(path);
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, FileError::Kind::Missing);
    EXPECT_EQ(missing.error().path, path);

    folder.writeRaw(QStringLiteral("Data/Prefix.dat"),
                    QByteArray("A>a\r\n").repeated(CountryTable::MaxCountries));
    ASSERT_TRUE(CountryTable::load(path).ok());
    EXPECT_EQ(CountryTable::load(path).value().count(), CountryTable::MaxCountries);
    folder.writeRaw(QStringLiteral("Data/Prefix.dat"),
                    QByteArray("A>a\r\n").repeated(CountryTable::MaxCountries + 1));
    const Result<CountryTable> overlong = CountryTable::load(path);
    ASSERT_FALSE(overlong.ok());
    EXPECT_EQ(overlong.error().kind, FileError::Kind::Malformed);
    EXPECT_EQ(overlong.error().line, CountryTable::MaxCountries + 1);
}

TEST(CountryNumber, IsTheLeadingDigitRun) {
    EXPECT_EQ(countryNumberOf(u"5QV123"), 5);
    EXPECT_EQ(countryNumberOf(u"341TRIN12"), 341);
    EXPECT_EQ(countryNumberOf(u"QV5"), 0);
    EXPECT_EQ(countryNumberOf(u" 5QV1"), 0);
    EXPECT_EQ(countryNumberOf(u""), 0);
    EXPECT_EQ(countryNumberOf(u"007QV1"), 7);
    EXPECT_EQ(countryNumberOf(u"99999999999999QV1"), std::numeric_limits<int>::max());
}

// A field's bytes are read as its text once the blanks before it are gone, on the fast path and off it.
TEST(CountryNumber, AFieldsBytesFollowTheTextRule) {
    for (const char* field : {"5QV123", "12QV1", "341TRIN12", "1234QV1", "  7QV1", "\t9QV2", "QV5", "", "7",
                              "77", "777", "007QV1", "9QV", "99999999999999QV1", " \xa0 3QV1", "4\xa0QV1"}) {
        const QByteArray bytes(field);
        QString text = fromWindows1252(bytes);
        while (!text.isEmpty() && text.front().isSpace())
            text.remove(0, 1);
        EXPECT_EQ(countryNumberInBytes(bytes), countryNumberOf(text)) << field;
    }
}

// ---- Score weights ----

TEST(ScoreWeights, LineOneByLeadingNumberOthersWhole) {
    const Result<ScoreWeights> weights =
        ScoreWeights::fromLines({QStringLiteral("12abc"), QStringLiteral(" 3 "), QStringLiteral("4"),
                                 QStringLiteral("0"), QStringLiteral("32767"), QStringLiteral("not read")});
    ASSERT_TRUE(weights.ok());
    EXPECT_EQ(weights.value().hunterPointsForHunter, 12);
    EXPECT_EQ(weights.value().ladyPointsForHunter, 3);
    EXPECT_EQ(weights.value().ladyPointsForLady, 4);
    EXPECT_EQ(weights.value().hunterPointsForLady, 0);
    EXPECT_EQ(weights.value().countryPoints, 32767);

    const Result<ScoreWeights> textFirst = ScoreWeights::fromLines({QStringLiteral("points")});
    ASSERT_TRUE(textFirst.ok());
    EXPECT_EQ(textFirst.value().hunterPointsForHunter, 0);
}

TEST(ScoreWeights, BadValueIsMalformedWithItsLine) {
    using Reason = FileError::Reason;
    const struct {
        QStringList lines;
        int line;
        Reason reason;
    } cases[] = {
        {{"1", "2", "x"}, 3, Reason::NotWholeNumber},
        {{"1", "2", ""}, 3, Reason::NotWholeNumber},
        {{"1", "2", "3 points"}, 3, Reason::NotWholeNumber},
        {{"1", "2", "1.5"}, 3, Reason::NotWholeNumber},
        // Out of range values were once capped or taken as they were.
        {{"1", "2", "3", "4", "40000"}, 5, Reason::OutOfRange},
        {{"1", "2", "3", "-5"}, 4, Reason::OutOfRange},
        {{"40000"}, 1, Reason::OutOfRange},
        {{"-1 point"}, 1, Reason::OutOfRange},
    };
    for (const auto& c : cases) {
        const Result<ScoreWeights> weights = ScoreWeights::fromLines(c.lines, QStringLiteral("D.dat"));
        ASSERT_FALSE(weights.ok()) << c.lines.join('|').toStdString();
        EXPECT_EQ(weights.error().kind, FileError::Kind::Malformed);
        EXPECT_EQ(weights.error().line, c.line) << c.lines.join('|').toStdString();
        EXPECT_EQ(weights.error().reason, c.reason) << c.lines.join('|').toStdString();
        EXPECT_EQ(weights.error().path, "D.dat");
    }
}

TEST(ScoreWeights, ShortFileLeavesZerosAndDefaultFileLoads) {
    TempProgramFolder folder;
    folder.writeData(QStringLiteral("Short.dat"), {QStringLiteral("2"), QStringLiteral("5")});
    const Result<ScoreWeights> shortFile = ScoreWeights::load(folder.data(QStringLiteral("Short.dat")));
    ASSERT_TRUE(shortFile.ok());
    EXPECT_EQ(shortFile.value().hunterPointsForHunter, 2);
    EXPECT_EQ(shortFile.value().ladyPointsForHunter, 5);
    EXPECT_EQ(shortFile.value().ladyPointsForLady, 0);
    EXPECT_EQ(shortFile.value().countryPoints, 0);

    const Result<ScoreWeights> shipped = ScoreWeights::load(folder.data(QStringLiteral("Data.dat")));
    ASSERT_TRUE(shipped.ok());
    EXPECT_GT(shipped.value().ladyPointsForHunter, shipped.value().hunterPointsForHunter);
    EXPECT_GT(shipped.value().countryPoints, 0);

    const Result<ScoreWeights> missing = ScoreWeights::load(folder.data(QStringLiteral("None.dat")));
    ASSERT_FALSE(missing.ok());
    EXPECT_EQ(missing.error().kind, FileError::Kind::Missing);
}

// ---- Roster lines ----

namespace {

std::optional<QString> find(const QStringList& lines, const QString& identifier, bool positiveOnly = false) {
    return findInRoster(qvmd::test::crlf(lines), identifier, positiveOnly);
}

} // namespace

TEST(RosterLines, OnlyAnExactKeyOnAPlainLineMatches) {
    const QString id = QStringLiteral("5QV123");
    EXPECT_EQ(find({QStringLiteral("5QV123>ANNA")}, id), QStringLiteral("ANNA"));
    EXPECT_FALSE(find({QStringLiteral("#5QV123>ANNA")}, id));
    EXPECT_FALSE(find({QStringLiteral(" 5QV123>ANNA")}, id));
    EXPECT_FALSE(find({QStringLiteral("5QV123 >ANNA")}, id));
    EXPECT_FALSE(find({QStringLiteral("5qv123>ANNA")}, id));
    EXPECT_FALSE(find({QStringLiteral("5QV1234>ANNA")}, id));
    EXPECT_FALSE(find({QStringLiteral("15QV123>ANNA")}, id));
    EXPECT_FALSE(find({QStringLiteral("5QV123")}, id));
    EXPECT_FALSE(find({QStringLiteral("ANNA 5QV123")}, id));
    // The key is the text before the last separator, as in the country table.
    EXPECT_EQ(find({QStringLiteral("OLD>5QV123>ANNA")}, id), QStringLiteral("ANNA"));
    EXPECT_FALSE(find({QStringLiteral("5QV123>ANNA>B")}, id));
    EXPECT_EQ(find({QStringLiteral("5QV123>5QV123>ANNA")}, id), QStringLiteral("ANNA"));
    EXPECT_EQ(find({QStringLiteral("5QV123>")}, id), QStringLiteral(""));
    EXPECT_FALSE(find({}, id));
}

TEST(RosterLines, FirstMatchWinsAcrossLineEndings) {
    // Comments and near misses first, LF-only lines and a last line without its terminator.
    const QByteArray roster =
        "#5QV123>COMMENT\r\n\r\n 5QV123>BLANK\n5QV12>SHORT\r\n5QV123>FIRST\r\n5QV123>SECOND";
    EXPECT_EQ(findInRoster(roster, QStringLiteral("5QV123"), false), QStringLiteral("FIRST"));
    EXPECT_EQ(findInRoster(roster, QStringLiteral("5QV12"), false), QStringLiteral("SHORT"));
    EXPECT_EQ(findInRoster("1QV1>A\n2QV2>LAST", QStringLiteral("2QV2"), false), QStringLiteral("LAST"));
    EXPECT_EQ(findInRoster("1QV1>A\r\n2QV2>B\r", QStringLiteral("2QV2"), false), QStringLiteral("B"));
}

TEST(RosterLines, NamesAreDecodedFromWindows1252) {
    const QString name = QStringLiteral("NICOLÒ D'AMBROSIO, G.B. ÇELIK, ÀÈÉÌÙ");
    const QByteArray roster = "7QV1>" + toWindows1252(name) + "\r\n";
    EXPECT_EQ(static_cast<unsigned char>(roster[10]), 0xD2);
    EXPECT_EQ(findInRoster(roster, QStringLiteral("7QV1"), false), name);
    // An identifier outside the code page cannot be in the file, whatever stands in for it.
    EXPECT_FALSE(findInRoster("7QV?>X\r\n", QStringLiteral("7QVЖ"), false));
    EXPECT_EQ(findInRoster("7Q\xC7>X\r\n", QStringLiteral("7QÇ"), false), QStringLiteral("X"));
}

TEST(RosterLines, PositiveLeadingFilterSkipsLinesWithoutACountryNumber) {
    const QStringList lines = {QStringLiteral("0QV1>ZERO"), QStringLiteral("QV1>NONE"),
                               QStringLiteral("-3QV1>N")};
    EXPECT_EQ(find(lines, QStringLiteral("0QV1")), QStringLiteral("ZERO"));
    EXPECT_FALSE(find(lines, QStringLiteral("0QV1"), true));
    EXPECT_FALSE(find(lines, QStringLiteral("QV1"), true));
    EXPECT_FALSE(find(lines, QStringLiteral("-3QV1"), true));
    EXPECT_EQ(find({QStringLiteral("X>3QV1>OK")}, QStringLiteral("3QV1"), true), std::nullopt);
    EXPECT_EQ(find({QStringLiteral("3>3QV1>OK")}, QStringLiteral("3QV1"), true), QStringLiteral("OK"));
}

TEST(RosterLines, EveryStationOfALongRosterIsFoundWhereverItLies) {
    // Lines of varied length put the keys at every offset of the scan's blocks and at the very end.
    QByteArray roster = "# sample\r\n";
    QStringList identifiers;
    for (int i = 1; i <= 300; ++i) {
        const QString id = QString::number(i % 97 + 1) + QStringLiteral("QV") + QString::number(i);
        identifiers << id;
        roster += toWindows1252(id) + ">N" + QByteArray(i % 23, 'X') + QByteArray::number(i) + "\r\n";
    }
    roster.chop(2);
    for (int i = 1; i <= 300; ++i) {
        const std::optional<QString> name = findInRoster(roster, identifiers[i - 1], false);
        ASSERT_TRUE(name) << identifiers[i - 1].toStdString();
        EXPECT_EQ(*name, QStringLiteral("N") + QString(i % 23, QLatin1Char('X')) + QString::number(i));
    }
    EXPECT_FALSE(findInRoster(roster, QStringLiteral("1QV301"), false));
    EXPECT_FALSE(findInRoster(roster, QStringLiteral("QV1"), false));
}

// ---- Roster search over the Data folder ----

TEST(RosterSearch, OrderDecidesTheCategoryOfAStationInBothRosters) {
    TempProgramFolder folder;
    const ProgramFolder program(folder.path());
    const RosterSearch registration =
        searchRosters(program, QStringLiteral("17QV2024"), RosterOrder::Registration);
    ASSERT_TRUE(registration.found);
    EXPECT_EQ(registration.entry.category, "H");
    EXPECT_EQ(registration.entry.name, QStringLiteral("NICOLÒ D'AMBROSIO"));
    EXPECT_FALSE(registration.error);

    const RosterSearch logging = searchRosters(program, QStringLiteral("17QV2024"), RosterOrder::Logging);
    ASSERT_TRUE(logging.found);
    EXPECT_EQ(logging.entry.category, "L");
    EXPECT_EQ(logging.entry.identifier, "17QV2024");

    const RosterSearch lady = searchRosters(program, QStringLiteral("5QV123"), RosterOrder::Registration);
    ASSERT_TRUE(lady.found);
    EXPECT_EQ(lady.entry.category, "L");
    EXPECT_EQ(lady.entry.name, QStringLiteral("MARIA GRAZIA DELL'ORTO"));

    const RosterSearch hunter = searchRosters(program, QStringLiteral("7QV1"), RosterOrder::Logging);
    ASSERT_TRUE(hunter.found);
    EXPECT_EQ(hunter.entry.category, "H");
    EXPECT_EQ(hunter.entry.name, QStringLiteral("G.B. ÇELIK"));

    const RosterSearch nobody = searchRosters(program, QStringLiteral("5QV124"), RosterOrder::Logging);
    EXPECT_FALSE(nobody.found);
    EXPECT_TRUE(nobody.entry.name.isEmpty());
    EXPECT_FALSE(nobody.error);
}

TEST(RosterSearch, ReadsTheFilesAfreshOnEverySearch) {
    TempProgramFolder folder;
    const ProgramFolder program(folder.path());
    EXPECT_FALSE(searchRosters(program, QStringLiteral("9QV9"), RosterOrder::Logging).found);
    folder.writeData(QStringLiteral("Lady.dat"), {QStringLiteral("# new"), QStringLiteral("9QV9>NEW")});
    const RosterSearch after = searchRosters(program, QStringLiteral("9QV9"), RosterOrder::Logging);
    ASSERT_TRUE(after.found);
    EXPECT_EQ(after.entry.name, "NEW");
}

TEST(RosterSearch, MissingRosterIsReportedAndTheOtherIsStillSearched) {
    TempProgramFolder folder;
    const ProgramFolder program(folder.path());
    ASSERT_TRUE(QFile::remove(folder.data(QStringLiteral("Lady.dat"))));

    const RosterSearch lady = searchRosters(program, QStringLiteral("5QV123"), RosterOrder::Logging);
    EXPECT_FALSE(lady.found);
    ASSERT_TRUE(lady.error);
    EXPECT_EQ(lady.error->kind, FileError::Kind::Missing);
    EXPECT_EQ(lady.error->path, program.data(QStringLiteral("Lady.dat")));

    // Found in the other roster, with the error kept: the category may be the wrong one.
    const RosterSearch both = searchRosters(program, QStringLiteral("17QV2024"), RosterOrder::Logging);
    ASSERT_TRUE(both.found);
    EXPECT_EQ(both.entry.category, "H");
    EXPECT_TRUE(both.error);

    ASSERT_TRUE(QFile::remove(folder.data(QStringLiteral("Hunter.dat"))));
    const RosterSearch none = searchRosters(program, QStringLiteral("7QV1"), RosterOrder::Registration);
    EXPECT_FALSE(none.found);
    ASSERT_TRUE(none.error);
    EXPECT_EQ(none.error->path, program.data(QStringLiteral("Hunter.dat")));
}

// ---- The shipped data ----

TEST(DefaultData, FilesAreWindows1252WithCrLf) {
    const QString dir = QStringLiteral(QVMD_SOURCE_DIR "/data/");
    for (const char* name :
         {"Prefix.dat", "Data.dat", "Lady.dat", "Hunter.dat", "Md.ini", "Agg.dat", "Lang.dat", "Prime.dat"}) {
        const Result<QByteArray> bytes = readFileBytes(dir + QLatin1String(name), RosterFileLimit);
        ASSERT_TRUE(bytes.ok()) << name;
        const QByteArray& data = bytes.value();
        ASSERT_TRUE(data.endsWith("\r\n")) << name;
        EXPECT_EQ(data.count('\n'), data.count("\r\n")) << name;
        EXPECT_EQ(data.count('\r'), data.count("\r\n")) << name;
        // Valid Windows-1252: none of the five unassigned codes, and no UTF-8 lead bytes pairs.
        for (const char unassigned : {'\x81', '\x8D', '\x8F', '\x90', '\x9D'})
            EXPECT_FALSE(data.contains(unassigned)) << name;
        EXPECT_FALSE(data.contains("\xC3\x80")) << name << " looks like UTF-8";
        EXPECT_FALSE(data.contains("\xC3\x92")) << name << " looks like UTF-8";
    }
    const Result<QStringList> md = readLines(dir + QStringLiteral("Md.ini"), SmallFileLimit);
    ASSERT_TRUE(md.ok());
    ASSERT_EQ(md.value().size(), 11);
    EXPECT_EQ(md.value()[1], "award.manager@example.org");
    EXPECT_TRUE(md.value()[6].startsWith(QStringLiteral("http")));
    EXPECT_EQ(readLines(dir + QStringLiteral("Prime.dat"), SmallFileLimit).value(),
              QStringList({QStringLiteral("0"), QStringLiteral("0"), QString(), QString(), QString()}));
    EXPECT_EQ(readLines(dir + QStringLiteral("Agg.dat"), SmallFileLimit).value().size(), 5);
}

TEST(DefaultData, RostersAreMarkedSamplesOfValidStations) {
    const QRegularExpression station(
        QStringLiteral("^([1-9][0-9]*)([A-Z]{1,5})([1-9][0-9]*)>([A-ZÀ-Ý .']+)$"));
    QSet<QString> ladies;
    QSet<QString> hunters;
    for (const auto& [file, set, expected] :
         {std::tuple{"Lady.dat", &ladies, 250}, {"Hunter.dat", &hunters, 400}}) {
        const Result<QStringList> lines =
            readLines(QStringLiteral(QVMD_SOURCE_DIR "/data/") + QLatin1String(file), RosterFileLimit);
        ASSERT_TRUE(lines.ok());
        ASSERT_FALSE(lines.value().isEmpty());
        EXPECT_TRUE(lines.value().first().startsWith(QLatin1Char('#')));
        EXPECT_TRUE(lines.value().first().contains(QStringLiteral("INVENTED SAMPLE DATA")));
        for (const QString& line : lines.value().mid(1)) {
            const QRegularExpressionMatch m = station.match(line);
            ASSERT_TRUE(m.hasMatch()) << file << ": " << line.toStdString();
            EXPECT_LE(m.captured(1).toInt(), 341) << line.toStdString();
            EXPECT_LE(m.captured(3).toInt(), 3000) << line.toStdString();
            set->insert(line.section(QLatin1Char('>'), 0, 0));
        }
        EXPECT_EQ(set->size(), expected) << file << " holds a station twice";
    }
    EXPECT_EQ((ladies & hunters).size(), 5);
    EXPECT_TRUE(ladies.contains(QStringLiteral("5QV123")));
    EXPECT_FALSE(hunters.contains(QStringLiteral("5QV123")));
}

TEST(DefaultData, FlagsAreCompiledInForCountriesWithAFlag) {
    const QImage canada(QStringLiteral(":/pictures/flag/1.png"));
    ASSERT_FALSE(canada.isNull());
    EXPECT_LE(canada.width(), 64);
    EXPECT_LE(canada.height(), 48);
    EXPECT_FALSE(QImage(QStringLiteral(":/pictures/flag/341.png")).isNull());
}
