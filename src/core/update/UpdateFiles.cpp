#include "core/update/UpdateFiles.h"

#include "core/common/TextFile.h"

#include <QStringList>

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

QUrl baseUrl(const QString& baseAddress) {
    const QUrl url(baseAddress.trimmed(), QUrl::StrictMode);
    const QString scheme = url.scheme().toLower();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")) ||
        url.host().isEmpty())
        return {};
    return url;
}

QString fileAddress(const QString& baseAddress, const QString& item) {
    const QUrl base = baseUrl(baseAddress);
    if (!base.isValid() || item.split(QLatin1Char('/')).contains(QStringLiteral("..")))
        return {};
    QString path = base.path(QUrl::FullyDecoded) + item + QStringLiteral(".dat");
    if (!path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1Char('/'));
    QUrl file = base;
    file.setQuery(QString());
    file.setFragment(QString());
    // Decoded: "@", ":", "?" and "#" in the item are path characters, never a server, a query or a part.
    file.setPath(path, QUrl::DecodedMode);
    if (!file.isValid() || file.scheme() != base.scheme() || file.host() != base.host() ||
        file.port() != base.port() || file.userInfo() != base.userInfo())
        return {};
    return file.toString(QUrl::FullyEncoded);
}

QUrl manifestAddress(const QString& baseAddress) {
    const QUrl base = baseUrl(baseAddress);
    if (!base.isValid())
        return {};
    QUrl manifest;
    manifest.setScheme(base.scheme());
    manifest.setHost(base.host());
    manifest.setPort(base.port());
    manifest.setPath(QStringLiteral("/download/Aggior_MD.dat"));
    return manifest;
}

std::optional<DownloadFault> checkNewSettings(const QString& currentBase, const QByteArray& bytes) {
    const QStringList lines = splitLines(bytes);
    const QString newBase = lines.value(BaseAddressEntry).trimmed();
    const QUrl next = baseUrl(newBase);
    if (!next.isValid())
        return DownloadFault{DownloadFault::Kind::BadAddress, 0, newBase, BaseAddressEntry + 1, 0};
    const bool secureNow =
        baseUrl(currentBase).scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) == 0;
    if (secureNow && next.scheme().compare(QLatin1String("https"), Qt::CaseInsensitive) != 0)
        return DownloadFault{DownloadFault::Kind::InsecureSettings, 0, newBase, BaseAddressEntry + 1, 0};
    return std::nullopt;
}

} // namespace qvmd
