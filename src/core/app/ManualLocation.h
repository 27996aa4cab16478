#pragma once

#include <QString>
#include <QStringList>

namespace qvmd {

// The user's manual ships as HTML pages, one folder per language ("it", "en"): beside the executable in a
// copy laid out by the build, under share/doc/qv-md/manual in an installed one. The places looked in, in
// order, for the manual's first page in the language of the offset.
QStringList manualCandidates(const QString& executableFolder, const QStringList& dataFolders,
                             int languageOffset);

// The first of those that exists, or empty.
QString findManual(const QString& executableFolder, const QStringList& dataFolders, int languageOffset);

} // namespace qvmd
