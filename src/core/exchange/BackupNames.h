#pragma once

#include <QDateTime>
#include <QString>

#include <optional>

namespace qvmd {

// The name of a copy of a log: the log name before its first ".", "-", DDMM, "_", hhmmss (24-hour local
// time), ".Bak". The year is not part of it, so copies made in the same second share a name. Nothing
// when the name gives no base (no "." or nothing before it).
std::optional<QString> backupFileName(const QString& logName, const QDateTime& now);

// The log a copy belongs to: the copy's name before its first "-", then ".Log". Nothing when the name
// gives no base (no "-" or nothing before it).
std::optional<QString> restoreTargetName(const QString& backupName);

// Whether a file in the Backup folder is a copy of one of the own station's logs: the callsign, "_",
// anything, ".Bak", without regard to case.
bool isOwnBackup(const QString& fileName, const QString& stationCallsign);

// The own station's copies in a folder, by name; an unreadable or missing folder lists nothing.
QStringList listOwnBackups(const QString& backupFolder, const QString& stationCallsign);

} // namespace qvmd
