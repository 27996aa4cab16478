// The cross-check's indexes against the plainest possible reading of the rule, on random logs.

#include "core/check/CheckTexts.h"
#include "core/check/CheckedLog.h"
#include "core/check/CrossCheck.h"
#include "core/check/IdentifierIds.h"

#include <gtest/gtest.h>

#include <random>

using namespace qvmd;

namespace {

QString station(int n) {
    return QStringLiteral("%1QV%2").arg(n % 9 + 1).arg(n);
}

// A log whose contacts are (station worked, minute past 14:00); a negative minute writes a stamp that
// cannot be read. Identifiers are sometimes written in small letters.
CheckedLog randomLog(int own, const std::vector<std::pair<int, int>>& contacts, std::mt19937& random) {
    const QByteArray id = station(own).toLatin1();
    QByteArray bytes = "##H\r\n#" + id + "\r\n#OP\r\n#N\r\n#1\r\n#x\r\n#1\r\n#QV\r\n#1\r\n#2026\r\n#LOG\r\n";
    int n = 0;
    for (const auto& [other, minute] : contacts) {
        QByteArray worked = station(other).toLatin1();
        if (random() % 7 == 0)
            worked = worked.toLower();
        const QByteArray stamp = minute < 0
                                     ? QByteArray("later")
                                     : "06/03/2026 " + QByteArray::number(14 + minute / 60) + ':' +
                                           QByteArray::number(minute % 60).rightJustified(2, '0') + ":00";
        bytes += QByteArray::number(++n) + ">1>" + worked + ">X>H>C>" + stamp + ">N>\r\n";
    }
    return checkLogBytes(QString::fromLatin1(id) + "_MD_H_2026.Log", bytes, CheckTexts(1000));
}

// What the rule says for contact c of log l, found by looking through every log.
CrossState expected(const std::vector<CheckedLog>& logs, const CheckedLog& log, const CheckedContact& contact,
                    int windowMinutes) {
    const CheckedLog* other = nullptr;
    for (const CheckedLog& candidate : logs)
        if (candidate.station == log.workedText(contact)) {
            other = &candidate; // the first log received from a station is the one that answers
            break;
        }
    if (!other)
        return CrossState::NoLog;
    for (const CheckedContact& theirs : other->contacts) {
        if (other->workedText(theirs) != log.station)
            continue;
        if (contact.seconds == CheckedContact::Unread || theirs.seconds == CheckedContact::Unread)
            return CrossState::Confirmed;
        return std::abs(contact.seconds - theirs.seconds) <= windowMinutes * 60 ? CrossState::Confirmed
                                                                                : CrossState::TimeOff;
    }
    return CrossState::NotInLog;
}

TEST(CheckMatching, AgreesWithAPlainSearchOnRandomLogs) {
    std::mt19937 random(14);
    for (int round = 0; round < 30; ++round) {
        const int stations = 2 + static_cast<int>(random() % 12);
        std::vector<CheckedLog> logs;
        // Some stations send no log, some send two; contacts repeat, miss, drift in time or lose their stamp.
        for (int s = 0; s < stations; ++s) {
            for (int copies = random() % 5 == 0 ? 0 : (random() % 6 == 0 ? 2 : 1); copies > 0; --copies) {
                std::vector<std::pair<int, int>> contacts;
                for (int c = static_cast<int>(random() % 8); c > 0; --c) {
                    const int other = static_cast<int>(random() % static_cast<unsigned>(stations));
                    const int minute = random() % 9 == 0 ? -1 : static_cast<int>(random() % 40);
                    contacts.emplace_back(other, minute);
                }
                logs.push_back(randomLog(s, contacts, random));
            }
        }
        std::shuffle(logs.begin(), logs.end(), random);
        const int window = static_cast<int>(random() % 15);
        CrossCheckSettings settings;
        settings.windowMinutes = window;
        crossCheck(logs, RosterCategories{}, settings, CheckTexts(1000));

        for (const CheckedLog& log : logs)
            for (const CheckedContact& contact : log.contacts) {
                const CrossState want = expected(logs, log, contact, window);
                // With no roster, a station that sent no log is unknown or one edit from a known one.
                if (want == CrossState::NoLog)
                    EXPECT_TRUE(contact.cross == CrossState::NoLog || contact.cross == CrossState::Miscopied);
                else
                    EXPECT_EQ(contact.cross, want) << "round " << round << ", " << log.fileName.toStdString()
                                                   << " line " << contact.line;
            }
    }
}

TEST(CheckMatching, IdentifierNumbersSurviveTheTableGrowing) {
    IdentifierIds ids;
    for (int n = 0; n < 20000; ++n)
        ASSERT_EQ(ids.add(station(n)), n);
    for (int n = 0; n < 20000; n += 7) {
        EXPECT_EQ(ids.find(station(n)), n);
        EXPECT_EQ(ids.add(station(n)), n); // adding again keeps the number
        EXPECT_EQ(ids.text(n), station(n));
    }
    EXPECT_EQ(ids.find(u"1QV20000"), -1);
    EXPECT_EQ(ids.find(u""), -1);
    EXPECT_EQ(ids.size(), 20000);
}

} // namespace
