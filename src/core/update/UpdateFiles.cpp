#include "core/update/UpdateFiles.h"

namespace qvmd {

const std::array<UpdateFile, UpdateFileCount>& updateFiles() {
    // Md.ini keeps the spelling the start-up reader opens, so the new settings are found on any file system.
    static const std::array<UpdateFile, UpdateFileCount> files = {{
        {QStringLiteral("Database Lady"), QStringLiteral("Lady.dat")},
        {QStringLiteral("Database Hunter"), QStringLiteral("Hunter.dat")},
        {QStringLiteral("Country Prefix"), QStringLiteral("Prefix.dat")},
        {QStringLiteral("Data"), QStringLiteral("Data.dat")},
        {QStringLiteral("Init"), QStringLiteral("Md.ini")},
    }};
    return files;
}

QString fileAddress(const QString& baseAddress, const QString& item) {
    return baseAddress + item + QStringLiteral(".dat");
}

QUrl manifestAddress(const QString& baseAddress) {
    const QString base = baseAddress.trimmed();
    if (base.isEmpty())
        return {};
    // A base address written without its scheme ("www.example.org/md/") still names its server.
    QUrl url(base.contains(QStringLiteral("://")) ? base : QStringLiteral("http://") + base);
    if (!url.isValid() || url.host().isEmpty())
        return {};
    QUrl manifest;
    manifest.setScheme(url.scheme());
    manifest.setHost(url.host());
    manifest.setPort(url.port());
    manifest.setPath(QStringLiteral("/download/Aggior_MD.dat"));
    return manifest;
}

} // namespace qvmd
