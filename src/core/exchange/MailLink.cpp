#include "core/exchange/MailLink.h"

namespace qvmd {

namespace {

QString managerLink(const QString& managerAddress, const QString& subject) {
    return QStringLiteral("mailto:") + managerAddress + QStringLiteral("?cc=") + QStringLiteral("&ccn=") +
           QStringLiteral("&subject=") + subject;
}

} // namespace

QString logMailSubject() {
    return QStringLiteral("Marigold Day Log");
}

QString logMailBody(const QString& stationCallsign, const QString& operatorName, const QString& utcNowText) {
    return QStringLiteral("Log By  ") + stationCallsign + QStringLiteral("  ") + operatorName +
           QStringLiteral("   ") + utcNowText;
}

QString logMailLink(const QString& managerAddress, const QString& stationCallsign,
                    const QString& operatorName, const QString& utcNowText) {
    return managerLink(managerAddress, logMailSubject()) + QStringLiteral("&body=") +
           logMailBody(stationCallsign, operatorName, utcNowText);
}

QString infoMailLink(const QString& managerAddress) {
    return managerLink(managerAddress, QStringLiteral("Marigold Day Info"));
}

QUrl mailUrl(const QString& link) {
    // The separators of a mailto link stay as they are; everything else that is not plain is encoded,
    // including "%", "#" and "+", which a mail program would otherwise read as escapes, a fragment or a
    // blank.
    const QByteArray encoded = QUrl::toPercentEncoding(link, QByteArrayLiteral(":?&=@/,;"));
    QUrl url = QUrl::fromEncoded(encoded, QUrl::StrictMode);
    if (!url.isValid())
        url = QUrl::fromEncoded(encoded, QUrl::TolerantMode);
    return url;
}

} // namespace qvmd
