#include "core/platform/Desktop.h"

namespace qvmd::platform {

bool desktopNamed(int, char**) {
    return true;
}

void provideRuntimeFolder() {}

void preferOffscreenDrawing() {}

} // namespace qvmd::platform
