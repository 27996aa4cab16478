#include "core/update/DownloadFault.h"

#include "core/common/StringTable.h"

#include <QNetworkReply>

namespace qvmd {

namespace {

constexpr std::int32_t code(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

// The ids of the texts, Italian ones; the English text is under the id plus 1000.
enum TextId {
    ConnectionRefused = 1730,
    ConnectionClosed = 1731,
    HostNotFound = 1732,
    CertificateNotTrusted = 1733,
    NetworkUnavailable = 1734,
    ProtocolBroken = 1735,
    NoServer = 1736,
    SecureFailed = 1737,
    HttpError = 1738,
    TimedOut = 1739,
    EmptyFile = 1740,
    IncompleteFile = 1741,
    WebPageInPlace = 1742,
    UnexpectedFormat = 1743,
    AtLine = 1744,
    FileTooLarge = 1745,
    CannotWrite = 1746,
    AddressNotWeb = 1747,
    AddressOffServer = 1748,
    RedirectNotSecure = 1749,
    SettingsNotSecure = 1750,
    PreviousFileKept = 1751,
    CannotDownload = 1752, // the system's own words, Italian only
    DownloadErrorCode = 1753,
    LengthUnknown = 1754,
};

// What the network layer said, in our own words; empty where the sentence already says it all.
QString networkReason(int error, int languageOffset) {
    const auto text = [languageOffset](TextId id) { return builtInText(id, languageOffset); };
    switch (static_cast<QNetworkReply::NetworkError>(error)) {
    case QNetworkReply::ConnectionRefusedError:
        return text(ConnectionRefused);
    case QNetworkReply::RemoteHostClosedError:
        return text(ConnectionClosed);
    case QNetworkReply::HostNotFoundError:
        return text(HostNotFound);
    case QNetworkReply::SslHandshakeFailedError:
        return text(CertificateNotTrusted);
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return text(NetworkUnavailable);
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ProtocolFailure:
        return text(ProtocolBroken);
    default:
        return {};
    }
}

} // namespace

std::int32_t resultCode(const DownloadFault& fault) {
    using Kind = DownloadFault::Kind;
    switch (fault.kind) {
    case Kind::NoConnection:
        return code(0x800C0004); // cannot connect
    case Kind::Secure:
        return code(0x800C000E); // security problem
    case Kind::HttpStatus:
        return fault.httpStatus == 404 ? code(0x800C0006) : code(0x800C0008); // object not found, failure
    case Kind::Timeout:
        return code(0x800C000B); // connection timeout
    case Kind::Empty:
    case Kind::Truncated:
    case Kind::UnknownLength:
        return code(0x800C0007); // data not available
    case Kind::WebPage:
    case Kind::WrongShape:
        return code(0x800C0008); // download failure
    case Kind::TooLarge:
        return OutOfMemoryCode;
    case Kind::Unwritable:
        return code(0x80004005); // unspecified failure
    case Kind::BadAddress:
    case Kind::OffServer:
        return code(0x800C0002); // invalid address
    case Kind::InsecureRedirect:
    case Kind::InsecureSettings:
        return code(0x800C000E); // security problem
    }
    return code(0x80004005);
}

DownloadUrlError downloadUrlError(const QString& url, const QString& localFile, std::int32_t code) {
    DownloadUrlError error;
    error.number = code == OutOfMemoryCode ? 7 : 51;
    error.source = QStringLiteral("DownloadURL");
    error.description = builtInText(CannotDownload, 0).arg(url, localFile) + QStringLiteral("\r\n") +
                        builtInText(DownloadErrorCode, 0).arg(code);
    return error;
}

QString downloadFaultReason(const DownloadFault& fault, int languageOffset) {
    const auto text = [languageOffset](TextId id) { return builtInText(id, languageOffset); };
    using Kind = DownloadFault::Kind;
    QString what;
    switch (fault.kind) {
    case Kind::NoConnection:
        what = text(NoServer);
        break;
    case Kind::Secure:
        what = text(SecureFailed);
        break;
    case Kind::HttpStatus:
        what = text(HttpError).arg(fault.httpStatus);
        break;
    case Kind::Timeout:
        what = text(TimedOut);
        break;
    case Kind::Empty:
        what = text(EmptyFile);
        break;
    case Kind::Truncated:
        what = text(IncompleteFile);
        break;
    case Kind::UnknownLength:
        what = text(LengthUnknown);
        break;
    case Kind::WebPage:
        what = text(WebPageInPlace);
        break;
    case Kind::WrongShape:
        what = text(UnexpectedFormat);
        if (fault.line > 0)
            what += text(AtLine).arg(fault.line);
        break;
    case Kind::TooLarge:
        what = text(FileTooLarge);
        break;
    case Kind::Unwritable:
        what = text(CannotWrite);
        if (!fault.detail.isEmpty())
            what += QStringLiteral(" (") + fault.detail + QLatin1Char(')');
        break;
    case Kind::BadAddress:
        what = text(AddressNotWeb).arg(fault.detail).arg(fault.line);
        break;
    case Kind::OffServer:
        what = text(AddressOffServer).arg(fault.detail);
        break;
    case Kind::InsecureRedirect:
        what = text(RedirectNotSecure);
        break;
    case Kind::InsecureSettings:
        what = text(SettingsNotSecure).arg(fault.detail).arg(fault.line);
        break;
    }
    const QString reason = networkReason(fault.networkError, languageOffset);
    if (!reason.isEmpty() && fault.kind != Kind::HttpStatus)
        what += QStringLiteral(" (") + reason + QLatin1Char(')');
    return what;
}

QString downloadFaultText(const DownloadFault& fault, const QString& fileName, int languageOffset) {
    return fileName + QStringLiteral(": ") + downloadFaultReason(fault, languageOffset) +
           builtInText(PreviousFileKept, languageOffset);
}

} // namespace qvmd
