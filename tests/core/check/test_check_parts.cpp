#include "core/check/CheckRun.h"
#include "core/check/CheckTexts.h"
#include "core/check/CheckedLog.h"
#include "core/check/CrossCheck.h"
#include "core/check/IdentifierIndex.h"
#include "core/check/RosterCategories.h"
#include "core/check/StampReader.h"

#include <QDate>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

qint64 secondsOf(int year, int month, int day, int hour, int minute, int second) {
    return QDate(year, month, day).toJulianDay() * 86400 + hour * 3600 + minute * 60 + second;
}

TEST(CheckStamps, ReadsTheFixedFormAndOtherUnambiguousForms) {
    struct Case {
        std::vector<const char16_t*> texts;
        std::size_t at;
        Stamp::State state;
        qint64 seconds;
        bool otherForm;
    };
    const std::vector<Case> cases = {
        {{u"06/03/2026 14:05:09"}, 0, Stamp::State::Read, secondsOf(2026, 3, 6, 14, 5, 9), false},
        // Both numbers 12 or less: the program's own day/month order.
        {{u"04/03/2026 14:05"}, 0, Stamp::State::Read, secondsOf(2026, 3, 4, 14, 5, 0), false},
        {{u"2026-03-06 14:05:09"}, 0, Stamp::State::Read, secondsOf(2026, 3, 6, 14, 5, 9), true},
        {{u"2026-03-06T14:05:09"}, 0, Stamp::State::Read, secondsOf(2026, 3, 6, 14, 5, 9), true},
        {{u"06.03.2026 14:05:09"}, 0, Stamp::State::Read, secondsOf(2026, 3, 6, 14, 5, 9), false},
        // A day of exactly 12 proves nothing either way.
        {{u"06/12/2026 10:00:00"}, 0, Stamp::State::Read, secondsOf(2026, 12, 6, 10, 0, 0), false},
        // Once the log's order is proved, every date is read in it.
        {{u"12/03/2026 10:00:00", u"03/13/2026 10:00:00"},
         0,
         Stamp::State::Read,
         secondsOf(2026, 12, 3, 10, 0, 0),
         true},
        // A day above 12 in second place proves month/day/year for the whole log.
        {{u"03/13/2026 2:05:09 PM", u"03/14/2026 12:00:00 AM"},
         1,
         Stamp::State::Read,
         secondsOf(2026, 3, 14, 0, 0, 0),
         true},
        {{u"03/13/2026 2:05:09 PM", u"03/04/2026 2:05:09 PM"},
         1,
         Stamp::State::Read,
         secondsOf(2026, 3, 4, 14, 5, 9),
         true},
        // A 12-hour clock is written by the regional settings that put the month first.
        {{u"3/6/2026 2:05:09 PM"}, 0, Stamp::State::Read, secondsOf(2026, 3, 6, 14, 5, 9), true},
        // ... but a day above 12 outweighs it.
        {{u"3/6/2026 2:05:09 PM", u"13/6/2026 2:05:09 PM"},
         0,
         Stamp::State::Read,
         secondsOf(2026, 6, 3, 14, 5, 9),
         false},
        {{u"03/13/2026 2:05:09 PM", u"04/04/2026 2:05:09 PM"},
         1,
         Stamp::State::Read,
         secondsOf(2026, 4, 4, 14, 5, 9),
         true},
        // Evidence both ways: day/month stays, the impossible date is unreadable.
        {{u"13/03/2026 10:00:00", u"03/13/2026 10:00:00"}, 1, Stamp::State::Unreadable, 0, false},
        {{u"31/02/2026 10:00:00"}, 0, Stamp::State::Unreadable, 0, false},
        {{u"06/03/2026 24:00:00"}, 0, Stamp::State::Unreadable, 0, false},
        {{u"06/03/2026 13:00 PM"}, 0, Stamp::State::Unreadable, 0, false},
        {{u"6 marzo 2026"}, 0, Stamp::State::Unreadable, 0, false},
        // Blanks around and inside, a no-break space among them; the fixed form with one piece wrong.
        {{u"\u00a006/03/2026\t2:05 pm "}, 0, Stamp::State::Read, secondsOf(2026, 6, 3, 14, 5, 0), true},
        {{u"06/03/2026\u00a014:05:09"}, 0, Stamp::State::Read, secondsOf(2026, 3, 6, 14, 5, 9), false},
        {{u"06/03/2026 14:05:9:"}, 0, Stamp::State::Unreadable, 0, false},
        {{u"06/03/2026 14:60:09"}, 0, Stamp::State::Unreadable, 0, false},
        {{u"06-03/2026 14:05:09"}, 0, Stamp::State::Unreadable, 0, false},
        {{u"06/03/2026 14:05:0\u00e9"}, 0, Stamp::State::Unreadable, 0, false},
        {{u""}, 0, Stamp::State::Unreadable, 0, false},
    };
    for (const Case& c : cases) {
        // Decoded text and a log's bytes read alike.
        std::vector<QStringView> views;
        std::vector<QByteArray> bytes;
        for (const char16_t* text : c.texts) {
            views.emplace_back(text);
            bytes.push_back(QStringView(text).toLatin1());
        }
        const std::vector<QByteArrayView> byteViews(bytes.begin(), bytes.end());
        LogStamps fromBytes;
        readStamps(byteViews, fromBytes);
        for (const LogStamps& stamps : {readStamps(views), fromBytes}) {
            const QString label = QStringView(c.texts[c.at]).toString();
            EXPECT_EQ(c.state, stamps.stamps[c.at].state) << label.toStdString();
            if (c.state == Stamp::State::Read) {
                EXPECT_EQ(c.seconds, stamps.stamps[c.at].seconds) << label.toStdString();
            }
            EXPECT_EQ(c.otherForm, stamps.otherForm) << label.toStdString();
        }
    }
}

