#include "core/exchange/BackupNames.h"

#include <QDir>

#include <algorithm>

namespace qvmd {

std::optional<QString> backupFileName(const QString& logName, const QDateTime& now) {
    const QString name = logName.trimmed();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot <= 0)
        return std::nullopt;
    return name.left(dot) + QLatin1Char('-') + now.toString(QStringLiteral("ddMM_HHmmss")) +
           QStringLiteral(".Bak");
}

std::optional<QString> restoreTargetName(const QString& backupName) {
    const QString name = backupName.trimmed();
    const qsizetype dash = name.indexOf(QLatin1Char('-'));
    if (dash <= 0)
        return std::nullopt;
    return name.left(dash) + QStringLiteral(".Log");
}

std::optional<QString> restoreTargetAmong(const QString& backupName, const QStringList& existingLogs,
                                          const QString& logInUse) {
    const std::optional<QString> named = restoreTargetName(backupName);
    if (!named)
        return std::nullopt;
    const QString inUse = logInUse.trimmed();
    const auto same = [&](const QString& name) { return name.compare(*named, Qt::CaseInsensitive) == 0; };
    QStringList matching;
    for (const QString& name : existingLogs) {
        if (same(name))
            matching.append(name);
    }
    if (matching.contains(*named))
        return named;
    if (!inUse.isEmpty() && matching.contains(inUse))
        return inUse;
    if (!matching.isEmpty())
        return *std::min_element(matching.begin(), matching.end());
    if (!inUse.isEmpty() && same(inUse))
        return inUse;
    // Only ASCII letters change: the names the program makes have no others.
    QString upper = named->chopped(4);
    for (QChar& c : upper) {
        if (c >= u'a' && c <= u'z')
            c = QChar(c.unicode() - u'a' + u'A');
    }
    return upper + QStringLiteral(".Log");
}

bool isOwnBackup(const QString& fileName, const QString& stationCallsign) {
    const QString prefix = stationCallsign + QLatin1Char('_');
    const QString suffix = QStringLiteral(".Bak");
    return fileName.size() >= prefix.size() + suffix.size() &&
           fileName.startsWith(prefix, Qt::CaseInsensitive) && fileName.endsWith(suffix, Qt::CaseInsensitive);
}

QStringList listOwnBackups(const QString& backupFolder, const QString& stationCallsign) {
    // Plain files only: a folder or a pipe named like a copy is no copy.
    QStringList names = QDir(backupFolder).entryList(QDir::Files | QDir::Hidden, QDir::NoSort);
    names.removeIf([&](const QString& name) { return !isOwnBackup(name, stationCallsign); });
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return names;
}

} // namespace qvmd
