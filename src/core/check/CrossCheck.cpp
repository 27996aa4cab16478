#include "core/check/CrossCheck.h"

#include "core/check/CheckTexts.h"
#include "core/check/IdentifierIds.h"
#include "core/check/IdentifierIndex.h"
#include "core/common/ParallelFor.h"
#include "core/logfile/LogStatistics.h"
#include "core/logging/Score.h"
#include "core/refdata/CountryTable.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <mutex>

namespace qvmd {

namespace {

QString categoryText(quint8 mask) {
    QString text;
    if (mask & RosterCategories::Hunter)
        text += u'H';
    if (mask & RosterCategories::Lady)
        text += text.isEmpty() ? QStringLiteral("L") : QStringLiteral("/L");
    return text;
}

void score(CheckedLog& log, const CrossCheckSettings& settings) {
    const PointValues points = pointValues(settings.weights, log.category);
    log.claimedScore = scoreTotal(log.claimedCounters, points);
    std::int64_t hunters = 0;
    std::int64_t ladies = 0;
    WorkedCountries worked(settings.countryCount);
    for (const CheckedContact& contact : log.contacts) {
        if (contact.refused())
            continue;
        hunters += contact.countedCategory == RosterCategories::Hunter;
        ladies += contact.countedCategory == RosterCategories::Lady;
        worked.mark(contact.country);
    }
    log.checkedScore = scoreTotal(hunters, ladies, worked.count(), points);
}

// A valid contact, by station numbers, with its number among all contacts of all logs.
struct ContactPair {
    static constexpr quint32 None = std::numeric_limits<quint32>::max();
    quint32 own = None; // None: not to be matched

