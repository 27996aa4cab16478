#include "ui/logging/ScorePanel.h"

#include "core/logfile/LogCounters.h"
#include "core/logging/Score.h"
#include "ui/logging/LogLabels.h"

#include <QLabel>

#include <algorithm>

namespace qvmd {

ScorePanel::ScorePanel(QWidget* window, int left, int top) {
    constexpr int rowH = 26;
    lbl_Points = makeCaptionLabel(window, "lbl_Points", QStringLiteral("Estimated points"),
                                  QRect(left, top, Width, 22), "1098");
    lbl_Points->setAlignment(Qt::AlignCenter);
    struct Row {
        const char* name;
        const char* caption;
        const char* tag;
        QLabel** count;
        QLabel** points;
    };
    const Row rows[] = {
        {"lbl_Hunter", "Hunter", nullptr, &lbl_HunterCount, &lbl_HunterPoints},
        {"lbl_Lady", "Lady", nullptr, &lbl_LadyCount, &lbl_LadyPoints},
        {"lbl_Count", "Count.", nullptr, &lbl_CountryCount, &lbl_CountryPoints},
        {"lbl_Cancelled", "Cancelled", "1099", &lbl_CancelledCount, nullptr},
        {"lbl_Multipliers", "Multipliers", "1136", &lbl_Multiplier, nullptr},
        {"lbl_TotalCaption", "Total  H+L+CxM", "1100", &lbl_Total, nullptr},
    };
    int y = top + 26;
    for (const Row& row : rows) {
        QLabel* caption = makeCaptionLabel(window, row.name, QString::fromLatin1(row.caption),
                                           QRect(left, y, 150, rowH - 2), row.tag);
        const QByteArray countName = QByteArray(row.name) + "Value";
        *row.count = makeValueLabel(window, countName.constData(), QRect(left + 152, y, 70, rowH - 2));
        if (row.points) {
            const QByteArray pointsName = QByteArray(row.name) + "Points";
            *row.points = makeValueLabel(window, pointsName.constData(), QRect(left + 226, y, 54, rowH - 2));
        }
        rows_.append({caption, *row.count, row.points ? *row.points : nullptr});
        y += rowH;
    }
    lbl_Total->setGeometry(left + 152, y - rowH, 128, rowH - 2);
    QFont bold = lbl_Total->font();
    bold.setBold(true);
    lbl_Total->setFont(bold);

    lbl_Warning = new QLabel(QStringLiteral("Why the Log to be valid you must connect a Station "), window);
    lbl_Warning->setObjectName(QStringLiteral("lbl_Warning"));
    lbl_Warning->setProperty("tag", QStringLiteral("1158"));
    lbl_Warning->setGeometry(left, y + 8, Width, 48);
    lbl_Warning->setWordWrap(true);
    lbl_Warning->setAlignment(Qt::AlignCenter);
    lbl_Warning->setAutoFillBackground(true);
    QPalette warning = lbl_Warning->palette();
    warning.setColor(QPalette::Window, QColor(255, 255, 192));
    warning.setColor(QPalette::WindowText, QColor(192, 0, 0));
    lbl_Warning->setPalette(warning);
    lbl_Warning->setFont(bold);
    lbl_Warning->hide();
}

int ScorePanel::bottom() const {
    return std::max(lbl_Warning->geometry().bottom(), lbl_Total->geometry().bottom());
}

int ScorePanel::right() const {
    int right = std::max(lbl_Points->geometry().right(), lbl_Warning->geometry().right());
    for (const Row& row : rows_)
        right = std::max(right, (row.points ? row.points : row.count)->geometry().right());
    return right;
}

void ScorePanel::layOutAsBand(int left, int top) {
    constexpr int column = 140;
    constexpr int gap = 6;
    constexpr int rowH = 26;
    const int band = static_cast<int>(rows_.size()) * (column + gap) - gap;
    lbl_Points->setGeometry(left, top, Width, 22);
    lbl_Warning->setGeometry(left + Width + gap, top, band - Width - gap, 44);
    int x = left;
    for (const Row& row : rows_) {
        row.caption->setGeometry(x, top + 48, column, rowH - 2);
        row.count->setGeometry(x, top + 48 + rowH, row.count == lbl_Total ? 128 : 70, rowH - 2);
        if (row.points)
            row.points->setGeometry(x + 74, top + 48 + rowH, 54, rowH - 2);
        x += column + gap;
    }
}

void ScorePanel::showPoints(const PointValues& points) {
    lbl_HunterPoints->setText(QString::number(points.hunter));
    lbl_LadyPoints->setText(QString::number(points.lady));
    lbl_CountryPoints->setText(QString::number(points.country));
}

void ScorePanel::appendToWarning(const QString& missingCategory) {
    lbl_Warning->setText(lbl_Warning->text() + missingCategory);
}

void ScorePanel::showCounters(const LogCounters& counters, const PointValues& points, bool warningShown) {
    lbl_HunterCount->setText(QString::number(counters.HunterCount));
    lbl_LadyCount->setText(QString::number(counters.LadyCount));
    lbl_CountryCount->setText(QString::number(counters.CountryCount));
    lbl_CancelledCount->setText(QString::number(counters.CancelledCount));
    lbl_Multiplier->setText(QString::number(counters.LadyCount));
    lbl_Warning->setVisible(warningShown);
    lbl_Total->setText(QString::number(scoreTotal(counters, points)));
}

} // namespace qvmd
