#include "core/print/TextLayout.h"

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

// One unit per character, so that every width is a count.
double chars(const QString& text) {
    return double(text.size());
}

} // namespace

TEST(TextLayout, LinesEndInCarriageReturnsWithOrWithoutLineFeedAndLoseTheirSpaces) {
    const QString text = QStringLiteral("AB\r\n  CD  \rEF");
    EXPECT_EQ(countLines(text), 2);
    EXPECT_EQ(extractLine(text, 0), "AB");
    EXPECT_EQ(extractLine(text, 1), "CD");
    EXPECT_EQ(extractLine(text, 2), "EF");
    EXPECT_EQ(extractLine(text, 3), "");
    EXPECT_EQ(countLines(QStringLiteral("one line")), 0);
    EXPECT_EQ(extractLine(QStringLiteral("\tkept\t "), 0), "\tkept\t"); // spaces only, not tabs
}

TEST(TextLayout, FittingDropsCharactersFromTheSideThatIsNotKept) {
    struct Case {
        const char* text;
        int width;
        bool keepLeft;
        const char* fitted;
    };
    const Case cases[] = {
        {"ABCDEF", 4, true, "ABCD"}, {"ABCDEF", 4, false, "CDEF"}, {"ABC", 3, true, "ABC"},
        {"ABC", 0, true, ""},        {"", 2, false, ""},
    };
    for (const Case& c : cases) {
        QString text = QString::fromLatin1(c.text);
        EXPECT_EQ(fitText(text, c.width, c.keepLeft, chars), c.fitted) << c.text << " " << c.width;
        EXPECT_EQ(text, c.fitted) << "shortened in place";
    }
}

TEST(TextLayout, JustifiedWordsShareTheSlackAndTheLastEndsAtTheWidth) {
    const std::vector<PlacedWord> words = justifyLine(2, 10, QStringLiteral(" A  BB C "), chars);
    ASSERT_EQ(words.size(), 3u);
    // "A BB C" is 6 wide: 4 to spare over 2 gaps, each gap 1 + 2.
    EXPECT_DOUBLE_EQ(words[0].x, 2);
    EXPECT_DOUBLE_EQ(words[1].x, 6);
    EXPECT_DOUBLE_EQ(words[2].x, 11);
    EXPECT_EQ(words[2].word, "C");
    const std::vector<PlacedWord> single = justifyLine(2, 10, QStringLiteral("WORD"), chars);
    ASSERT_EQ(single.size(), 1u);
    EXPECT_DOUBLE_EQ(single[0].x, 2);
}

TEST(TextLayout, ColumnBreaksAtTheWidthAndHandsBackWhatIsBelowTheBottom) {
    ColumnFill fill = fillColumn(QStringLiteral("ab cd ef\r\ngh"), 10, 5, 2, 100, chars);
    ASSERT_EQ(fill.lines.size(), 3u);
    EXPECT_EQ(fill.lines[0].text, "ab cd");
    EXPECT_TRUE(fill.lines[0].justified);
    EXPECT_EQ(fill.lines[1].text, "ef");
    EXPECT_FALSE(fill.lines[1].justified);
    EXPECT_DOUBLE_EQ(fill.lines[2].y, 14);
    EXPECT_EQ(fill.rest, "");

    // A word that would be cut goes whole to the next line.
    fill = fillColumn(QStringLiteral("abc defg"), 0, 5, 1, 100, chars);
    ASSERT_EQ(fill.lines.size(), 2u);
    EXPECT_EQ(fill.lines[0].text, "abc");
    EXPECT_EQ(fill.lines[1].text, "defg");

    // Full after one line: the rest of the line and the following lines come back.
    fill = fillColumn(QStringLiteral("ab cd ef\r\ngh"), 0, 5, 1, 1, chars);
    ASSERT_EQ(fill.lines.size(), 1u);
    EXPECT_EQ(fill.rest, "ef\r\ngh");
}
