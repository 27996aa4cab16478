#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"

#include <QByteArray>
#include <QString>

namespace qvmd {

// Puts a downloaded file in place of path, whole or not at all. A symbolic link at path is replaced by
// the file itself, with the usual permissions: what the link points at, perhaps outside the Data folder,
// is never written.
WriteResult replaceFileItself(const QString& path, const QByteArray& bytes,
                              const DiskSync& sync = systemDiskSync());

} // namespace qvmd
