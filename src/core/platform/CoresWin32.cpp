#include "core/platform/Cores.h"

#include <bit>
#include <windows.h>

namespace qvmd::platform {

unsigned allowedCores() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (::GetProcessAffinityMask(::GetCurrentProcess(), &process, &system) && process != 0)
        return static_cast<unsigned>(std::popcount(static_cast<unsigned long long>(process)));
    return 0;
}

} // namespace qvmd::platform