TEST(CheckIdentifiers, FindsTheOnlyNeighbourOneEditAway) {
    IdentifierIndex index;
    for (const char* identifier : {"5QV123", "5QV456", "1ARIV300", "3QV30", "3QV31"})
        index.add(QString::fromLatin1(identifier));
    struct Case {
        const char* query;
        const char* expected; // nullptr: none
    };
    for (const Case& c : std::vector<Case>{
             {"5QV124", "5QV123"},    // changed
             {"5QV1234", "5QV123"},   // added
             {"5QV12", "5QV123"},     // dropped
             {"5QV213", "5QV123"},    // neighbours swapped
             {"1ARV300", "1ARIV300"}, // dropped inside the club
             {"5QV125", "5QV123"},
             {"3QV3", nullptr},   // 3QV30 and 3QV31: two candidates
             {"5QV789", nullptr}, // nothing near
             {"5QV321", nullptr}, // two edits
         }) {
        const std::optional<QString> found = index.onlyNeighbour(QString::fromLatin1(c.query));
        if (c.expected) {
            EXPECT_EQ(QString::fromLatin1(c.expected), found.value_or(QString())) << c.query;
        } else {
            EXPECT_FALSE(found) << c.query << " gave " << found.value_or(QString()).toStdString();
        }
    }
}

TEST(CheckTextsFormat, FillsEachMarkerOnceAndNeverLooksInsideAValue) {
    const CheckTexts english(1000);
    EXPECT_EQ(english.format(CheckTexts::Miscopied, {u"5QV12", u"5QV123"}),
              QStringLiteral("5QV12: miscopied identifier, probably 5QV123"));
    // A value that looks like a marker stays as written: a log may hold anything.
    EXPECT_EQ(english.lineFinding(7, CheckTexts::ProgressiveOrder, {u"\"%2\"", u"3"}),
              QStringLiteral("Line 7: progressive number \"%2\", expected 3"));
    EXPECT_EQ(english.format(CheckTexts::OwnStation, {}), english.text(CheckTexts::OwnStation));
}

