#include "core/logging/LogInUse.h"

#include "core/common/Numbers.h"
#include "core/exchange/CrashTail.h"

namespace qvmd {

LogInUse::LogInUse(LogInUsePlace place, const DiskSync& sync)
    : place_(std::move(place)), sync_(sync), worked_(place_.countryCount) {}

LogInUse::~LogInUse() {
    settle();
}

const Clock& LogInUse::clock() const {
    return *place_.clock;
}

QString LogInUse::logPath() const {
    return place_.folder.logs(place_.logName);
}

LogInUse::Opened LogInUse::open() {
    removeLogsLeftovers(place_.folder);
    Result<QByteArray> bytes = readLogBytes(logPath());
    if (!bytes)
        return {bytes.error(), std::nullopt, std::nullopt};
    // What a power cut left after the last record is no contact: copied away, then cut off.
    std::optional<CrashTailCut> tailCut;
    if (const std::optional<qsizetype> tail = crashTailStart(bytes.value()))
        tailCut = cutCrashTail(place_.folder, place_.logName, bytes.value(), *tail, clock().now(), sync_);
    const LogContents contents = contacts_.load(std::move(bytes.value()));
    header_ = contents.header;
    paperLog_ = contents.paperLog;
    recount();
    CounterFileCheck check = reconcileCounterFile(place_.folder, counters_, sync_);
    return {std::nullopt, std::move(check.error), std::move(tailCut)};
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

// Log.dat follows every change in place and reaches the disk when the log is closed (settle): only the
// record waits for the disk. The log file stays the truth, and Log.dat is rebuilt from it whenever the two
// disagree, so a crash before Log.dat is on the disk loses nothing.
LogInUse::WriteOutcome LogInUse::countersWritten(std::optional<FileError> unconfirmedLog) {
    recount();
    WriteResult failure = updateCounterFile(place_.folder, counters_, sync_);
    if (!failure || inPlaceUnconfirmed(failure))
        countersUnsynced_ = true;
    // A stale Log.dat is the graver news: opening the log mends it, but only if the operator knows.
    if (failure && !inPlaceUnconfirmed(failure))
        return outcome(Outcome::CounterFileFailed, std::move(failure));
    if (unconfirmedLog)
        return outcome(Outcome::Unconfirmed, std::move(unconfirmedLog));
    if (failure)
        return outcome(Outcome::Unconfirmed, std::move(failure));
    return outcome(Outcome::Done);
}

LogInUse::WriteOutcome LogInUse::append(const ContactRecord& record) {
    // A full log is refused inside appendRecord, before anything is touched; a failed append is cut off
    // again inside the same write.
    AppendResult failure;
    {
        const WriteSequence::Writing writing(*writes_);
        failure = appendRecord(logPath(), record, sync_);
    }
    if (failure) {
        WriteOutcome refused = outcome(Outcome::Refused);
        refused.appendError = std::move(failure);
        return refused;
    }
    contacts_.append(record);
    return countersWritten(std::nullopt);
}

std::optional<FileError> LogInUse::settle() {
    if (!countersUnsynced_)
        return std::nullopt;
    countersUnsynced_ = false;
    return syncCounterFile(place_.folder, sync_);
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
    record.setField(ContactRecord::Progressive, contacts_.fieldText(row, ContactRecord::Progressive));
    return rewriteWith(row, record);
}

LogInUse::WriteOutcome LogInUse::cancelContact(int row) {
    ContactRecord record = contacts_.at(row);
    record.setField(ContactRecord::Cancelled, QStringLiteral("S"));
    return rewriteWith(row, record);
}

LogInUse::WriteOutcome LogInUse::rewriteWith(int row, const ContactRecord& record) {
    const ContactRecord before = contacts_.at(row);
    contacts_.replace(row, record);
    const QString year = place_.year.isEmpty() ? header_.value(LogHeader::YearValue) : place_.year;
    const LogHeader header =
        LogHeader::forProfile(place_.profile, header_.value(LogHeader::PaperLogValue), place_.stationKind,
                              clock().now().date(), static_cast<int>(leadingNumber(year)));
    WriteResult failure;
    {
        const WriteSequence::Writing writing(*writes_);
        failure = rewriteLog(logPath(), header, contacts_.recordLines(), sync_);
    }
    // The new file is in place although unconfirmed: the change stands.
    if (inPlaceUnconfirmed(failure))
        return countersWritten(std::move(failure));
    if (failure) {
        // The file is as it was, so the record is too.
        contacts_.replace(row, before);
        WriteOutcome refused = outcome(Outcome::Refused);
        refused.appendError = AppendError{AppendError::Kind::WriteFailed, *failure};
        return refused;
    }
    return countersWritten(std::nullopt);
}

} // namespace qvmd
