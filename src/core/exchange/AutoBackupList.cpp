#include "core/exchange/AutoBackupList.h"

#include "core/common/TextFile.h"

#include <QCryptographicHash>
#include <QFileInfo>

namespace qvmd {

namespace {

constexpr qint64 listFileLimit = 1024 * 1024;
const QChar separator = QLatin1Char('\t');

} // namespace

QString autoBackupListName() {
    return QStringLiteral("AutoBackup.lst");
}

Result<QList<AutoBackupEntry>> readAutoBackupList(const ProgramFolder& folder) {
    const QString path = folder.backup(autoBackupListName());
    if (!QFileInfo::exists(path))
        return QList<AutoBackupEntry>();
    Result<QStringList> lines = readLines(path, listFileLimit);
    if (!lines)
        return lines.error();
    QList<AutoBackupEntry> entries;
    for (const QString& line : lines.value()) {
        const QStringList fields = line.split(separator);
        bool sized = false;
        const qint64 size = fields.value(1).toLongLong(&sized);
        if (fields.size() != 3 || fields[0].isEmpty() || !sized || fields[2].isEmpty())
            continue;
        entries.append({fields[0], size, fields[2].toLatin1()});
    }
    return entries;
}

WriteResult writeAutoBackupList(const ProgramFolder& folder, const QList<AutoBackupEntry>& entries,
                                const DiskSync& sync) {
    QStringList lines;
    for (const AutoBackupEntry& entry : entries)
        lines.append(entry.name + separator + QString::number(entry.size) + separator +
                     QString::fromLatin1(entry.fingerprint));
    return writeLines(folder.backup(autoBackupListName()), lines, sync);
}

WriteResult forgetAutoBackup(const ProgramFolder& folder, const QString& name) {
    Result<QList<AutoBackupEntry>> entries = readAutoBackupList(folder);
    if (!entries)
        return entries.error();
    if (entries.value().removeIf([&](const AutoBackupEntry& entry) { return entry.name == name; }) == 0)
        return std::nullopt;
    return writeAutoBackupList(folder, entries.value());
}

QByteArray contentFingerprint(const QByteArray& content) {
    return QCryptographicHash::hash(content, QCryptographicHash::Sha256).toHex();
}

} // namespace qvmd
