#pragma once

#include <QByteArrayView>
#include <QList>
#include <QString>
#include <QStringView>

#include <array>
#include <cstdint>

namespace qvmd {

// One contact line of a log: eight fields, each followed by ">".
//
// The record keeps its line inside a string with the field bounds beside it. Records read from a file
// share one string, the whole file decoded once, so that loading a large log allocates nothing per
// record and a field is a view, never a copy; a record made or changed in memory has a string of its
// own. Every record, however it was made, holds exactly eight fields and no ">", CR or LF inside a
// field, so its line can always be written as is.
class ContactRecord {
public:
    enum Field : int {
        Progressive = 0, // "I."   progressive number sent
        Received,        // "R."   progressive number received
        Unit,            // "Unit" worked station identifier
        Name,            // "Name" operator of the worked station
        Category,        // "HL"   "H" or "L"
        Country,         // "Country"
        DateTime,        // "Date Time" UTC stamp as text
        Cancelled,       // "A"    "N" valid, "S" cancelled
    };
    static constexpr int FieldCount = 8;
    // The reading rule takes at most this many fields from a line; only the first eight are kept.
    static constexpr int MaxFields = 20;

    // Eight empty fields.
    ContactRecord();

    // Builds a record from up to eight texts (missing ones empty). Each text has ">", CR and LF turned
    // into blanks and is then trimmed, so nothing it carries can split or merge records.
    static ContactRecord fromFields(const QStringList& fields);
    // A valid contact as the logging window writes it (cancelled flag "N").
    static ContactRecord contact(int progressive, const QString& received, const QString& unit,
                                 const QString& name, const QString& category, const QString& country,
                                 const QString& dateTime);
    // The blank cancelled record of a paper log: progressive, "0", "0QV0", "DELETED", "", "NO", stamp, "S".
    static ContactRecord blankCancelled(int progressive, const QString& dateTime);

    // One log line (without its line end) split by the reading rule: fields end at each ">", adjacent
    // separators give an empty field, a last field without ">" still counts; fields 9 and later are
    // dropped and missing ones are empty. Characters are kept as read, except that a stray CR becomes
    // a blank.
    static ContactRecord fromLine(QStringView line);
    // The same from the file's Windows-1252 bytes, decoding the line once.
    static ContactRecord fromBytes(QByteArrayView line);

    QStringView field(int index) const {
        return QStringView(text_).sliced(bounds_[index], bounds_[index + 1] - bounds_[index] - 1);
    }
    QString fieldText(int index) const { return field(index).toString(); }
    // Replaces one field, cleaned and trimmed as fromFields does.
    void setField(int index, const QString& text);

    // The line as written to the file, without its line end: every field followed by ">".
    QStringView line() const {
        return QStringView(text_).sliced(bounds_[0], bounds_[FieldCount] - bounds_[0]);
    }

    // A record counts as a valid contact only when its flag is exactly "N"; anything else is cancelled.
    bool isCancelled() const {
        const QStringView flag = field(Cancelled);
        return flag.size() != 1 || flag[0] != u'N';
    }

    friend bool operator==(const ContactRecord& a, const ContactRecord& b) { return a.line() == b.line(); }

    // For the log reader: a well-formed line inside a shared decoded file, its bounds already found
    // (bounds[0] the line start, bounds[i] just after the i-th ">").
    static ContactRecord inShared(const QString& text,
                                  const std::array<std::int32_t, FieldCount + 1>& bounds) {
        ContactRecord record{Unbuilt{}};
        record.text_ = text;
        record.bounds_ = bounds;
        return record;
    }

private:
    // For the builders that fill text and bounds themselves, so a loaded record costs one allocation.
    struct Unbuilt {};
    explicit ContactRecord(Unbuilt) {}
    void build(const std::array<QString, FieldCount>& fields);

    QString text_; // the record's own line, or the whole decoded file it was read from
    // Field i runs from bounds_[i] to the separator before bounds_[i + 1], positions within text_.
    std::array<std::int32_t, FieldCount + 1> bounds_{};
};

// The reading rule on any text: at most ContactRecord::MaxFields fields, empty ones kept, the views
// pointing into the line. For callers that need the fields beyond the eighth.
QList<QStringView> splitRecordFields(QStringView line);

// A text made safe for a field: ">", CR and LF become blanks, then it is trimmed.
QString cleanField(const QString& text);

} // namespace qvmd
