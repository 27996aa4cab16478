#pragma once

#include "core/update/DownloadFault.h"

#include <QByteArray>

#include <optional>

namespace qvmd {

// Whether a downloaded file can take the place of file i (0 Lady.dat .. 4 Md.ini): text, not a web page,
// complete (its last line ended by CR LF) and laid out as that file is, every line included, so a broken
// download never replaces a working file.
std::optional<DownloadFault> checkFileShape(int fileIndex, const QByteArray& bytes);

} // namespace qvmd
