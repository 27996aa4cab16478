#include "core/logging/ContactChecks.h"

#include "core/logging/ContactLog.h"

namespace qvmd {

namespace {

constexpr int shortestName = 2;

CheckResult runChecks(const ContactLog& log, const QString& ownIdentifier, const ContactEntry& entry,
                      int editedRow, bool checkCategory) {
    CheckResult result;
    if (entry.identifier == ownIdentifier) {
        result.code = CheckCode::OwnCallsign;
        result.messageStation = entry.identifier;
        return result;
    }
    if (const int row = log.findValid(entry.identifier, editedRow); row > 0) {
        const ContactRecord& earlier = log.at(row);
        result.code = CheckCode::Duplicate;
        result.duplicateRow = row;
        result.messageStation = earlier.fieldText(ContactRecord::Unit) + QStringLiteral("  ") +
                                earlier.fieldText(ContactRecord::Name);
        return result;
    }
    if (entry.received.isEmpty())
        result.code = CheckCode::MissingReceived;
    else if (entry.name.size() < shortestName)
        result.code = CheckCode::NameTooShort;
    else if (checkCategory && entry.category.isEmpty())
        result.code = CheckCode::NoCategory;
    return result;
}

} // namespace

CheckResult checkNewContact(const ContactLog& log, const QString& ownIdentifier, const ContactEntry& entry) {
    return runChecks(log, ownIdentifier, entry, 0, true);
}

CheckResult checkModifiedContact(const ContactLog& log, const QString& ownIdentifier,
                                 const ContactEntry& entry, int editedRow) {
    return runChecks(log, ownIdentifier, entry, editedRow, false);
}

QString duplicateMessage(const CheckResult& result, const DuplicateTexts& texts) {
    const QString lineBreak = QStringLiteral("\r\n");
    return result.messageStation + lineBreak + texts.alreadyMade + lineBreak + texts.withProgressive +
           QLatin1Char(' ') + QString::number(result.duplicateRow) + lineBreak + texts.toInsertAgain;
}

} // namespace qvmd
