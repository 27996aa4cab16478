#include "core/logging/ContactLog.h"
#include "core/logging/EditSession.h"
#include "core/logging/EntryRules.h"
#include "support/Printers.h"

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

const QString own = QStringLiteral("5QV123");
const QString now = QStringLiteral("09/05/2026 12:05:09");
const QString longNumber = QStringLiteral("1234567890123456789012345");

// Row 1 a member, row 2 cancelled, row 3 a generic station, row 4 a received number no box could type.
ContactLog fourContacts() {
    ContactLog log;
    log.assign({
        ContactRecord::fromFields({"1", "7", "5QV12", "ANNA", "L", "Spain", "06/05/2026 10:00:01", "N"}),
        ContactRecord::fromFields({"2", "4", "6QV3", "ERIC", "H", "Switzerland", "06/05/2026 10:00:02", "S"}),
        ContactRecord::fromFields({"3", "9", "3ABC7", "GINO", "H", "England", "06/05/2026 10:00:03", "N"}),
        ContactRecord::fromFields(
            {"4", longNumber, "2QV20", "PAUL", "H", "France", "06/05/2026 10:00:04", "N"}),
    });
    return log;
}

EntryTexts typed(const char* country, const char* club, const char* unit, const char* received,
                 const char* name, bool generic = false) {
    EntryTexts entry;
    entry.boxes = {QString::fromLatin1(country),  QString::fromLatin1(club), QString::fromLatin1(unit),
                   QString::fromLatin1(received), QString::fromLatin1(name), QStringLiteral("H"),
                   QStringLiteral("Country")};
    entry.generic = generic;
    return entry;
}

} // namespace

TEST(EditSession, PickLoadsOnlyValidContactsAndShowsTheirFieldsAsStored) {
    struct Case {
        int row;
        EditSession::Pick::Kind kind;
        std::array<const char*, 7> boxes; // for Loaded
        bool generic;
    };
    using Kind = EditSession::Pick::Kind;
    const QByteArray longReceived = longNumber.toLatin1();
    const Case cases[] = {
        {0, Kind::EmptyRow, {}, false},
        {5, Kind::EmptyRow, {}, false}, // the empty row after the last contact
        {2, Kind::Cancelled, {}, false},
        {1, Kind::Loaded, {"5", "QV", "12", "7", "ANNA", "L", "Spain"}, false},
        {3, Kind::Loaded, {"3", "ABC", "7", "9", "GINO", "H", "England"}, true},
        {4, Kind::Loaded, {"2", "QV", "20", longReceived.constData(), "PAUL", "H", "France"}, false},
    };
    const ContactLog log = fourContacts();
    for (const Case& c : cases) {
        EditSession session;
        const EditSession::Pick pick = session.pick(log, c.row);
        EXPECT_EQ(pick.kind, c.kind) << c.row;
        EXPECT_EQ(session.editing(), c.kind == Kind::Loaded) << c.row;
        if (c.kind != Kind::Loaded)
            continue;
        for (std::size_t box = 0; box < 7; ++box)
            EXPECT_EQ(pick.shown.boxes[box], QString::fromLatin1(c.boxes[box])) << c.row << " box " << box;
        EXPECT_EQ(pick.shown.generic, c.generic) << c.row;
        EXPECT_EQ(pick.progressive, QString::number(c.row));
        EXPECT_EQ(session.editedRow(), c.row);
    }

    // Another pick ends the modification in hand, even when it picks nothing.
    EditSession session;
    session.pick(log, 1);
    session.pick(log, 5);
    EXPECT_FALSE(session.editing());
}

