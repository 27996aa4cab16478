#pragma once

#include <QString>

class QBarSet;
class QCategoryAxis;
class QChart;
class QChartView;
class QLineSeries;
class QValueAxis;
class QWidget;

namespace qvmd {

struct AppState;
struct DayStatistics;

// The two charts of the statistics window: contacts per UTC hour, Hunter and Lady stacked, and the running
// score. Each says in one sentence what it shows, for a screen reader and for whoever cannot see it.
class DayCharts {
public:
    explicit DayCharts(QWidget* parent);

    // Hours named under the bars: every other one, so that each name is whole at the window's size.
    static constexpr int LabelledHourStep = 2;

    QChartView* hoursView() const { return hoursView_; }
    QChartView* scoreView() const { return scoreView_; }

    // Titles, series names and descriptions in the active language.
    void show(const DayStatistics& statistics, const AppState& state);

    static QString hoursDescription(const DayStatistics& statistics, const AppState& state);
    static QString scoreDescription(const DayStatistics& statistics, const AppState& state);

private:
    QChartView* hoursView_ = nullptr;
    QChartView* scoreView_ = nullptr;
    QBarSet* hunters_ = nullptr;
    QBarSet* ladies_ = nullptr;
    QValueAxis* countAxis_ = nullptr;
    QCategoryAxis* hourLabels_ = nullptr; // the hours' names under the bars
    QLineSeries* score_ = nullptr;
    QValueAxis* timeAxis_ = nullptr;
    QValueAxis* scoreAxis_ = nullptr;
};

} // namespace qvmd
