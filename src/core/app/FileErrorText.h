#pragma once

#include "core/common/FileError.h"

#include <QString>

namespace qvmd {

// A file failure in the program's words, Italian for offset 0 and English otherwise:
// which file, what failed, and the system's own detail when there is one.
QString fileErrorText(const FileError& error, int languageOffset);

} // namespace qvmd
