#include "core/check/ResultsCharts.h"

#include "core/check/CheckReports.h"
#include "core/common/StringTable.h"
#include "core/refdata/CountryTable.h"

#include <algorithm>
#include <iterator>
#include <map>

namespace qvmd {

namespace {

enum TextId : int {
    ChartsHeading = 1850,
    StationsPerCategory,
    StationsPerCountry,
    ContactsPerHour,
    ScoreDistribution,
    TopTen,
    StationsAxis,
    ContactsAxis,
    HourAxis,
    ScoreAxis,
    OtherCountries,
    NoData,
};

// Bars are the program's own: Hunter white as in the contact grid, Lady pink, the rest blue.
const char* const hunterFill = "#ffffff";
const char* const ladyFill = "#ffc0ff";
const char* const plainFill = "#6a9fd4";
constexpr int maxCountries = 15;

QString text(int id, int offset) {
    return StringTable::builtIn().localised(id, offset).value_or(QString());
}

QString esc(const QString& text) {
    return text.toHtmlEscaped();
}

const char* fillOf(const QString& category) {
    if (category == QLatin1String("H"))
        return hunterFill;
    if (category == QLatin1String("L"))
        return ladyFill;
    return plainFill;
}

struct Bar {
    QString label;
    qint64 value = 0;
    const char* fill = plainFill;
};

// A round step for an axis of about five ticks.
qint64 niceStep(qint64 largest) {
    qint64 step = 1;
    while (true) {
        for (const qint64 factor : {1, 2, 5})
            if (largest <= step * factor * 5)
                return step * factor;
        step *= 10;
    }
}

// A label that would run off the chart's left edge is cut with an ellipsis; the line of text under the
// chart names it whole.
QString fittedLabel(const QString& label) {
    constexpr qsizetype room = 36; // characters of the page's sans-serif in the label's 234 pixels
    if (label.size() <= room)
        return label;
    QString cut = label.left(room - 1);
    while (cut.endsWith(u' '))
        cut.chop(1);
    return cut + QChar(0x2026);
}

// Horizontal bars, one row each, with the value at the bar's end: long labels (stations, countries) stay
// readable and the chart is as tall as its rows.
QString horizontalBars(const QString& id, const QString& title, const std::vector<Bar>& bars) {
    constexpr int labelWidth = 240;
    constexpr int barRoom = 360;
    constexpr int row = 20;
    const int height = static_cast<int>(bars.size()) * row + 10;
    qint64 largest = 1;
    for (const Bar& bar : bars)
        largest = std::max(largest, bar.value);
    QString svg = QStringLiteral("<svg id=\"%1\" role=\"img\" aria-labelledby=\"%1-t\" width=\"%2\" "
                                 "height=\"%3\" viewBox=\"0 0 %2 %3\">\n<title id=\"%1-t\">%4</title>\n")
                      .arg(id)
                      .arg(labelWidth + barRoom + 60)
                      .arg(height)
                      .arg(esc(title));
    int y = 5;
    for (const Bar& bar : bars) {
        const qint64 width = std::max<qint64>(bar.value > 0 ? 1 : 0, bar.value * barRoom / largest);
        // The label goes in whole, after the markers are filled: a name holding "%9" must stay as it is.
        svg +=
            QStringLiteral("<text x=\"%1\" y=\"%2\" text-anchor=\"end\">").arg(labelWidth - 6).arg(y + 14) +
            esc(fittedLabel(bar.label)) +
            QStringLiteral("</text><rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\" "
                           "stroke=\"#555\"/><text x=\"%6\" y=\"%7\">%8</text>\n")
                .arg(labelWidth)
                .arg(y + 2)
                .arg(width)
                .arg(row - 4)
                .arg(QLatin1String(bar.fill))
                .arg(labelWidth + width + 4)
                .arg(y + 14)
                .arg(bar.value);
        y += row;
    }
    return svg + QStringLiteral("</svg>\n");
}

// Vertical bars over labelled columns, with a value axis: hours of the day, score classes.
QString columns(const QString& id, const QString& title, const QString& xTitle, const QString& yTitle,
                const std::vector<Bar>& bars) {
    constexpr int left = 50;
    constexpr int top = 10;
    constexpr int plotHeight = 180;
    const int column = bars.size() > 12 ? 26 : 56;
    const int plotWidth = static_cast<int>(bars.size()) * column;
    const int width = left + plotWidth + 10;
    const int height = top + plotHeight + 50;
    qint64 largest = 0;
    for (const Bar& bar : bars)
        largest = std::max(largest, bar.value);
    const qint64 step = niceStep(std::max<qint64>(largest, 1));
    const qint64 axisTop = std::max<qint64>(step, (largest + step - 1) / step * step);
    QString svg = QStringLiteral("<svg id=\"%1\" role=\"img\" aria-labelledby=\"%1-t\" width=\"%2\" "
                                 "height=\"%3\" viewBox=\"0 0 %2 %3\">\n<title id=\"%1-t\">%4</title>\n")
                      .arg(id)
                      .arg(width)
                      .arg(height)
                      .arg(esc(title));
    for (qint64 tick = 0; tick <= axisTop; tick += step) {
        const qint64 y = top + plotHeight - tick * plotHeight / axisTop;
        svg += QStringLiteral("<line x1=\"%1\" y1=\"%2\" x2=\"%3\" y2=\"%2\" stroke=\"#ccc\"/>"
                              "<text x=\"%4\" y=\"%5\" text-anchor=\"end\">%6</text>\n")
                   .arg(left)
                   .arg(y)
                   .arg(left + plotWidth)
                   .arg(left - 4)
                   .arg(y + 4)
                   .arg(tick);
    }
    int x = left;
    for (const Bar& bar : bars) {
        const qint64 h = bar.value * plotHeight / axisTop;
        svg +=
            QStringLiteral("<rect x=\"%1\" y=\"%2\" width=\"%3\" height=\"%4\" fill=\"%5\" stroke=\"#555\"/>"
                           "<text x=\"%6\" y=\"%7\" text-anchor=\"middle\">%8</text>\n")
                .arg(x + 2)
                .arg(top + plotHeight - h)
                .arg(column - 4)
                .arg(h)
                .arg(QLatin1String(bar.fill))
                .arg(x + column / 2)
                .arg(top + plotHeight + 16)
                .arg(esc(bar.label));
        x += column;
    }
    svg += QStringLiteral(
               "<text x=\"%1\" y=\"%2\" text-anchor=\"middle\">%3</text>"
               "<text x=\"12\" y=\"%4\" text-anchor=\"middle\" transform=\"rotate(-90 12 %4)\">%5</text>\n")
               .arg(left + plotWidth / 2)
               .arg(height - 8)
               .arg(esc(xTitle))
               .arg(top + plotHeight / 2)
               .arg(esc(yTitle));
    return svg + QStringLiteral("</svg>\n");
}

QString figure(const QString& caption, const QString& svg, const QString& summary) {
    return QStringLiteral("<figure>\n<figcaption>%1</figcaption>\n%2<p class=\"alt\">%3</p>\n</figure>\n")
        .arg(esc(caption), svg, esc(summary));
}

std::vector<const CheckedLog*> charted(const std::vector<CheckedLog>& logs) {
    std::vector<const CheckedLog*> shown;
    for (const CheckedLog* log : tableOrder(logs))
        if (!log->superseded)
            shown.push_back(log);
    return shown;
}

// "H 12, L 7": a chart's figures as text, for whoever cannot see the chart.
QString listed(const std::vector<Bar>& bars) {
    QStringList parts;
    for (const Bar& bar : bars)
        parts.append(QStringLiteral("%1 %2").arg(bar.label).arg(bar.value));
    return parts.join(QStringLiteral(", "));
}

// The bars that have something to tell, for the text beside a chart of many empty ones.
std::vector<Bar> withValues(const std::vector<Bar>& bars) {
    std::vector<Bar> kept;
    std::copy_if(bars.begin(), bars.end(), std::back_inserter(kept),
                 [](const Bar& bar) { return bar.value > 0; });
    return kept;
}

} // namespace

ResultsChartData resultsChartData(const std::vector<CheckedLog>& logs, const CountryTable& countries) {
    ResultsChartData data;
    for (const CheckedLog& log : logs) {
        if (!log.readable || log.superseded)
            continue;
        for (const CheckedContact& contact : log.contacts)
            if (contact.seconds != CheckedContact::Unread && contact.seconds >= 0)
                ++data.contactsPerHour[static_cast<std::size_t>(contact.seconds % 86400 / 3600)];
    }
    data.countryNames.append(QString());
    for (int number = 1; number <= countries.count(); ++number)
        data.countryNames.append(countries.name(number));
    return data;
}

QString resultsChartsHtml(const std::vector<CheckedLog>& logs, const ResultsChartData& data, int offset) {
    const std::vector<const CheckedLog*> shown = charted(logs);
    if (shown.empty())
        return QString();
    QString page = QStringLiteral("<section aria-label=\"%1\">\n<h2>%1</h2>\n<div class=\"charts\">\n")
                       .arg(esc(text(ChartsHeading, offset)));

    std::map<QString, int> perCategory;
    std::map<int, int> perCountry;
    for (const CheckedLog* log : shown) {
        ++perCategory[log->category];
        perCountry[countryNumberOf(log->station)]++;
    }
    std::vector<Bar> categories;
    for (const auto& [category, count] : perCategory)
        categories.push_back({category.isEmpty() ? QStringLiteral("-") : category, count, fillOf(category)});
    page += figure(
        text(StationsPerCategory, offset),
        horizontalBars(QStringLiteral("chart-categories"), text(StationsPerCategory, offset), categories),
        listed(categories));

    std::vector<std::pair<int, int>> countries(perCountry.begin(), perCountry.end());
    std::stable_sort(countries.begin(), countries.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    std::vector<Bar> countryBars;
    int others = 0;
    for (std::size_t i = 0; i < countries.size(); ++i) {
        const auto [number, count] = countries[i];
        if (i >= static_cast<std::size_t>(maxCountries)) {
            others += count;
            continue;
        }
        const QString name = number > 0 && number < data.countryNames.size() ? data.countryNames[number]
                                                                             : QString::number(number);
        countryBars.push_back({name, count, plainFill});
    }
    if (others > 0)
        countryBars.push_back({text(OtherCountries, offset), others, plainFill});
    page += figure(
        text(StationsPerCountry, offset),
        horizontalBars(QStringLiteral("chart-countries"), text(StationsPerCountry, offset), countryBars),
        listed(countryBars));

    std::vector<Bar> hours;
    for (int hour = 0; hour < 24; ++hour)
        hours.push_back({QStringLiteral("%1").arg(hour, 2, 10, QLatin1Char('0')),
                         data.contactsPerHour[static_cast<std::size_t>(hour)], plainFill});
    const std::vector<Bar> busyHours = withValues(hours);
    page += figure(text(ContactsPerHour, offset),
                   columns(QStringLiteral("chart-hours"), text(ContactsPerHour, offset),
                           text(HourAxis, offset), text(ContactsAxis, offset), hours),
                   busyHours.empty() ? text(NoData, offset) : listed(busyHours));

    // Ten classes of a round width from 0 to the best checked score.
    std::int64_t best = 0;
    for (const CheckedLog* log : shown)
        best = std::max(best, log->checkedScore);
    const qint64 width = std::max<qint64>(1, niceStep(std::max<qint64>(best + 1, 10)) * 5 / 10);
    const qint64 classes = std::min<qint64>(20, best / width + 1);
    std::vector<Bar> scores;
    for (qint64 i = 0; i < classes; ++i)
        scores.push_back({QString::number(i * width), 0, plainFill});
    for (const CheckedLog* log : shown)
        ++scores[static_cast<std::size_t>(
                     std::clamp<qint64>(std::max<qint64>(0, log->checkedScore) / width, 0, classes - 1))]
              .value;
    page += figure(text(ScoreDistribution, offset),
                   columns(QStringLiteral("chart-scores"), text(ScoreDistribution, offset),
                           text(ScoreAxis, offset), text(StationsAxis, offset), scores),
                   listed(withValues(scores)));

    int chart = 0;
    for (const auto& entry : perCategory) {
        const QString& category = entry.first;
        ++chart;
        std::vector<Bar> top;
        for (const CheckedLog* log : shown)
            if (log->category == category && log->rank > 0 && top.size() < 10)
                top.push_back({QStringLiteral("%1. %2 %3").arg(log->rank).arg(log->station, log->name),
                               log->checkedScore, fillOf(category)});
        if (top.empty())
            continue;
        const QString title = text(TopTen, offset).arg(category);
        page +=
            figure(title, horizontalBars(QStringLiteral("chart-top-%1").arg(chart), title, top), listed(top));
    }
    return page + QStringLiteral("</div>\n</section>\n");
}

QString resultsChartsStyle() {
    return QStringLiteral(
        ".charts{display:flex;flex-wrap:wrap;gap:12px}figure{margin:0 0 12px 0;break-inside:avoid}"
        "figcaption{font-weight:bold}svg{max-width:100%;height:auto;font:12px sans-serif}"
        "p.alt{font-size:small;color:#444;max-width:40em}"
        "@page{size:A4;margin:12mm}@media print{svg{max-width:180mm}th{cursor:auto}}\n");
}

} // namespace qvmd
