#pragma once

#include "core/check/CheckTexts.h"

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

// A report name per log that no other log's report takes.
QString reportName(const QString& fileName, QSet<QString>& taken);

} // namespace qvmd
