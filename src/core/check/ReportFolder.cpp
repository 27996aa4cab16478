#include "core/check/ReportFolder.h"

#include "core/common/StagedFile.h"
#include "core/platform/FileSystem.h"

#include <QDir>
#include <QFileInfo>

namespace qvmd {
namespace {

QString canonicalFolder(const QString& folder) {
    return QFileInfo(folder).canonicalFilePath();
}

// A link or a special file where a table goes.
WriteResult tableBlocker(const QString& path) {
    const platform::EntryKind kind = platform::entryKind(path);
    if (kind == platform::EntryKind::Link || kind == platform::EntryKind::Other)
        return fileError(FileError::Kind::Unwritable, path, FileError::Reason::NotRegularFile);
    return std::nullopt;
}

} // namespace

WriteResult writeTable(const QString& path, const QByteArray& bytes, const DiskSync& sync) {
    if (WriteResult blocked = tableBlocker(path))
        return blocked;
    StagedFile file(sync);
    if (WriteResult failed = file.open(path))
        return failed;
    if (WriteResult failed = file.write(bytes))
        return failed;
    if (WriteResult failed = file.finish())
        return failed;
    // The sync takes a while: a link put in place meanwhile is refused too.
    if (WriteResult blocked = tableBlocker(path))
        return blocked;
    return file.commit();
}

std::optional<CheckTexts::Id> reportFolderProblem(const QString& folder, const QStringList& inputs) {
    if (!QDir().mkpath(folder) || !QFileInfo(folder).isDir() || !QFileInfo(folder).isWritable())
        return CheckTexts::ReportFolderUnusable;
    const QString reports = canonicalFolder(folder);
    for (const QString& input : inputs) {
        const QFileInfo info(input);
        const QString logFolder =
            info.isDir() ? canonicalFolder(input) : canonicalFolder(info.absolutePath());
        if (logFolder == reports)
            return CheckTexts::ReportFolderHoldsLogs;
    }
    return std::nullopt;
}

QStringList logPaths(const QStringList& inputs, const QString& reportFolder) {
    const QString reports = canonicalFolder(reportFolder);
    QStringList paths;
    for (const QString& input : inputs) {
        if (!QFileInfo(input).isDir()) {
            paths.append(input);
            continue;
        }
        const QDir folder(input);
        // Only the folders among the entries are looked at closer: a report folder inside a log folder
        // is no log, and reading it would fail every run.
        const QFileInfoList entries = folder.entryInfoList(
            QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System, QDir::Name);
        for (const QFileInfo& entry : entries) {
            if (entry.isDir()) {
                const QString path = entry.canonicalFilePath();
                if (!path.isEmpty() && (reports == path || reports.startsWith(path + u'/')))
                    continue;
                // An old report folder left among the logs is no unreadable log either.
                if (QFileInfo(QDir(entry.filePath()).filePath(QStringLiteral("results.csv"))).isFile())
                    continue;
            }
            paths.append(folder.filePath(entry.fileName()));
        }
    }
    return paths;
}

QString reportName(const QString& fileName, QSet<QString>& taken) {
    QString name = fileName + QStringLiteral(".txt");
    QString lower = name.toLower();
    for (int n = 2; taken.contains(lower); ++n) {
        name = fileName + QStringLiteral("-%1.txt").arg(n);
        lower = name.toLower();
    }
    taken.insert(lower);
    return name;
}

} // namespace qvmd
