#pragma once

#include <QString>

#include <cstdint>

namespace qvmd::platform {

// A lock the system holds for this process on one folder, whatever the path it is reached by, and
// releases when the process ends in any way, so a crash never locks anyone out.
class SingleCopyLock {
public:
    enum class State { Held, HeldByAnother, Failed };

    explicit SingleCopyLock(const QString& folder);
    ~SingleCopyLock();
    SingleCopyLock(const SingleCopyLock&) = delete;
    SingleCopyLock& operator=(const SingleCopyLock&) = delete;

    State state() const { return state_; }
    // errno of a failure (ENOENT, EACCES, ...).
    int error() const { return error_; }

private:
    std::intptr_t handle_ = -1;
    State state_ = State::Failed;
    int error_ = 0;
};

} // namespace qvmd::platform
