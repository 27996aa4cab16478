#include "core/check/ByteText.h"
#include "core/check/CheckTexts.h"
#include "core/check/CheckedLog.h"
#include "core/check/IdentifierIds.h"
#include "core/check/RecordPlaces.h"
#include "core/check/RosterCategories.h"
#include "core/check/StampReader.h"

#include "core/common/FileErrorText.h"
#include "core/common/Numbers.h"
#include "core/common/Windows1252.h"
#include "core/logfile/ContactRecord.h"
#include "core/logfile/LogName.h"
#include "core/logfile/RecordLines.h"
#include "core/logging/DuplicateRule.h"
#include "core/logging/RowsByIdentifier.h"

#include <QFileInfo>

#include <algorithm>
#include <array>
#include <climits>
#include <cstring>
#include <limits>
#include <memory>
#include <mutex>
#include <string>

namespace qvmd {
namespace {

// A log is checked on its bytes: Windows-1252 is one byte per character, so a field compares, trims
// and reads as numbers there exactly as its decoded text would. Only what a finding shows is decoded.

QString quoted(QStringView text) {
    return quotedValue(text.toString());
}
QString quoted(QByteArrayView bytes) {
    return quotedValue(fromWindows1252(bytes));
}

quint8 categoryMask(QByteArrayView category) {
    if (category.size() != 1)
        return 0;
    if (category[0] == 'L')
        return RosterCategories::Lady;
    return category[0] == 'H' ? RosterCategories::Hunter : 0;
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
    if (!wellFormedIdentifier(QStringView(log.station)))
        log.addFinding(lineOf(LogHeader::IdentifierValue),
                       texts.text(CheckTexts::HeaderIdentifier).arg(quoted(log.station)));
    const QString year = contents.header.value(LogHeader::YearValue).trimmed();
    const bool fourDigits =
        year.size() == 4 && std::all_of(year.cbegin(), year.cend(), [](QChar c) { return c.isDigit(); });
    if (fourDigits)
        log.year = year;
    else
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

// What a thread keeps from one log to the next, so that checking a log allocates little beyond what
// stays of it.
struct Scratch {
    RecordPlaces places;
    std::vector<QByteArrayView> stampTexts;
    LogStamps stamps;
    std::vector<CheckedContact> contacts;
    std::string identifier;
    std::uint64_t logs = 0;               // numbers the logs, so that marks need no clearing between them
    std::vector<std::uint64_t> countries; // by country number: the last log that worked it
    // By roster number: the log and the line of its first valid contact with that station.
    struct Mark {
        std::uint64_t log = 0;
        qint32 line = 0;
    };
    std::vector<Mark> marks;
    // The log's first valid contacts with stations on no roster, by identifier.
    RowsByIdentifier otherFirsts;
    // The log's stations on no roster and their texts, until the log is checked.
    std::vector<OtherStation> others;
    std::string otherText;
};

// Scratch areas lent to one log's check at a time and kept for the next, so that a worker reuses its
// buffers from log to log. Not thread_local: MinGW frees a thread's storage before it runs the
// thread_local destructors, and a scratch area with a destructor then frees freed memory.
class ScratchPool {
public:
    class Lease {
    public:
        Lease(ScratchPool& pool, std::unique_ptr<Scratch> scratch)
            : pool_(pool), scratch_(std::move(scratch)) {}
        Lease(const Lease&) = delete;
        Lease& operator=(const Lease&) = delete;
        ~Lease() { pool_.giveBack(std::move(scratch_)); }
        Scratch& operator*() const { return *scratch_; }

    private:
        ScratchPool& pool_;
        std::unique_ptr<Scratch> scratch_;
    };

    Lease take() {
        const std::lock_guard lock(mutex_);
        if (free_.empty())
            return Lease(*this, std::make_unique<Scratch>());
        std::unique_ptr<Scratch> scratch = std::move(free_.back());
        free_.pop_back();
        return Lease(*this, std::move(scratch));
    }

private:
    void giveBack(std::unique_ptr<Scratch> scratch) {
        const std::lock_guard lock(mutex_);
        free_.push_back(std::move(scratch));
    }

    std::mutex mutex_;
    std::vector<std::unique_ptr<Scratch>> free_;
};

ScratchPool& scratchPool() {
    static ScratchPool pool;
    return pool;
}

// The identifier worked, trimmed and upper-cased as the program compares identifiers: plain ASCII
// into ascii (true), or else the decoded text, which can never be a valid identifier.
bool upperCased(QByteArrayView trimmed, std::string& ascii, QString& text) {
    ascii.assign(trimmed.data(), static_cast<std::size_t>(trimmed.size()));
    if (std::all_of(ascii.cbegin(), ascii.cend(),
                    [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
        for (char& c : ascii)
            if (c >= 'a' && c <= 'z')
                c = static_cast<char>(c - 'a' + 'A');
        return true;
    }
    // A hand-edited log may hold any letter; upper-casing one can even give plain ASCII ("ß" is "SS").
    text = fromWindows1252(trimmed);
    if (std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.isLower(); }))
        text = text.toUpper();
    if (!std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() < 0x80; }))
        return false;
    ascii = text.toLatin1().toStdString();
    return true;
}

// A valid identifier with nothing around it, as the program writes them, read in one pass: upper-cased
// into ascii, with its country number. False for anything else, which the general rule then reads.
bool readPlainIdentifier(QByteArrayView field, std::string& ascii, qint32& country) {
    ascii.resize(static_cast<std::size_t>(field.size()));
    char* out = ascii.data();
    // Letters of either case, nothing else.
    auto upper = [](char16_t c) { return capitalLetter(static_cast<char16_t>(c & ~0x20)); };
    auto put = [out](qsizetype i, char16_t c) { out[i] = static_cast<char>(c); };
    return readIdentifier(field, upper, put, &country);
}

// A station worked, as the duplicate rule looks it up while a log is read.
struct WorkedStation {
    int rosterNumber = -1; // or -1
    QByteArrayView identifier;
    std::uint64_t hash = 0; // RowsByIdentifier::hashOf(identifier), for a station on no roster
};

// The rows of the log being read by station, as the duplicate rule walks them: a log is read once in
// file order, so only each station's first valid contact is kept, roster stations by their number
// (no hashing) and the others by identifier.
class FirstContacts {
public:
    FirstContacts(Scratch& scratch, std::uint64_t log) : scratch_(scratch), log_(log) {}
    int first(const WorkedStation& station) const {
        if (station.rosterNumber < 0)
            return scratch_.otherFirsts.first(station.identifier, station.hash);
        const Scratch::Mark& mark = scratch_.marks[static_cast<std::size_t>(station.rosterNumber)];
        return mark.log == log_ ? mark.line : 0;
    }
    int next(int) const { return 0; }
    void add(const WorkedStation& station, int line) {
        if (station.rosterNumber < 0)
            scratch_.otherFirsts.insert(station.identifier, station.hash, line);
        else
            scratch_.marks[static_cast<std::size_t>(station.rosterNumber)] = {log_, line};
    }

private:
    Scratch& scratch_;
    std::uint64_t log_;
};

class RecordCheck {
public:
    // lines: the line of the log's last record (rows of the duplicate rule are lines).
    RecordCheck(CheckedLog& log, const CheckTexts& texts, const LogCheckReferences& references,
                Scratch& scratch, int lines)
        : log_(log), texts_(texts), rosters_(references.rosters), scratch_(scratch), places_(scratch_.places),
          countryCount_(std::max(references.countryCount, 0)), logNumber_(++scratch_.logs) {
        scratch_.contacts.clear();
        scratch_.otherFirsts.clear(lines);
        scratch_.others.clear();
        scratch_.otherText.clear();
        if (rosters_ && scratch_.marks.size() < rosters_->categories().size())
            scratch_.marks.resize(rosters_->categories().size());
        if (scratch_.countries.size() <= static_cast<std::size_t>(countryCount_))
            scratch_.countries.resize(static_cast<std::size_t>(countryCount_) + 1);
        // A valid identifier is plain ASCII: a station that is not can never be worked as itself.
        const bool plain =
            std::all_of(log.station.cbegin(), log.station.cend(), [](QChar c) { return c.unicode() < 0x80; });
        station_ = plain ? log.station.toLatin1() : QByteArray();
    }

