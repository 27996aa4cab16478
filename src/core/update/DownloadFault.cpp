#include "core/update/DownloadFault.h"

namespace qvmd {

namespace {

constexpr std::int32_t code(std::uint32_t value) {
    return static_cast<std::int32_t>(value);
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
        return code(0x800C0007); // data not available
    case Kind::WebPage:
    case Kind::WrongShape:
        return code(0x800C0008); // download failure
    case Kind::TooLarge:
        return OutOfMemoryCode;
    case Kind::Unwritable:
        return code(0x80004005); // unspecified failure
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

QString downloadFaultText(const DownloadFault& fault, const QString& fileName, int languageOffset) {
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
        break;
    }
    QString text = fileName + QStringLiteral(": ") + what;
    const QString detail = fault.detail.trimmed();
    if (!detail.isEmpty() && fault.kind != Kind::HttpStatus)
        text += QStringLiteral(" (") + detail + QLatin1Char(')');
    text += it ? QStringLiteral(". Il file precedente è rimasto com'era.")
               : QStringLiteral(". The previous file is kept as it was.");
    return text;
}

} // namespace qvmd
