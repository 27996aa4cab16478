#pragma once

namespace qvmd::platform {

// For a short process that allocates and frees by the hundred megabytes on several threads (the
// checker): memory it frees is kept for its next allocations instead of being handed back to the system
// and asked for again page by page, each time with a system call and fresh page faults. Nothing where the
// system's allocator has no such setting.
void keepFreedMemory();

} // namespace qvmd::platform
