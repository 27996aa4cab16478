#include "ui/stats/DayCharts.h"

#include "core/app/AppState.h"
#include "core/logging/DayStatistics.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QStackedBarSeries>
#include <QValueAxis>

#include <algorithm>
#include <cmath>

namespace qvmd {

namespace {

// The contact grid's row colours: Lady rows light pink, Hunter rows white; the outline keeps white bars
// visible on the pale plot area.
const QColor ladyColour(255, 192, 255);
const QColor hunterColour(255, 255, 255);
const QColor plotColour(226, 236, 246);
const QColor outlineColour(90, 90, 90);

QChartView* makeView(QWidget* parent, QChart* chart, const char* name) {
    chart->setBackgroundRoundness(0);
    chart->setPlotAreaBackgroundBrush(plotColour);
    chart->setPlotAreaBackgroundVisible(true);
    chart->setAnimationOptions(QChart::NoAnimation);
    auto* view = new QChartView(chart, parent);
    view->setObjectName(QLatin1String(name));
    view->setRenderHint(QPainter::Antialiasing);
    // Reached with Tab, so a screen reader says what the chart shows.
    view->setFocusPolicy(Qt::StrongFocus);
    view->setMinimumSize(360, 260);
    return view;
}

QString hourText(int hour) {
    return QStringLiteral("%1:00").arg(hour % 24, 2, 10, QLatin1Char('0'));
}

// A round step for an axis of about five ticks: each label is a text item of its own to lay out.
double niceStep(double span) {
    if (span <= 0)
        return 1;
    const double raw = span / 5;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (const double factor : {1.0, 2.0, 5.0})
        if (raw <= factor * power)
            return factor * power;
    return 10 * power;
}

} // namespace

DayCharts::DayCharts(QWidget* parent) {
    hunters_ = new QBarSet(QStringLiteral("Hunter"));
    ladies_ = new QBarSet(QStringLiteral("Lady"));
    hunters_->setColor(hunterColour);
    ladies_->setColor(ladyColour);
    for (QBarSet* set : {hunters_, ladies_}) {
        set->setBorderColor(outlineColour);
        for (int hour = 0; hour < 24; ++hour)
            set->append(0);
    }
    auto* bars = new QStackedBarSeries;
    bars->append(hunters_);
    bars->append(ladies_);
    bars->setBarWidth(0.8);
    auto* hoursChart = new QChart;
    hoursChart->addSeries(bars);
    // The bars stand on a category axis, but twenty-four labels there are cut to "..." in a window of
    // this size: the hours are named by a second axis, every other hour, under the middle of its bar.
    auto* hourAxis = new QBarCategoryAxis;
    QStringList hours;
    for (int hour = 0; hour < 24; ++hour)
        hours.append(QString::number(hour));
    hourAxis->append(hours);
    hourAxis->setLabelsVisible(false);
    hourLabels_ = new QCategoryAxis;
    hourLabels_->setRange(-0.5, 23.5);
    hourLabels_->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    for (int hour = 0; hour < 24; hour += LabelledHourStep)
        hourLabels_->append(QString::number(hour), hour);
    hourLabels_->setGridLineVisible(false);
    countAxis_ = new QValueAxis;
    countAxis_->setLabelFormat(QStringLiteral("%d"));
    hoursChart->addAxis(hourAxis, Qt::AlignBottom);
    hoursChart->addAxis(hourLabels_, Qt::AlignBottom);
    hoursChart->addAxis(countAxis_, Qt::AlignLeft);
    bars->attachAxis(hourAxis);
    bars->attachAxis(hourLabels_);
    bars->attachAxis(countAxis_);
    hoursChart->legend()->setAlignment(Qt::AlignBottom);
    hoursView_ = makeView(parent, hoursChart, "chart_Hours");

    score_ = new QLineSeries;
    QPen pen(QColor(20, 90, 170));
    pen.setWidth(2);
    score_->setPen(pen);
    auto* scoreChart = new QChart;
    scoreChart->addSeries(score_);
    timeAxis_ = new QValueAxis;
    timeAxis_->setLabelFormat(QStringLiteral("%d:00"));
    timeAxis_->setTickType(QValueAxis::TicksDynamic);
    timeAxis_->setTickAnchor(0);
    scoreAxis_ = new QValueAxis;
    scoreAxis_->setLabelFormat(QStringLiteral("%d"));
    scoreChart->addAxis(timeAxis_, Qt::AlignBottom);
    scoreChart->addAxis(scoreAxis_, Qt::AlignLeft);
    score_->attachAxis(timeAxis_);
    score_->attachAxis(scoreAxis_);
    scoreChart->legend()->hide();
    scoreView_ = makeView(parent, scoreChart, "chart_Score");
}

void DayCharts::show(const DayStatistics& statistics, const AppState& state) {
    int most = 0;
    for (int hour = 0; hour < 24; ++hour) {
        const DayStatistics::Hour& counts = statistics.hours[static_cast<std::size_t>(hour)];
        hunters_->replace(hour, counts.hunters);
        ladies_->replace(hour, counts.ladies);
        most = std::max(most, counts.total());
    }
    const double countStep = std::max(1.0, niceStep(most));
    countAxis_->setRange(0, std::max(countStep, std::ceil(most / countStep) * countStep));
    countAxis_->setTickCount(static_cast<int>(countAxis_->max() / countStep) + 1);
    hunters_->setLabel(state.text(1116, QStringLiteral("Hunter")));
    ladies_->setLabel(state.text(1121, QStringLiteral("Lady")));
    QChart* hoursChart = hoursView_->chart();
    hoursChart->setTitle(state.text(1801, QStringLiteral("Contacts per hour (UTC)")));
    hourLabels_->setTitleText(state.text(1817, QStringLiteral("Hour (UTC)")));
    hoursView_->setAccessibleName(hoursChart->title());
    hoursView_->setAccessibleDescription(hoursDescription(statistics, state));
    hoursView_->setToolTip(hoursView_->accessibleDescription());

    // Hours counted from midnight UTC of the first contact's day, so a day past midnight runs on.
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(statistics.score.size()));
    const qint64 firstDay =
        statistics.score.empty() ? 0 : statistics.score.front().utcSeconds / 86400 * 86400;
    std::int64_t best = 0;
    // The score only grows: some two hundred points across the chart draw the same line as one a minute, in
    // a fraction of the time on a full day's log; the last point is always kept.
    const qint64 span = statistics.score.empty()
                            ? 0
                            : statistics.score.back().utcSeconds - statistics.score.front().utcSeconds;
    const qint64 spacing = std::max<qint64>(60, span / 200);
    for (std::size_t i = 0; i < statistics.score.size(); ++i) {
        const DayStatistics::ScorePoint& point = statistics.score[i];
        best = std::max(best, point.score);
        const bool last = i + 1 == statistics.score.size();
        if (!points.isEmpty() && !last &&
            point.utcSeconds - firstDay <
                static_cast<qint64>(points.constLast().x() * 3600.0 + 0.5) + spacing)
            continue;
        points.append(QPointF(static_cast<double>(point.utcSeconds - firstDay) / 3600.0,
                              static_cast<double>(point.score)));
    }
    score_->replace(points);
    const double from = points.isEmpty() ? 0 : std::floor(points.constFirst().x());
    const double to = points.isEmpty() ? 24 : std::max(from + 1, std::ceil(points.constLast().x()));
    timeAxis_->setRange(from, to);
    timeAxis_->setTickInterval(std::max(1.0, std::ceil((to - from) / 8)));
    const double scoreStep = std::max(1.0, niceStep(static_cast<double>(best)));
    scoreAxis_->setRange(0,
                         std::max(scoreStep, std::ceil(static_cast<double>(best) / scoreStep) * scoreStep));
    scoreAxis_->setTickCount(static_cast<int>(scoreAxis_->max() / scoreStep) + 1);
    QChart* scoreChart = scoreView_->chart();
    scoreChart->setTitle(state.text(1802, QStringLiteral("Score over the day")));
    timeAxis_->setTitleText(state.text(1817, QStringLiteral("Hour (UTC)")));
    scoreAxis_->setTitleText(state.text(1818, QStringLiteral("Score")));
    scoreView_->setAccessibleName(scoreChart->title());
    scoreView_->setAccessibleDescription(scoreDescription(statistics, state));
    scoreView_->setToolTip(scoreView_->accessibleDescription());
}

QString DayCharts::hoursDescription(const DayStatistics& statistics, const AppState& state) {
    const int hour = statistics.busiestHour();
    if (hour < 0)
        return state.text(1813, QStringLiteral("No contacts yet."));
    return state.text(1812, QStringLiteral("Most contacts: %1 between %2 and %3 UTC."))
        .arg(statistics.hours[static_cast<std::size_t>(hour)].total())
        .arg(hourText(hour), hourText(hour + 1));
}

QString DayCharts::scoreDescription(const DayStatistics& statistics, const AppState& state) {
    if (statistics.score.empty())
        return state.text(1815, QStringLiteral("No score yet."));
    const qint64 last = statistics.score.back().utcSeconds % 86400;
    const QString at = QStringLiteral("%1:%2")
                           .arg(last / 3600, 2, 10, QLatin1Char('0'))
                           .arg(last / 60 % 60, 2, 10, QLatin1Char('0'));
    return state.text(1814, QStringLiteral("Score %1 after %2 contacts, the last at %3 UTC."))
        .arg(statistics.score.back().score)
        .arg(statistics.stamps.size())
        .arg(at);
}

} // namespace qvmd
