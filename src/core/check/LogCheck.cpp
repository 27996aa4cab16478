#include "core/check/CheckTexts.h"
#include "core/check/CheckedLog.h"
#include "core/check/IdentifierIds.h"
#include "core/check/RosterCategories.h"

#include "core/common/FileErrorText.h"
#include "core/common/Numbers.h"
#include "core/common/TrimmedField.h"
#include "core/logfile/LogName.h"
#include "core/logfile/LogStatistics.h"
#include "core/refdata/CountryTable.h"

#include <QFileInfo>

#include <algorithm>

namespace qvmd {
namespace {

QString quoted(QStringView text) {
    return quotedValue(text.toString());
}

void checkHeader(CheckedLog& log, const LogContents& contents, const std::vector<int>& headerLines,
                 const CheckTexts& texts) {
    auto lineOf = [&](int value) {
        return value < static_cast<int>(headerLines.size()) ? headerLines[static_cast<std::size_t>(value)]
                                                            : 0;
    };
    if (contents.headerValueCount != LogHeader::ValueCount ||
        contents.header.value(LogHeader::ClosingValue) != QLatin1String("LOG"))
        log.addFinding(0, texts.text(CheckTexts::HeaderLines).arg(contents.headerValueCount));
    if (log.category != QLatin1String("H") && log.category != QLatin1String("L"))
        log.addFinding(lineOf(LogHeader::CategoryValue),
                       texts.text(CheckTexts::HeaderCategory).arg(quoted(log.category)));
    if (!wellFormedIdentifier(log.station))
        log.addFinding(lineOf(LogHeader::IdentifierValue),
                       texts.text(CheckTexts::HeaderIdentifier).arg(quoted(log.station)));
    const QString year = contents.header.value(LogHeader::YearValue).trimmed();
    const bool fourDigits =
        year.size() == 4 && std::all_of(year.cbegin(), year.cend(), [](QChar c) { return c.isDigit(); });
    if (!fourDigits)
        log.addFinding(lineOf(LogHeader::YearValue), texts.text(CheckTexts::HeaderYear).arg(quoted(year)));
    const QString paper = contents.header.value(LogHeader::PaperLogValue).trimmed();
    if (paper != QLatin1String("Y") && paper != QLatin1String("N"))
        log.addFinding(lineOf(LogHeader::PaperLogValue),
                       texts.text(CheckTexts::HeaderPaperFlag).arg(quoted(paper)));
    if (fourDigits && !log.station.isEmpty() && !log.category.isEmpty()) {
        const QString expected = logFileName(log.station, log.category, year.toInt());
        if (log.fileName.compare(expected, Qt::CaseInsensitive) != 0)
            log.addFinding(0, texts.text(CheckTexts::FileNameMismatch).arg(expected));
    }
}

// The first valid contact of one log with each worked station. A station on a roster is looked up by
// its roster number in an array kept per thread and stamped per log, so nearly every contact costs no
// hash table; the others go through a table of the log's own.
class FirstContacts {
public:
    explicit FirstContacts(std::size_t rosterSize) : log_(++logsOnThisThread) {
        if (marks.size() < rosterSize)
            marks.resize(rosterSize);
    }
    // The earlier contact with this station, or nothing when contact is the first (it is then noted).
    std::optional<std::size_t> earlier(int rosterNumber, QStringView identifier, std::size_t hash,
                                       std::size_t contact) {
        if (rosterNumber >= 0) {
            Mark& mark = marks[static_cast<std::size_t>(rosterNumber)];
            if (mark.log == log_)
                return mark.contact;
            mark = {log_, contact};
            return std::nullopt;
        }
        const auto station = static_cast<std::size_t>(others_.add(identifier, hash));
        if (station < othersFirst_.size())
            return othersFirst_[station];
        othersFirst_.push_back(contact);
        return std::nullopt;
    }

private:
    struct Mark {
        std::uint64_t log = 0; // the log that saw the station last
        std::size_t contact = 0;
    };
    static thread_local std::vector<Mark> marks;
    static thread_local std::uint64_t logsOnThisThread;

