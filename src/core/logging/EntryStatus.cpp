#include "core/logging/EntryStatus.h"

#include "core/logging/ContactLog.h"
#include "core/logging/EditSession.h"
#include "core/logging/EntryRules.h"
#include "core/refdata/CountryTable.h"
#include "core/refdata/RosterIndex.h"
#include "core/station/StationIdentifier.h"

namespace qvmd {

namespace {

bool isDigit(QChar c) {
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

} // namespace

QString hoursAndMinutes(QStringView stamp) {
    // The first "h:mm" or "hh:mm"; the date never holds a colon.
    const qsizetype colon = stamp.indexOf(QLatin1Char(':'));
    if (colon < 1 || colon + 2 >= stamp.size() || !isDigit(stamp[colon - 1]) || !isDigit(stamp[colon + 1]) ||
        !isDigit(stamp[colon + 2]))
        return {};
    const qsizetype from = colon >= 2 && isDigit(stamp[colon - 2]) ? colon - 2 : colon - 1;
    return stamp.sliced(from, colon + 3 - from).toString();
}

EntryStatus entryStatus(const StatusSources& sources, const EntryTexts& typed, const QString& category,
                        int editedRow) {
    EntryStatus status;
    const QString country = typed.boxes[BoxCountry].trimmed();
    const QString unit = typed.boxes[BoxUnit].trimmed();
    // The club alone names no station.
    if (country.isEmpty() && unit.isEmpty())
        return status;

    status.identifier = workedIdentifier(typed);
    status.generic = typed.generic;
    status.country = countryNumberOf(status.identifier);
    status.countryKnown = isCountryNumber(status.country, sources.countries.count());
    if (status.countryKnown)
        status.countryName = sources.countries.name(status.country);

    if (status.identifier == sources.ownIdentifier) {
        status.kind = EntryStatus::Kind::Own;
        return status;
    }
    if (const int row = sources.log.findValid(status.identifier, editedRow); row > 0) {
        const ContactRecord& earlier = sources.log.at(row);
        status.kind = EntryStatus::Kind::Duplicate;
        status.duplicateRow = row;
        status.duplicateProgressive = earlier.field(ContactRecord::Progressive).trimmed().toString();
        status.duplicateTime = hoursAndMinutes(earlier.field(ContactRecord::DateTime));
        return status;
    }
    status.kind = EntryStatus::Kind::Station;

    if (!typed.generic && !unit.isEmpty() && sources.rosters.complete()) {
        if (const auto hit = sources.rosters.find(status.identifier)) {
            status.roster =
                hit->category == QLatin1String("L") ? EntryStatus::Roster::Lady : EntryStatus::Roster::Hunter;
            status.rosterName = hit->name;
        } else {
            status.roster = EntryStatus::Roster::NotFound;
        }
    }

    // A modification moves a contact rather than adding one: nothing new to tell.
    if (editedRow > 0)
        return status;
    status.newCountry = status.countryKnown && !sources.log.countryWorked(status.country);

    QString contactCategory = category;
    if (contactCategory.isEmpty() && status.roster == EntryStatus::Roster::Lady)
        contactCategory = QStringLiteral("L");
    else if (contactCategory.isEmpty() && status.roster == EntryStatus::Roster::Hunter)
        contactCategory = QStringLiteral("H");
    const bool hunter = contactCategory == QLatin1String("H");
    if (!hunter && contactCategory != QLatin1String("L"))
        return status;
    // The score panel's formula, over the counters it shows and the same counters with this contact.
    const LogCounters& now = sources.counters;
    const std::int64_t before = scoreTotal(now, sources.points);
    const std::int64_t after =
        scoreTotal(now.HunterCount + (hunter ? 1 : 0), now.LadyCount + (hunter ? 0 : 1),
                   now.CountryCount + (status.newCountry ? 1 : 0), sources.points);
    status.pointsKnown = true;
    status.pointsAdded = after - before;
    return status;
}

} // namespace qvmd
