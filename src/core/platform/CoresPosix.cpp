#include "core/platform/Cores.h"

#ifdef __linux__
#include <sched.h>
#endif

namespace qvmd::platform {

unsigned allowedCores() {
#ifdef __linux__
    cpu_set_t allowed;
    CPU_ZERO(&allowed);
    if (::sched_getaffinity(0, sizeof allowed, &allowed) == 0 && CPU_COUNT(&allowed) > 0)
        return static_cast<unsigned>(CPU_COUNT(&allowed));
#endif
    return 0;
}

} // namespace qvmd::platform