    std::uint64_t log_;
    IdentifierIds others_;
    std::vector<std::size_t> othersFirst_;
};
thread_local std::vector<FirstContacts::Mark> FirstContacts::marks;
thread_local std::uint64_t FirstContacts::logsOnThisThread = 0;

quint8 categoryMask(QStringView category) {
    if (category.size() != 1)
        return 0;
    if (category[0] == u'L')
        return RosterCategories::Lady;
    return category[0] == u'H' ? RosterCategories::Hunter : 0;
}

// Identifiers are compared in capitals. The program writes them so; a log edited by hand may not.
QStringView upperCasedIdentifier(std::vector<QString>& upperCased, QStringView identifier) {
    if (std::none_of(identifier.begin(), identifier.end(), [](QChar c) { return c.isLower(); }))
        return identifier;
    // The copies' characters stay where they are when the vector moves them.
    upperCased.push_back(identifier.toString().toUpper());
    return upperCased.back();
}

// The records are dropped with the log's text once it is checked: what the cross-check and the report
// need of them, each contact's identifier and category text, moves into one buffer of the log's own.
void keepIdentifiers(CheckedLog& log, const std::vector<QStringView>& categories) {
    qsizetype size = 0;
    for (std::size_t i = 0; i < log.contacts.size(); ++i)
        size += log.contacts[i].worked.size() + categories[i].size();
    log.identifiers.reserve(size);
    std::vector<qsizetype> starts;
    starts.reserve(log.contacts.size());
    for (std::size_t i = 0; i < log.contacts.size(); ++i) {
        starts.push_back(log.identifiers.size());
        log.identifiers += log.contacts[i].worked;
        log.identifiers += categories[i];
    }
    const QStringView kept(log.identifiers);
    for (std::size_t i = 0; i < log.contacts.size(); ++i) {
        CheckedContact& contact = log.contacts[i];
        contact.worked = kept.sliced(starts[i], contact.worked.size());
        contact.categoryLength = static_cast<int>(categories[i].size());
    }
}

} // namespace

bool wellFormedIdentifier(QStringView identifier) {
    qsizetype i = 0;
    const qsizetype size = identifier.size();
    if (size == 0 || identifier[0] < u'1' || identifier[0] > u'9')
        return false;
    while (i < size && identifier[i].isDigit())
        ++i;
    const qsizetype clubStart = i;
    while (i < size && identifier[i] >= u'A' && identifier[i] <= u'Z')
        ++i;
    const qsizetype unitStart = i;
    while (i < size && identifier[i] >= u'0' && identifier[i] <= u'9')
        ++i;
    return i == size && unitStart > clubStart && size > unitStart;
}

CheckedLog checkLogFile(const QString& path, const CheckTexts& texts, const LogCheckReferences& references) {
    const Result<QByteArray> bytes = readLogBytes(path);
    if (!bytes) {
        CheckedLog log;
        log.path = path;
        log.fileName = QFileInfo(path).fileName();
        // The report names the file as received, without the folder it was checked in.
        FileError error = bytes.error();
        error.path = log.fileName;
        log.addFinding(
            0, texts.text(CheckTexts::LogUnreadable).arg(fileErrorText(error, texts.languageOffset())));
        return log;
    }
    return checkLogBytes(path, bytes.value(), texts, references);
}

CheckedLog checkLogBytes(const QString& path, QByteArrayView bytes, const CheckTexts& texts,
                         const LogCheckReferences& references) {
    CheckedLog log;
    log.path = path;
    log.fileName = QFileInfo(path).fileName();
    log.readable = true;
    log.readWith = references.rosters;
    LogLinePlaces places;
    const LogContents contents = parseLog(bytes, &places);
    const std::vector<int>& headerLines = places.headerLines;
    const std::vector<LogLinePlaces::Record>& lines = places.records;
    const LogHeader& header = contents.header;
    log.station = header.value(LogHeader::IdentifierValue).trimmed().toUpper();
    log.category = header.value(LogHeader::CategoryValue).trimmed().toUpper();
    log.name = header.value(LogHeader::NameValue).trimmed();
    checkHeader(log, contents, headerLines, texts);

    const std::vector<ContactRecord>& records = contents.records;
    log.claimedCounters = logStatistics(records, references.countryCount).counters;
    std::vector<QStringView> stampTexts;
    stampTexts.reserve(records.size());
    for (const ContactRecord& record : records)
        stampTexts.push_back(record.field(ContactRecord::DateTime));
    LogStamps stamps = readStamps(stampTexts);
    if (stamps.otherForm)
        log.addFinding(0, texts.text(CheckTexts::OtherDateForm)
                              .arg(stamps.form == DateForm::MonthDayYear ? QStringLiteral("MM/dd/yyyy")
                                                                         : QStringLiteral("yyyy-MM-dd")));

    FirstContacts firstContacts(references.rosters ? references.rosters->ids().size() : 0);
    std::vector<QString> upperCased;
    std::vector<QStringView> categories(records.size());
    std::int64_t previousProgressive = 0;
    log.contacts.resize(records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const ContactRecord& record = records[i];
        CheckedContact& contact = log.contacts[i];
        contact.line = i < lines.size() ? lines[i].line : 0;
        contact.stamp = stamps.stamps[i];
        const QStringView category = record.field(ContactRecord::Category);
        contact.category = categoryMask(trimmedField(category));
        contact.countedCategory = categoryMask(category);
        contact.country = countryNumberOf(trimmedField(record.field(ContactRecord::Unit)));
        auto note = [&](CheckTexts::Id id, std::initializer_list<QStringView> values) {
            log.addFinding(contact.line, texts.lineFinding(contact.line, id, values));
        };

        const int fields = i < lines.size() ? lines[i].separators + (lines[i].trailingText ? 1 : 0) : 0;
        if (fields != ContactRecord::FieldCount)
            note(CheckTexts::FieldCount, {QString::number(fields)});
        const QStringView progressiveText = trimmedField(record.field(ContactRecord::Progressive));
        const std::optional<std::int64_t> progressive = wholeNumber(progressiveText);
        // A number at the top of the range is followed by itself, not by one that wraps round.
        const std::int64_t expected = previousProgressive + (previousProgressive < INT64_MAX ? 1 : 0);
        if (!progressive || *progressive != expected)
            note(CheckTexts::ProgressiveOrder, {quoted(progressiveText), QString::number(expected)});
        previousProgressive = progressive.value_or(expected);

        if (record.isCancelled()) {
            contact.state = ContactState::Cancelled;
            continue;
        }
        ++log.claimed;
        contact.worked = upperCasedIdentifier(upperCased, trimmedField(record.field(ContactRecord::Unit)));
        categories[i] = trimmedField(category);
        if (fields != ContactRecord::FieldCount) {
            contact.state = ContactState::BadFields;
            continue;
        }
        const QStringView stampText = record.field(ContactRecord::DateTime);
        if (contact.stamp.state == Stamp::State::Unreadable)
            note(CheckTexts::StampUnreadable, {quoted(stampText)});
        else if (contact.stamp.state == Stamp::State::Ambiguous)
            note(CheckTexts::StampAmbiguous, {quoted(stampText)});
        if (!wellFormedIdentifier(contact.worked)) {
            contact.state = ContactState::BadIdentifier;
            note(CheckTexts::IdentifierMalformed, {quoted(contact.worked)});
            continue;
        }
        if (contact.worked == log.station) {
            contact.state = ContactState::OwnStation;
            note(CheckTexts::OwnStation, {});
            continue;
        }
        const std::size_t hash = identifierHash(contact.worked);
        const int rosterNumber = references.rosters ? references.rosters->find(contact.worked, hash) : -1;
        if (const std::optional<std::size_t> earlier =
                firstContacts.earlier(rosterNumber, contact.worked, hash, i)) {
            contact.state = ContactState::Duplicate;
            ++log.duplicates;
            note(CheckTexts::Duplicate, {QString::number(log.contacts[*earlier].line), contact.worked});
            continue;
        }
        contact.rosterNumber = rosterNumber;
    }
    keepIdentifiers(log, categories);
    return log;
}

} // namespace qvmd