TEST(EditSession, WriteDecidesInTheOrderOfTheRules) {
    using Kind = EditSession::Write::Kind;
    struct Case {
        const char* what;
        int pickedRow; // 0: a new contact
        EntryTexts entry;
        const char* category;
        Kind kind;
        int focus; // Incomplete and refusals that keep the entry
        int messageId;
        CheckCode code;
        bool clearEntry;
        bool writeEnabled;
    };
    const int hButton = EditSession::FocusHButton;
    const Case cases[] = {
        {"country first", 0, typed("", "QV", "", "", ""), "", Kind::Incomplete, BoxCountry, 0,
         CheckCode::Passed, false, false},
        {"unit before club", 0, typed("2", "", "", "", "", true), "", Kind::Incomplete, BoxUnit, 0,
         CheckCode::Passed, false, false},
        {"then the club", 0, typed("2", " ", "5", "", "", true), "", Kind::Incomplete, BoxClub, 0,
         CheckCode::Passed, false, false},
        {"generic QV", 0, typed("2", "QV", "5", "1", "AL", true), "H", Kind::RefusedGeneric, BoxClub, 1112,
         CheckCode::Passed, false, false},
        {"club of six", 0, typed("2", "ABCDEF", "5", "1", "AL", true), "H", Kind::RefusedGeneric, BoxClub,
         1113, CheckCode::Passed, false, false},
        {"QV as a member", 0, typed("2", "QV", "5", "1", "AL"), "H", Kind::Add, 0, 0, CheckCode::Passed,
         false, false},
        {"own station", 0, typed("5", "QV", "123", "1", "ME"), "H", Kind::RefusedCheck, BoxCountry, 0,
         CheckCode::OwnCallsign, true, false},
        {"duplicate", 0, typed("5", "QV", "12", "1", "ANNA"), "L", Kind::RefusedCheck, BoxCountry, 0,
         CheckCode::Duplicate, true, false},
        {"cancelled only", 0, typed("6", "QV", "3", "1", "ERIC"), "H", Kind::Add, 0, 0, CheckCode::Passed,
         false, false},
        {"received missing", 0, typed("2", "QV", "5", " ", "AL"), "H", Kind::RefusedCheck, BoxReceived, 0,
         CheckCode::MissingReceived, false, true},
        {"one letter", 0, typed("2", "QV", "5", "1", "A "), "H", Kind::RefusedCheck, BoxName, 0,
         CheckCode::NameTooShort, false, true},
        {"no category", 0, typed("2", "QV", "5", "1", "AL"), "", Kind::RefusedCheck, hButton, 0,
         CheckCode::NoCategory, false, true},
        {"modified, its own identifier", 1, typed("5", "QV", "12", "8", "ANNA"), "", Kind::Modify, 0, 0,
         CheckCode::Passed, false, false},
        {"modified into a duplicate", 3, typed("5", "QV", "12", "8", "ANNA"), "", Kind::RefusedCheck,
         BoxCountry, 0, CheckCode::Duplicate, true, false},
        {"modified, received missing", 1, typed("5", "QV", "12", "", "ANNA"), "", Kind::RefusedCheck,
         BoxReceived, 0, CheckCode::MissingReceived, false, false},
    };
    const ContactLog log = fourContacts();
    for (const Case& c : cases) {
        EditSession session;
        if (c.pickedRow)
            session.pick(log, c.pickedRow);
        const EditSession::Write step =
            session.write(log, own, c.entry, QString::fromLatin1(c.category), now);
        EXPECT_EQ(step.kind, c.kind) << c.what;
        EXPECT_EQ(step.check.code, c.code) << c.what;
        EXPECT_EQ(step.clearEntry, c.clearEntry) << c.what;
        EXPECT_EQ(step.writeEnabled, c.writeEnabled) << c.what;
        if (c.kind != Kind::Add && c.kind != Kind::Modify && !c.clearEntry) {
            EXPECT_EQ(step.focus, c.focus) << c.what;
        }
        EXPECT_EQ(step.messageId, c.messageId) << c.what;
    }
}

TEST(EditSession, WrittenFieldsKeepTheStampOfAModificationAndTakeTheClockForANewContact) {
    const ContactLog log = fourContacts();
    EditSession session;
    EntryTexts entry = typed(" 9", "QV", "9 ", " 31", " GIULIA ");
    entry.boxes[BoxCategory] = QStringLiteral("L"); // what box 5 shows does not count for a new contact
    EditSession::Write step = session.write(log, own, entry, QStringLiteral("H"), now);
    ASSERT_EQ(step.kind, EditSession::Write::Kind::Add);
    EXPECT_EQ(step.fields.identifier, "9QV9");
    EXPECT_EQ(step.fields.received, "31");
    EXPECT_EQ(step.fields.name, "GIULIA");
    EXPECT_EQ(step.fields.category, "H");
    EXPECT_EQ(step.fields.country, "Country");
    EXPECT_EQ(step.fields.timeStamp, now);

    // Picked and written back untouched: every field as it was, the long number included.
    const EditSession::Pick pick = session.pick(log, 4);
    step = session.write(log, own, pick.shown, QString(), now);
    ASSERT_EQ(step.kind, EditSession::Write::Kind::Modify);
    EXPECT_EQ(step.row, 4);
    EXPECT_EQ(step.fields.received, longNumber);
    EXPECT_EQ(step.fields.category, "H");
    EXPECT_EQ(step.fields.country, "France");
    EXPECT_EQ(step.fields.timeStamp, "06/05/2026 10:00:04");
}

TEST(EditSession, CancelAsksOnlyForAPickedContactAndBlankLinesWaitForTheEndOfAModification) {
    const ContactLog log = fourContacts();
    EditSession session;
    EXPECT_EQ(session.cancel(typed("5", "QV", "12", "", "ANNA")).row, 0);
    EXPECT_TRUE(session.mayAddBlank());

    const EditSession::Pick pick = session.pick(log, 3);
    const EditSession::Cancel cancel = session.cancel(pick.shown);
    EXPECT_EQ(cancel.row, 3);
    EXPECT_EQ(cancel.station, "3ABC7  GINO");
    EXPECT_FALSE(session.mayAddBlank());

    session.end();
    EXPECT_EQ(session.cancel(pick.shown).row, 0);
    EXPECT_TRUE(session.mayAddBlank());
}
