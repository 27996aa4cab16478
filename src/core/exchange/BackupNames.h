#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <optional>

namespace qvmd {

// The name of a copy of a log: the log name before its first ".", "-", DDMM, "_", hhmmss (24-hour local
// time), ".Bak". The year is not part of it, so copies made in the same second share a name. Nothing
// when the name gives no base (no "." or nothing before it).
std::optional<QString> backupFileName(const QString& logName, const QDateTime& now);

// The log a copy belongs to: the copy's name before its first "-", then ".Log". Nothing when the name
// gives no base (no "-" or nothing before it).
std::optional<QString> restoreTargetName(const QString& backupName);

// The log a copy is restored to, among the logs that exist: the name restoreTargetName gives, matched
// without regard to case, since copies are listed that way (a hand-renamed "5qv123_md_l_2026-…" still
// belongs to 5QV123_MD_L_2026.Log). An existing log keeps its own name: an exact match first, then the
// log in use, then the first in order. With none, the log in use when it matches, else the name with its
// base in capitals, as logs are named. Nothing when the copy's name gives no log name.
std::optional<QString> restoreTargetAmong(const QString& backupName, const QStringList& existingLogs,
                                          const QString& logInUse);

// Whether a file in the Backup folder is a copy of one of the own station's logs: the callsign, "_",
// anything, ".Bak", without regard to case.
bool isOwnBackup(const QString& fileName, const QString& stationCallsign);

// The own station's copies in a folder, by name; an unreadable or missing folder lists nothing.
QStringList listOwnBackups(const QString& backupFolder, const QString& stationCallsign);

} // namespace qvmd
