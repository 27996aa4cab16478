#include "core/logging/LogInUse.h"

#include "core/app/AppState.h"
#include "core/common/Numbers.h"
#include "core/common/TextFile.h"

#include <limits>

namespace qvmd {

namespace {

constexpr int largestProgressive = std::numeric_limits<std::int16_t>::max();

// PLACEHOLDER until the log file module lands: record and header texts.
QString recordLine(const Contact& c) {
    QString line;
    for (int column = 1; column <= 8; ++column)
        line += c.field(column).trimmed() + QLatin1Char('>');
    return line;
}

Contact contactFromLine(const QString& line) {
    QStringList fields;
    QStringView rest(line);
    while (!rest.isEmpty() && fields.size() < 20) {
        const qsizetype at = rest.indexOf(QLatin1Char('>'));
        if (at < 0) {
            fields.append(rest.toString());
            break;
        }
        fields.append(rest.left(at).toString());
        rest = rest.mid(at + 1);
    }
    while (fields.size() < 8)
        fields.append(QString());
    return {fields[0], fields[1], fields[2], fields[3], fields[4], fields[5], fields[6], fields[7]};
}

} // namespace

LogInUse::LogInUse(AppState& state) : state_(state) {}

QString LogInUse::logPath() const {
    return state_.folder.logs(state_.log.LogInUseName);
}

QString LogInUse::counterPath() const {
    return state_.folder.logs(QStringLiteral("Log.dat"));
}

std::optional<FileError> LogInUse::open() {
    Result<QStringList> lines = readLines(logPath());
    if (!lines)
        return lines.error();
    std::vector<Contact> records;
    paperLog_ = false;
    for (const QString& line : lines.value()) {
        if (line.isEmpty())
            continue;
        if (line == QLatin1String("#Y"))
            paperLog_ = true;
        if (line.startsWith(QLatin1Char('#')))
            continue;
        records.push_back(contactFromLine(line));
    }
    contacts_.assign(std::move(records));
    const LogCounters before = state_.counters;
    recount();
    const LogCounters& now = state_.counters;
    if (before.NextProgressive != now.NextProgressive || before.HunterCount != now.HunterCount ||
        before.LadyCount != now.LadyCount || before.CountryCount != now.CountryCount ||
        before.CancelledCount != now.CancelledCount)
        return writeCounters();
    return std::nullopt;
}

void LogInUse::recount() {
    LogCounters& counters = state_.counters;
    const ContactTally& tally = contacts_.tally();
    counters.NextProgressive = toInt16(static_cast<std::int64_t>(contacts_.size()) + 1);
    counters.HunterCount = toInt16(tally.hunters);
    counters.LadyCount = toInt16(tally.ladies);
    counters.CancelledCount = toInt16(tally.cancelled);
    counters.CountryCount = toInt16(contacts_.markWorkedCountries(state_.countries));
}

std::optional<FileError> LogInUse::writeCounters() {
    const LogCounters& c = state_.counters;
    return writeLines(counterPath(), {QString::number(c.NextProgressive), QString::number(c.HunterCount),
                                      QString::number(c.LadyCount), QString::number(c.CountryCount),
                                      QString::number(c.CancelledCount)});
}

LogInUse::WriteOutcome LogInUse::append(Contact contact) {
    if (contacts_.size() + 1 >= largestProgressive)
        return {Outcome::LogFull, std::nullopt};
    contact.progressiveSent = QString::number(contacts_.size() + 1);
    if (std::optional<FileError> failure = appendLine(logPath(), recordLine(contact)))
        return {Outcome::LogFileFailed, std::move(failure)};
    contacts_.append(std::move(contact));
    recount();
    if (std::optional<FileError> failure = writeCounters())
        return {Outcome::CounterFileFailed, std::move(failure)};
    return {};
}

LogInUse::WriteOutcome LogInUse::addContact(Contact contact) {
    return append(std::move(contact));
}

LogInUse::WriteOutcome LogInUse::addBlankCancelled(const QString& timeStamp) {
    return append({QString(), QStringLiteral("0"), QStringLiteral("0QV0"), QStringLiteral("DELETED"),
                   QString(), QStringLiteral("NO"), timeStamp, QStringLiteral("S")});
}

LogInUse::WriteOutcome LogInUse::modifyContact(int row, Contact contact) {
    contact.progressiveSent = contacts_.at(row).progressiveSent;
    return rewriteWith(row, std::move(contact));
}

LogInUse::WriteOutcome LogInUse::cancelContact(int row) {
    Contact contact = contacts_.at(row);
    contact.cancelled = QStringLiteral("S");
    return rewriteWith(row, std::move(contact));
}

LogInUse::WriteOutcome LogInUse::rewriteWith(int row, Contact contact) {
    Contact before = contacts_.at(row);
    contacts_.replace(row, std::move(contact));
    // PLACEHOLDER until the log file module lands: header from the profile, then every record.
    const StationProfile& own = state_.profile;
    QStringList lines = {QStringLiteral("##") + own.category,
                         QLatin1Char('#') + own.StationCallsign,
                         QLatin1Char('#') + own.OperatorName,
                         QLatin1Char('#') + (paperLog_ ? QStringLiteral("Y") : QStringLiteral("N")),
                         QLatin1Char('#') + QString::number(state_.StationKind),
                         QLatin1Char('#') + shortDateText(state_.clock->now().date()),
                         QLatin1Char('#') + own.countryNumber,
                         QLatin1Char('#') + own.club,
                         QLatin1Char('#') + own.unitNumber,
                         QLatin1Char('#') + state_.log.year,
                         QStringLiteral("#LOG")};
    for (int r = 1; r <= contacts_.size(); ++r)
        lines.append(recordLine(contacts_.at(r)));
    if (std::optional<FileError> failure = writeLines(logPath(), lines)) {
        contacts_.replace(row, std::move(before));
        return {Outcome::LogFileFailed, std::move(failure)};
    }
    recount();
    if (std::optional<FileError> failure = writeCounters())
        return {Outcome::CounterFileFailed, std::move(failure)};
    return {};
}

} // namespace qvmd
