#include "core/check/CrossCheck.h"

#include "core/check/CheckTexts.h"
#include "core/check/IdentifierIds.h"
#include "core/check/IdentifierIndex.h"
#include "core/common/ParallelFor.h"
#include "core/common/Windows1252.h"
#include "core/logfile/LogStatistics.h"
#include "core/logging/Score.h"
#include "core/refdata/CountryTable.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <limits>
#include <mutex>

namespace qvmd {

void RosterCategories::addRoster(const QByteArray& bytes, quint8 category) {
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = bytes.indexOf('\n', start);
        if (end < 0)
            end = bytes.size();
        const QByteArrayView line = QByteArrayView(bytes).sliced(start, end - start);
        start = end + 1;
        if (line.isEmpty() || line.startsWith('#') || !line.contains('>'))
            continue;
        const QString text = fromWindows1252(line);
        const QString key = splitLine(text).key.trimmed().toString().toUpper();
        if (!key.isEmpty())
            categories[key] |= category;
    }
}

namespace {

QString categoryText(quint8 mask) {
    QString text;
    if (mask & RosterCategories::Hunter)
        text += u'H';
    if (mask & RosterCategories::Lady)
        text += text.isEmpty() ? QStringLiteral("L") : QStringLiteral("/L");
    return text;
}

// One-letter categories, compared as characters: this runs once or twice per contact.
bool isLetter(QStringView text, char16_t letter) {
    return text.size() == 1 && text[0] == letter;
}

quint8 maskOf(QStringView category) {
    if (isLetter(category, u'L'))
        return RosterCategories::Lady;
    if (isLetter(category, u'H'))
        return RosterCategories::Hunter;
    return 0;
}

void score(CheckedLog& log, const CrossCheckSettings& settings) {
    const PointValues points = pointValues(settings.weights, log.category);
    const LogStatistics claimed = logStatistics(log.contents.records, settings.countryCount);
    log.claimedScore = scoreTotal(claimed.counters, points);
    std::int64_t hunters = 0;
    std::int64_t ladies = 0;
    WorkedCountries worked(settings.countryCount);
    for (const CheckedContact& contact : log.contacts) {
        if (contact.refused())
            continue;
        const ContactRecord& record = log.contents.records[static_cast<std::size_t>(contact.record)];
        const QStringView category = record.field(ContactRecord::Category);
        hunters += isLetter(category, u'H');
        ladies += isLetter(category, u'L');
        worked.markIdentifier(record.field(ContactRecord::Unit));
    }
    log.checkedScore = scoreTotal(hunters, ladies, worked.count(), points);
}

// A valid contact, by station numbers, with its number among all contacts of all logs.
struct ContactPair {
    quint32 own = 0;
    quint32 worked = 0;
    quint32 contact = 0;
    quint32 log = 0;
};

constexpr qint64 UnreadStamp = std::numeric_limits<qint64>::min();

struct PairOutcome {
    bool answered = false; // the worked station's log has this contact
    qint64 apart = 0;      // seconds between the two stamps; 0 when either cannot be read
};

// Where the cross-check stands: identifiers as numbers and what each number stands for.
struct Stations {
    IdentifierIds ids;
    std::vector<quint8> roster; // by number: RosterCategories mask, 0 when on no roster
    std::vector<int> log;       // by number: the log received from that station, or -1

