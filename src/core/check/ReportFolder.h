#pragma once

#include "core/check/CheckTexts.h"
#include "core/common/DiskSync.h"
#include "core/common/FileError.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>

namespace qvmd {

// Makes the report folder, or tells why it cannot be used: it cannot be made or written, or it is where
// logs are read from (the next run would read the reports as logs).
std::optional<CheckTexts::Id> reportFolderProblem(const QString& folder, const QStringList& inputs);

// The files to read: a folder gives every entry in it (files, and anything else standing there, which is
// then reported as unreadable), sorted by name, except the report folder and any folder holding it.
QStringList logPaths(const QStringList& inputs, const QString& reportFolder);

// Replaces a table of the report folder whole and synced. As with a report, a symbolic link or a special
// file in its place is refused, never written through, also when one is put there while the table is
// written: what stands there is looked at again just before the rename, and the rename replaces a name,
// never following a link.
WriteResult writeTable(const QString& path, const QByteArray& bytes, const DiskSync& sync = systemDiskSync());

// A report name per log that no other log's report takes.
QString reportName(const QString& fileName, QSet<QString>& taken);

} // namespace qvmd