TEST(CheckTextsFormat, ALineFindingIsTheLinePrefixAndTheFinding) {
    for (const int offset : {0, 1000}) {
        const CheckTexts texts(offset);
        for (const int line : {0, 7, 12, 123456, 2147483647})
            for (const auto& [id, values] : std::vector<std::pair<CheckTexts::Id, std::vector<QStringView>>>{
                     {CheckTexts::Duplicate, {u"12", u"5QV1"}},
                     {CheckTexts::Duplicate, {u"12"}}, // a missing value leaves its marker
                     {CheckTexts::OwnStation, {}},
                     {CheckTexts::TimeOutside, {u"5QV%1", u""}}}) {
                const std::initializer_list<QStringView> none;
                QString expected = texts.text(CheckTexts::LinePrefix);
                expected.replace(QStringLiteral("%1"), QString::number(line));
                expected += QStringLiteral(": ");
                expected += values.size() == 2   ? texts.format(id, {values[0], values[1]})
                            : values.size() == 1 ? texts.format(id, {values[0]})
                                                 : texts.format(id, none);
                const QString made = values.size() == 2 ? texts.lineFinding(line, id, {values[0], values[1]})
                                     : values.size() == 1 ? texts.lineFinding(line, id, {values[0]})
                                                          : texts.lineFinding(line, id, none);
                EXPECT_EQ(made, expected) << line << ' ' << expected.toStdString();
            }
    }
    EXPECT_EQ(CheckTexts(1000).format(CheckTexts::Duplicate, {u"12"}),
              QStringLiteral("duplicate of line 12 (%2)"));
}

// Roster keys are trimmed and upper-cased; a log's bytes find only the plain ASCII ones, the only kind
// a valid identifier can match.
// Every line of every report is looked at for something to escape, eight characters at a time: a
// character on either side of the printable range, in any place of a block or of the tail, is found.
TEST(CheckVisibleText, FindsEveryCharacterToEscapeWhereverItStands) {
    for (const char16_t odd : {u'\x1f', u'\x7f', u'\x00', u'\xa0', u'\u200b', u'\uffff'}) {
        for (qsizetype length = 1; length <= 20; ++length) {
            for (qsizetype place = 0; place < length; ++place) {
                QString text(length, u'x');
                text[0] = u' ';
                text[length - 1] = u'~';
                text[place] = QChar(odd);
                ASSERT_FALSE(isVisibleAsItIs(text)) << int(odd) << " " << length << " " << place;
            }
            EXPECT_TRUE(isVisibleAsItIs(QString(length, u'~')));
        }
    }
    EXPECT_TRUE(isVisibleAsItIs(u""));
    EXPECT_EQ(visibleText(u"a\x1b[31mb\tc"), QStringLiteral("a\\x1b[31mb\\tc"));
}

TEST(CheckIdentifiers, RosterKeysAreFoundByTextAndByBytes) {
    RosterCategories rosters;
    rosters.addRoster(" 5qv1 >ANNA\r\n5QV\xC9"
                      "2>BEA\r\n# 7QV7>NOT\r\nno key\r\n",
                      RosterCategories::Lady);
    rosters.addRoster("6QV6>CARLO\n5QV1>ANNA\n", RosterCategories::Hunter);
    EXPECT_EQ(rosters.ids().size(), 3);
    for (const auto& [key, found, categories] : std::vector<std::tuple<const char*, bool, quint8>>{
             {"5QV1", true, RosterCategories::Lady | RosterCategories::Hunter},
             {"6QV6", true, RosterCategories::Hunter},
             {"5qv1", false, 0},
             {"7QV7", false, 0}}) {
        const QByteArrayView bytes(key);
        const int number = rosters.findBytes(bytes, identifierHash(bytes));
        EXPECT_EQ(number, rosters.find(QString::fromLatin1(key))) << key;
        EXPECT_EQ(number >= 0, found) << key;
        if (found) {
            EXPECT_EQ(rosters.categories()[static_cast<std::size_t>(number)], categories) << key;
        }
    }
    EXPECT_GE(rosters.find(QStringLiteral("5QV\u00c92")), 0);
    EXPECT_EQ(RosterCategories::text(RosterCategories::Lady | RosterCategories::Hunter),
              QStringLiteral("H/L"));
}

TEST(CheckIdentifiers, WellFormedIdentifiers) {
    // The text and the bytes agree.
    for (const char* good : {"5QV123", "1ARIV300", "12QV1"}) {
        EXPECT_TRUE(wellFormedIdentifier(QString::fromLatin1(good))) << good;
        EXPECT_TRUE(wellFormedIdentifier(QByteArrayView(good))) << good;
    }
    for (const char* bad : {"", "0QV0", "05QV1", "QV12", "5QV", "5123", "5qv12", "5QV12A", "5 QV12"}) {
        EXPECT_FALSE(wellFormedIdentifier(QString::fromLatin1(bad))) << bad;
        EXPECT_FALSE(wellFormedIdentifier(QByteArrayView(bad))) << bad;
    }
}

