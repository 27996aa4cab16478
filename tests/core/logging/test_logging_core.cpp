#include "core/app/AppState.h"
#include "core/logfile/WorkedCountries.h"
#include "core/logging/ContactChecks.h"
#include "core/logging/ContactLog.h"
#include "core/logging/EntryRules.h"
#include "core/logging/Score.h"
#include "core/logging/UtcStamp.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/ScoreWeights.h"
#include "support/FixedClock.h"
#include "support/Printers.h"

#include <QRandomGenerator>

#include <set>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

ContactRecord contact(const QString& identifier, const QString& name, const QString& category,
                      const QString& cancelled = QStringLiteral("N")) {
    return ContactRecord::fromFields(
        {"1", "7", identifier, name, category, "Italia", "06/03/2015 14:05:09", cancelled});
}

ContactLog logOf(std::initializer_list<ContactRecord> contacts) {
    ContactLog log;
    log.assign(std::vector<ContactRecord>(contacts));
    return log;
}

const QString own = QStringLiteral("5QV123");

} // namespace

TEST(ContactChecks, NewContactCodesComeInTheirOrder) {
    const ContactLog log = logOf({contact("5QV12", "ANNA", "L"), contact("7QV9", "PIA", "H", "S")});
    struct Case {
        const char* what;
        ContactEntry entry;
        CheckCode code;
        int row;
    };
    const Case cases[] = {
        {"own callsign before everything", {own, "", "", ""}, CheckCode::OwnCallsign, 0},
        {"duplicate before missing fields", {"5QV12", "", "", ""}, CheckCode::Duplicate, 1},
        {"identifiers compare exactly", {"5QV120", "3", "BEA", "H"}, CheckCode::Passed, 0},
        {"a cancelled contact is no duplicate", {"7QV9", "3", "BEA", "H"}, CheckCode::Passed, 0},
        {"received before name", {"8QV1", "", "", ""}, CheckCode::MissingReceived, 0},
        {"one letter is too short", {"8QV1", "3", "B", ""}, CheckCode::NameTooShort, 0},
        {"two letters pass the name check", {"8QV1", "3", "BE", ""}, CheckCode::NoCategory, 0},
        {"all there", {"8QV1", "3", "BE", "L"}, CheckCode::Passed, 0},
    };
    for (const Case& c : cases) {
        const CheckResult result = checkNewContact(log, own, c.entry);
        EXPECT_EQ(result.code, c.code) << c.what;
        EXPECT_EQ(result.duplicateRow, c.row) << c.what;
    }
}

TEST(ContactChecks, ModifiedContactIgnoresItsOwnRowAndTheCategory) {
    const ContactLog log = logOf(
        {contact("5QV12", "ANNA", "L"), contact("6QV1", "EVA", "H"), contact("5QV12", "ANNA", "L", "S")});
    EXPECT_EQ(checkModifiedContact(log, own, {"5QV12", "3", "ANNA", ""}, 1).code, CheckCode::Passed);
    const CheckResult clash = checkModifiedContact(log, own, {"5QV12", "3", "ANNA", "L"}, 2);
    EXPECT_EQ(clash.code, CheckCode::Duplicate);
    EXPECT_EQ(clash.duplicateRow, 1);
    EXPECT_EQ(checkModifiedContact(log, own, {own, "3", "ANNA", "L"}, 2).code, CheckCode::OwnCallsign);
}

TEST(ContactChecks, DuplicateMessageNamesTheEarlierContactAndItsRow) {
    const ContactLog log = logOf(
        {contact("1QV1", "X", "H"), contact("1QV1", "X", "H", "S"), contact("5QV12", "ANNA MARIA", "L")});
    const CheckResult result = checkNewContact(log, own, {"5QV12", "", "", ""});
    EXPECT_EQ(
        duplicateMessage(result, {"Contact already made", "With the Progressive No.", "To insert it again"}),
        "5QV12  ANNA MARIA\r\nContact already made\r\nWith the Progressive No. 3\r\nTo insert it again");
}

// The running tallies and index must always agree with a plain count of the records.
TEST(ContactLogTally, StaysEqualToARecountThroughAppendsModificationsAndCancellations) {
    constexpr int countries = 12;
    ContactLog log;
    QRandomGenerator random(42);
    const auto randomContact = [&] {
        const int country = random.bounded(0, 15); // 0 and numbers above 12 mark nothing
        return contact(QStringLiteral("%1QV%2").arg(country).arg(random.bounded(1, 6)), "NAME",
                       random.bounded(2) ? "H" : "L",
                       random.bounded(5) ? "N" : (random.bounded(2) ? "S" : ""));
    };
    for (int step = 0; step < 400; ++step) {
        if (log.empty() || random.bounded(3) == 0) {
            log.append(randomContact());
        } else {
            log.replace(random.bounded(1, log.size() + 1), randomContact());
        }

        ContactTally expected;
        std::set<int> worked;
        for (int row = 1; row <= log.size(); ++row) {
            const ContactRecord& c = log.at(row);
            expected.cancelled += c.isCancelled();
            if (!c.isCancelled()) {
                expected.hunters += c.field(ContactRecord::Category) == u"H";
                expected.ladies += c.field(ContactRecord::Category) == u"L";
                const int number = countryNumberOf(c.field(ContactRecord::Unit));
                if (number >= 1 && number <= 12)
                    worked.insert(number);
            }
        }
        ASSERT_EQ(log.tally(), expected) << "step " << step;
        const WorkedCountries marks = log.workedCountries(countries);
        ASSERT_EQ(marks.count(), static_cast<int>(worked.size())) << "step " << step;
        for (int number : worked)
            ASSERT_TRUE(marks.isWorked(number)) << "step " << step;

        const QString probe = randomContact().fieldText(ContactRecord::Unit);
        int first = 0;
        for (int row = 1; row <= log.size() && !first; ++row)
            first = log.at(row).field(ContactRecord::Unit) == probe && !log.at(row).isCancelled() ? row : 0;
        ASSERT_EQ(log.findValid(probe), first) << "step " << step;
    }
}

