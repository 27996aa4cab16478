#include "ui/kit/cLoadResPicture.h"

#include "ui/kit/FormScale.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QtMath>

namespace qvmd {

namespace {

// Pixels per picture unit: the screen's density, times the growth of forms under a large desktop font, so
// that a picture stays sharp when its form grows. The picture keeps its own size until the form grows it.
qreal pictureDensity() {
    return qApp ? qApp->devicePixelRatio() * fontScale(QApplication::font()) : 1.0;
}

// Drawn by the program itself rather than through an image plugin, at the picture's own size and
// sharp on high-density screens.
QPixmap renderSvg(const QString& path) {
    QSvgRenderer renderer(path);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty())
        return {};
    const qreal ratio = pictureDensity();
    QImage image(QSize(qCeil(size.width() * ratio), qCeil(size.height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return QPixmap::fromImage(std::move(image));
}

} // namespace

QString cLoadResPicture::resourceBase(int id, const QString& type) {
    return QStringLiteral(":/pictures/%1/%2").arg(type.toLower()).arg(id);
}

QPixmap cLoadResPicture::LoadResPicture(int id, const QString& type) {
    // Decoded straight from the compiled-in resources; no temporary file is needed.
    const QString base = resourceBase(id, type);
    // Each picture is drawn once per density: windows open again and again during an event.
    const qreal density = pictureDensity();
    const QString key = base + QLatin1Char('@') + QString::number(density);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    if (const QString svg = base + QLatin1String(".svg"); QFile::exists(svg)) {
        picture = renderSvg(svg);
    } else {
        for (const char* extension : {".png", ".gif", ".jpg"}) {
            const QString path = base + QLatin1String(extension);
            if (!QFile::exists(path))
                continue;
            QImage image(path);
            if (const qreal ratio = pictureDensity(); ratio > 1 && !image.isNull()) {
                image = image.scaled(image.size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
                image.setDevicePixelRatio(ratio);
            }
            picture = QPixmap::fromImage(std::move(image));
            break;
        }
    }
    if (!picture.isNull())
        QPixmapCache::insert(key, picture);
    return picture;
}

} // namespace qvmd
