#include "support/SystemFiles.h"

#include <windows.h>

#include <bitset>

namespace qvmd::test {

// Windows file systems have no named pipes among their files.
bool makeNamedPipe(const QString&) {
    return false;
}

OneCore::OneCore() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system) || process == 0)
        return;
    saved_ = process;
    held_ = SetProcessAffinityMask(GetCurrentProcess(), process & (~process + 1)) != 0;
}

OneCore::~OneCore() {
    if (held_)
        SetProcessAffinityMask(GetCurrentProcess(), static_cast<DWORD_PTR>(saved_));
}

unsigned allowedCores() {
    DWORD_PTR process = 0;
    DWORD_PTR system = 0;
    if (!GetProcessAffinityMask(GetCurrentProcess(), &process, &system))
        return 0;
    return static_cast<unsigned>(std::bitset<64>(process).count());
}

} // namespace qvmd::test
