#include "core/common/ProgramFolder.h"
#include "core/logging/ContactLog.h"
#include "core/logging/EditSession.h"
#include "core/logging/EntryStatus.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/Roster.h"
#include "core/refdata/RosterIndex.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

ContactRecord contact(const char* progressive, const char* identifier, const char* category,
                      const char* cancelled = "N") {
    return ContactRecord::fromFields(
        {progressive, "7", identifier, "NAME", category, "", "06/03/2015 14:05:09", cancelled});
}

EntryTexts typed(const char* country, const char* club, const char* unit, bool generic = false) {
    EntryTexts entry;
    entry.boxes[0] = QString::fromLatin1(country);
    entry.boxes[1] = QString::fromLatin1(club);
    entry.boxes[2] = QString::fromLatin1(unit);
    entry.generic = generic;
    return entry;
}

const QByteArray ladyRoster = "1QV5>ANNA\r\n# 2QV8>NOT THIS\r\n2QV8>LUCIA\r\n";
const QByteArray hunterRoster = "2QV8>HUGO\r\n3QV9>HANS\r\n";

} // namespace

TEST(EntryStatus, EachKindOfStationAsTyped) {
    ContactLog log;
    log.assign({contact("1", "1QV5", "L"), contact("2", "2QV7", "H", "S"), contact("3", "1ABC4", "H")});
    const CountryTable countries = CountryTable::fromLines({"I>Italia", "F>France", "D>Deutschland"});
    RosterIndex rosters;
    rosters.build(ladyRoster, hunterRoster);
    const QString own = QStringLiteral("1QV123");
    const LogCounters counters{4, 1, 1, 1, 1};
    const PointValues hunterLog{1, 2, 5}; // total now (1 + 2 + 5) x 1 = 8
    const PointValues ladyLog{4, 3, 5};   // total now (4 + 3 + 5) x 1 = 12

    using K = EntryStatus::Kind;
    using R = EntryStatus::Roster;
    struct Case {
        const char* what;
        EntryTexts entry;
        const char* category;
        int editedRow;
        PointValues points;
        K kind;
        int country;
        bool countryKnown;
        R roster;
        const char* rosterName;
        int duplicateRow;
        bool newCountry;
        bool pointsKnown;
        std::int64_t points_added;
    };
    const Case cases[] = {
        {"nothing typed", typed("", "QV", ""), "", 0, hunterLog, K::Empty, 0, false, R::NotLooked, "", 0,
         false, false, 0},
        {"own station", typed("1", "QV", "123"), "", 0, hunterLog, K::Own, 1, true, R::NotLooked, "", 0,
         false, false, 0},
        {"duplicate of a valid contact", typed("1", "QV", "5"), "", 0, hunterLog, K::Duplicate, 1, true,
         R::NotLooked, "", 1, false, false, 0},
        {"a generic duplicate too", typed("1", "ABC", "4", true), "", 0, hunterLog, K::Duplicate, 1, true,
         R::NotLooked, "", 3, false, false, 0},
        {"a cancelled contact is no duplicate", typed("2", "QV", "7"), "", 0, hunterLog, K::Station, 2, true,
         R::NotFound, "", 0, true, false, 0},
        {"the contact being modified is no duplicate of itself", typed("1", "QV", "5"), "L", 1, hunterLog,
         K::Station, 1, true, R::Lady, "ANNA", 0, false, false, 0},
        {"in both rosters: Lady, new country, x2 multiplier", typed("2", "QV", "8"), "", 0, hunterLog,
         K::Station, 2, true, R::Lady, "LUCIA", 0, true, true, (1 + 4 + 10) * 2 - 8},
        {"Hunter roster, new country", typed("3", "QV", "9"), "", 0, hunterLog, K::Station, 3, true,
         R::Hunter, "HANS", 0, true, true, (2 + 2 + 10) - 8},
        {"Lady log, Lady station", typed("2", "QV", "8"), "", 0, ladyLog, K::Station, 2, true, R::Lady,
         "LUCIA", 0, true, true, (4 + 6 + 10) * 2 - 12},
        {"Lady log, Hunter station", typed("3", "QV", "9"), "", 0, ladyLog, K::Station, 3, true, R::Hunter,
         "HANS", 0, true, true, (8 + 3 + 10) - 12},
        {"not in the rosters, no category yet", typed("1", "QV", "77"), "", 0, hunterLog, K::Station, 1, true,
         R::NotFound, "", 0, false, false, 0},
        {"not in the rosters, Hunter chosen, country worked", typed("1", "QV", "77"), "H", 0, hunterLog,
         K::Station, 1, true, R::NotFound, "", 0, false, true, (2 + 2 + 5) - 8},
        {"the chosen category outweighs the roster's", typed("3", "QV", "9"), "L", 0, hunterLog, K::Station,
         3, true, R::Hunter, "HANS", 0, true, true, (1 + 4 + 10) * 2 - 8},
        {"generic: no roster", typed("2", "XYZ", "9", true), "", 0, hunterLog, K::Station, 2, true,
         R::NotLooked, "", 0, true, false, 0},
        {"unit still missing: no roster", typed("2", "QV", ""), "", 0, hunterLog, K::Station, 2, true,
         R::NotLooked, "", 0, true, false, 0},
        {"country number 0", typed("", "QV", "12"), "", 0, hunterLog, K::Station, 0, false, R::NotFound, "",
         0, false, false, 0},
        {"country above the table", typed("4", "QV", "1"), "H", 0, hunterLog, K::Station, 4, false,
         R::NotFound, "", 0, false, true, (2 + 2 + 5) - 8},
    };
    for (const Case& c : cases) {
        const EntryStatus status = entryStatus({log, countries, rosters, own, counters, c.points}, c.entry,
                                               QString::fromLatin1(c.category), c.editedRow);
        EXPECT_EQ(status.kind, c.kind) << c.what;
        EXPECT_EQ(status.country, c.country) << c.what;
        EXPECT_EQ(status.countryKnown, c.countryKnown) << c.what;
        EXPECT_EQ(status.countryName, c.countryKnown ? countries.name(c.country) : QString()) << c.what;
        EXPECT_EQ(status.roster, c.roster) << c.what;
        EXPECT_EQ(status.rosterName, QString::fromLatin1(c.rosterName)) << c.what;
        EXPECT_EQ(status.duplicateRow, c.duplicateRow) << c.what;
        EXPECT_EQ(status.newCountry, c.newCountry) << c.what;
        EXPECT_EQ(status.pointsKnown, c.pointsKnown) << c.what;
        EXPECT_EQ(status.pointsAdded, c.points_added) << c.what;
    }

    const EntryStatus duplicate =
        entryStatus({log, countries, rosters, own, counters, hunterLog}, typed("1", "QV", "5"), QString(), 0);
    EXPECT_EQ(duplicate.duplicateProgressive, QStringLiteral("1"));
    EXPECT_EQ(duplicate.duplicateTime, QStringLiteral("14:05"));

    // An unreadable roster proves nothing: the status does not say "not found".
    RosterIndex unread;
    unread.load(ProgramFolder(QStringLiteral("/nonexistent-qvmd-folder")));
    EXPECT_FALSE(unread.complete());
    EXPECT_EQ(
        entryStatus({log, countries, unread, own, counters, hunterLog}, typed("1", "QV", "77"), QString(), 0)
            .roster,
        R::NotLooked);
}

