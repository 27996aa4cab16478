#include "core/check/ResultsCharts.h"
#include "core/refdata/CountryTable.h"
#include "support/Printers.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

using namespace qvmd;

namespace {

constexpr qint64 day = qint64(2461170) * 86400; // a day on the checker's stamp scale

CheckedLog ranked(const QString& station, const QString& category, const QString& name, std::int64_t score,
                  int rank, std::vector<qint64> stamps = {}) {
    CheckedLog log;
    log.readable = true;
    log.station = station;
    log.category = category;
    log.name = name;
    log.checkedScore = score;
    log.rank = rank;
    for (const qint64 stamp : stamps) {
        CheckedContact contact;
        contact.seconds = stamp;
        log.contacts.push_back(contact);
    }
    return log;
}

std::vector<CheckedLog> sampleLogs() {
    std::vector<CheckedLog> logs;
    for (int n = 1; n <= 12; ++n)
        logs.push_back(ranked(QStringLiteral("%1QV%2").arg(n % 3 + 1).arg(n), QStringLiteral("H"),
                              QStringLiteral("HUNTER %1").arg(n), 100 - n, n));
    logs.push_back(
        ranked(QStringLiteral("2QV50"), QStringLiteral("L"), QStringLiteral("<b>ANNA & CO</b>"), 63, 1,
               {day + 10 * 3600 + 300, day + 10 * 3600 + 3599, day + 23 * 3600, CheckedContact::Unread}));
    CheckedLog replaced =
        ranked(QStringLiteral("2QV50"), QStringLiteral("L"), QStringLiteral("ANNA"), 10, 0, {day + 5 * 3600});
    replaced.superseded = true;
    logs.push_back(replaced);
    CheckedLog unreadable;
    unreadable.fileName = QStringLiteral("broken.Log");
    logs.push_back(unreadable);
    return logs;
}

TEST(ResultsCharts, CountAndDrawWhatTheTableHolds) {
    const std::vector<CheckedLog> logs = sampleLogs();
    const CountryTable countries = CountryTable::fromLines(
        {QStringLiteral("I>Italia"), QStringLiteral("F>France"), QStringLiteral("G>England")});
    const ResultsChartData data = resultsChartData(logs, countries);
    std::array<int, 24> hours{};
    hours[10] = 2; // the unread stamp and the superseded log count nowhere
    hours[23] = 1;
    EXPECT_EQ(data.contactsPerHour, hours);

    const QString page = resultsChartsHtml(logs, data, 1000);
    EXPECT_EQ(page, resultsChartsHtml(logs, data, 1000)); // the same logs, the same bytes

    const struct {
        const char* what;
        const char* pattern;
        int count;
    } expectations[] = {
        {"one picture per chart: category, country, hours, scores, two top tens", "<svg ", 6},
        {"each with a title a screen reader reads", "<title id=", 6},
        {"and a caption", "<figcaption>", 6},
        {"the top ten of H stops at ten", "end\">\\d+\\. \\dQV\\d+ HUNTER", 10},
        {"stations per category: 12 Hunters and 1 Lady", "H 12, L 1<", 1},
        {"the name escaped", "&lt;b&gt;ANNA &amp; CO&lt;/b&gt;", 2},
        {"nothing unescaped", "<b>", 0},
        {"no script, no link, nothing fetched", "<script|href=|src=|http", 0},
        {"country names from the table", ">France<", 1},
        {"the busy hours in words", "10 2, 23 1", 1},
    };
    for (const auto& expectation : expectations) {
        const QRegularExpression pattern(QString::fromLatin1(expectation.pattern));
        EXPECT_EQ(page.count(pattern), expectation.count) << expectation.what;
    }
    EXPECT_EQ(resultsChartsHtml({}, data, 1000), QString());
}

// A name is drawn as it was written, markers and all, and one too long for the label's room is cut where the
// chart shows it but stays whole in the line of text under it.
TEST(ResultsCharts, NamesStayAsWrittenAndLongOnesFitTheirRoom) {
    const QString odd = QStringLiteral("A%9B%10C%2");
    const QString longName = QStringLiteral("ANNA MARIA FRANCESCA DE LA CRUZ Y RODRIGUEZ");
    const std::vector<CheckedLog> logs = {
        ranked(QStringLiteral("1QV1"), QStringLiteral("H"), odd, 9, 1),
        ranked(QStringLiteral("1QV2"), QStringLiteral("H"), longName, 8, 2)};
    const QString page = resultsChartsHtml(logs, resultsChartData(logs, CountryTable()), 1000);
    EXPECT_TRUE(page.contains(QStringLiteral("end\">1. 1QV1 A%9B%10C%2</text>"))) << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("end\">2. 1QV2 ANNA MARIA FRANCESCA DE LA\u2026</text>")))
        << page.toStdString();
    EXPECT_TRUE(page.contains(QStringLiteral("2. 1QV2 ") + longName + QStringLiteral(" 8")));
}

} // namespace