TEST(CheckArguments, AcceptsTheOptionsAndRefusesTheRest) {
    QString error;
    const std::optional<CheckOptions> options =
        parseCheckArguments({"--data", "D", "--window", "15", "--lang", "en", "--out", "O", "a", "b"},
                            QStringLiteral("def"), error);
    ASSERT_TRUE(options);
    EXPECT_EQ(QStringLiteral("D"), options->dataFolder);
    EXPECT_EQ(15, options->windowMinutes);
    EXPECT_EQ(1000, options->languageOffset);
    EXPECT_EQ(QStringLiteral("O"), options->outFolder);
    EXPECT_EQ((QStringList{"a", "b"}), options->inputs);
    EXPECT_EQ(QStringLiteral("def"), parseCheckArguments({"x"}, QStringLiteral("def"), error)->dataFolder);
    // The default language is the caller's (the locale's); --lang overrides it.
    EXPECT_EQ(1000, parseCheckArguments({"x"}, QString(), error, 1000)->languageOffset);
    EXPECT_EQ(0, parseCheckArguments({"--lang", "it", "x"}, QString(), error, 1000)->languageOffset);
    // A name beginning with "-" is a log only after "--".
    EXPECT_EQ((QStringList{"-h", "--out"}),
              parseCheckArguments({"--", "-h", "--out"}, QString(), error)->inputs);

    struct Bad {
        QStringList arguments;
        bool unknown;
    };
    for (const Bad& bad : std::vector<Bad>{{{}, false},
                                           {{"--window", "x", "a"}, false},
                                           {{"--window", "-1", "a"}, false},
                                           {{"--lang", "fr", "a"}, false},
                                           {{"--data"}, false},
                                           {{"--bogus", "a"}, true},
                                           {{"-x", "a"}, true},
                                           {{"a", "-"}, true},
                                           {{"--"}, false}}) {
        error.clear();
        bool unknown = !bad.unknown;
        EXPECT_FALSE(parseCheckArguments(bad.arguments, QString(), error, 0, &unknown))
            << bad.arguments.join(u' ').toStdString();
        EXPECT_FALSE(error.isEmpty());
        EXPECT_EQ(bad.unknown, unknown) << bad.arguments.join(u' ').toStdString();
    }
}

TEST(CheckArguments, HelpAndVersionNeedNoLogs) {
    using Action = CheckOptions::Action;
    QString error;
    for (const auto& [arguments, action] :
         std::vector<std::pair<QStringList, Action>>{{{"-h"}, Action::Help},
                                                     {{"--help"}, Action::Help},
                                                     {{"--lang", "en", "--help", "logs"}, Action::Help},
                                                     {{"--version"}, Action::Version},
                                                     {{"--version", "--help"}, Action::Help},
                                                     {{"logs"}, Action::Run}}) {
        const std::optional<CheckOptions> options = parseCheckArguments(arguments, QString(), error);
        ASSERT_TRUE(options) << arguments.join(u' ').toStdString();
        EXPECT_EQ(action, options->action) << arguments.join(u' ').toStdString();
    }
}

TEST(CheckArguments, HelpSaysWhenThisBuildCannotReadMail) {
    for (
        const auto& [offset, readsMail, missingLine] : std::vector<std::tuple<int, bool, const char*>>{
            {1000, true, nullptr},
            {1000, false, "  --mail is not available in this build of the program, which cannot read mail\n"},
            {0, true, nullptr},
            {0, false,
             "  --mail non è disponibile in questa versione del programma, che non sa leggere la posta\n"}}) {
        SCOPED_TRACE(testing::Message() << offset << " " << readsMail);
        const QString help = checkHelp(CheckTexts(offset), QStringLiteral("Data"), readsMail);
        EXPECT_TRUE(help.contains(QStringLiteral("--mail")));
        EXPECT_EQ(help.contains(QStringLiteral("non sa leggere")) ||
                      help.contains(QStringLiteral("cannot read mail")),
                  !readsMail);
        if (missingLine) {
            EXPECT_TRUE(help.contains(QString::fromUtf8(missingLine)));
        }
    }
}

