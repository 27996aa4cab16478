#include "core/mail/LogAttachment.h"

#include <QRegularExpression>

namespace qvmd {

bool isLogName(const QString& name) {
    static const QRegularExpression pattern(QStringLiteral("^[0-9]+[A-Z]+[0-9]+_MD_[HL]_[0-9]{4}\\.LOG$"),
                                            QRegularExpression::CaseInsensitiveOption);
    return pattern.match(name).hasMatch();
}

bool isArchive(const QString& name, const QString& mimeType) {
    static const QStringList types{QStringLiteral("application/zip"),
                                   QStringLiteral("application/x-zip-compressed"),
                                   QStringLiteral("application/x-zip"),
                                   QStringLiteral("application/x-7z-compressed"),
                                   QStringLiteral("application/x-rar-compressed"),
                                   QStringLiteral("application/vnd.rar"),
                                   QStringLiteral("application/gzip"),
                                   QStringLiteral("application/x-gzip")};
    static const QStringList endings{QStringLiteral(".zip"), QStringLiteral(".7z"), QStringLiteral(".rar"),
                                     QStringLiteral(".gz"), QStringLiteral(".tgz")};
    if (types.contains(mimeType, Qt::CaseInsensitive))
        return true;
    return std::any_of(endings.cbegin(), endings.cend(),
                       [&](const QString& ending) { return name.endsWith(ending, Qt::CaseInsensitive); });
}

std::optional<MailNote::Kind> notALog(QByteArrayView bytes) {
    if (bytes.contains('\0'))
        return MailNote::Kind::BinaryLog;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes = bytes.sliced(3);
    qsizetype i = 0;
    while (i < bytes.size() && (bytes[i] == '\r' || bytes[i] == '\n' || bytes[i] == ' ' || bytes[i] == '\t'))
        ++i;
    if (i == bytes.size() || bytes[i] != '#')
        return MailNote::Kind::NoHeader;
    return std::nullopt;
}

} // namespace qvmd
