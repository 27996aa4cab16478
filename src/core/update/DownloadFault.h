#pragma once

#include <QString>

#include <cstdint>

namespace qvmd {

// Why a transfer gave no usable file; the window words it in the active language.
struct DownloadFault {
    enum class Kind {
        NoConnection,     // no server answered at that address
        Secure,           // the secure connection could not be set up
        HttpStatus,       // the server answered with something other than success
        Timeout,          // nothing arrived for too long
        Empty,            // the answer had no content
        Truncated,        // the connection ended before the whole file arrived
        UnknownLength,    // no length declared and no chunks: a cut body looks like a whole one
        WebPage,          // a web page came in place of the file
        WrongShape,       // the content is not what the file it would replace holds
        TooLarge,         // far bigger than any file the organiser publishes
        Unwritable,       // the file could not be put in place
        BadAddress,       // the base address is not http or https with a server (detail: it, line: of Md.ini)
        OffServer,        // the file's address would leave the base's server or folder (detail: the address)
        InsecureRedirect, // a secure address sent the transfer on to a plain one
        InsecureSettings, // a new Md.ini would fetch the next updates over plain http (detail: its address)
    };
    Kind kind = Kind::NoConnection;
    int httpStatus = 0;
    QString detail;       // a path or an address, never a sentence: the window words every reason itself
    int line = 0;         // 1-based line of a wrongly shaped file, 0 when not about a line
    int networkError = 0; // the transfer's error code (QNetworkReply::NetworkError), 0 when none
};

// The code a failed transfer reports, in the system's form of error codes (a negative 32-bit number).
std::int32_t resultCode(const DownloadFault& fault);

// The error a failed DownloadURL raises: its number, source and description.
struct DownloadUrlError {
    int number = 0;
    QString source;
    QString description;
};
inline constexpr std::int32_t OutOfMemoryCode = static_cast<std::int32_t>(0x8007000E);
DownloadUrlError downloadUrlError(const QString& url, const QString& localFile, std::int32_t code);

// What went wrong, in the words of the active language, without a capital or a full stop.
QString downloadFaultReason(const DownloadFault& fault, int languageOffset);

// One sentence for the operator: which file, what went wrong, and that the old file is kept.
QString downloadFaultText(const DownloadFault& fault, const QString& fileName, int languageOffset);

} // namespace qvmd
