#pragma once

#include "core/common/FileError.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

namespace qvmd {

// The places a start looks at for the folder that holds Data, Logs and Backup.
struct FolderPlaces {
    QString executableFolder;
    QString userFolder;             // the user's own data folder
    QStringList defaultDataFolders; // installed default data, first found wins for each file
};

// The places for an executable in the given folder: the user's data folder of this application, the
// defaults installed beside it (../share/qv-md/Data) and those in the system's data folders.
FolderPlaces installedPlaces(const QString& executableFolder);

// The default data an installed copy carries, relative to its executable.
QString installedDataFolder(const QString& executableFolder);

struct FolderChoice {
    QString folder;
    bool portable = true;
    QStringList seeded; // default files copied into the user's Data folder by this start
};

// Why no folder could be had: every folder looked at, in order, and the failure when one was found but
// could not be made or filled.
struct FolderProblem {
    QStringList tried;
    QString unusableFolder;         // a folder of the user's that could not be made or written
    std::optional<FileError> cause; // a default file that could not be copied
};

// A folder can be written when a file can be made in it; permission bits alone do not say so (the
// administrator writes anywhere, a read-only mount stops everyone).
bool folderCanBeWritten(const QString& folder);

using WritableProbe = std::function<bool(const QString& folder)>;

struct FolderChoiceResult {
    std::optional<FolderChoice> choice;
    FolderProblem problem;
    explicit operator bool() const { return choice.has_value(); }
};

// The program folder rule. A copy whose folder can be written keeps its files beside the executable
// (the portable layout, used as it stands), unless it is an installed copy: one with no Data beside it
// but installed defaults. Any other copy uses the user's data folder, made with Data, Logs and Backup,
// its Data completed from the defaults: missing files only, the user's own never overwritten.
FolderChoiceResult chooseProgramFolder(const FolderPlaces& places,
                                       const WritableProbe& canWrite = folderCanBeWritten);

} // namespace qvmd
