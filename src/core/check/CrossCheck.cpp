#include "core/check/CrossCheck.h"

#include "core/check/CheckTexts.h"
#include "core/check/IdentifierIds.h"
#include "core/check/IdentifierIndex.h"
#include "core/common/ParallelFor.h"
#include "core/common/Windows1252.h"
#include "core/logfile/WorkedCountries.h"
#include "core/logging/Score.h"

#include <QVarLengthArray>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <limits>
#include <mutex>
#include <optional>
#include <unordered_map>

namespace qvmd {

namespace {

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

// A valid contact of a log with a well-formed station, by the places of the two logs, with its number
// among all valid contacts of all logs, its stamp and the number sent: 24 bytes, one for every contact.
struct ContactPair {
    qint64 seconds = CheckedContact::Unread;
    quint32 own = 0;
    quint32 worked = 0;
    quint32 contact : 31 = 0;
    quint32 answers : 1 = 0; // from the indexed log of its place: only that one confirms anything
    qint32 sent = -1;
};
static_assert(sizeof(ContactPair) == 24);

// For each contact, the seconds between its stamp and the other side's; 0 when either cannot be read,
// NotAnswered when the other side's log does not have the contact.
constexpr qint64 NotAnswered = -1;

// Logs are per station and category: each station has two places for a log, Hunter then Lady.
constexpr std::size_t LadyPlace = 1;

std::size_t placeOf(const QString& category) {
    return category == QLatin1String("L") ? LadyPlace : 0;
}

// Where the cross-check stands: identifiers as numbers and what each number stands for. The rosters'
// identifiers keep their numbers; the logs' stations follow them.
struct Stations {
    explicit Stations(const RosterCategories& rosters)
        : ids(rosters.ids()), roster(rosters.categories()), log(2 * roster.size(), -1) {}

    IdentifierIds ids;
    std::vector<quint8> roster; // by number: RosterCategories mask, 0 when on no roster
    std::vector<int> log;       // by number and category place: the log received, or -1

