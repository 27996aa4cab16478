#include "ui/logging/ScorePanel.h"

#include "core/logfile/LogCounters.h"
#include "core/logging/Score.h"
#include "ui/logging/LogLabels.h"

#include <QLabel>

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
        makeCaptionLabel(window, row.name, QString::fromLatin1(row.caption), QRect(left, y, 150, rowH - 2),
                         row.tag);
        const QByteArray countName = QByteArray(row.name) + "Value";
        *row.count = makeValueLabel(window, countName.constData(), QRect(left + 152, y, 70, rowH - 2));
        if (row.points) {
            const QByteArray pointsName = QByteArray(row.name) + "Points";
            *row.points = makeValueLabel(window, pointsName.constData(), QRect(left + 226, y, 54, rowH - 2));
        }
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
    return lbl_Warning->geometry().bottom();
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