TEST(EntryStatus, TimeOfTheEarlierContact) {
    EXPECT_EQ(hoursAndMinutes(u"06/03/2015 14:05:09"), QStringLiteral("14:05"));
    EXPECT_EQ(hoursAndMinutes(u"6/3/2015 9:05:09"), QStringLiteral("9:05"));
    EXPECT_EQ(hoursAndMinutes(u"06/03/2015"), QString());
    EXPECT_EQ(hoursAndMinutes(u":05"), QString());
    EXPECT_EQ(hoursAndMinutes(u"12:5"), QString());
}

// The index must answer as the search of the files does, line rule by line rule.
TEST(RosterIndex, AgreesWithTheRosterSearch) {
    const QByteArray lady = "#5QV1>COMMENT\r\n 5QV2>LEADING BLANK\r\n\r\nA>5QV3>LAST KEY\r\n5QV4\r\n"
                            "5QV5>FIRST\r\n5QV5>SECOND\r\n5QV6>\r\n5QV7>NO LINE END";
    const QByteArray hunter = "5QV5>HUNTER TOO\r\n9QV9>HUNTER\n5QV8>M\xc8LANIE\r\n";
    RosterIndex index;
    index.build(lady, hunter);
    for (const char* id : {"5QV1", "#5QV1", "5QV2", " 5QV2", "A", "5QV3", "5QV4", "5QV5", "5QV6", "5QV7",
                           "9QV9", "5QV8", "5QV9", ""}) {
        const QString identifier = QString::fromLatin1(id);
        std::optional<QString> expected = findInRoster(lady, identifier, false);
        QString category = QStringLiteral("L");
        if (!expected) {
            expected = findInRoster(hunter, identifier, false);
            category = QStringLiteral("H");
        }
        const auto hit = index.find(identifier);
        ASSERT_EQ(hit.has_value(), expected.has_value()) << id;
        if (hit) {
            EXPECT_EQ(hit->name, *expected) << id;
            EXPECT_EQ(hit->category, category) << id;
        }
    }
    EXPECT_EQ(index.find(QStringLiteral("5QV8"))->name, QStringLiteral("M\u00c8LANIE"));
}
