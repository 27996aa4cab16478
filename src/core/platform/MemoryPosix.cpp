#include "core/platform/Memory.h"

#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace qvmd::platform {

void keepFreedMemory() {
#if defined(__GLIBC__)
    // The heaps of the threads grow in large steps and are never trimmed: the pages stay mapped for reuse.
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
#endif
}

} // namespace qvmd::platform