    quint32 worked = 0;
    quint32 contact = 0;
    quint32 log = 0;
};

constexpr qint64 UnreadStamp = std::numeric_limits<qint64>::min();

// For each contact, the seconds between its stamp and the other side's; 0 when either cannot be read,
// NotAnswered when the other side's log does not have the contact.
constexpr qint64 NotAnswered = -1;

// Where the cross-check stands: identifiers as numbers and what each number stands for. The rosters'
// identifiers keep their numbers; the logs' stations follow them.
struct Stations {
    explicit Stations(const RosterCategories& rosters)
        : ids(rosters.ids()), roster(rosters.categories()), log(roster.size(), -1) {}

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
std::vector<qint64> matchPairs(std::vector<ContactPair> pairs, const std::vector<int>& logOf,
                               const std::vector<qint64>& seconds) {
    const std::size_t stations = logOf.size();
    auto low = [](const ContactPair& p) { return std::min(p.own, p.worked); };
    // The counting sort runs over a fixed number of slices, each counted and then placed on its own
    // core; slices keep their order, so the result is the same as one pass in order.
    constexpr std::size_t slices = 8;
    const std::size_t sliceSize = (pairs.size() + slices - 1) / slices;
    auto sliceOf = [&](std::size_t slice) {
        const std::size_t begin = std::min(pairs.size(), slice * sliceSize);
        return std::pair{begin, std::min(pairs.size(), begin + sliceSize)};
    };
    std::vector<std::vector<quint32>> place(slices, std::vector<quint32>(stations, 0));
    parallelFor(slices, [&](std::size_t slice) {
        const auto [begin, end] = sliceOf(slice);
        for (std::size_t i = begin; i < end; ++i)
            if (pairs[i].own != ContactPair::None)
                ++place[slice][low(pairs[i])];
    });
    std::vector<std::size_t> start(stations + 1, 0);
    quint32 placed = 0;
    for (std::size_t station = 0; station < stations; ++station) {
        start[station] = placed;
        for (std::vector<quint32>& counts : place)
            placed += std::exchange(counts[station], placed);
    }
    start[stations] = placed;
    std::vector<ContactPair> sorted(placed);
    parallelFor(slices, [&](std::size_t slice) {
        const auto [begin, end] = sliceOf(slice);
        for (std::size_t i = begin; i < end; ++i)
            if (pairs[i].own != ContactPair::None)
                sorted[place[slice][low(pairs[i])]++] = pairs[i];
    });
    // Every contact's pair is in sorted now: the room goes to the answers. (Assigning {} would keep it.)
    std::vector<ContactPair>().swap(pairs);
    std::vector<std::vector<quint32>>().swap(place);

    std::vector<qint64> apart(seconds.size(), NotAnswered);
    // Groups are independent: each run of them is matched on its own core with its own marks.
    const std::size_t runs = std::min<std::size_t>(stations, 64);
    parallelFor(runs, [&](std::size_t run) {
        // The answer from the indexed log of a group's higher station, and from the lower station's.
        std::vector<int> fromHigh(stations, -1);
        std::vector<int> fromLow(stations, -1);
        for (std::size_t lowStation = run; lowStation < stations; lowStation += runs) {
            const std::size_t begin = start[lowStation];
            const std::size_t end = start[lowStation + 1];
            // Only a station's indexed log answers: a second log from it confirms nothing.
            for (std::size_t i = begin; i < end; ++i) {
                const ContactPair& pair = sorted[i];
                if (logOf[pair.own] == static_cast<int>(pair.log))
                    (pair.own == lowStation ? fromLow[pair.worked] : fromHigh[pair.own]) =
                        static_cast<int>(i);
            }
            for (std::size_t i = begin; i < end; ++i) {
                const ContactPair& mine = sorted[i];
                const int answer = mine.own == lowStation ? fromHigh[mine.worked] : fromLow[mine.own];
                if (answer < 0)
                    continue;
                const qint64 theirs = seconds[sorted[static_cast<std::size_t>(answer)].contact];
                const qint64 ours = seconds[mine.contact];
                apart[mine.contact] =
                    ours != UnreadStamp && theirs != UnreadStamp ? std::abs(ours - theirs) : 0;
            }
            for (std::size_t i = begin; i < end; ++i) {
                fromLow[sorted[i].worked] = -1;
                fromHigh[sorted[i].own] = -1;
            }
        }
    });
    return apart;
}

// Judges one log's valid contacts from the roster, the logs received and the matched pairs, noting each
// refusal on its line in the order the report lists them.
void judgeContacts(CheckedLog& log, std::size_t firstContact, const Stations& stations,
                   const std::vector<int>& workedOf, const std::vector<qint64>& apart,
                   const IdentifierIndex& known, qint64 window, const CheckTexts& texts) {
    for (std::size_t c = 0; c < log.contacts.size(); ++c) {
        CheckedContact& contact = log.contacts[c];
        if (contact.state != ContactState::Valid)
            continue;
        const std::size_t index = firstContact + c;
        const int worked = workedOf[index];
        auto note = [&](CheckTexts::Id id, std::initializer_list<QStringView> values) {
            log.addFinding(contact.line, texts.lineFinding(contact.line, id, values));
        };
        const quint8 roster = worked < 0 ? 0 : stations.roster[static_cast<std::size_t>(worked)];
        const bool sentLog = worked >= 0 && stations.log[static_cast<std::size_t>(worked)] >= 0;
        if (roster == 0 && !sentLog) {
            if (const std::optional<QString> near = known.onlyNeighbour(contact.worked)) {
                contact.cross = CrossState::Miscopied;
                ++log.miscopied;
                note(CheckTexts::Miscopied, {contact.worked, *near});
            } else {
                contact.cross = CrossState::NoLog;
                note(CheckTexts::UnknownStation, {contact.worked});
            }
            continue;
        }
        if (roster != 0 && (contact.category & roster) == 0)
            note(CheckTexts::CategoryDiffers, {contact.worked, contact.categoryText(), categoryText(roster)});
        if (!sentLog) {
            contact.cross = CrossState::NoLog;
            continue;
        }
        const qint64 secondsApart = apart[index];
        if (secondsApart == NotAnswered) {
            contact.cross = CrossState::NotInLog;
            ++log.notInLog;
            note(CheckTexts::NotInLog, {contact.worked});
        } else if (secondsApart <= window) {
            // A time that cannot be read on either side is checked without the window.
            contact.cross = CrossState::Confirmed;
            ++log.confirmed;
        } else {
            contact.cross = CrossState::TimeOff;
            ++log.timeOff;
            note(CheckTexts::TimeOutside, {contact.worked, QString::number((secondsApart + 59) / 60)});
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
    Stations stations(rosters);
    IdentifierIndex known;
    for (int id = 0; id < rosters.ids().size(); ++id)
        known.add(rosters.ids().text(id));

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
        if (log.superseded)
            continue;
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

    // Every valid contact by station numbers, for matching against the other side. Every station that
    // can answer or be on a roster is numbered by now, so the logs are gone through on every core; a
    // station on no roster that sent no log keeps -1.
    const std::size_t contactCount = firstContact.back();
    std::vector<int> workedOf(contactCount, -1);
    std::vector<qint64> seconds(contactCount, UnreadStamp);
    std::vector<ContactPair> pairs(contactCount);
    parallelFor(logs.size(), [&](std::size_t i) {
        const CheckedLog& log = logs[i];
        for (std::size_t c = 0; c < log.contacts.size(); ++c) {
            const CheckedContact& contact = log.contacts[c];
            if (contact.state != ContactState::Valid)
                continue;
            const std::size_t index = firstContact[i] + c;
            // Numbers found while the log was read save a look at its text, long out of the cache.
            const int worked = contact.rosterNumber >= 0 && log.readWith == &rosters
                                   ? contact.rosterNumber
                                   : stations.ids.find(contact.worked);
            workedOf[index] = worked;
            if (contact.stamp.read())
                seconds[index] = contact.stamp.seconds;
            if (worked >= 0 && stations.log[static_cast<std::size_t>(worked)] >= 0 && stationOf[i] >= 0)
                pairs[index] = {static_cast<quint32>(stationOf[i]), static_cast<quint32>(worked),
                                static_cast<quint32>(index), static_cast<quint32>(i)};
        }
    });
    const std::vector<qint64> apart = matchPairs(std::move(pairs), stations.log, seconds);

    const qint64 window = static_cast<qint64>(settings.windowMinutes) * 60;
    qint64 checked = 0; // under progressLock, so that the lines come out in order
    std::mutex progressLock;
    parallelFor(logs.size(), [&](std::size_t i) {
        CheckedLog& log = logs[i];
        judgeContacts(log, firstContact[i], stations, workedOf, apart, known, window, texts);
        if (log.readable)
            score(log, settings);
        const std::lock_guard<std::mutex> lock(progressLock);
        const qint64 before = checked;
        checked += log.confirmed + log.notInLog + log.timeOff;
        if (settings.progress && before / 100000 != checked / 100000)
            settings.progress(checked);
    });
    if (settings.progress)
        settings.progress(checked);
    rank(logs);
}

} // namespace qvmd
