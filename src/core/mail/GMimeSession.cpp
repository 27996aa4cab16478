#include "core/mail/GMimeSession.h"

#include <gmime/gmime.h>

#include <mutex>

namespace qvmd {

void ensureGMime() {
    // Never shut down: threads may still parse while the process ends, and the system frees it all.
    static std::once_flag once;
    std::call_once(once, [] { g_mime_init(); });
}

} // namespace qvmd
