#include "core/common/Windows1252.h"
#include "core/logfile/ContactRecord.h"
#include "core/logging/ContactLog.h"
#include "core/logging/DayStatistics.h"
#include "support/Printers.h"

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QTimeZone>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

constexpr int countryCount = 10;
const PointValues points{1, 2, 5};

struct Contact {
    qint64 seconds = 0;
    bool stamped = false;
    QString category;
    int country = 0;
};

QByteArray fixture(const char* name) {
    QFile file(QStringLiteral(QVMD_FIXTURES_DIR "/logging/statistics/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

// The valid contacts of a log read the slow, obvious way: line by line, every stamp parsed by QDateTime.
std::vector<Contact> recountContacts(const QByteArray& bytes, const QString& stampForm, int& cancelled) {
    std::vector<Contact> contacts;
    cancelled = 0;
    for (const QByteArray& raw : bytes.split('\n')) {
        const QString line = fromWindows1252(raw.trimmed());
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const ContactRecord record = ContactRecord::fromLine(line);
        if (record.fieldText(ContactRecord::Cancelled) != QLatin1String("N")) {
            ++cancelled;
            continue;
        }
        Contact contact;
        QDateTime stamp = QDateTime::fromString(record.fieldText(ContactRecord::DateTime), stampForm);
        stamp.setTimeSpec(Qt::UTC);
        // A month-first log, proved by its other dates, reads 5/9 as May 9.
        contact.stamped = stamp.isValid();
        contact.seconds = stamp.toSecsSinceEpoch();
        contact.category = record.fieldText(ContactRecord::Category);
        const QString unit = record.fieldText(ContactRecord::Unit);
        qsizetype digits = 0;
        while (digits < unit.size() && unit[digits].isDigit())
            ++digits;
        contact.country = unit.left(digits).toInt();
        contacts.push_back(contact);
    }
    return contacts;
}

DayStatistics recount(const QByteArray& bytes, const QString& stampForm) {
    DayStatistics expected;
    const std::vector<Contact> contacts = recountContacts(bytes, stampForm, expected.cancelled);
    expected.valid = static_cast<int>(contacts.size());
    QMap<int, int> byCountry;
    std::vector<Contact> timed;
    for (const Contact& contact : contacts) {
        if (contact.country >= 1 && contact.country <= countryCount)
            ++byCountry[contact.country];
        if (!contact.stamped) {
            ++expected.unreadableStamps;
            continue;
        }
        timed.push_back(contact);
        auto& hour = expected.hours[static_cast<std::size_t>(
            QDateTime::fromSecsSinceEpoch(contact.seconds, Qt::UTC).time().hour())];
        hour.hunters += contact.category == QLatin1String("H");
        hour.ladies += contact.category == QLatin1String("L");
    }
    for (int contactsOf = expected.valid; contactsOf > 0; --contactsOf)
        for (auto it = byCountry.cbegin(); it != byCountry.cend(); ++it)
            if (it.value() == contactsOf)
                expected.countries.push_back({it.key(), it.value()});

    std::stable_sort(timed.begin(), timed.end(),
                     [](const Contact& a, const Contact& b) { return a.seconds < b.seconds; });
    QMap<qint64, std::int64_t> scoreByMinute;
    QMap<int, bool> worked;
    std::int64_t hunters = 0;
    std::int64_t ladies = 0;
    for (const Contact& contact : timed) {
        expected.stamps.push_back(contact.seconds);
        hunters += contact.category == QLatin1String("H");
        ladies += contact.category == QLatin1String("L");
        if (contact.country >= 1 && contact.country <= countryCount)
            worked[contact.country] = true;
        scoreByMinute[contact.seconds / 60 * 60] = scoreTotal(hunters, ladies, worked.size(), points);
    }
    for (auto it = scoreByMinute.cbegin(); it != scoreByMinute.cend(); ++it)
        expected.score.push_back({it.key(), it.value()});
    return expected;
}

TEST(DayStatistics, EqualsAPlainRecountOfTheLog) {
    const struct {
        const char* file;
        const char* stampForm;
        int valid;
    } cases[] = {
        {"day.Log", "dd/MM/yyyy HH:mm:ss", 167},
        {"month_first.Log", "M/d/yyyy h:mm:ss AP", 40},
        {"empty.Log", "dd/MM/yyyy HH:mm:ss", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QByteArray bytes = fixture(c.file);
        ContactLog log;
        log.load(bytes);
        const DayStatistics actual = dayStatistics(log, countryCount, points);
        const DayStatistics expected = recount(bytes, QString::fromLatin1(c.stampForm));

        EXPECT_EQ(actual.valid, c.valid);
        EXPECT_EQ(actual.valid, expected.valid);
        EXPECT_EQ(actual.cancelled, expected.cancelled);
        EXPECT_EQ(actual.unreadableStamps, expected.unreadableStamps);
        EXPECT_EQ(actual.hours, expected.hours);
        EXPECT_EQ(actual.countries, expected.countries);
        EXPECT_EQ(actual.stamps, expected.stamps);
        EXPECT_EQ(actual.score, expected.score);
        if (!expected.score.empty()) {
            // The line ends at the score the panel shows when every stamp could be read.
            int countries = 0;
            for (const auto& country : expected.countries)
                countries += country.contacts > 0;
            int hunters = 0, ladies = 0;
            for (const auto& hour : expected.hours) {
                hunters += hour.hunters;
                ladies += hour.ladies;
            }
            if (expected.unreadableStamps == 0) {
                EXPECT_EQ(actual.score.back().score, scoreTotal(hunters, ladies, countries, points));
            }
        }
        for (const qint64 now : {qint64(0), expected.stamps.empty() ? 0 : expected.stamps.back(),
                                 expected.stamps.empty() ? 0 : expected.stamps.back() + 7 * 60}) {
            for (const int minutes : {10, 60}) {
                const auto inWindow =
                    std::count_if(expected.stamps.begin(), expected.stamps.end(),
                                  [&](qint64 s) { return s > now - minutes * 60 && s <= now; });
                EXPECT_EQ(actual.ratePerHour(now, minutes), static_cast<int>(inWindow) * 60 / minutes)
                    << now << " " << minutes;
            }
        }
    }
}

TEST(DayStatistics, BusiestHourIsTheEarliestOfTheMost) {
    DayStatistics statistics;
    EXPECT_EQ(statistics.busiestHour(), -1);
    statistics.hours[14] = {3, 1};
    statistics.hours[9] = {2, 2};
    statistics.hours[20] = {1, 0};
    EXPECT_EQ(statistics.busiestHour(), 9);
}

} // namespace