    std::size_t add(QStringView identifier) {
        const auto id = static_cast<std::size_t>(ids.add(identifier));
        if (2 * id >= log.size()) {
            log.resize(2 * id + 2, -1);
            roster.resize(id + 1, 0);
        }
        return id;
    }
    bool sentLog(std::size_t station) const { return log[2 * station] >= 0 || log[2 * station + 1] >= 0; }
    // The place of the log that answers for a station worked in a category: that category's, or the
    // station's only log whatever the category; -1 when it sent none.
    int answering(std::size_t station, quint8 countedCategory) const {
        const std::size_t wanted = 2 * station + (countedCategory == RosterCategories::Lady ? LadyPlace : 0);
        if (log[wanted] >= 0)
            return static_cast<int>(wanted);
        const std::size_t other = wanted ^ 1;
        return log[other] >= 0 ? static_cast<int>(other) : -1;
    }
};

// The cross-check's number of the station a contact worked, or -1 for one on no roster that sent no log.
int stationOf(const CheckedLog& log, const CheckedContact& contact) {
    return contact.onRoster() ? contact.worked : log.others[contact.other()].number;
}

// Every valid contact of the logs that have a station, as pairs grouped by their lower station number
// with one counting sort: the logs are cut into runs that are counted and then placed each on its own
// core; runs keep their order, so the result is the same as one pass in order. A contact with a station
// that sent no log has nothing to meet and is left out.
struct Groups {
    std::vector<ContactPair> pairs;
    std::vector<std::size_t> start; // by station: where its group begins; one more at the end
};

Groups groupPairs(const std::vector<CheckedLog>& logs, const std::vector<int>& ownPlace,
                  const std::vector<std::size_t>& firstContact, const Stations& stations) {
    const std::vector<int>& logOf = stations.log;
    const std::size_t places = logOf.size();
    constexpr std::size_t runs = 8;
    const std::size_t runSize = (logs.size() + runs - 1) / runs;
    // Calls visit(pair) for each contact of the run's logs that has another side.
    auto forEachPair = [&](std::size_t run, auto&& visit) {
        const std::size_t end = std::min(logs.size(), (run + 1) * runSize);
        for (std::size_t i = run * runSize; i < end; ++i) {
            const CheckedLog& log = logs[i];
            if (ownPlace[i] < 0)
                continue;
            const auto own = static_cast<quint32>(ownPlace[i]);
            const bool answers = logOf[own] == static_cast<int>(i);
            for (std::size_t c = 0; c < log.contacts.size(); ++c) {
                const CheckedContact& contact = log.contacts[c];
                const int station = stationOf(log, contact);
                const int worked = station < 0 ? -1
                                               : stations.answering(static_cast<std::size_t>(station),
                                                                    contact.countedCategory);
                if (worked >= 0)
                    visit(ContactPair{contact.seconds, own, static_cast<quint32>(worked),
                                      static_cast<quint32>(firstContact[i] + c), answers, contact.sent});
            }
        }
    };
    auto low = [](const ContactPair& p) { return std::min(p.own, p.worked); };
    std::vector<std::vector<quint32>> place(runs, std::vector<quint32>(places, 0));
    parallelFor(runs, [&](std::size_t run) {
        forEachPair(run, [&](const ContactPair& pair) { ++place[run][low(pair)]; });
    });
    Groups groups;
    groups.start.resize(places + 1, 0);
    quint32 placed = 0;
    for (std::size_t station = 0; station < places; ++station) {
        groups.start[station] = placed;
        for (std::vector<quint32>& counts : place)
            placed += std::exchange(counts[station], placed);
    }
    groups.start[places] = placed;
    groups.pairs.resize(placed);
    parallelFor(runs, [&](std::size_t run) {
        forEachPair(run, [&](const ContactPair& pair) { groups.pairs[place[run][low(pair)]++] = pair; });
    });
    return groups;
}

// Matches every contact A→B with B's contact B→A. Within a group each higher station number marks
// where its contacts are, so the two sides of a contact meet without a lookup per contact.
struct Matches {
    std::vector<qint64> apart;     // by contact
    std::vector<qint32> theirSent; // by contact: the number the other side sent, when it answered
};

Matches matchPairs(const Groups& groups, std::size_t contactCount) {
    const std::size_t stations = groups.start.size() - 1;
    const std::vector<ContactPair>& sorted = groups.pairs;
    Matches matches{std::vector<qint64>(contactCount, NotAnswered), std::vector<qint32>(contactCount, -1)};
    std::vector<qint64>& apart = matches.apart;
    // Groups are independent: each run of them is matched on its own core with its own marks. The marks
    // span every station, so the runs are few: a few per core, for balance.
    const std::size_t runs = std::min<std::size_t>(stations, 4 * usableCores());
    parallelFor(runs, [&](std::size_t run) {
        // The answer from the indexed log of a group's higher station, and from the lower station's.
        std::vector<int> fromHigh(stations, -1);
        std::vector<int> fromLow(stations, -1);
        for (std::size_t lowStation = run; lowStation < stations; lowStation += runs) {
            const std::size_t begin = groups.start[lowStation];
            const std::size_t end = groups.start[lowStation + 1];
            for (std::size_t i = begin; i < end; ++i) {
                const ContactPair& pair = sorted[i];
                if (pair.answers)
                    (pair.own == lowStation ? fromLow[pair.worked] : fromHigh[pair.own]) =
                        static_cast<int>(i);
            }
            for (std::size_t i = begin; i < end; ++i) {
                const ContactPair& mine = sorted[i];
                const int answer = mine.own == lowStation ? fromHigh[mine.worked] : fromLow[mine.own];
                if (answer < 0)
                    continue;
                const ContactPair& their = sorted[static_cast<std::size_t>(answer)];
                matches.theirSent[mine.contact] = their.sent;
                const qint64 theirs = their.seconds;
                const qint64 ours = mine.seconds;
                apart[mine.contact] = ours != CheckedContact::Unread && theirs != CheckedContact::Unread
                                          ? std::abs(ours - theirs)
                                          : 0;
            }
            for (std::size_t i = begin; i < end; ++i) {
                fromLow[sorted[i].worked] = -1;
                fromHigh[sorted[i].own] = -1;
            }
        }
    });
    return matches;
}

// Judges one log's valid contacts from the roster, the logs received and the matched pairs, noting each
// refusal on its line in the order the report lists them.
// A number as a finding's value, made on the stack: most contacts of a log may draw a finding, and each
// value is copied into the log's findings at once.
class NumberText {
public:
    explicit NumberText(qint64 number) {
        const bool negative = number < 0;
        auto magnitude = negative ? 0 - static_cast<quint64>(number) : static_cast<quint64>(number);
        do {
            digits_[--start_] = static_cast<char16_t>(u'0' + magnitude % 10);
            magnitude /= 10;
        } while (magnitude != 0);
        if (negative)
            digits_[--start_] = u'-';
    }
    QStringView view() const { return QStringView(digits_.data() + start_, digits_.size() - start_); }

private:
    std::array<char16_t, 24> digits_{};
    std::size_t start_ = 24;
};

// A number field as a finding shows it; one that is no number is shown as such.
QStringView numberText(qint32 number, const NumberText& text) {
    return number >= 0 ? text.view() : QStringView(u"?");
}

// The known identifier one edit away from each station that no roster or log knows, by its number among
// them: looked up once however many logs worked it.
using Neighbours = std::vector<std::optional<QString>>;

void judgeContacts(CheckedLog& log, std::size_t firstContact, const Stations& stations,
                   const Matches& matches, const IdentifierIndex& known, const Neighbours& neighbours,
                   qint64 window, bool strictNumbers) {
    QString otherText; // the text of a station no number stands for, its room kept from one to the next
    for (std::size_t c = 0; c < log.contacts.size(); ++c) {
        CheckedContact& contact = log.contacts[c];
        const int worked = stationOf(log, contact);
        // Shown only in a finding, so made only for one.
        auto identifier = [&]() -> QStringView {
            if (worked >= 0)
                return stations.ids.text(worked);
            const QByteArrayView bytes = log.otherIdentifier(log.others[contact.other()]);
            // A valid identifier is plain ASCII.
            otherText = QLatin1String(bytes.data(), bytes.size());
            return otherText;
        };
        auto note = [&](CheckTexts::Id id, std::initializer_list<QStringView> values) {
            log.addFinding(contact.line, id, values);
        };
        const quint8 roster = worked < 0 ? 0 : stations.roster[static_cast<std::size_t>(worked)];
        const bool sentLog = worked >= 0 && stations.sentLog(static_cast<std::size_t>(worked));
        if (roster == 0 && !sentLog) {
            const QStringView text = identifier();
            // A station numbered by the cross-check with no log used (a superseded one's) is rare.
            const std::optional<QString> near =
                worked < 0 ? neighbours[static_cast<std::size_t>(log.others[contact.other()].unknown)]
                           : known.onlyNeighbour(text);
            if (near) {
                contact.cross = CrossState::Miscopied;
                ++log.miscopied;
                note(CheckTexts::Miscopied, {text, *near});
            } else {
                contact.cross = CrossState::NoLog;
                note(CheckTexts::UnknownStation, {text});
            }
            continue;
        }
        // A roster station found while the log was read had its category compared then.
        if (roster != 0 && !contact.onRoster()) {
            const OtherStation& other = log.others[contact.other()];
            if ((other.category & roster) == 0)
                note(CheckTexts::CategoryDiffers, {identifier(), fromWindows1252(log.otherCategory(other)),
                                                   RosterCategories::text(roster)});
        }
        if (!sentLog) {
            contact.cross = CrossState::NoLog;
            continue;
        }
        const qint64 secondsApart = matches.apart[firstContact + c];
        if (secondsApart == NotAnswered) {
            contact.cross = CrossState::NotInLog;
            ++log.notInLog;
            note(CheckTexts::NotInLog, {identifier()});
        } else if (secondsApart <= window) {
            // A time that cannot be read on either side is checked without the window.
            const qint32 theirSent = matches.theirSent[firstContact + c];
            if (contact.received == theirSent) {
                contact.cross = CrossState::Confirmed;
                ++log.confirmed;
                continue;
            }
            ++log.numbersMiscopied;
            note(CheckTexts::NumberMiscopied,
                 {identifier(), numberText(contact.received, NumberText(contact.received)),
                  numberText(theirSent, NumberText(theirSent))});
            if (strictNumbers) {
                contact.cross = CrossState::WrongNumber;
                ++log.numbersRefused;
            } else {
                contact.cross = CrossState::Confirmed;
                ++log.confirmed;
            }
        } else {
            contact.cross = CrossState::TimeOff;
            ++log.timeOff;
            note(CheckTexts::TimeOutside, {identifier(), NumberText((secondsApart + 59) / 60).view()});
        }
    }
}

// A log whose dates prove no order was read day/month/year; it is turned to month/day/year when that
// puts its contacts on the days the logs of a proved order use, so that no partner is refused for it.
void settleDateOrders(std::vector<CheckedLog>& logs, const CheckTexts& texts) {
    auto dayOf = [](const CheckedContact& contact) { return contact.seconds / 86400; };
    if (std::none_of(logs.cbegin(), logs.cend(), [](const CheckedLog& log) { return !log.daySwaps.empty(); }))
        return;
    // Every log as read counts: most logs are written day/month/year and prove nothing either, on an
    // event day of 12 or less.
    std::unordered_map<qint64, qint64> used; // day: contacts on it
    for (const CheckedLog& log : logs) {
        // A log's contacts come in runs of one day.
        qint64 runDay = 0;
        qint64 run = 0;
        for (const CheckedContact& contact : log.contacts) {
            if (contact.seconds == CheckedContact::Unread)
                continue;
            if (run > 0 && dayOf(contact) != runDay) {
                used[runDay] += run;
                run = 0;
            }
            runDay = dayOf(contact);
            ++run;
        }
        if (run > 0)
            used[runDay] += run;
    }
    parallelFor(logs.size(), [&](std::size_t i) {
        CheckedLog& log = logs[i];
        if (log.daySwaps.empty())
            return;
        // Only the days that read otherwise can tip the balance; the log's own contacts are taken out
        // of the count, or they would vote for the order they were read in.
        const std::vector<std::pair<qint64, qint64>>& swaps = log.daySwaps;
        auto swapAt = [&](qint64 day) {
            const auto swap =
                std::lower_bound(swaps.cbegin(), swaps.cend(),
                                 std::pair<qint64, qint64>(day, std::numeric_limits<qint64>::min()));
            return swap != swaps.cend() && swap->first == day ? swap - swaps.cbegin() : -1;
        };
        std::vector<qint64> own(swaps.size(), 0);
        for (const CheckedContact& contact : log.contacts)
            if (contact.seconds != CheckedContact::Unread)
                if (const auto k = swapAt(dayOf(contact)); k >= 0)
                    ++own[static_cast<std::size_t>(k)];
        auto othersOn = [&](qint64 day) {
            const auto found = used.find(day);
            qint64 count = found == used.end() ? 0 : found->second;
            if (const auto k = swapAt(day); k >= 0)
                count -= own[static_cast<std::size_t>(k)];
            return count;
        };
        qint64 asRead = 0;
        qint64 asTurned = 0;
        for (std::size_t k = 0; k < swaps.size(); ++k) {
            asRead += own[k] * othersOn(swaps[k].first);
            asTurned += own[k] * othersOn(swaps[k].second);
        }
        auto turned = [&](qint64 day) {
            const auto k = swapAt(day);
            return k >= 0 ? swaps[static_cast<std::size_t>(k)].second : day;
        };
        if (asTurned > asRead) {
            for (CheckedContact& contact : log.contacts)
                if (contact.seconds != CheckedContact::Unread)
                    contact.seconds += (turned(dayOf(contact)) - dayOf(contact)) * 86400;
            log.addFinding(0, texts.format(CheckTexts::DateOrderOthers, {monthFirstForm()}));
        }
        std::vector<std::pair<qint64, qint64>>().swap(log.daySwaps);
    });
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
    settleDateOrders(logs, texts);
    // Identifiers become numbers once; from here on stations are compared and indexed as numbers.
    Stations stations(rosters);
    IdentifierIndex known;
    for (int id = 0; id < rosters.ids().size(); ++id)
        known.add(rosters.ids().text(id));

    // One log per station and category: the first one received; another is reported and left out of the
    // index, and the one used names it.
    std::vector<int> ownPlace(logs.size(), -1);
    std::vector<std::size_t> firstContact(logs.size() + 1, 0); // each log's contacts in one numbering
    for (std::size_t i = 0; i < logs.size(); ++i) {
        CheckedLog& log = logs[i];
        Q_ASSERT(log.readWith == nullptr || log.readWith == &rosters);
        firstContact[i + 1] = firstContact[i] + log.contacts.size();
        if (!log.readable || !wellFormedIdentifier(QStringView(log.station)))
            continue;
        const std::size_t place = 2 * stations.add(log.station) + placeOf(log.category);
        ownPlace[i] = static_cast<int>(place);
        if (log.superseded)
            continue;
        if (stations.log[place] >= 0) {
            log.addFinding(
                0, texts.text(CheckTexts::SecondLog)
                       .arg(log.station, logs[static_cast<std::size_t>(stations.log[place])].fileName));
            continue;
        }
        stations.log[place] = static_cast<int>(i);
        log.indexed = true;
        known.add(log.station);
    }
    // The tables give a place one row: the log used, which names the others.
    std::vector<QStringList> notUsed(logs.size());
    for (std::size_t i = 0; i < logs.size(); ++i) {
        if (ownPlace[i] < 0 || logs[i].indexed)
            continue;
        const int used = stations.log[static_cast<std::size_t>(ownPlace[i])];
        if (used < 0)
            continue;
        logs[i].inTables = false;
        // A log from mail names the ones its station's newer message superseded already.
        CheckedLog& usedLog = logs[static_cast<std::size_t>(used)];
        if (!(logs[i].superseded && !usedLog.originLines.isEmpty()))
            notUsed[static_cast<std::size_t>(used)].append(logs[i].fileName);
    }
    for (std::size_t i = 0; i < logs.size(); ++i)
        if (!notUsed[i].isEmpty())
            logs[i].addFinding(
                0, texts.format(CheckTexts::NotUsedLogs, {notUsed[i].join(QStringLiteral(", "))}));
    // Every station that can answer or be on a roster is numbered by now: the few stations no roster
    // the logs were read with lists get theirs, or -1.
    parallelFor(logs.size(), [&](std::size_t i) {
        QVarLengthArray<char16_t, 32> text;
        for (OtherStation& other : logs[i].others) {
            // A valid identifier is plain ASCII.
            const QByteArrayView bytes = logs[i].otherIdentifier(other);
            text.resize(bytes.size());
            std::copy(bytes.begin(), bytes.end(), text.begin());
            other.number = stations.ids.find(QStringView(text.data(), text.size()));
        }
    });
    ByteIdentifierIds unknown;
    for (CheckedLog& log : logs)
        for (OtherStation& other : log.others)
            if (other.number < 0)
                other.unknown = unknown.add(log.otherIdentifier(other));
    Neighbours neighbours(static_cast<std::size_t>(unknown.size()));
    parallelFor(neighbours.size(), [&](std::size_t u) {
        neighbours[u] = known.onlyNeighbour(QString::fromLatin1(unknown.text(static_cast<int>(u))));
    });

    const Matches matches =
        matchPairs(groupPairs(logs, ownPlace, firstContact, stations), firstContact.back());

    const qint64 window = static_cast<qint64>(settings.windowMinutes) * 60;
    qint64 checked = 0; // under progressLock, so that the lines come out in order
    std::mutex progressLock;
    parallelFor(logs.size(), [&](std::size_t i) {
        CheckedLog& log = logs[i];
        judgeContacts(log, firstContact[i], stations, matches, known, neighbours, window,
                      settings.strictNumbers);
        if (log.readable)
            score(log, settings);
        const std::lock_guard<std::mutex> lock(progressLock);
        const qint64 before = checked;
        checked += log.confirmed + log.notInLog + log.timeOff + log.numbersRefused;
        if (settings.progress && before / 100000 != checked / 100000)
            settings.progress(checked);
    });
    if (settings.progress)
        settings.progress(checked);
    rank(logs);
}

} // namespace qvmd
