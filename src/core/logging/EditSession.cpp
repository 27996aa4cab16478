#include "core/logging/EditSession.h"

#include "core/logging/ContactLog.h"
#include "core/logging/EntryRules.h"
#include "core/station/StationProfile.h"

namespace qvmd {

namespace {

QString trimmed(const EntryTexts& entry, int box) {
    return entry.boxes[static_cast<std::size_t>(box)].trimmed();
}

// Where the focus goes after a failed check that leaves the entry as typed.
int focusAfter(CheckCode code) {
    switch (code) {
    case CheckCode::MissingReceived:
        return BoxReceived;
    case CheckCode::NameTooShort:
        return BoxName;
    case CheckCode::NoCategory:
        return EditSession::FocusHButton;
    case CheckCode::OwnCallsign:
    case CheckCode::Duplicate:
    case CheckCode::Passed:
        break;
    }
    return BoxCountry;
}

} // namespace

QString workedIdentifier(const EntryTexts& entry) {
    return buildStationIdentifier(entry.boxes[BoxCountry], entry.boxes[BoxClub], entry.boxes[BoxUnit]);
}

EditSession::Pick EditSession::pick(const ContactLog& log, int row) {
    editing_ = false;
    editedRow_ = row;
    Pick result;
    if (row < 1 || row > log.size())
        return result;
    const ContactRecord& contact = log.at(row);
    if (contact.isCancelled()) {
        result.kind = Pick::Kind::Cancelled;
        return result;
    }
    result.kind = Pick::Kind::Loaded;
    const IdentifierParts parts = splitIdentifier(contact.fieldText(ContactRecord::Unit));
    auto& boxes = result.shown.boxes;
    boxes[BoxCountry] = parts.country;
    boxes[BoxClub] = parts.club;
    boxes[BoxUnit] = parts.unit;
    // Shown exactly as the file holds it, so writing it back never changes it.
    boxes[BoxReceived] = contact.field(ContactRecord::Received).trimmed().toString();
    boxes[BoxName] = contact.field(ContactRecord::Name).trimmed().toString();
    boxes[BoxCategory] = contact.fieldText(ContactRecord::Category);
    boxes[BoxCountryName] = contact.fieldText(ContactRecord::Country);
    result.shown.generic = parts.club != MemberClub;
    result.progressive = contact.fieldText(ContactRecord::Progressive);

    for (std::size_t i = 0; i < saved_.boxes.size(); ++i)
        saved_.boxes[i] = boxes[i];
    saved_.entryKind = result.shown.generic ? 2 : 1;
    saved_.timeStamp = contact.field(ContactRecord::DateTime).trimmed().toString();
    editing_ = true;
    return result;
}

EditSession::Write EditSession::write(const ContactLog& log, const QString& ownIdentifier,
                                      const EntryTexts& typed, const QString& contactCategory,
                                      const QString& now) const {
    Write step;
    for (int box : {BoxCountry, BoxUnit, BoxClub}) {
        if (trimmed(typed, box).isEmpty()) {
            step.kind = Write::Kind::Incomplete;
            step.focus = box;
            return step;
        }
    }
    if (typed.generic) {
        // An empty club was refused above.
        const IdentifierFault fault = genericClubFault(trimmed(typed, BoxClub));
        const int id = fault == IdentifierFault::GenericIsMember ? 1112
                       : fault == IdentifierFault::ClubLength    ? 1113
                                                                 : 0;
        if (id != 0) {
            step.kind = Write::Kind::RefusedGeneric;
            step.messageId = id;
            step.focus = BoxClub;
            return step;
        }
    }

    const QString identifier = workedIdentifier(typed);
    const ContactEntry entry{identifier, trimmed(typed, BoxReceived), trimmed(typed, BoxName),
                             contactCategory};
    step.check = editing_ ? checkModifiedContact(log, ownIdentifier, entry, editedRow_)
                          : checkNewContact(log, ownIdentifier, entry);
    if (step.check.code != CheckCode::Passed) {
        step.kind = Write::Kind::RefusedCheck;
        step.clearEntry =
            step.check.code == CheckCode::OwnCallsign || step.check.code == CheckCode::Duplicate;
        step.focus = focusAfter(step.check.code);
        // A new contact may be tried again at once; a modification only by Enter in box 3 or 4.
        step.writeEnabled = !editing_ && !step.clearEntry;
        return step;
    }
    step.fields = {entry.received,
                   identifier,
                   entry.name,
                   editing_ ? trimmed(typed, BoxCategory) : contactCategory,
                   trimmed(typed, BoxCountryName),
                   editing_ ? saved_.timeStamp : now};
    step.kind = editing_ ? Write::Kind::Modify : Write::Kind::Add;
    step.row = editing_ ? editedRow_ : 0;
    return step;
}

EditSession::Cancel EditSession::cancel(const EntryTexts& shown) const {
    Cancel step;
    step.station = workedIdentifier(shown) + QStringLiteral("  ") + shown.boxes[BoxName];
    step.row = editing_ ? editedRow_ : 0;
    return step;
}

} // namespace qvmd
