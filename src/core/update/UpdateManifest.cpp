#include "core/update/UpdateManifest.h"

#include "core/common/Windows1252.h"

namespace qvmd {

UpdateManifest UpdateManifest::parse(QByteArrayView bytes) {
    UpdateManifest manifest;
    const QString text = fromWindows1252(bytes.first(std::min(bytes.size(), ReadLimit))).trimmed();
    // A server that answers with a page of its own (a login portal, an error page) gives markup, not items.
    if (text.isEmpty() || text.startsWith(QLatin1Char('<')))
        return manifest;
    manifest.unusable_ = false;
    const QStringList parts = text.split(QLatin1Char('>'));
    manifest.items_.reserve(parts.size());
    for (const QString& part : parts)
        manifest.items_.append(part.trimmed());
    return manifest;
}

bool isCurrentVersion(const QString& item, const QString& installedLine) {
    return item.left(2) == installedLine.trimmed();
}

} // namespace qvmd
