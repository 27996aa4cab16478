#include "FuzzFolder.h"
#include "core/common/Windows1252.h"
#include "core/exchange/BackupNames.h"

#include <QDateTime>

#include <algorithm>

// The backup names on arbitrary text: a copy's name leads back to its log, the restore target is always
// the log the name gives (without regard to case) and one of the logs offered when one fits.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Pieces split at U+0001: the backup name, the log in use, then the logs that exist.
    const QStringList pieces = qvmd::fromWindows1252(qvmd::fuzz::bytesOf(data, size)).split(QChar(1));
    const QString backup = pieces.value(0);
    const QString inUse = pieces.value(1);
    const QStringList existing = pieces.mid(2);

    const std::optional<QString> named = qvmd::restoreTargetName(backup);
    const std::optional<QString> target = qvmd::restoreTargetAmong(backup, existing, inUse);
    if (named.has_value() != target.has_value())
        __builtin_trap();
    if (named) {
        if (!named->endsWith(QLatin1String(".Log")) || named->chopped(4).contains(QLatin1Char('-')) ||
            !backup.trimmed().startsWith(named->chopped(4) + QLatin1Char('-')))
            __builtin_trap();
        if (target->compare(*named, Qt::CaseInsensitive) != 0)
            __builtin_trap();
        const bool anyFits = std::any_of(existing.begin(), existing.end(), [&](const QString& name) {
            return name.compare(*named, Qt::CaseInsensitive) == 0;
        });
        // An existing log keeps its own name; a restore never makes a second one beside it.
        if (anyFits && !existing.contains(*target))
            __builtin_trap();
    }

    // A copy named from a log leads back to that log's base, when the base has no "-" of its own.
    const QDateTime now(QDate(2026, 12, 6), QTime(21, 45, 7));
    if (const std::optional<QString> copy = qvmd::backupFileName(backup, now)) {
        if (!copy->endsWith(QLatin1String("-0612_214507.Bak")))
            __builtin_trap();
        const QString base = backup.trimmed().section(QLatin1Char('.'), 0, 0);
        const std::optional<QString> back = qvmd::restoreTargetName(*copy);
        if (!base.contains(QLatin1Char('-')) && back != base + QStringLiteral(".Log"))
            __builtin_trap();
        if (!qvmd::isOwnBackup(*copy, base.section(QLatin1Char('_'), 0, 0)) &&
            base.contains(QLatin1Char('_')) && !base.section(QLatin1Char('_'), 0, 0).isEmpty())
            __builtin_trap();
    }
    if (qvmd::isOwnBackup(backup, inUse) &&
        (!backup.startsWith(inUse + QLatin1Char('_'), Qt::CaseInsensitive) ||
         !backup.endsWith(QLatin1String(".Bak"), Qt::CaseInsensitive)))
        __builtin_trap();
    return 0;
}
