#include "core/logging/LogInUse.h"

#include "core/common/Numbers.h"
#include "core/logfile/LogStatistics.h"

#include <future>

namespace qvmd {

LogInUse::LogInUse(LogInUsePlace place, const DiskSync& sync)
    : place_(std::move(place)), sync_(sync), worked_(place_.countryCount) {}

LogInUse::~LogInUse() {
    settle();
}

QString LogInUse::logPath() const {
    return place_.folder.logs(place_.logName);
}

LogInUse::Opened LogInUse::open() {
    Result<OpenedLog> opened = openLog(place_.folder, place_.logName, place_.countryCount, sync_);
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
    const ContactTally& tally = contacts_.tally();
    counters_.NextProgressive = toInt16(static_cast<std::int64_t>(contacts_.size()) + 1);
    counters_.HunterCount = toInt16(tally.hunters);
    counters_.LadyCount = toInt16(tally.ladies);
    counters_.CancelledCount = toInt16(tally.cancelled);
    worked_ = contacts_.workedCountries(place_.countryCount);
    counters_.CountryCount = toInt16(worked_.count());
}

LogInUse::WriteOutcome LogInUse::outcome(Outcome kind, std::optional<FileError> error) const {
    WriteOutcome result;
    result.outcome = kind;
    result.fileError = std::move(error);
    result.counters = counters_;
    return result;
}

LogInUse::WriteOutcome LogInUse::countersWritten(std::optional<FileError> unconfirmedLog) {
    recount();
    WriteResult failure = writeCounterFile(place_.folder, counters_, sync_);
    // A stale Log.dat is the graver news: opening the log mends it, but only if the operator knows.
    if (failure && !inPlaceUnconfirmed(failure))
        return outcome(Outcome::CounterFileFailed, std::move(failure));
    if (unconfirmedLog)
        return outcome(Outcome::Unconfirmed, std::move(unconfirmedLog));
    if (failure)
        return outcome(Outcome::Unconfirmed, std::move(failure));
    return outcome(Outcome::Done);
}

// Only the record waits for the disk: Log.dat follows in the background, one rewrite at a time and in
// order, while the operator types the next contact. The log file stays the truth: a crash before Log.dat
// is written is repaired when the log is next opened, since its counters are always rebuilt from the log.
LogInUse::WriteOutcome LogInUse::append(ContactRecord record) {
    // A full log refuses before anything is touched.
    if (contacts_.size() + 1 > LogCounters::LastProgressive) {
        WriteOutcome refused = outcome(Outcome::Refused);
        refused.appendError = appendRecord(logPath(), record, sync_);
        return refused;
    }
    std::optional<FileError> earlier = settle();
    if (AppendResult failure = appendRecord(logPath(), record, sync_)) {
        WriteOutcome refused = outcome(Outcome::Refused);
        refused.appendError = std::move(failure);
        return refused;
    }
    contacts_.append(std::move(record));
    recount();
    pendingCounters_ =
        std::async(std::launch::async, [&sync = sync_, folder = place_.folder, counters = counters_] {
            return writeCounterFile(folder, counters, sync);
        });
    if (earlier)
        return outcome(Outcome::CounterFileFailed, std::move(earlier));
    return outcome(Outcome::Done);
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
    const QString year = place_.year.isEmpty() ? header_.value(LogHeader::YearValue) : place_.year;
    static const Clock systemTime;
    const Clock& clock = place_.clock ? *place_.clock : systemTime;
    const LogHeader header =
        LogHeader::forProfile(place_.profile, header_.value(LogHeader::PaperLogValue), place_.stationKind,
                              clock.now().date(), static_cast<int>(leadingNumber(year)));
    WriteResult failure = rewriteLog(logPath(), header, contacts_.records(), sync_);
    // The new file is in place although unconfirmed: the change stands.
    if (inPlaceUnconfirmed(failure))
        return countersWritten(std::move(failure));
    if (failure) {
        // The file is as it was, so the record is too.
        contacts_.replace(row, std::move(before));
        WriteOutcome refused = outcome(Outcome::Refused);
        refused.appendError = AppendError{AppendError::Kind::WriteFailed, *failure};
        return refused;
    }
    return countersWritten(std::nullopt);
}

} // namespace qvmd
