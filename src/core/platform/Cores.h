#pragma once

namespace qvmd::platform {

// The cores this process may run on (an affinity mask, a container's share), not all the machine has;
// 0 when the system does not say.
unsigned allowedCores();

} // namespace qvmd::platform
