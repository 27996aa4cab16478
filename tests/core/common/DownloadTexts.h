#pragma once

#include "core/update/DownloadFault.h"

#include <QNetworkReply>
#include <QStringList>

namespace qvmd::test {

// Every sentence a failed download can make, one kind at a time with and without the network's reason,
// in both languages.
inline QStringList downloadFaultTexts() {
    using Kind = DownloadFault::Kind;
    const Kind kinds[] = {Kind::NoConnection, Kind::Secure,           Kind::HttpStatus,      Kind::Timeout,
                          Kind::Empty,        Kind::Truncated,        Kind::UnknownLength,   Kind::WebPage,
                          Kind::WrongShape,   Kind::TooLarge,         Kind::Unwritable,      Kind::BadAddress,
                          Kind::OffServer,    Kind::InsecureRedirect, Kind::InsecureSettings};
    const int networkErrors[] = {0,
                                 QNetworkReply::ConnectionRefusedError,
                                 QNetworkReply::RemoteHostClosedError,
                                 QNetworkReply::HostNotFoundError,
                                 QNetworkReply::SslHandshakeFailedError,
                                 QNetworkReply::TemporaryNetworkFailureError,
                                 QNetworkReply::ProtocolFailure};
    QStringList texts;
    for (const int language : {0, 1000}) {
        for (const Kind kind : kinds) {
            for (const int networkError : networkErrors) {
                DownloadFault fault;
                fault.kind = kind;
                fault.httpStatus = 404;
                fault.detail = QStringLiteral("http://h/x");
                fault.line = 3;
                fault.networkError = networkError;
                texts << downloadFaultText(fault, QStringLiteral("Lady.dat"), language);
            }
        }
    }
    const DownloadUrlError error = downloadUrlError(
        QStringLiteral("http://h/%1.dat"), QStringLiteral("/p/a b"), static_cast<std::int32_t>(0x800C0004));
    texts << error.description;
    return texts;
}

} // namespace qvmd::test
