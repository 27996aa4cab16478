#pragma once

// Moved to core/common; kept until the last includes below app follow.
#include "core/common/StringTable.h"
