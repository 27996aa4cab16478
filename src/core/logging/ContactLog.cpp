#include "core/logging/ContactLog.h"

#include "core/common/Windows1252.h"
#include "core/logfile/RecordLines.h"
#include "core/logfile/WorkedCountries.h"
#include "core/logging/DuplicateRule.h"

#include <algorithm>
#include <array>

namespace qvmd {

namespace {

// The bytes a record is written with.
QByteArray encodedLine(const ContactRecord& record) {
    return toWindows1252(record.line().toString());
}

// Roughly one record per 60 bytes of a log.
int rowsIn(qsizetype bytes) {
    return static_cast<int>(bytes / 60) + 1;
}

// Rows go into the index a few records after their slot was asked for, so that a large log is indexed at
// the speed of reading rather than of one memory round trip per record.
class PrefetchedInserts {
public:
    explicit PrefetchedInserts(RowsByIdentifier& index) : index_(index) {}
    // The identifier's bytes must stay where they are until the row is inserted.
    void add(QByteArrayView identifier, int row) {
        const std::uint64_t hash = RowsByIdentifier::hashOf(identifier);
        index_.prefetch(hash);
        const std::size_t slot = queued_ % Ahead;
        if (queued_ >= Ahead)
            index_.insert(identifiers_[slot], hashes_[slot], rows_[slot]);
        identifiers_[slot] = identifier;
        hashes_[slot] = hash;
        rows_[slot] = row;
        ++queued_;
    }
    // Every row added so far inserted, in order.
    void drain() {
        for (std::size_t i = queued_ > Ahead ? queued_ - Ahead : 0; i < queued_; ++i)
            index_.insert(identifiers_[i % Ahead], hashes_[i % Ahead], rows_[i % Ahead]);
        queued_ = 0;
    }

private:
    static constexpr std::size_t Ahead = 8;
    RowsByIdentifier& index_;
    std::array<QByteArrayView, Ahead> identifiers_{};
    std::array<std::uint64_t, Ahead> hashes_{};
    std::array<int, Ahead> rows_{};
    std::size_t queued_ = 0;
};

} // namespace

QString ContactLog::fieldText(int row, int field) const {
    return fromWindows1252(recordLineField(line(row), field));
}

QByteArray ContactLog::recordLines() const {
    QByteArray lines;
    qsizetype size = 0;
    for (const Row& row : rows_)
        size += row.length + 2;
    lines.reserve(size);
    for (const Row& row : rows_) {
        lines.append(QByteArrayView(bytes_).sliced(row.start, row.length));
        lines.append("\r\n");
    }
    return lines;
}

void ContactLog::reset(QByteArray bytes, int expectedRows) {
    bytes_ = std::move(bytes);
    rows_.clear();
    rows_.reserve(static_cast<std::size_t>(expectedRows));
    index_.clear(expectedRows);
    tally_ = {};
    validByCountry_.assign(nearCountries, 0);
    validByFarCountry_.clear();
}

LogContents ContactLog::load(QByteArray bytes) {
    if (listener_)
        listener_->beforeReset();
    const int expected = rowsIn(bytes.size());
    reset(std::move(bytes), expected);
    LogContents contents;
    // Lines that the reading rule mends (short ones, a CR inside) are kept apart until the pass is done,
    // since the pass reads bytes_ in place.
    QByteArray mended;
    std::vector<std::size_t> mendedRows;
    const char* const base = bytes_.constData();
    PrefetchedInserts inserts(index_);
    // Tallied in locals, which stay in registers, as count() would.
    ContactTally tally;
    int* const byCountry = validByCountry_.data();
    forEachLogLine<true>(
        bytes_, [&](QByteArrayView line) { addHeaderLine(contents, line); },
        [&](const RecordLine& record) {
            if (!record.inScanned) {
                // Its bytes last only this call: inserted now, after the rows before it.
                inserts.drain();
                mendedRows.push_back(rows_.size());
                addRow(record, mended.size());
                mended.append(record.line);
                return;
            }
            rows_.push_back({static_cast<std::int32_t>(record.line.data() - base),
                             static_cast<std::int32_t>(record.line.size()), record.category,
                             record.cancelled});
            inserts.add(record.unit, size());
            if (record.cancelled) {
                ++tally.cancelled;
                return;
            }
            tally.hunters += record.category == 'H';
            tally.ladies += record.category == 'L';
            const int country = countryNumberInBytes(record.unit);
            if (country > 0 && country < nearCountries)
                ++byCountry[country];
            else
                countCountry(country, +1);
        });
    inserts.drain();
    tally_.hunters += tally.hunters;
    tally_.ladies += tally.ladies;
    tally_.cancelled += tally.cancelled;
    if (!mended.isEmpty()) {
        const auto shift = static_cast<std::int32_t>(bytes_.size());
        bytes_.append(mended);
        for (const std::size_t row : mendedRows)
            rows_[row].start += shift;
    }
    if (listener_)
        listener_->afterReset();
    return contents;
}

void ContactLog::assign(const std::vector<ContactRecord>& records) {
    if (listener_)
        listener_->beforeReset();
    QByteArray bytes;
    for (const ContactRecord& record : records)
        bytes += encodedLine(record);
    reset(std::move(bytes), static_cast<int>(records.size()));
    qsizetype start = 0;
    for (std::size_t i = 0; i < records.size(); ++i) {
        const qsizetype length = records[i].line().size();
        addRow(recordLineFacts(QByteArrayView(bytes_).sliced(start, length)), start);
        start += length;
    }
    if (listener_)
        listener_->afterReset();
}

int ContactLog::append(const ContactRecord& record) {
    const int row = size() + 1;
    if (listener_)
        listener_->beforeAppend(row);
    const qsizetype start = bytes_.size();
    bytes_ += encodedLine(record);
    addRow(recordLineFacts(QByteArrayView(bytes_).sliced(start)), start);
    if (listener_)
        listener_->afterAppend(row);
    return row;
}

void ContactLog::replace(int row, const ContactRecord& record) {
    const RecordLine before = recordLineFacts(line(row));
    index_.erase(before.unit, row);
    count(before, -1);

    const qsizetype start = bytes_.size();
    bytes_ += encodedLine(record);
    const RecordLine after = recordLineFacts(QByteArrayView(bytes_).sliced(start));
    rows_.at(static_cast<std::size_t>(row - 1)) = {static_cast<std::int32_t>(start),
                                                   static_cast<std::int32_t>(after.line.size()),
                                                   after.category, after.cancelled};
    index_.insert(after.unit, row);
    count(after, +1);
    if (listener_)
        listener_->changed(row);
}

void ContactLog::addRow(const RecordLine& record, qsizetype start) {
    rows_.push_back({static_cast<std::int32_t>(start), static_cast<std::int32_t>(record.line.size()),
                     record.category, record.cancelled});
    index_.insert(record.unit, size());
    count(record, +1);
}

int ContactLog::findValid(QStringView identifier, int exceptRow) const {
    // The file's bytes are compared: a character the code page cannot hold is in no record.
    const QString text = identifier.toString();
    const QByteArray bytes = toWindows1252(text);
    if (fromWindows1252(bytes) != text)
        return 0;
    return firstValidRow(index_, bytes, exceptRow,
                         [this](int row) { return row <= size() && !isCancelled(row); });
}

WorkedCountries ContactLog::workedCountries(int countryCount) const {
    WorkedCountries worked(countryCount);
    const int near = std::min(countryCount, nearCountries - 1);
    for (int country = 1; country <= near; ++country) {
        if (validByCountry_[static_cast<std::size_t>(country)] > 0)
            worked.mark(country);
    }
    for (auto it = validByFarCountry_.cbegin(); it != validByFarCountry_.cend(); ++it)
        worked.mark(it.key());
    return worked;
}

bool ContactLog::countryWorked(int country) const {
    if (country <= 0)
        return false;
    if (country < nearCountries)
        return validByCountry_[static_cast<std::size_t>(country)] > 0;
    return validByFarCountry_.contains(country);
}

// Counted as the statistics of a log file count them: any flag but "N" is cancelled.
void ContactLog::count(const RecordLine& record, int sign) {
    if (record.cancelled) {
        tally_.cancelled += sign;
        return;
    }
    if (record.category == 'H')
        tally_.hunters += sign;
    else if (record.category == 'L')
        tally_.ladies += sign;
    countCountry(countryNumberInBytes(record.unit), sign);
}

void ContactLog::countCountry(int country, int sign) {
    if (country <= 0)
        return;
    if (country < nearCountries) {
        validByCountry_[static_cast<std::size_t>(country)] += sign;
        return;
    }
    int& valid = validByFarCountry_[country];
    valid += sign;
    if (valid == 0)
        validByFarCountry_.remove(country);
}

} // namespace qvmd