    std::size_t add(QStringView identifier) {
        const auto id = static_cast<std::size_t>(ids.add(identifier));
        if (id >= log.size()) {
            log.resize(id + 1, -1);
            roster.resize(id + 1, 0);
        }
        return id;
    }
};

// Matches every contact A→B with B's contact B→A. The pairs are grouped by their lower station
// number with one counting sort; within a group each higher number marks where its contacts are, so
// the two sides of a contact meet without a lookup per contact.
std::vector<PairOutcome> matchPairs(const std::vector<ContactPair>& pairs, const std::vector<int>& logOf,
                                    const std::vector<qint64>& seconds) {
    const std::size_t stations = logOf.size();
    auto low = [](const ContactPair& p) { return std::min(p.own, p.worked); };
    std::vector<std::size_t> start(stations + 1, 0);
    for (const ContactPair& pair : pairs)
        ++start[low(pair) + 1];
    for (std::size_t s = 1; s < start.size(); ++s)
        start[s] += start[s - 1];
    std::vector<ContactPair> sorted(pairs.size());
    {
        std::vector<std::size_t> next(start.begin(), start.end() - 1);
        for (const ContactPair& pair : pairs)
            sorted[next[low(pair)]++] = pair;
    }

    std::vector<PairOutcome> outcomes(seconds.size());
    // The answer from the indexed log of a group's higher station, and from the lower station's.
    std::vector<int> fromHigh(stations, -1);
    std::vector<int> fromLow(stations, -1);
    for (std::size_t lowStation = 0; lowStation < stations; ++lowStation) {
        const std::size_t begin = start[lowStation];
        const std::size_t end = start[lowStation + 1];
        if (begin == end)
            continue;
        // Only a station's indexed log answers: a second log from it confirms nothing.
        for (std::size_t i = begin; i < end; ++i) {
            const ContactPair& pair = sorted[i];
            if (logOf[pair.own] != static_cast<int>(pair.log))
                continue;
            (pair.own == lowStation ? fromLow[pair.worked] : fromHigh[pair.own]) = static_cast<int>(i);
        }
        for (std::size_t i = begin; i < end; ++i) {
            const ContactPair& mine = sorted[i];
            const int answer = mine.own == lowStation ? fromHigh[mine.worked] : fromLow[mine.own];
            if (answer < 0)
                continue;
            PairOutcome& outcome = outcomes[mine.contact];
            outcome.answered = true;
            const qint64 theirs = seconds[sorted[static_cast<std::size_t>(answer)].contact];
            const qint64 ours = seconds[mine.contact];
            if (ours != UnreadStamp && theirs != UnreadStamp)
                outcome.apart = std::abs(ours - theirs);
        }
        for (std::size_t i = begin; i < end; ++i) {
            const ContactPair& pair = sorted[i];
            fromLow[pair.worked] = -1;
            fromHigh[pair.own] = -1;
        }
    }
    return outcomes;
}

// Judges one log's valid contacts from the roster, the logs received and the matched pairs, noting each
// refusal on its line in the order the report lists them.
void judgeContacts(CheckedLog& log, std::size_t firstContact, const Stations& stations,
                   const std::vector<int>& workedOf, const std::vector<PairOutcome>& outcomes,
                   const IdentifierIndex& known, qint64 window, const CheckTexts& texts) {
    for (std::size_t c = 0; c < log.contacts.size(); ++c) {
        CheckedContact& contact = log.contacts[c];
        if (contact.state != ContactState::Valid)
            continue;
        const std::size_t index = firstContact + c;
        const auto worked = static_cast<std::size_t>(workedOf[index]);
        const ContactRecord& record = log.contents.records[static_cast<std::size_t>(contact.record)];
        auto note = [&](const QString& text) {
            log.addFinding(contact.line, texts.text(CheckTexts::LinePrefix).arg(contact.line) +
                                             QStringLiteral(": ") + text);
        };
        const quint8 roster = stations.roster[worked];
        const bool sentLog = stations.log[worked] >= 0;
        if (roster == 0 && !sentLog) {
            if (const std::optional<QString> near = known.onlyNeighbour(contact.worked.toString())) {
                contact.cross = CrossState::Miscopied;
                ++log.miscopied;
                note(texts.text(CheckTexts::Miscopied).arg(contact.worked, *near));
            } else {
                contact.cross = CrossState::NoLog;
                note(texts.text(CheckTexts::UnknownStation).arg(contact.worked));
            }
            continue;
        }
        if (roster != 0) {
            const QStringView category = record.field(ContactRecord::Category).trimmed();
            if ((maskOf(category) & roster) == 0)
                note(texts.text(CheckTexts::CategoryDiffers)
                         .arg(contact.worked, category.toString(), categoryText(roster)));
        }
        if (!sentLog) {
            contact.cross = CrossState::NoLog;
            continue;
        }
        const PairOutcome& outcome = outcomes[index];
        if (!outcome.answered) {
            contact.cross = CrossState::NotInLog;
            ++log.notInLog;
            note(texts.text(CheckTexts::NotInLog).arg(contact.worked));
        } else if (outcome.apart <= window) {
            // A time that cannot be read on either side is checked without the window.
            contact.cross = CrossState::Confirmed;
            ++log.confirmed;
        } else {
            contact.cross = CrossState::TimeOff;
            ++log.timeOff;
            note(texts.text(CheckTexts::TimeOutside).arg(contact.worked).arg((outcome.apart + 59) / 60));
        }
    }
}

void rank(std::vector<CheckedLog>& logs) {
    std::vector<CheckedLog*> ranked;
    for (CheckedLog& log : logs)
        if (log.indexed && (log.category == QLatin1String("H") || log.category == QLatin1String("L")))
            ranked.push_back(&log);
    std::stable_sort(ranked.begin(), ranked.end(), [](const CheckedLog* a, const CheckedLog* b) {
        if (a->category != b->category)
            return a->category < b->category;
        return a->checkedScore > b->checkedScore;
    });
    std::size_t groupStart = 0;
    for (std::size_t i = 0; i < ranked.size(); ++i) {
        CheckedLog& log = *ranked[i];
        if (i == 0 || ranked[i - 1]->category != log.category)
            groupStart = i;
        // Ties share a place; the next station skips the places they took.
        const bool tie = i > groupStart && ranked[i - 1]->checkedScore == log.checkedScore;
        log.rank = tie ? ranked[i - 1]->rank : static_cast<int>(i - groupStart) + 1;
    }
}

} // namespace

