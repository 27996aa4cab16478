#pragma once

#include <QString>
#include <QStringList>

namespace qvmd {

class ProgramFolder;

// The name of a log: identifier, "_MD_", category, "_", four-digit year, ".Log" (5QV123_MD_L_2015.Log).
// Parts are trimmed, as the profile keeps them.
QString logFileName(const QString& identifier, const QString& category, int year);

// True when a file name fits the pattern identifier + "_*.log", letter case ignored throughout.
bool isOwnLogName(const QString& fileName, const QString& identifier);

// The regular files in Logs that fit isOwnLogName, sorted without regard to case; empty when the
// folder is missing or unreadable.
QStringList ownLogFiles(const ProgramFolder& folder, const QString& identifier);

} // namespace qvmd