    void check(const RecordPlace& record, const Stamp& stamp) {
        line_ = record.line;
        if (record.fields != ContactRecord::FieldCount)
            note(CheckTexts::FieldCount, {QString::number(record.fields)});
        const qint32 sent = checkProgressive(field(record, ContactRecord::Progressive));

        const QByteArrayView flag = field(record, ContactRecord::Cancelled);
        if (flag.size() != 1 || flag[0] != 'N') {
            ++cancelled_;
            return;
        }
        ++log_.claimed;
        const QByteArrayView unitField = field(record, ContactRecord::Unit);
        const QByteArrayView category = field(record, ContactRecord::Category);
        std::string& identifier = scratch_.identifier;
        CheckedContact contact;
        contact.line = line_;
        contact.sent = sent;
        contact.received = numberOrNone(field(record, ContactRecord::Received));
        qint32 country = 0;
        const bool plain = readPlainIdentifier(unitField, identifier, country);
        const QByteArrayView unit = plain ? unitField : trimmedField(unitField);
        if (!plain)
            country = countryNumberInBytes(unit);
        // No country table comes near this: a number beyond it marks nothing either way.
        contact.country = static_cast<qint16>(std::min<qint32>(country, INT16_MAX));
        contact.countedCategory = categoryMask(category);
        markCountry(contact.country);
        hunters_ += contact.countedCategory == RosterCategories::Hunter;
        ladies_ += contact.countedCategory == RosterCategories::Lady;
        if (record.fields != ContactRecord::FieldCount)
            return;
        if (stamp.state == Stamp::State::Unreadable)
            note(CheckTexts::StampUnreadable, {quoted(field(record, ContactRecord::DateTime))});
        if (!plain) {
            QString text;
            if (!upperCased(unit, identifier, text) || !wellFormedIdentifier(QByteArrayView(identifier))) {
                if (text.isEmpty())
                    text = QString::fromLatin1(identifier);
                note(CheckTexts::IdentifierMalformed, {quoted(text)});
                return;
            }
        }
        const QByteArrayView worked(identifier);
        if (worked.size() == station_.size() &&
            std::memcmp(worked.data(), station_.constData(), static_cast<std::size_t>(worked.size())) == 0) {
            note(CheckTexts::OwnStation, {});
            return;
        }
        const std::size_t hash = identifierHash(worked);
        const int rosterNumber = rosters_ ? rosters_->findBytes(worked, hash) : -1;
        if (const std::optional<qint32> earlier = earlierLine(rosterNumber, worked)) {
            ++log_.duplicates;
            note(CheckTexts::Duplicate, {QString::number(*earlier), QString::fromLatin1(worked)});
            return;
        }
        if (stamp.read())
            contact.seconds = stamp.seconds;
        const QByteArrayView categoryText = contact.countedCategory ? category : trimmedField(category);
        if (rosterNumber >= 0) {
            contact.worked = rosterNumber;
            // The roster is at hand: its category is compared now, as the cross-check would first.
            const quint8 roster = rosters_->categories()[static_cast<std::size_t>(rosterNumber)];
            if (roster != 0 && (categoryMask(categoryText) & roster) == 0)
                note(CheckTexts::CategoryDiffers, {QString::fromLatin1(worked), fromWindows1252(categoryText),
                                                   RosterCategories::text(roster)});
        } else {
            keepOther(contact, worked, categoryText);
        }
        scratch_.contacts.push_back(contact);
    }

