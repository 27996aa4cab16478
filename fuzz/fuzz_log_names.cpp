#include "FuzzFolder.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"
#include "core/logfile/LogName.h"

// The log names on arbitrary text: a name made for an identifier is always one of its own logs, the
// pattern never lets another station's log through, and a rewrite's temporary name leads back to the
// file it stands for.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QStringList pieces = qvmd::fromWindows1252(qvmd::fuzz::bytesOf(data, size)).split(QChar(1));
    const QString identifier = pieces.value(0);
    const QString category = pieces.value(1);
    const QString name = pieces.value(2);
    const int year = static_cast<int>(size % 10000);

    const QString made = qvmd::logFileName(identifier, category, year);
    if (!qvmd::isOwnLogName(made, identifier) || !made.endsWith(QLatin1String(".Log")))
        __builtin_trap();
    if (qvmd::isOwnLogName(name, identifier) &&
        (!name.startsWith(identifier.trimmed() + QLatin1Char('_'), Qt::CaseInsensitive) ||
         !name.endsWith(QLatin1String(".log"), Qt::CaseInsensitive)))
        __builtin_trap();

    if (const std::optional<QString> target = qvmd::temporaryFileTarget(name)) {
        if (target->isEmpty() || name.size() != target->size() + 7 || !name.startsWith(*target))
            __builtin_trap();
    }
    if (!name.isEmpty() && !name.contains(QLatin1Char('\n')) &&
        qvmd::temporaryFileTarget(name + QStringLiteral(".AbCdEf")) != name)
        __builtin_trap();
    return 0;
}
