#include "core/common/DiskSync.h"

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace qvmd {

int DiskSync::sync(int fileDescriptor, Target, const QString&) const {
#ifdef Q_OS_UNIX
    return ::fsync(fileDescriptor);
#else
    Q_UNUSED(fileDescriptor);
    return 0;
#endif
}

const DiskSync& systemDiskSync() {
    static const DiskSync system;
    return system;
}

} // namespace qvmd
