#include "core/update/DownloadFault.h"

#include <QNetworkReply>

namespace qvmd {

namespace {

constexpr std::int32_t code(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
}

// What the network layer said, in our own words; empty where the sentence already says it all.
QString networkReason(int error, bool it) {
    switch (static_cast<QNetworkReply::NetworkError>(error)) {
    case QNetworkReply::ConnectionRefusedError:
        return it ? QStringLiteral("il server ha rifiutato la connessione")
                  : QStringLiteral("the server refused the connection");
    case QNetworkReply::RemoteHostClosedError:
        return it ? QStringLiteral("il server ha chiuso la connessione")
                  : QStringLiteral("the server closed the connection");
    case QNetworkReply::HostNotFoundError:
        return it ? QStringLiteral("nome del server non trovato") : QStringLiteral("server name not found");
    case QNetworkReply::SslHandshakeFailedError:
        return it ? QStringLiteral("il certificato del server non è attendibile")
                  : QStringLiteral("the server's certificate is not trusted");
    case QNetworkReply::TemporaryNetworkFailureError:
    case QNetworkReply::NetworkSessionFailedError:
        return it ? QStringLiteral("la rete non è disponibile")
                  : QStringLiteral("the network is not available");
    case QNetworkReply::ProtocolUnknownError:
    case QNetworkReply::ProtocolInvalidOperationError:
    case QNetworkReply::ProtocolFailure:
        return it ? QStringLiteral("il server non ha risposto secondo il protocollo")
                  : QStringLiteral("the server did not answer by the protocol");
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
    error.description = QStringLiteral("Impossibile scaricare l'URL \"") + url + QStringLiteral("\" in \"") +
                        localFile + QStringLiteral("\".\r\nCodice di errore di URLDownloadToFile: ") +
                        QString::number(code) + QLatin1Char('.');
    return error;
}

QString downloadFaultReason(const DownloadFault& fault, int languageOffset) {
    const bool it = languageOffset == 0;
    using Kind = DownloadFault::Kind;
    QString what;
    switch (fault.kind) {
    case Kind::NoConnection:
        what = it ? QStringLiteral("nessun server ha risposto") : QStringLiteral("no server answered");
        break;
    case Kind::Secure:
        what = it ? QStringLiteral("la connessione sicura non è riuscita")
                  : QStringLiteral("the secure connection failed");
        break;
    case Kind::HttpStatus:
        what = (it ? QStringLiteral("il server ha risposto con l'errore %1")
                   : QStringLiteral("the server answered with error %1"))
                   .arg(fault.httpStatus);
        break;
    case Kind::Timeout:
        what = it ? QStringLiteral("il server non ha risposto in tempo")
                  : QStringLiteral("the server did not answer in time");
        break;
    case Kind::Empty:
        what = it ? QStringLiteral("il file ricevuto è vuoto") : QStringLiteral("the file received is empty");
        break;
    case Kind::Truncated:
        what = it ? QStringLiteral("il file è arrivato incompleto")
                  : QStringLiteral("the file arrived incomplete");
        break;
    case Kind::UnknownLength:
        what = it ? QStringLiteral("il server non ha indicato la lunghezza del file, quindi non si può "
                                   "sapere se è arrivato intero")
                  : QStringLiteral("the server did not say how long the file is, so there is no telling "
                                   "whether it arrived whole");
        break;
    case Kind::WebPage:
        what = it ? QStringLiteral("è arrivata una pagina web al posto del file")
                  : QStringLiteral("a web page arrived in place of the file");
        break;
    case Kind::WrongShape:
        what = it ? QStringLiteral("il file ricevuto non ha il formato atteso")
                  : QStringLiteral("the file received is not in the expected format");
        if (fault.line > 0)
            what += (it ? QStringLiteral(" (riga %1)") : QStringLiteral(" (line %1)")).arg(fault.line);
        break;
    case Kind::TooLarge:
        what = it ? QStringLiteral("il file ricevuto è troppo grande")
                  : QStringLiteral("the file received is too large");
        break;
    case Kind::Unwritable:
        what = it ? QStringLiteral("il file non può essere scritto")
                  : QStringLiteral("the file cannot be written");
        if (!fault.detail.isEmpty())
            what += QStringLiteral(" (") + fault.detail + QLatin1Char(')');
        break;
    case Kind::BadAddress:
        what = (it ? QStringLiteral("l'indirizzo degli aggiornamenti \"%1\" (Md.ini, riga %2) non inizia "
                                    "con http:// o https://")
                   : QStringLiteral("the update address \"%1\" (Md.ini, line %2) does not start with "
                                    "http:// or https://"))
                   .arg(fault.detail)
                   .arg(fault.line);
        break;
    case Kind::OffServer:
        what = (it ? QStringLiteral("l'indirizzo \"%1\" esce dal server degli aggiornamenti ed è rifiutato")
                   : QStringLiteral("the address \"%1\" leaves the update server and is refused"))
                   .arg(fault.detail);
        break;
    case Kind::InsecureRedirect:
        what = it ? QStringLiteral("il server sicuro ha rimandato a un indirizzo non sicuro (http), "
                                   "rifiutato per sicurezza")
                  : QStringLiteral("the secure server sent the transfer on to an address that is not "
                                   "secure (http), refused for safety");
        break;
    case Kind::InsecureSettings:
        what = (it ? QStringLiteral("il nuovo file farebbe scaricare i prossimi aggiornamenti senza "
                                    "protezione (\"%1\", riga %2), rifiutato per sicurezza")
                   : QStringLiteral("the new file would fetch the next updates without protection "
                                    "(\"%1\", line %2), refused for safety"))
                   .arg(fault.detail)
                   .arg(fault.line);
        break;
    }
    const QString reason = networkReason(fault.networkError, it);
    if (!reason.isEmpty() && fault.kind != Kind::HttpStatus)
        what += QStringLiteral(" (") + reason + QLatin1Char(')');
    return what;
}

QString downloadFaultText(const DownloadFault& fault, const QString& fileName, int languageOffset) {
    return fileName + QStringLiteral(": ") + downloadFaultReason(fault, languageOffset) +
           (languageOffset == 0 ? QStringLiteral(". Il file precedente è rimasto com'era.")
                                : QStringLiteral(". The previous file is kept as it was."));
}

} // namespace qvmd
