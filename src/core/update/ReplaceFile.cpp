#include "core/update/ReplaceFile.h"

#include "core/common/TextFile.h"

namespace qvmd {

WriteResult replaceFileItself(const QString& path, const QByteArray& bytes, const DiskSync& sync) {
    // The whole-file rewrite renames a new file over the name: a link there is replaced, never followed.
    return writeFileBytes(path, bytes, sync);
}

} // namespace qvmd
