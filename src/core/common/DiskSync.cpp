#include "core/common/DiskSync.h"

#include "core/platform/FileSystem.h"

namespace qvmd {

int DiskSync::sync(int fileDescriptor, Target target, const QString&) const {
    return target == Target::File ? platform::flushFile(fileDescriptor)
                                  : platform::flushFolder(fileDescriptor);
}

const DiskSync& systemDiskSync() {
    static const DiskSync system;
    return system;
}

} // namespace qvmd
