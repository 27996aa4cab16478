#include "ui/logging/LogWindowFit.h"

#include "ui/kit/FormScale.h"
#include "ui/kit/GridControl.h"
#include "ui/logging/ContactGrid.h"
#include "ui/logging/LogStatusArea.h"
#include "ui/logging/ScorePanel.h"

#include <QLabel>
#include <QWidget>

#include <algorithm>

namespace qvmd {

namespace {

constexpr int margin = 16;
// Between the grid and the score band below it.
constexpr int gap = 8;
// The score band's height: heading and warning, captions, values.
constexpr int bandHeight = 98;

// The clock, its caption and what stands under them move into the first picture's place; both pictures go.
// Returns the right edge of the band above the grid.
int narrowTopBand(QWidget& window, LogStatusArea& status, int gridTop) {
    const int shift = status.lbl_Utc->x() - status.Image_Logo[0]->x();
    const int clockTop = status.lbl_UtcCaption->y();
    for (QLabel* picture : status.Image_Logo)
        picture->hide();
    int right = 0;
    for (QWidget* child : window.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        if (child->isWindow() || child->isHidden() || child->y() >= gridTop)
            continue;
        if (child->x() >= status.lbl_Utc->x() && child->y() >= clockTop)
            child->move(child->x() - shift, child->y());
        right = std::max(right, child->geometry().right());
    }
    return right;
}

} // namespace

void fitLogWindow(QWidget& window, ContactGrid& grid, ScorePanel& score, LogStatusArea& status) {
    const QRect table = grid.control()->geometry();
    const QSize beside(std::max(window.width(), score.right() + 1 + margin),
                       std::max(table.bottom(), score.bottom()) + margin);
    const QSize room = formRoom(window);
    if (room.isEmpty() || (beside.width() <= room.width() && beside.height() <= room.height())) {
        window.setFixedSize(beside);
        return;
    }
    int width = std::max(window.width(), table.right() + 1 + margin);
    if (width > room.width())
        width = std::max(narrowTopBand(window, status, table.top()), table.right()) + 1 + margin;
    // Narrower than the window, the screen makes the whole window smaller: the height grows in step.
    const qreal narrower = std::clamp(qreal(width) / room.width(), qreal(1), askedFormScale(window));
    const int height = static_cast<int>(room.height() * narrower);
    grid.fitHeight(height - table.top() - gap - bandHeight - margin);
    score.layOutAsBand(table.left(), grid.control()->geometry().bottom() + 1 + gap);
    window.setFixedSize(std::max(width, score.right() + 1 + margin), score.bottom() + margin);
}

} // namespace qvmd
