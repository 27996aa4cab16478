#include "core/platform/SingleCopyLock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

namespace qvmd::platform {

SingleCopyLock::SingleCopyLock(const QString& folder) {
    // A folder opened for reading can be locked on any file system that can be read; the lock belongs to
    // this open folder, so every spelling and every link that reaches the folder meets it.
    const int fd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0) {
        error_ = errno;
        return;
    }
    handle_ = fd;
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0) {
        state_ = State::Held;
    } else if (errno == EWOULDBLOCK) {
        state_ = State::HeldByAnother;
    } else {
        error_ = errno;
    }
}

SingleCopyLock::~SingleCopyLock() {
    if (handle_ >= 0)
        ::close(static_cast<int>(handle_));
}

} // namespace qvmd::platform
