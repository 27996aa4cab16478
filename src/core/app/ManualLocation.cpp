#include "core/app/ManualLocation.h"

#include <QDir>
#include <QFileInfo>

namespace qvmd {

QStringList manualCandidates(const QString& executableFolder, const QStringList& dataFolders,
                             int languageOffset) {
    const QString page =
        (languageOffset == 0 ? QStringLiteral("it") : QStringLiteral("en")) + QStringLiteral("/index.html");
    const QDir beside(executableFolder);
    QStringList places{beside.filePath(QStringLiteral("Manual/") + page),
                       beside.filePath(QStringLiteral("../share/doc/qv-md/manual/") + page)};
    for (const QString& folder : dataFolders)
        places.append(QDir(folder).filePath(QStringLiteral("doc/qv-md/manual/") + page));
    for (QString& place : places)
        place = QDir::cleanPath(place);
    places.removeDuplicates();
    return places;
}

QString findManual(const QString& executableFolder, const QStringList& dataFolders, int languageOffset) {
    for (const QString& place : manualCandidates(executableFolder, dataFolders, languageOffset)) {
        if (QFileInfo(place).isFile())
            return place;
    }
    return QString();
}

} // namespace qvmd
