#include "core/check/CrossCheck.h"

#include "core/check/CheckTexts.h"
#include "core/check/IdentifierIndex.h"
#include "core/common/Windows1252.h"
#include "core/logfile/LogStatistics.h"
#include "core/logging/Score.h"
#include "core/refdata/CountryTable.h"

#include <algorithm>
#include <cstdlib>

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

// Each log's valid contacts by the station they worked.
using ContactsByWorked = QHash<QString, int>;

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
    // One log per station: the first one received; a second is reported and left out of the index.
    QHash<QString, int> logOfStation;
    std::vector<ContactsByWorked> byWorked(logs.size());
    IdentifierIndex known;
    for (auto it = rosters.categories.cbegin(); it != rosters.categories.cend(); ++it)
        known.add(it.key());
    for (std::size_t i = 0; i < logs.size(); ++i) {
        CheckedLog& log = logs[i];
        if (!log.readable || !wellFormedIdentifier(log.station))
            continue;
        const auto other = logOfStation.constFind(log.station);
        if (other != logOfStation.cend()) {
            log.addFinding(0, texts.text(CheckTexts::SecondLog)
                                  .arg(log.station, logs[static_cast<std::size_t>(*other)].fileName));
            continue;
        }
        logOfStation.insert(log.station, static_cast<int>(i));
        log.indexed = true;
        known.add(log.station);
        ContactsByWorked& index = byWorked[i];
        index.reserve(static_cast<qsizetype>(log.contacts.size()));
        for (std::size_t c = 0; c < log.contacts.size(); ++c)
            if (log.contacts[c].state == ContactState::Valid)
                index.insert(log.contacts[c].worked, static_cast<int>(c));
    }

    const qint64 window = static_cast<qint64>(settings.windowMinutes) * 60;
    qint64 checked = 0;
    for (CheckedLog& log : logs) {
        for (CheckedContact& contact : log.contacts) {
            if (contact.state != ContactState::Valid)
                continue;
            const ContactRecord& record = log.contents.records[static_cast<std::size_t>(contact.record)];
            auto note = [&](const QString& text) {
                log.addFinding(contact.line, texts.text(CheckTexts::LinePrefix).arg(contact.line) +
                                                 QStringLiteral(": ") + text);
            };
            const auto roster = rosters.categories.constFind(contact.worked);
            const auto otherLog = logOfStation.constFind(contact.worked);
            if (roster == rosters.categories.cend() && otherLog == logOfStation.cend()) {
                if (const std::optional<QString> near = known.onlyNeighbour(contact.worked)) {
                    contact.cross = CrossState::Miscopied;
                    ++log.miscopied;
                    note(texts.text(CheckTexts::Miscopied).arg(contact.worked, *near));
                } else {
                    contact.cross = CrossState::NoLog;
                    note(texts.text(CheckTexts::UnknownStation).arg(contact.worked));
                }
                continue;
            }
            if (roster != rosters.categories.cend()) {
                const QStringView category = record.field(ContactRecord::Category).trimmed();
                if ((maskOf(category) & *roster) == 0)
                    note(texts.text(CheckTexts::CategoryDiffers)
                             .arg(contact.worked, category.toString(), categoryText(*roster)));
            }
            if (otherLog == logOfStation.cend()) {
                contact.cross = CrossState::NoLog;
                continue;
            }
            ++checked;
            if (settings.progress && checked % 100000 == 0)
                settings.progress(checked);
            const CheckedLog& other = logs[static_cast<std::size_t>(*otherLog)];
            const auto answer = byWorked[static_cast<std::size_t>(*otherLog)].constFind(log.station);
            if (answer == byWorked[static_cast<std::size_t>(*otherLog)].cend()) {
                contact.cross = CrossState::NotInLog;
                ++log.notInLog;
                note(texts.text(CheckTexts::NotInLog).arg(contact.worked));
                continue;
            }
            const Stamp& theirs = other.contacts[static_cast<std::size_t>(*answer)].stamp;
            if (!contact.stamp.read() || !theirs.read()) {
                contact.cross = CrossState::Confirmed;
                ++log.confirmed;
                continue;
            }
            const qint64 apart = std::abs(contact.stamp.seconds - theirs.seconds);
            if (apart <= window) {
                contact.cross = CrossState::Confirmed;
                ++log.confirmed;
                continue;
            }
            contact.cross = CrossState::TimeOff;
            ++log.timeOff;
            note(texts.text(CheckTexts::TimeOutside).arg(contact.worked).arg((apart + 59) / 60));
        }
    }
    if (settings.progress)
        settings.progress(checked);
    for (CheckedLog& log : logs)
        if (log.readable)
            score(log, settings);
    rank(logs);
}

} // namespace qvmd
