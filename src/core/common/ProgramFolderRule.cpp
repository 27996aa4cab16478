#include "core/common/ProgramFolderRule.h"

#include "core/common/TextFile.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace qvmd {

namespace {

const QStringList programSubfolders = {QStringLiteral("Data"), QStringLiteral("Logs"),
                                       QStringLiteral("Backup")};

std::optional<FileError> copyMissing(const QString& source, const QString& target) {
    Result<QByteArray> bytes = readFileBytes(source, RosterFileLimit);
    if (!bytes)
        return bytes.error();
    // Written whole or not at all: an interrupted start leaves the file missing, and the next one copies it.
    // So a copy in place whose folder the disk did not confirm is no reason to stop the start.
    WriteResult written = writeFileBytes(target, bytes.value());
    return inPlaceUnconfirmed(written) ? std::nullopt : written;
}

bool samePlace(const QString& a, const QString& b) {
    const QString canonicalA = QFileInfo(a).canonicalFilePath();
    return !canonicalA.isEmpty() && canonicalA == QFileInfo(b).canonicalFilePath();
}

} // namespace

QString installedDataFolder(const QString& executableFolder) {
    return QDir::cleanPath(executableFolder + QStringLiteral("/../share/qv-md/Data"));
}

FolderPlaces installedPlaces(const QString& executableFolder) {
    FolderPlaces places;
    places.executableFolder = executableFolder;
    // ~/.local/share/QV_md on Linux, %LOCALAPPDATA%\QV_md on Windows: the logs stay on this machine.
    places.userFolder = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    places.defaultDataFolders.append(installedDataFolder(executableFolder));
    for (const QString& folder : QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
        const QString candidate = QDir::cleanPath(folder + QStringLiteral("/qv-md/Data"));
        if (!places.defaultDataFolders.contains(candidate))
            places.defaultDataFolders.append(candidate);
    }
    // An installed Windows copy keeps its defaults in the Data folder beside the program.
    const QString beside = QDir::cleanPath(executableFolder + QStringLiteral("/Data"));
    if (!places.defaultDataFolders.contains(beside))
        places.defaultDataFolders.append(beside);
    return places;
}

bool folderCanBeWritten(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return false;
    QTemporaryFile probe(QDir(folder).filePath(QStringLiteral(".qvmd-write-probe-XXXXXX")));
    return probe.open();
}

FolderChoiceResult chooseProgramFolder(const FolderPlaces& places, const WritableProbe& canWrite) {
    const QString& executableFolder = places.executableFolder;
    // Run as administrator, an installed copy's folder can be written too: its installed defaults and the
    // lack of a Data folder beside it tell it from a portable copy.
    const bool dataBeside = QFileInfo(QDir(executableFolder).filePath(QStringLiteral("Data"))).isDir();
    const bool installedCopy = !dataBeside && QFileInfo(installedDataFolder(executableFolder)).isDir();
    if (!installedCopy && canWrite(executableFolder))
        return {FolderChoice{executableFolder, true, {}}, {}};

    FolderProblem problem;
    problem.tried = {executableFolder};
    if (places.userFolder.isEmpty())
        return {std::nullopt, problem};
    problem.tried.append(places.userFolder);
    const QDir user(places.userFolder);
    for (const QString& subfolder : programSubfolders) {
        const QString path = user.filePath(subfolder);
        // Made durable, so the first log or settings never vanish with their folder in a power cut.
        if (const WriteResult made = makeFolderDurably(path); made && !inPlaceUnconfirmed(made)) {
            problem.unusableFolder = path;
            return {std::nullopt, problem};
        }
    }
    const QString userData = user.filePath(QStringLiteral("Data"));
    if (!canWrite(userData)) {
        problem.unusableFolder = userData;
        return {std::nullopt, problem};
    }

    FolderChoice choice{places.userFolder, false, {}};
    bool defaultsFound = false;
    for (const QString& defaults : places.defaultDataFolders) {
        problem.tried.append(defaults);
        // The user's own Data folder can be among the system's data folders; it is no source of defaults.
        if (!QFileInfo(defaults).isDir() || samePlace(defaults, userData))
            continue;
        defaultsFound = true;
        // Regular files only: a FIFO or a device among the defaults would block or never end.
        const QFileInfoList files = QDir(defaults).entryInfoList(QDir::Files | QDir::Hidden, QDir::Name);
        for (const QFileInfo& file : files) {
            const QString target = QDir(userData).filePath(file.fileName());
            const QFileInfo existing(target);
            if (existing.exists() || existing.isSymLink())
                continue;
            if (auto error = copyMissing(file.filePath(), target)) {
                problem.cause = *error;
                return {std::nullopt, problem};
            }
            choice.seeded.append(file.fileName());
        }
    }
    if (!defaultsFound && QDir(userData).isEmpty())
        return {std::nullopt, problem};
    return {choice, {}};
}

} // namespace qvmd
