#include "core/logfile/LogName.h"

#include "core/common/ProgramFolder.h"

#include <QDir>

#include <algorithm>

namespace qvmd {

QString logFileName(const QString& identifier, const QString& category, int year) {
    return identifier.trimmed() + QStringLiteral("_MD_") + category.trimmed() + QLatin1Char('_') +
           QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0')) + QStringLiteral(".Log");
}

bool isOwnLogName(const QString& fileName, const QString& identifier) {
    // Matched by hand rather than as a wildcard, so no character of an identifier can act as one.
    const QString prefix = identifier.trimmed() + QLatin1Char('_');
    const QString suffix = QStringLiteral(".log");
    return fileName.size() >= prefix.size() + suffix.size() &&
           fileName.startsWith(prefix, Qt::CaseInsensitive) && fileName.endsWith(suffix, Qt::CaseInsensitive);
}

QStringList ownLogFiles(const ProgramFolder& folder, const QString& identifier) {
    // Files only: folders, FIFOs and devices are never offered as logs.
    const QStringList names = QDir(folder.path(QStringLiteral("Logs"))).entryList(QDir::Files | QDir::Hidden);
    QStringList own;
    for (const QString& name : names) {
        if (isOwnLogName(name, identifier))
            own.append(name);
    }
    std::sort(own.begin(), own.end(), [](const QString& a, const QString& b) {
        const int order = a.compare(b, Qt::CaseInsensitive);
        return order != 0 ? order < 0 : a < b;
    });
    return own;
}

} // namespace qvmd
