#include "core/check/CertificateTemplate.h"
#include "core/check/Certificates.h"
#include "core/check/CheckedLog.h"
#include "core/refdata/CountryTable.h"

#include <gtest/gtest.h>

using namespace qvmd;
using Problem = CertificateTemplateError::Problem;

namespace {

// A template the manager wrote by hand, torn, or left empty: each is refused at its line with what is
// wrong, never half read.
TEST(CertificateTemplateReader, RefusesEachFaultAtItsLine) {
    const struct {
        const char* name;
        QByteArray text;
        Problem problem;
        int line;
        const char* value;
    } cases[] = {
        {"empty file", "", Problem::DrawsNothing, 0, ""},
        {"only comments", "# nothing\r\n\r\npage 210 297\r\n", Problem::DrawsNothing, 0, ""},
        {"unknown instruction", "page 297 210\nbox 1 2 3 4\n", Problem::UnknownWord, 2, "box"},
        {"a word for a number", "frame 10 ten 20 20\n", Problem::NotANumber, 1, "ten"},
        {"not a number at all", "text 1e999 10 left 12 | a\n", Problem::NotANumber, 1, "1e999"},
        {"too few values", "emblem 10 10 20\n", Problem::ValueCount, 1, ""},
        {"too many values", "rule 10 10 20 1 2\n", Problem::ValueCount, 1, ""},
        {"off the page", "page 210 297\ntext 250 10 left 12 | a\n", Problem::OutOfRange, 2, "250"},
        {"frame past the edge", "frame 200 10 100 20\n", Problem::OutOfRange, 1, "100"},
        {"page first checked later", "text 250 10 left 12 | a\npage 210 297\n", Problem::OutOfRange, 1,
         "250"},
        {"tiny page", "page 10 297\ntext 1 1 left 12 | a\n", Problem::OutOfRange, 1, "10"},
        {"negative thickness", "rule 10 10 20 -1\n", Problem::OutOfRange, 1, "-1"},
        {"unknown alignment", "text 10 10 middle 12 | a\n", Problem::UnknownWord, 1, "middle"},
        {"unknown style", "text 10 10 left 12 heavy | a\n", Problem::UnknownWord, 1, "heavy"},
        {"text without its text", "text 10 10 left 12\n", Problem::MissingText, 1, ""},
        {"text with an empty text", "text 10 10 left 12 |  | b\n", Problem::MissingText, 1, ""},
        {"three languages", "text 10 10 left 12 | a | b | c\n", Problem::MissingText, 1, ""},
        {"unknown field", "text 10 10 left 12 | {nome}\n", Problem::UnknownField, 1, "{nome}"},
        {"field torn open", "text 10 10 left 12 | ok | {score\n", Problem::UnknownField, 1, "{score"},
        {"bar after a frame", "frame 1 1 2 2 | x\n", Problem::UnknownWord, 1, "|"},
        {"bad colour", "colour #12345\nframe 1 1 2 2\n", Problem::NotANumber, 1, "#12345"},
        {"torn last line", "page 297 210\ntext 10 10 le", Problem::ValueCount, 2, ""},
        {"binary bytes", QByteArray("\x00\x01\xff\xfe", 4), Problem::UnknownWord, 1, ""},
    };
    for (const auto& c : cases) {
        const CertificateTemplateReading reading = readCertificateTemplate(c.text);
        ASSERT_FALSE(reading.layout) << c.name;
        EXPECT_EQ(reading.error.problem, c.problem) << c.name;
        EXPECT_EQ(reading.error.line, c.line) << c.name;
        if (*c.value) {
            EXPECT_EQ(reading.error.value, QString::fromUtf8(c.value)) << c.name;
        }
        // Every fault has a sentence that names the file and, where there is one, the line.
        for (const int language : {0, 1000}) {
            const QString text =
                certificateTemplateErrorText(reading.error, QStringLiteral("/t/cert.txt"), language);
            EXPECT_TRUE(text.contains(QStringLiteral("cert.txt"))) << c.name << text.toStdString();
            EXPECT_FALSE(text.contains(QStringLiteral("%1")) || text.contains(QStringLiteral("%2")))
                << c.name << text.toStdString();
        }
    }
}

TEST(CertificateTemplateReader, ReadsWhatTheManualShows) {
    const QByteArray text = "# my certificate\r\n"
                            "page 210 297\r\n"
                            "award Marigold Day special\r\n"
                            "colour #FF0000\r\n"
                            "frame 5 5 200 287 1,5\r\n"
                            "font Comic Sans MS\r\n"
                            "text 105 40 centre 24 bold-italic | Attestato {rank}° | Certificate {rank}\r\n"
                            "colour 000000\r\n"
                            "text\t10\t50\tright\t9\t|\tsolo\r\n"
                            "rule 10 60 50\r\n"
                            "emblem 80 200 50 50";
    const CertificateTemplateReading reading = readCertificateTemplate(text);
    ASSERT_TRUE(reading.layout);
    const CertificateTemplate& layout = *reading.layout;
    EXPECT_EQ(layout.pageWidth, 210);
    EXPECT_EQ(layout.award, QStringLiteral("Marigold Day special"));
    ASSERT_EQ(layout.items.size(), 5u);
    EXPECT_EQ(layout.items[0].kind, CertificateTemplate::Kind::Frame);
    EXPECT_EQ(layout.items[0].thickness, 1.5);
    EXPECT_EQ(layout.items[0].colour, 0xFF0000u);
    const CertificateTemplate::Item& title = layout.items[1];
    EXPECT_EQ(title.font, QStringLiteral("Comic Sans MS"));
    EXPECT_TRUE(title.bold && title.italic);
    EXPECT_EQ(title.align, CertificateTemplate::Align::Centre);
    EXPECT_EQ(title.texts[0], QStringLiteral("Attestato {rank}°"));
    EXPECT_EQ(title.texts[1], QStringLiteral("Certificate {rank}"));
    // One text serves both languages.
    EXPECT_EQ(layout.items[2].texts[0], layout.items[2].texts[1]);
    EXPECT_EQ(layout.items[2].colour, 0u);
    EXPECT_EQ(layout.items[3].kind, CertificateTemplate::Kind::Rule);
    EXPECT_TRUE(readCertificateTemplate(defaultCertificateTemplateText()).layout);
}

TEST(CertificateTexts, FieldsAreFilledOnceAndTheLanguageFollowsItaly) {
    Certificate c;
    c.name = QStringLiteral("{rank}");
    c.rank = QStringLiteral("3");
    c.station = QStringLiteral("3QV30");
    EXPECT_EQ(filledCertificateText(QStringLiteral("{name} {rank} {station} {x} {award}"), c,
                                    QStringLiteral("Day {station}")),
              QStringLiteral("{rank} 3 3QV30 {x} Day 3QV30"));
    const CountryTable countries = CountryTable::fromLines(
        {QStringLiteral("VE>Canada"), QStringLiteral("I>Italy"), QStringLiteral("IT>Italia "),
         QStringLiteral("I>"), QStringLiteral("HV>Vatican")});
    const bool italian[] = {false, false, true, true, true, false, false};
    for (int number = 0; number <= 6; ++number)
        EXPECT_EQ(isItalyCountry(countries, number), italian[number]) << number;
}

// One certificate per ranked station, each in a file of its own that stays in the folder, whatever the
// header says.
TEST(CertificateFiles, EachRankedStationHasAFileOfItsOwnInTheFolder) {
    const struct {
        const char* category;
        const char* station;
        int rank;
    } ranked[] = {
        {"L", "1QV1?", 1}, {"L", "1QV1!", 1}, {"H", "../2x", 2}, {"H", "5QV5", 0}, {"H", "3QV3", 1}};
    std::vector<CheckedLog> logs;
    for (const auto& r : ranked) {
        CheckedLog log;
        log.readable = true;
        log.category = QLatin1String(r.category);
        log.station = QLatin1String(r.station);
        log.rank = r.rank;
        logs.push_back(log);
    }
    const CountryTable countries = CountryTable::fromLines(
        {QStringLiteral("VE>Canada"), QStringLiteral("YA>Afghanistan"), QStringLiteral("I>Italy")});
    QStringList names;
    QStringList languages;
    for (const Certificate& c : certificatesOf(logs, countries)) {
        names.append(c.fileName);
        languages.append(c.italian ? QStringLiteral("it") : QStringLiteral("en"));
    }
    EXPECT_EQ(names,
              (QStringList{"H-001-3QV3.pdf", "H-002-___2x.pdf", "L-001-1QV1_.pdf", "L-001-1QV1_-2.pdf"}));
    EXPECT_EQ(languages, (QStringList{"it", "en", "en", "en"}));
}

} // namespace
