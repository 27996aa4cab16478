#pragma once

#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QLockFile>

#include <memory>
#include <optional>

namespace qvmd {

// Keeps a lock file in the Data folder for as long as the object lives, so that a second copy of the
// program started on the same folder can tell that the first one still runs. A lock left behind by a
// copy that ended without releasing it (crash, power cut) is recovered.
class SingleInstanceGuard {
public:
    explicit SingleInstanceGuard(const ProgramFolder& folder);
    ~SingleInstanceGuard();
    SingleInstanceGuard(const SingleInstanceGuard&) = delete;
    SingleInstanceGuard& operator=(const SingleInstanceGuard&) = delete;

    // True while this object holds the lock.
    bool acquired() const { return acquired_; }
    // True only when another live copy holds the lock; false when locking failed for another reason.
    bool anotherCopyRunning() const { return !acquired_ && !error_; }
    // Why the lock file could not be made at all (for example a read-only Data folder).
    const std::optional<FileError>& error() const { return error_; }

private:
    std::unique_ptr<QLockFile> lock_;
    bool acquired_ = false;
    std::optional<FileError> error_;
};

} // namespace qvmd