    // The statistics of every record, as the logging window counts them.
    void finish(std::size_t records) {
        LogCounters& counters = log_.claimedCounters;
        counters.NextProgressive = toInt16(static_cast<std::int64_t>(records) + 1);
        counters.HunterCount = toInt16(hunters_);
        counters.LadyCount = toInt16(ladies_);
        counters.CountryCount = toInt16(countriesWorked_);
        counters.CancelledCount = toInt16(cancelled_);
        log_.contacts.assign(scratch_.contacts.cbegin(), scratch_.contacts.cend());
        log_.others.assign(scratch_.others.cbegin(), scratch_.others.cend());
        log_.otherText =
            QByteArray(scratch_.otherText.data(), static_cast<qsizetype>(scratch_.otherText.size()));
    }

private:
    QByteArrayView field(const RecordPlace& record, int index) const { return places_.field(record, index); }
    void note(CheckTexts::Id id, std::initializer_list<QStringView> values) {
        log_.addFinding(line_, id, values);
    }

    // The progressive number sent, as the cross-check compares it (-1 when it is no number).
    qint32 checkProgressive(QByteArrayView text) {
        const std::optional<std::int64_t> progressive = wholeNumber(text);
        // A number at the top of the range is followed by itself, not by one that wraps round.
        const std::int64_t expected = previousProgressive_ + (previousProgressive_ < INT64_MAX ? 1 : 0);
        if (!progressive || *progressive != expected)
            note(CheckTexts::ProgressiveOrder, {quoted(trimmedField(text)), QString::number(expected)});
        previousProgressive_ = progressive.value_or(expected);
        return progressive && *progressive >= 0 && *progressive <= INT32_MAX
                   ? static_cast<qint32>(*progressive)
                   : -1;
    }
    static qint32 numberOrNone(QByteArrayView text) {
        const std::optional<std::int64_t> number = wholeNumber(text);
        return number && *number >= 0 && *number <= INT32_MAX ? static_cast<qint32>(*number) : -1;
    }

