#include "FuzzFolder.h"
#include "core/app/AppState.h"
#include "core/app/StartupFiles.h"
#include "core/common/TextFile.h"
#include "core/common/Windows1252.h"
#include "core/station/PrimeFile.h"

#include <QDate>

// The writers and readers together: what is written is read back as it was.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto& fuzz = qvmd::fuzz::FuzzFolder::instance();
    // Lines as a file can hold them: no line feed inside, and no carriage return at the end of one.
    QStringList lines = qvmd::splitLines(qvmd::fuzz::bytesOf(data, size).toByteArray());
    for (QString& line : lines) {
        while (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
    }
    // A first line that starts with the three characters of a UTF-8 byte-order mark is read as one: the
    // single ambiguity of the format, and no writer of ours produces it.
    if (!lines.isEmpty() && qvmd::toWindows1252(lines.first()).startsWith("\xEF\xBB\xBF"))
        return 0;
    const QString path = fuzz.folder().data(QStringLiteral("Round.dat"));
    if (qvmd::writeLines(path, lines, fuzz.sync()))
        __builtin_trap();
    const qvmd::Result<QStringList> back = qvmd::readLines(path, qvmd::SmallFileLimit);
    if (!back || back.value() != lines)
        __builtin_trap();

    // Prime.dat: the identifier and name come back trimmed, as the registration writes them.
    const QString identifier = lines.value(0);
    const QString name = lines.value(1);
    if (identifier.contains(QLatin1Char('\r')) || name.contains(QLatin1Char('\r')))
        return 0;
    if (qvmd::writePrimeFile(fuzz.folder(), 1, identifier, name, QDate(2026, 1, 1), fuzz.sync()))
        __builtin_trap();
    qvmd::AppState state(fuzz.folder().folder());
    if (qvmd::readPrimeFile(state) || state.RegistrationState != 1 ||
        state.RegisteredUnitId != identifier.trimmed() || state.RegisteredName != name.trimmed())
        __builtin_trap();
    return 0;
}
