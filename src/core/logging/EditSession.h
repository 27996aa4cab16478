#pragma once

#include "core/logging/ContactChecks.h"
#include "core/logging/LogInUse.h"

#include <QString>

#include <array>
#include <cstdint>

namespace qvmd {

class ContactLog;

// The entry row as the logging window shows it: boxes 0 to 6 and the member/generic switch.
struct EntryTexts {
    std::array<QString, 7> boxes;
    bool generic = false;
    bool operator==(const EntryTexts&) const = default;
};

// The modification of a contact picked from the grid, and the decisions of Write, "Del." and "Empty"
// over the log: each returns what the window must do and show, so the rules hold without a window.
class EditSession {
public:
    bool editing() const { return editing_; }
    int editedRow() const { return editedRow_; }

    // Clear, a finished write or a cancellation: the modification in hand ends.
    void end() { editing_ = false; }

    struct Pick {
        enum class Kind {
            EmptyRow,  // not a contact: the entry row is only emptied
            Cancelled, // a cancelled contact is never modified: inform, then clear
            Loaded,    // the contact fills the entry row and edit mode is on
        };
        Kind kind = Kind::EmptyRow;
        EntryTexts shown;    // Loaded: what the boxes get
        QString progressive; // Loaded: the contact's own number, shown as the next to send
    };
    // A row picked in the grid; a pick always ends the modification in hand.
    Pick pick(const ContactLog& log, int row);

    // Where the focus goes after a refusal: a box of the entry row or the "H" button.
    static constexpr int FocusHButton = -1;

    struct Write {
        enum class Kind {
            Incomplete,     // a part of the identifier is missing: focus it, no message
            RefusedGeneric, // the club of a generic station: message 1112 or 1113, focus the club
            RefusedCheck,   // a check of the contact failed: its message
            Add,            // append fields as a new contact
            Modify,         // rewrite row with fields
        };
        Kind kind = Kind::Incomplete;
        int messageId = 0; // RefusedGeneric
        CheckResult check; // RefusedCheck
        int focus = 0;     // Incomplete and refusals (unless the entry is cleared)
        bool clearEntry = false;
        // "Write" after the checks ran (it is disabled while they run); the earlier steps leave it alone.
        bool writeEnabled = false;
        int row = 0;          // Modify
        ContactFields fields; // Add and Modify
    };
    // Write with the entry row as typed (texts trimmed here), the contact category chosen for a new
    // contact and the clock's text at this moment.
    Write write(const ContactLog& log, const QString& ownIdentifier, const EntryTexts& typed,
                const QString& contactCategory, const QString& now) const;

    struct Cancel {
        int row = 0;     // the contact to cancel once the operator agrees; 0: nothing to ask
        QString station; // identifier and name, as the question shows them
    };
    Cancel cancel(const EntryTexts& shown) const;

    // A blank cancelled line is added only while no contact is being modified.
    bool mayAddBlank() const { return !editing_; }

private:
    bool editing_ = false;
    int editedRow_ = 0;
    struct Saved {
        std::array<QString, 6> boxes;
        std::int16_t entryKind = 1;
        QString timeStamp;
    } saved_;
};

// The identifier the entry row spells: boxes 0, 1 and 2 trimmed and joined.
QString workedIdentifier(const EntryTexts& entry);

} // namespace qvmd
