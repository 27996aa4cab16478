#pragma once

#include "core/common/ProgramFolderRule.h"

#include <QString>

namespace qvmd {

// Why the program has no folder for its files, in the language of the offset (0 or 1000): every folder
// tried, then the failure that stopped it when there was one.
QString folderProblemText(const FolderProblem& problem, int languageOffset);

} // namespace qvmd