    // Countries 1 to countryCount count once per log; other numbers mark nothing.
    void markCountry(qint32 country) {
        if (country < 1 || country > countryCount_)
            return;
        std::uint64_t& mark = scratch_.countries[static_cast<std::size_t>(country)];
        if (mark != logNumber_) {
            mark = logNumber_;
            ++countriesWorked_;
        }
    }

    // The line of the earlier valid contact with this station, or nothing when this is the first (it is
    // then noted). Only valid contacts are noted, so each counts.
    std::optional<qint32> earlierLine(int rosterNumber, QByteArrayView identifier) {
        const WorkedStation station{rosterNumber, identifier,
                                    rosterNumber < 0 ? RowsByIdentifier::hashOf(identifier) : 0};
        FirstContacts firsts(scratch_, logNumber_);
        if (const int line = firstValidRow(firsts, station, 0, [](int) { return true; }))
            return line;
        firsts.add(station, line_);
        return std::nullopt;
    }

    void keepOther(CheckedContact& contact, QByteArrayView worked, QByteArrayView category) {
        category = category.first(std::min<qsizetype>(category.size(), UINT16_MAX));
        contact.worked = -1 - static_cast<qint32>(scratch_.others.size());
        scratch_.others.push_back({static_cast<quint32>(scratch_.otherText.size()),
                                   static_cast<quint16>(worked.size()), static_cast<quint16>(category.size()),
                                   categoryMask(category), -1});
        scratch_.otherText.append(worked.data(), static_cast<std::size_t>(worked.size()));
        scratch_.otherText.append(category.data(), static_cast<std::size_t>(category.size()));
    }

    CheckedLog& log_;
    const CheckTexts& texts_;
    const RosterCategories* rosters_;
    Scratch& scratch_;
    const RecordPlaces& places_;
    const int countryCount_;
    const std::uint64_t logNumber_;
    QByteArray station_; // the log's own identifier as bytes
    qint32 line_ = 0;
    std::int64_t previousProgressive_ = 0;
    std::int64_t hunters_ = 0;
    std::int64_t ladies_ = 0;
    std::int64_t cancelled_ = 0;
    int countriesWorked_ = 0;
};

} // namespace

bool wellFormedIdentifier(QStringView identifier) {
    return readIdentifier(identifier, capitalLetter, [](qsizetype, char16_t) {});
}

bool wellFormedIdentifier(QByteArrayView identifier) {
    return readIdentifier(identifier, capitalLetter, [](qsizetype, char16_t) {});
}

void CheckedLog::addFinding(int line, int id, std::initializer_list<QStringView> values) {
    const auto start = static_cast<quint32>(findingValues.size());
    qsizetype size = 0;
    for (const QStringView value : values)
        size += 2 + value.size();
    // Written in place: most contacts of a log may draw a finding.
    findingValues.resize(findingValues.size() + size);
    char16_t* at = reinterpret_cast<char16_t*>(findingValues.data()) + start;
    for (const QStringView value : values) {
        const auto length = static_cast<quint32>(value.size());
        *at++ = static_cast<char16_t>(length & 0xFFFF);
        *at++ = static_cast<char16_t>(length >> 16);
        at = std::copy(value.utf16(), value.utf16() + value.size(), at);
    }
    findings.push_back({line, static_cast<quint16>(id), static_cast<quint16>(values.size()), start});
}

QString CheckedLog::findingText(const Finding& finding, const CheckTexts& texts) const {
    QString text;
    findingText(finding, texts, text);
    return text;
}

