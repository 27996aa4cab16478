#pragma once

#include <QString>

namespace qvmd {

class ContactLog;

// The entry row as the checks read it, every text trimmed.
struct ContactEntry {
    QString identifier; // country number, club and unit number joined
    QString received;
    QString name;
    QString category; // "H", "L" or empty
};

// Result codes of the checks, in the order they are made: 1, 4, 2, 3, 6.
enum class CheckCode {
    Passed = 0,
    OwnCallsign = 1,
    MissingReceived = 2,
    NameTooShort = 3,
    Duplicate = 4,
    NoCategory = 6,
};

struct CheckResult {
    CheckCode code = CheckCode::Passed;
    int duplicateRow = 0;   // the earlier valid contact, for Duplicate
    QString messageStation; // what the message shows first
};

// A new contact: own callsign, duplicate of a valid contact, received number, name, category.
CheckResult checkNewContact(const ContactLog& log, const QString& ownIdentifier, const ContactEntry& entry);

// A modified contact: as a new one, but a duplicate of its own row does not count and the category is
// not checked.
CheckResult checkModifiedContact(const ContactLog& log, const QString& ownIdentifier,
                                 const ContactEntry& entry, int editedRow);

// The texts the duplicate message is made of, in the active language.
struct DuplicateTexts {
    QString alreadyMade;     // "Contact already made"
    QString withProgressive; // "With the Progressive No."
    QString toInsertAgain;   // "To insert it again delete the previous contact"
};

// The earlier contact's identifier and name, then the three lines, the row after the second.
QString duplicateMessage(const CheckResult& result, const DuplicateTexts& texts);

} // namespace qvmd
