#include "ui/app/cLoadResPicture.h"

#include "core/app/AppState.h"

#include <QFile>
#include <QImageReader>

namespace qvmd {

QString cLoadResPicture::resourceBase(int id, const QString& type)
{
    return QStringLiteral(":/pictures/%1/%2").arg(type.toLower()).arg(id);
}

QPixmap cLoadResPicture::LoadResPicture(int id, const QString& type)
{
    // Decoded straight from memory; no temporary file is needed.
    const QString base = resourceBase(id, type);
    for (const char* extension : {".svg", ".png", ".gif", ".jpg"}) {
        const QString path = base + QLatin1String(extension);
        if (!QFile::exists(path))
            continue;
        QImageReader reader(path);
        const QImage image = reader.read();
        if (!image.isNull())
            return QPixmap::fromImage(image);
        break;
    }
    state_.PictureLoadFailed = FlagTrue;
    return {};
}

} // namespace qvmd
