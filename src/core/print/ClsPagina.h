#pragma once

#include "core/print/ClsComandi.h"

#include <vector>

namespace qvmd {

// One recorded page: its commands in the order they were recorded.
struct ClsPagina {
    std::vector<ClsComandi> Param;
};

} // namespace qvmd
