#include "core/platform/Memory.h"

namespace qvmd::platform {

// The Windows heap keeps freed blocks for reuse on its own.
void keepFreedMemory() {}

} // namespace qvmd::platform
