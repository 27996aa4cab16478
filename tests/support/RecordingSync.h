#pragma once

#include "core/common/DiskSync.h"

#include <QDir>
#include <QList>
#include <QString>

#include <cerrno>
#include <mutex>
#include <optional>
#include <ostream>

namespace qvmd::test {

// A sync that records every call (file or folder, and what it named) and fails the calls it is told
// to, so a test can assert the exact syncs of one write. It never touches the disk.
class RecordingSync : public DiskSync {
public:
    struct Call {
        Target target;
        QString path;
        friend bool operator==(const Call&, const Call&) = default;
        friend void PrintTo(const Call& call, std::ostream* os) {
            *os << (call.target == Target::File ? "file " : "folder ") << call.path.toStdString();
        }
    };

    // Every call of this target fails with the error, from now on.
    void failAll(Target target, int error = EIO) {
        const std::lock_guard lock(mutex_);
        failing_ = target;
        error_ = error;
        failingPath_.clear();
    }
    // Only the calls of this target that name this path fail.
    void failOnly(Target target, const QString& path, int error = EIO) {
        failAll(target, error);
        const std::lock_guard lock(mutex_);
        failingPath_ = QDir::cleanPath(path);
    }

    int sync(int, Target target, const QString& path) const override {
        const std::lock_guard lock(mutex_);
        calls_.append({target, QDir::cleanPath(path)});
        if (failing_ == target && (failingPath_.isEmpty() || failingPath_ == QDir::cleanPath(path))) {
            errno = error_;
            return -1;
        }
        return 0;
    }

    QList<Call> calls() const {
        const std::lock_guard lock(mutex_);
        return calls_;
    }
    void clear() {
        const std::lock_guard lock(mutex_);
        calls_.clear();
    }

    static Call file(const QString& path) { return {Target::File, QDir::cleanPath(path)}; }
    static Call folder(const QString& path) { return {Target::Folder, QDir::cleanPath(path)}; }

private:
    mutable std::mutex mutex_;
    mutable QList<Call> calls_;
    std::optional<Target> failing_;
    QString failingPath_;
    int error_ = EIO;
};

} // namespace qvmd::test