TEST(Score, TotalsAndWarningFollowTheLogCategory) {
    ScoreWeights weights;
    weights.hunterPointsForHunter = 1;
    weights.ladyPointsForHunter = 2;
    weights.ladyPointsForLady = 3;
    weights.hunterPointsForLady = 4;
    weights.countryPoints = 5;
    struct Case {
        const char* category;
        std::int16_t hunters, ladies, countries;
        std::int64_t total;
        bool warning;
        const char* suffix;
    };
    const Case cases[] = {
        {"H", 3, 2, 4, 54, false, " Lady"},  // (3 + 4 + 20) x 2
        {"H", 3, 0, 4, 23, true, " Lady"},   // no Lady: no multiplication
        {"L", 0, 2, 1, 22, true, " Hunter"}, // (0 + 6 + 5) x 2
        {"0", 1, 0, 1, 9, false, " Hunter"}, // no category yet counts as a Lady log
        // The largest counts the counters hold: far beyond 16 bits, exact in the wide total.
        {"H", 32767, 32767, 32767, (32767LL * 8) * 32767, false, " Lady"},
    };
    for (const Case& c : cases) {
        LogCounters counters;
        counters.HunterCount = c.hunters;
        counters.LadyCount = c.ladies;
        counters.CountryCount = c.countries;
        EXPECT_EQ(scoreTotal(counters, pointValues(weights, c.category)), c.total) << c.category;
        EXPECT_EQ(validityWarningShown(c.category, counters), c.warning) << c.category;
        EXPECT_EQ(missingCategorySuffix(c.category), c.suffix);
    }
}

TEST(EntryRules, KeysAllowedPerBox) {
    struct Case {
        int box;
        QChar key;
        bool allowed;
    };
    const Case cases[] = {
        {BoxCountry, '5', true},       {BoxCountry, 'A', false}, {BoxUnit, '0', true},
        {BoxReceived, ' ', false},     {BoxClub, 'Q', true},     {BoxClub, '1', false},
        {BoxName, '7', false},         {BoxName, '\'', true},    {BoxName, QChar(0xC8), true},
        {BoxName, QChar(0xC4), false}, {BoxName, '>', false},    {BoxCategory, 'H', false},
        {BoxCountryName, 'A', false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(entryKeyAllowed(c.box, c.key), c.allowed) << c.box << " " << QString(c.key).toStdString();
}

TEST(EntryRules, ChangeRulesEmptyTrimZerosAndCollapseDoubles) {
    struct Case {
        const char* typed;
        const char* result;
        bool cursorToEnd;
    };
    const Case cases[] = {
        {"05", "5", false},       {"0", "", false},        {"007", "7", false},   {" ", "", false},
        {"'", "", false},         {".", "", false},        {"50", "50", false},   {"DE  ", "DE ", true},
        {"A  B  ", "A B ", true}, {"D''", "D'", true},     {"ST..", "ST.", true}, {"ST.'", "ST.", true},
        {"D'.", "D'", true},      {"A  B", "A  B", false}, {"", "", false},
    };
    for (const Case& c : cases) {
        const ChangedText changed = applyChangeRules(QString::fromLatin1(c.typed));
        EXPECT_EQ(changed.text, c.result) << c.typed;
        EXPECT_EQ(changed.cursorToEnd, c.cursorToEnd) << c.typed;
    }
}

TEST(EntryRules, IdentifierSplitsIntoItsThreeBoxes) {
    struct Case {
        const char* identifier;
        const char* country;
        const char* club;
        const char* unit;
    };
    const Case cases[] = {
        {"12QV345", "12", "QV", "345"}, {"3ABC7", "3", "ABC", "7"}, {"0QV0", "0", "QV", "0"},
        {"QV12", "", "QV", "12"},       {"5Q1V2", "5", "QV", "12"}, {"", "", "", ""},
    };
    for (const Case& c : cases) {
        const IdentifierParts parts = splitIdentifier(QString::fromLatin1(c.identifier));
        EXPECT_EQ(parts.country, c.country) << c.identifier;
        EXPECT_EQ(parts.club, c.club) << c.identifier;
        EXPECT_EQ(parts.unit, c.unit) << c.identifier;
    }
}

TEST(UtcStamp, WholeSecondsOfTheClocksUtcTime) {
    class MillisecondClock : public Clock {
    public:
        QDateTime nowUtc() const override {
            return QDateTime(QDate(2026, 3, 6), QTime(23, 59, 59, 987), Qt::UTC);
        }
    };
    const QDateTime stamp = Mod_Time(MillisecondClock());
    EXPECT_EQ(stamp.time().msec(), 0);
    EXPECT_EQ(utcStampText(stamp), "06/03/2026 23:59:59");
    EXPECT_EQ(utcStampText(Mod_Time(test::FixedClock())), "09/05/2026 12:05:09");
}
