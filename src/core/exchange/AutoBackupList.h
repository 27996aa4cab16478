#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"
#include "core/common/ProgramFolder.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace qvmd {

// The copies the program made by itself, oldest first, kept in a file of its own in the Backup folder so
// the copies keep the names the Restore window reads. A copy is known by its name, size and content
// fingerprint: a file that has since been replaced under the same name (a copy made by hand in the same
// second) no longer matches and is never removed as an automatic one.
struct AutoBackupEntry {
    QString name;
    qint64 size = 0;
    QByteArray fingerprint; // hex SHA-256 of the content

    friend bool operator==(const AutoBackupEntry&, const AutoBackupEntry&) = default;
};

// The list file's name in the Backup folder.
QString autoBackupListName();

// The list as stored; a missing file is an empty list. Lines that do not read as an entry are skipped.
Result<QList<AutoBackupEntry>> readAutoBackupList(const ProgramFolder& folder);

// Rewrites the list whole, atomically.
WriteResult writeAutoBackupList(const ProgramFolder& folder, const QList<AutoBackupEntry>& entries,
                                const DiskSync& sync = systemDiskSync());

// A copy made by hand under a name the list holds (made in the same second) is no automatic copy: the
// entry goes, so the copy is never removed.
WriteResult forgetAutoBackup(const ProgramFolder& folder, const QString& name);

// The fingerprint of some content, as the list keeps it.
QByteArray contentFingerprint(const QByteArray& content);

} // namespace qvmd
