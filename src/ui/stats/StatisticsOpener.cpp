#include "ui/logging/StatisticsOpener.h"

#include "core/app/AppState.h"
#include "ui/kit/FormControls.h"
#include "ui/stats/frm_Stats.h"

#include <QAbstractItemModel>
#include <QPainter>
#include <QPointer>
#include <QShortcut>
#include <QToolButton>

namespace qvmd {

namespace {

// Under the UTC clock, the one free place of the logging window's top area.
constexpr QRect buttonPlace(768, 168, 218, 40);

// Three bars, Hunter white and Lady pink as in the grid.
QIcon chartIcon() {
    QPixmap picture(40, 40);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setPen(QPen(QColor(60, 60, 60), 1.5));
    painter.drawLine(4, 36, 37, 36);
    const struct {
        int x, height;
        QColor colour;
    } bars[] = {{7, 14, Qt::white}, {17, 28, QColor(255, 192, 255)}, {27, 20, Qt::white}};
    for (const auto& bar : bars) {
        painter.setBrush(bar.colour);
        painter.drawRect(bar.x, 36 - bar.height, 8, bar.height);
    }
    return QIcon(picture);
}

class ChartsOpener : public StatisticsOpener {
public:
    ChartsOpener(QWidget& logWindow, AppState& state, Seams& seams, const ContactLog& log,
                 QAbstractItemModel& grid)
        : logWindow_(logWindow), state_(state), seams_(seams), log_(log) {
        auto* button = new QToolButton(&logWindow);
        button->setObjectName(QStringLiteral("cmd_Stats"));
        button->setProperty("tag", QStringLiteral("1800"));
        setNameTag(button, "1800");
        button->setText(state.text(1800, QStringLiteral("Statistics")));
        button->setToolTip(QStringLiteral("F9"));
        button->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
        button->setIconSize(QSize(28, 28));
        button->setIcon(chartIcon());
        button->setGeometry(buttonPlace);
        QObject::connect(button, &QToolButton::clicked, [this] { open(); });
        auto* key = new QShortcut(QKeySequence(Qt::Key_F9), &logWindow);
        QObject::connect(key, &QShortcut::activated, [this] { open(); });
        // The grid's model hears of every append, change and reload of the log.
        const auto follow = [this] {
            if (window_ && window_->isVisible())
                window_->refresh();
        };
        QObject::connect(&grid, &QAbstractItemModel::rowsInserted, button, follow);
        QObject::connect(&grid, &QAbstractItemModel::dataChanged, button, follow);
        QObject::connect(&grid, &QAbstractItemModel::modelReset, button, follow);
    }

    void open() override {
        if (!window_)
            window_ = new frm_Stats(state_, seams_, log_, &logWindow_);
        else
            window_->refresh();
        // A window of its own beside the logging window, which stays usable.
        window_->setWindowModality(Qt::NonModal);
        window_->show();
        window_->raise();
        window_->activateWindow();
    }

private:
    QWidget& logWindow_;
    AppState& state_;
    Seams& seams_;
    const ContactLog& log_;
    QPointer<frm_Stats> window_;
};

} // namespace

std::unique_ptr<StatisticsOpener> makeStatisticsOpener(QWidget& logWindow, AppState& state, Seams& seams,
                                                       const ContactLog& log, QAbstractItemModel& grid) {
    return std::make_unique<ChartsOpener>(logWindow, state, seams, log, grid);
}

} // namespace qvmd
