#include "core/update/InstalledVersions.h"

#include "core/common/TextFile.h"
#include "core/update/UpdateManifest.h"

namespace qvmd {

Result<InstalledVersions> InstalledVersions::load(const QString& path) {
    InstalledVersions versions;
    Result<QStringList> lines = readLines(path, SmallFileLimit);
    if (!lines) {
        if (lines.error().kind == FileError::Kind::Missing)
            return versions;
        return lines.error();
    }
    versions.lines_ = std::move(lines.value());
    return versions;
}

QStringList InstalledVersions::afterUpdate(const UpdateManifest& manifest,
                                           const std::array<bool, UpdateFileCount>& replaced) const {
    QStringList lines;
    lines.reserve(WrittenLines);
    for (int i = 0; i < WrittenLines; ++i) {
        const bool isReplaced = i < UpdateFileCount && replaced[static_cast<std::size_t>(i)];
        lines.append(isReplaced ? manifest.versionCode(i).trimmed() : line(i));
    }
    return lines;
}

} // namespace qvmd
