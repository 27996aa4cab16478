#include "ui/kit/cLoadResPicture.h"

#include "ui/kit/FormScale.h"
#include "ui/kit/SvgImage.h"

#include <QApplication>
#include <QFile>
#include <QImage>
#include <QPixmapCache>

namespace qvmd {

namespace {

// Pixels per picture unit: the screen's density, times the growth of forms under a large desktop font, so
// that a picture stays sharp when its form grows. The picture keeps its own size until the form grows it.
qreal pictureDensity() {
    return qApp ? qApp->devicePixelRatio() * fontScale(QApplication::font()) : 1.0;
}

// The scales a picture may come rendered at besides its own size, as "<id>@<N>x.png".
constexpr int LargestRenderedScale = 4;

} // namespace

QString cLoadResPicture::resourceBase(int id, const QString& type) {
    return QStringLiteral(":/pictures/%1/%2").arg(type.toLower()).arg(id);
}

QImage cLoadResPicture::loadPng(const QString& base, qreal ratio) {
    // The smallest rendering at least as dense as asked, else the densest there is; scaled to the exact
    // density so that the picture's size on screen never depends on which rendering was found.
    QString path;
    int scale = 0;
    for (int candidate = 1; candidate <= LargestRenderedScale; ++candidate) {
        const QString name = candidate == 1 ? base + QLatin1String(".png")
                                            : QStringLiteral("%1@%2x.png").arg(base).arg(candidate);
        if (!QFile::exists(name))
            continue;
        path = name;
        scale = candidate;
        if (candidate >= ratio)
            break;
    }
    if (path.isEmpty())
        return {};
    QImage image(path);
    if (image.isNull())
        return image;
    const QSize logical = image.size() / scale;
    const QSize wanted = ratio > 1 ? (QSizeF(logical) * ratio).toSize() : logical;
    // The wanted size is already in proportion; keeping the ratio again could round a pixel away.
    if (image.size() != wanted)
        image = image.scaled(wanted, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    image.setDevicePixelRatio(ratio > 1 ? ratio : 1.0);
    return image;
}

QPixmap cLoadResPicture::LoadResPicture(int id, const QString& type) {
    // Decoded straight from the compiled-in resources; no temporary file is needed. A build without an SVG
    // renderer has the same pictures as PNG.
    const QString base = resourceBase(id, type);
    const qreal ratio = pictureDensity();
    // Each picture is drawn once per density: windows open again and again during an event.
    const QString key = base + QLatin1Char('@') + QString::number(ratio);
    QPixmap picture;
    if (QPixmapCache::find(key, &picture))
        return picture;
    const auto kept = [&key](QImage image) {
        QPixmap drawn = QPixmap::fromImage(std::move(image));
        QPixmapCache::insert(key, drawn);
        return drawn;
    };
    if (const QString svg = base + QLatin1String(".svg"); QFile::exists(svg)) {
        if (QImage image = renderSvgImage(svg, ratio); !image.isNull())
            return kept(std::move(image));
    }
    if (QImage image = loadPng(base, ratio); !image.isNull())
        return kept(std::move(image));
    for (const char* extension : {".gif", ".jpg"}) {
        const QString path = base + QLatin1String(extension);
        if (!QFile::exists(path))
            continue;
        QImage image(path);
        if (ratio > 1 && !image.isNull()) {
            image = image.scaled(image.size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation);
            image.setDevicePixelRatio(ratio);
        }
        return kept(std::move(image));
    }
    return {};
}

} // namespace qvmd
