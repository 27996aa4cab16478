#include "ui/kit/SvgImage.h"

#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>

namespace qvmd {

// Drawn by the program itself rather than through an image plugin, sharp on high-density screens.
QImage renderSvgImage(const QString& path, qreal ratio) {
    QSvgRenderer renderer(path);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty())
        return {};
    QImage image(QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return image;
}

} // namespace qvmd