void crossCheck(std::vector<CheckedLog>& logs, const RosterCategories& rosters,
                const CrossCheckSettings& settings, const CheckTexts& texts) {
    // Identifiers become numbers once; from here on stations are compared and indexed as numbers.
    Stations stations;
    IdentifierIndex known;
    for (auto it = rosters.categories.cbegin(); it != rosters.categories.cend(); ++it) {
        stations.roster[stations.add(it.key())] |= it.value();
        known.add(it.key());
    }

    // One log per station: the first one received; a second is reported and left out of the index.
    std::vector<int> stationOf(logs.size(), -1);
    std::vector<std::size_t> firstContact(logs.size() + 1, 0); // each log's contacts in one numbering
    for (std::size_t i = 0; i < logs.size(); ++i) {
        CheckedLog& log = logs[i];
        firstContact[i + 1] = firstContact[i] + log.contacts.size();
        if (!log.readable || !wellFormedIdentifier(log.station))
            continue;
        const std::size_t station = stations.add(log.station);
        stationOf[i] = static_cast<int>(station);
        if (stations.log[station] >= 0) {
            log.addFinding(
                0, texts.text(CheckTexts::SecondLog)
                       .arg(log.station, logs[static_cast<std::size_t>(stations.log[station])].fileName));
            continue;
        }
        stations.log[station] = static_cast<int>(i);
        log.indexed = true;
        known.add(log.station);
    }

    // Every valid contact of a log with a well-formed station, for matching against the other side.
    const std::size_t contactCount = firstContact.back();
    std::vector<int> workedOf(contactCount, -1);
    std::vector<qint64> seconds(contactCount, UnreadStamp);
    std::vector<ContactPair> pairs;
    pairs.reserve(contactCount);
    for (std::size_t i = 0; i < logs.size(); ++i) {
        const CheckedLog& log = logs[i];
        for (std::size_t c = 0; c < log.contacts.size(); ++c) {
            const CheckedContact& contact = log.contacts[c];
            if (contact.state != ContactState::Valid)
                continue;
            const std::size_t index = firstContact[i] + c;
            const std::size_t worked = stations.add(contact.worked);
            workedOf[index] = static_cast<int>(worked);
            if (contact.stamp.read())
                seconds[index] = contact.stamp.seconds;
            if (stationOf[i] >= 0)
                pairs.push_back({static_cast<quint32>(stationOf[i]), static_cast<quint32>(worked),
                                 static_cast<quint32>(index), static_cast<quint32>(i)});
        }
    }
    const std::vector<PairOutcome> outcomes = matchPairs(pairs, stations.log, seconds);

    const qint64 window = static_cast<qint64>(settings.windowMinutes) * 60;
    std::atomic<qint64> checked{0};
    std::mutex progressLock;
    parallelFor(logs.size(), [&](std::size_t i) {
        CheckedLog& log = logs[i];
        judgeContacts(log, firstContact[i], stations, workedOf, outcomes, known, window, texts);
        if (log.readable)
            score(log, settings);
        const qint64 before = checked.fetch_add(log.confirmed + log.notInLog + log.timeOff);
        const qint64 after = before + log.confirmed + log.notInLog + log.timeOff;
        if (settings.progress && before / 100000 != after / 100000) {
            const std::lock_guard<std::mutex> lock(progressLock);
            settings.progress(after);
        }
    });
    if (settings.progress)
        settings.progress(checked);
    rank(logs);
}

} // namespace qvmd