void CheckedLog::findingText(const Finding& finding, const CheckTexts& texts, QString& out) const {
    std::array<QStringView, 8> values;
    qsizetype at = finding.values;
    for (std::size_t i = 0; i < finding.count && i < values.size(); ++i) {
        const qsizetype size =
            findingValues[at].unicode() | (qsizetype(findingValues[at + 1].unicode()) << 16);
        values[i] = QStringView(findingValues).sliced(at + 2, size);
        at += 2 + size;
    }
    if (finding.id == 0) {
        if (finding.count > 0)
            out += values[0];
        return;
    }
    texts.lineFinding(
        out, finding.line, static_cast<CheckTexts::Id>(finding.id),
        std::span<const QStringView>(values.data(), std::min<std::size_t>(finding.count, values.size())));
}

QString monthFirstForm() {
    return QStringLiteral("MM/dd/yyyy");
}

QString CheckedLog::workedText(const CheckedContact& contact) const {
    if (contact.onRoster())
        return readWith->ids().text(contact.worked).toString();
    return QString::fromLatin1(otherIdentifier(others[contact.other()]));
}

CheckedLog checkLogFile(const QString& path, const CheckTexts& texts, const LogCheckReferences& references) {
    const QString name = QFileInfo(path).fileName();
    const Result<QByteArray> bytes = readLogBytes(path);
    if (!bytes) {
        CheckedLog log;
        log.fileName = name;
        // The report names the file as received, without the folder it was checked in.
        FileError error = bytes.error();
        error.path = name;
        // A link that leads round in a loop gives the system no reason of its own to tell.
        const QFileInfo info(path);
        const QFileInfo target(info.symLinkTarget());
        if (error.reason == FileError::Reason::None && info.isSymLink() && !target.exists() &&
            target.isSymLink())
            log.addFinding(0, texts.format(CheckTexts::LinkLoop, {name}));
        else
            log.addFinding(
                0, texts.text(CheckTexts::LogUnreadable).arg(fileErrorText(error, texts.languageOffset())));
        return log;
    }
    return checkLogBytes(name, bytes.value(), texts, references);
}

CheckedLog checkLogBytes(const QString& name, QByteArrayView bytes, const CheckTexts& texts,
                         const LogCheckReferences& references) {
    CheckedLog log;
    log.fileName = name;
    // Places are kept as 32-bit positions, far beyond any log file the program reads.
    if (bytes.size() > MaxLogFileBytes) {
        FileError error = fileError(FileError::Kind::Unreadable, name, FileError::Reason::TooLarge);
        error.high = MaxLogFileBytes;
        log.addFinding(
            0, texts.text(CheckTexts::LogUnreadable).arg(fileErrorText(error, texts.languageOffset())));
        return log;
    }
    log.readable = true;
    log.readWith = references.rosters;
    const ScratchPool::Lease lease = scratchPool().take();
    Scratch& scratch = *lease;
    RecordPlaces& places = scratch.places;
    places.read(bytes);
    const LogHeader& header = places.header.header;
    log.station = header.value(LogHeader::IdentifierValue).trimmed().toUpper();
    log.category = header.value(LogHeader::CategoryValue).trimmed().toUpper();
    log.name = header.value(LogHeader::NameValue).trimmed();
    checkHeader(log, places.header, places.headerLines, texts);

    // The log's date order shows only in all its stamps together.
    std::vector<QByteArrayView>& stampTexts = scratch.stampTexts;
    stampTexts.clear();
    for (const RecordPlace& record : places.records)
        stampTexts.push_back(places.field(record, ContactRecord::DateTime));
    LogStamps& stamps = scratch.stamps;
    readStamps(std::span<const QByteArrayView>(stampTexts), stamps);
    if (stamps.form == DateForm::MonthDayYear)
        log.addFinding(0, texts.format(stamps.proof == DateProof::TwelveHour ? CheckTexts::DateOrderClock
                                                                             : CheckTexts::DateOrderDay,
                                       {monthFirstForm()}));
    else if (stamps.otherForm)
        log.addFinding(0, texts.format(CheckTexts::OtherDateForm, {u"yyyy-MM-dd"}));
    // Turned, or not, once every log is read.
    log.daySwaps = stamps.daySwaps;

    RecordCheck check(log, texts, references, scratch,
                      places.records.empty() ? 0 : places.records.back().line);
    for (std::size_t i = 0; i < places.records.size(); ++i)
        check.check(places.records[i], stamps.stamps[i]);
    check.finish(places.records.size());
    return log;
}

} // namespace qvmd
