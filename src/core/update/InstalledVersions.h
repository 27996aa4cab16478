#pragma once

#include "core/common/FileError.h"
#include "core/update/UpdateFiles.h"

#include <QString>
#include <QStringList>

#include <array>

namespace qvmd {

class UpdateManifest;

// Agg.dat: line i + 1 holds the version code of file i; line 6 belongs to a file the program does not
// fetch and is carried along.
class InstalledVersions {
public:
    static constexpr int WrittenLines = 6;

    // A missing Agg.dat means nothing is installed yet; any number of lines is read.
    static Result<InstalledVersions> load(const QString& path);

    // Line i as read (0-based), empty when the file has no such line.
    QString line(int i) const { return i >= 0 && i < lines_.size() ? lines_[i] : QString(); }
    void setLines(QStringList lines) { lines_ = std::move(lines); }

    // The six lines after an update: the new version code of each replaced file, every other line as read.
    QStringList afterUpdate(const UpdateManifest& manifest,
                            const std::array<bool, UpdateFileCount>& replaced) const;

private:
    QStringList lines_;
};

} // namespace qvmd
