#include "ui/kit/cLoadResPicture.h"

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QtMath>

namespace qvmd {

namespace {

// Drawn by the program itself rather than through an image plugin, at the picture's own size and
// sharp on high-density screens.
QPixmap renderSvg(const QString& path) {
    QSvgRenderer renderer(path);
    const QSize size = renderer.defaultSize();
    if (!renderer.isValid() || size.isEmpty())
        return {};
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
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
    QPixmap picture;
    if (const QString svg = base + QLatin1String(".svg"); QFile::exists(svg)) {
        picture = renderSvg(svg);
    } else {
        for (const char* extension : {".png", ".gif", ".jpg"}) {
            const QString path = base + QLatin1String(extension);
            if (!QFile::exists(path))
                continue;
            picture = QPixmap::fromImage(QImage(path));
            break;
        }
    }
    return picture;
}

} // namespace qvmd
