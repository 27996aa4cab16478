#pragma once

#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QString>

#include <memory>
#include <optional>

namespace qvmd {

namespace platform {
class SingleCopyLock;
}

// Tells whether another copy of the program runs on the same program folder. The lock is the system's,
// taken on the program folder's Data folder itself (opened for reading, so a read-only Data works too),
// and depends on nothing but that folder: not on the environment, not on how its path is spelt. It is held
// for as long as this object lives; a copy that dies, on a crash or a power cut, releases it with its last
// breath, so nothing left behind ever locks anyone out.
class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const ProgramFolder& folder);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // What is locked: the Data folder, or the program folder itself while it has no Data folder (the start
    // then stops at its first file anyway).
    static QString lockTarget(const ProgramFolder& folder);

    // True while this object holds the lock.
    bool acquired() const { return acquired_; }
    // True only when a live copy holds the lock; false when the lock could not be used at all.
    bool anotherCopyRunning() const { return !acquired_ && !error_; }
    // Why the lock could be neither taken nor proven held (Kind::Unlockable, naming what was locked).
    const std::optional<FileError>& error() const { return error_; }

private:
    std::unique_ptr<platform::SingleCopyLock> lock_;
    bool acquired_ = false;
    std::optional<FileError> error_;
};

} // namespace qvmd
