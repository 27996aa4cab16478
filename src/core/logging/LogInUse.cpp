#include "core/logging/LogInUse.h"

#include "core/app/AppState.h"
#include "core/common/Numbers.h"
#include "core/logfile/LogStatistics.h"

#include <future>

namespace qvmd {

LogInUse::LogInUse(AppState& state) : state_(state) {}

LogInUse::~LogInUse() {
    settle();
}

QString LogInUse::logPath() const {
    return state_.folder.logs(state_.log.LogInUseName);
}

LogInUse::Opened LogInUse::open() {
    Result<OpenedLog> opened = openLog(state_.folder, state_.log.LogInUseName, state_.countries.count());
    if (!opened)
        return {opened.error(), std::nullopt};
    OpenedLog& log = opened.value();
    header_ = log.contents.header;
    paperLog_ = log.contents.paperLog;
    contacts_.assign(std::move(log.contents.records));
    recount();
    return {std::nullopt, log.counterFileError};
}

void LogInUse::recount() {
    LogCounters& counters = state_.counters;
    const ContactTally& tally = contacts_.tally();
    counters.NextProgressive = toInt16(static_cast<std::int64_t>(contacts_.size()) + 1);
    counters.HunterCount = toInt16(tally.hunters);
    counters.LadyCount = toInt16(tally.ladies);
    counters.CancelledCount = toInt16(tally.cancelled);
    state_.worked = contacts_.workedCountries(state_.countries.count());
    counters.CountryCount = toInt16(state_.worked.count());
}

LogInUse::WriteOutcome LogInUse::countersWritten() {
    recount();
    if (WriteResult failure = writeCounterFile(state_.folder, state_.counters))
        return {Outcome::CounterFileFailed, std::nullopt, std::move(failure)};
    return {};
}

// Only the record waits for the disk: Log.dat follows in the background, one rewrite at a time and in
// order, while the operator types the next contact. The log file stays the truth: a crash before Log.dat
// is written is repaired when the log is next opened, since its counters are always rebuilt from the log.
LogInUse::WriteOutcome LogInUse::append(ContactRecord record) {
    // A full log refuses before anything is touched.
    if (contacts_.size() + 1 > LogCounters::LastProgressive)
        return {Outcome::Refused, appendRecord(logPath(), record), std::nullopt};
    std::optional<FileError> earlier = settle();
    if (AppendResult failure = appendRecord(logPath(), record))
        return {Outcome::Refused, std::move(failure), std::nullopt};
    contacts_.append(std::move(record));
    recount();
    pendingCounters_ = std::async(std::launch::async, [folder = state_.folder, counters = state_.counters] {
        return writeCounterFile(folder, counters);
    });
    if (earlier)
        return {Outcome::CounterFileFailed, std::nullopt, std::move(earlier)};
    return {};
}

std::optional<FileError> LogInUse::settle() {
    if (!pendingCounters_.valid())
        return std::nullopt;
    return pendingCounters_.get();
}

LogInUse::WriteOutcome LogInUse::addContact(const ContactFields& f) {
    return append(ContactRecord::contact(contacts_.size() + 1, f.received, f.identifier, f.name, f.category,
                                         f.country, f.timeStamp));
}

LogInUse::WriteOutcome LogInUse::addBlankCancelled(const QString& timeStamp) {
    return append(ContactRecord::blankCancelled(contacts_.size() + 1, timeStamp));
}

LogInUse::WriteOutcome LogInUse::modifyContact(int row, const ContactFields& f) {
    ContactRecord record =
        ContactRecord::contact(row, f.received, f.identifier, f.name, f.category, f.country, f.timeStamp);
    // The number sent stays as the file has it.
    record.setField(ContactRecord::Progressive, contacts_.at(row).fieldText(ContactRecord::Progressive));
    return rewriteWith(row, std::move(record));
}

LogInUse::WriteOutcome LogInUse::cancelContact(int row) {
    ContactRecord record = contacts_.at(row);
    record.setField(ContactRecord::Cancelled, QStringLiteral("S"));
    return rewriteWith(row, std::move(record));
}

LogInUse::WriteOutcome LogInUse::rewriteWith(int row, ContactRecord record) {
    // A counter file still on its way would land after this one.
    settle();
    ContactRecord before = contacts_.at(row);
    contacts_.replace(row, std::move(record));
    const QString year = state_.log.year.isEmpty() ? header_.value(LogHeader::YearValue) : state_.log.year;
    const LogHeader header =
        LogHeader::forProfile(state_.profile, header_.value(LogHeader::PaperLogValue), state_.StationKind,
                              state_.clock->now().date(), static_cast<int>(leadingNumber(year)));
    if (WriteResult failure = rewriteLog(logPath(), header, contacts_.records())) {
        // The file is as it was, so the record is too.
        contacts_.replace(row, std::move(before));
        AppendError refused{AppendError::Kind::WriteFailed, *failure};
        return {Outcome::Refused, refused, std::nullopt};
    }
    return countersWritten();
}

} // namespace qvmd