TEST(CheckArguments, TheLanguageFollowsTheLocale) {
    // LC_ALL, LC_MESSAGES, LANG: the first one set decides.
    for (const auto& [all, messages, lang, offset] :
         std::vector<std::tuple<const char*, const char*, const char*, int>>{
             {"", "", "it_IT.UTF-8", 0},
             {"", "", "it", 0},
             {"", "", "en_GB.UTF-8", 1000},
             {"", "", "", 1000},
             {"", "", "C", 1000},
             {"", "en_US.UTF-8", "it_IT.UTF-8", 1000},
             {"", "it_CH", "en_US", 0},
             {"C.UTF-8", "it_IT", "it_IT", 1000},
             {"it_IT@euro", "", "en_US", 0}})
        EXPECT_EQ(offset, languageOffsetOfLocale(all, messages, lang))
            << all << '|' << messages << '|' << lang;
}

// Logs built in memory: station, category, and the stations worked with their minutes past 14:00.
CheckedLog makeLog(const char* station, const char* category,
                   const std::vector<std::pair<const char*, int>>& worked) {
    QByteArray bytes = "##" + QByteArray(category) + "\r\n#" + station +
                       "\r\n#OP\r\n#N\r\n#1\r\n#x\r\n#1\r\n#QV\r\n#1\r\n#2026\r\n#LOG\r\n";
    int n = 0;
    for (const auto& [other, minute] : worked)
        bytes += QByteArray::number(++n) + ">1>" + other +
                 ">X>H>C>06/03/2026 14:" + QByteArray::number(minute).rightJustified(2, '0') + ":00>N>\r\n";
    return checkLogBytes(QString::fromLatin1(station) + "_MD_" + category + "_2026.Log", bytes,
                         CheckTexts(1000));
}

TEST(CheckLog, AProgressiveNumberAtTheTopOfTheRangeDoesNotWrapRound) {
    const QByteArray header = "##H\r\n#1QV1\r\n#OP\r\n#N\r\n#1\r\n#x\r\n#1\r\n#QV\r\n#1\r\n#2026\r\n#LOG\r\n";
    const QByteArray record = ">1>1QV2>X>H>C>06/03/2026 14:00:00>N>\r\n";
    const CheckedLog log =
        checkLogBytes(QStringLiteral("1QV1_MD_H_2026.Log"),
                      header + "99999999999999999999" + record + "7" + record, CheckTexts(1000));
    ASSERT_EQ(log.findings.size(), 3u);
    EXPECT_EQ(log.findingText(log.findings[1], CheckTexts(1000)),
              QStringLiteral("Line 13: progressive number \"7\", expected 9223372036854775807"));
}

TEST(CheckCrossCheck, RanksTiesTogetherAndSkipsTheirPlaces) {
    std::vector<CheckedLog> logs;
    logs.push_back(makeLog("1QV1", "H", {{"1QV2", 0}}));
    logs.push_back(makeLog("1QV2", "H", {{"1QV1", 0}}));
    logs.push_back(makeLog("1QV3", "H", {}));
    logs.push_back(makeLog("1QV4", "L", {{"1QV9", 0}}));
    CrossCheckSettings settings;
    settings.countryCount = 5;
    settings.weights.hunterPointsForHunter = 1;
    settings.weights.countryPoints = 1;
    crossCheck(logs, RosterCategories{}, settings, CheckTexts(1000));
    EXPECT_EQ(2, logs[0].checkedScore);
    EXPECT_EQ(1, logs[0].rank);
    EXPECT_EQ(1, logs[1].rank);
    EXPECT_EQ(3, logs[2].rank);
    EXPECT_EQ(1, logs[3].rank); // its own category
}

TEST(CheckCrossCheck, WindowBoundsAreInclusive) {
    for (const auto& [minutes, window, confirmed] : std::vector<std::tuple<int, int, bool>>{
             {10, 10, true}, {11, 10, false}, {11, 15, true}, {0, 0, true}}) {
        std::vector<CheckedLog> logs;
        logs.push_back(makeLog("1QV1", "H", {{"1QV2", 0}}));
        logs.push_back(makeLog("1QV2", "H", {{"1QV1", minutes}}));
        CrossCheckSettings settings;
        settings.windowMinutes = window;
        crossCheck(logs, RosterCategories{}, settings, CheckTexts(1000));
        EXPECT_EQ(confirmed ? 1 : 0, logs[0].confirmed) << minutes << " " << window;
        EXPECT_EQ(confirmed ? 0 : 1, logs[0].timeOff) << minutes << " " << window;
    }
}

} // namespace
