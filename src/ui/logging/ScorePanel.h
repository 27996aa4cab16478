#pragma once

#include <QList>
#include <QString>

class QLabel;
class QWidget;

namespace qvmd {

struct LogCounters;
struct PointValues;

// The score table's labels, under the logging window's names for them.
struct ScoreLabels {
    // Counts and points by row (Hunter, Lady, countries), cancelled, multiplier, total.
    QLabel* lbl_Points = nullptr;
    QLabel* lbl_HunterCount = nullptr;
    QLabel* lbl_LadyCount = nullptr;
    QLabel* lbl_CountryCount = nullptr;
    QLabel* lbl_CancelledCount = nullptr;
    QLabel* lbl_Multiplier = nullptr;
    QLabel* lbl_Total = nullptr;
    QLabel* lbl_HunterPoints = nullptr;
    QLabel* lbl_LadyPoints = nullptr;
    QLabel* lbl_CountryPoints = nullptr;
    QLabel* lbl_Warning = nullptr;
};

// The score table beside the contact grid: counts and points of Hunter, Lady and country contacts, the
// cancelled contacts, the multiplier, the total, and the warning that the log is not yet valid.
class ScorePanel : public ScoreLabels {
public:
    // Builds the labels on the window, the heading's top left corner at (left, top).
    ScorePanel(QWidget* window, int left, int top);

    static constexpr int Width = 280;
    int bottom() const;
    int right() const;
    // Laid out in one wide band instead, for a window with no room beside the grid: the heading and the
    // warning above, each row's caption over its count and points.
    void layOutAsBand(int left, int top);

    void showPoints(const PointValues& points);
    // The warning names the category the log still lacks.
    void appendToWarning(const QString& missingCategory);
    void showCounters(const LogCounters& counters, const PointValues& points, bool warningShown);

private:
    struct Row {
        QLabel* caption;
        QLabel* count;
        QLabel* points;
    };
    QList<Row> rows_;
};

} // namespace qvmd
