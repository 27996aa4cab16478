#pragma once

#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QString>

#include <memory>
#include <optional>

class QLockFile;

namespace qvmd {

// Tells whether another copy of the program runs on the same program folder. The lock lives in the user's
// runtime folder (not in Data, which may be read-only or full), named after the program folder's path,
// and is held by the system for as long as this object lives: a copy that dies, on a crash or a power
// cut, releases it with its last breath, so a lock file left behind never locks anyone out.
class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const ProgramFolder& folder,
                                 const QString& lockFolder = defaultLockFolder());
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // The user's runtime folder, or the temporary folder where there is none.
    static QString defaultLockFolder();
    // The lock for a program folder: one per folder, whatever path spelling reaches it.
    static QString lockPath(const ProgramFolder& folder, const QString& lockFolder);

    // True while this object holds the lock.
    bool acquired() const { return acquired_; }
    // True only when a live copy holds the lock; false when the lock could not be used at all.
    bool anotherCopyRunning() const { return !acquired_ && !error_; }
    // Why the lock could be neither taken nor proven held (Kind::Unlockable, naming the lock).
    const std::optional<FileError>& error() const { return error_; }

private:
    int descriptor_ = -1;
    std::unique_ptr<QLockFile> lockFile_;
    bool acquired_ = false;
    std::optional<FileError> error_;
};

} // namespace qvmd
