#include "ui/app/Background.h"

#include <QPainter>
#include <QPalette>
#include <QPixmap>
#include <QWidget>

namespace qvmd {

void paintBackground(QWidget& window, BandColour colour)
{
    const QSize size = window.size().expandedTo(QSize(1, 256));
    QPixmap picture(size);
    QPainter painter(&picture);
    for (int band = 0; band < 256; ++band) {
        // Band edges scale the client height to 256 units, as the rounding of each edge decides.
        const int top = band * size.height() / 256;
        const int bottom = (band + 1) * size.height() / 256;
        painter.fillRect(QRect(0, top, size.width(), bottom - top), colour(band));
    }
    painter.end();
    QPalette palette = window.palette();
    palette.setBrush(QPalette::Window, QBrush(picture));
    window.setPalette(palette);
    window.setAutoFillBackground(true);
}

} // namespace qvmd
