#pragma once

namespace qvmd {

// Makes the MIME library ready once per process, from whichever thread first needs it.
void ensureGMime();

} // namespace qvmd
