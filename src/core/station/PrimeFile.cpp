#include "core/station/PrimeFile.h"

#include "core/common/Clock.h"
#include "core/common/ProgramFolder.h"
#include "core/common/TextFile.h"

namespace qvmd {

QStringList primeFileLines(std::int16_t stationKind, const QString& identifier, const QString& name,
                           const QDate& today) {
    return {QStringLiteral("1"), QString::number(stationKind), identifier.trimmed(), name.trimmed(),
            shortDateText(today)};
}

WriteResult writePrimeFile(const ProgramFolder& folder, std::int16_t stationKind, const QString& identifier,
                           const QString& name, const QDate& today, const DiskSync& sync) {
    return writeLines(folder.data(QStringLiteral("Prime.dat")),
                      primeFileLines(stationKind, identifier, name, today), sync);
}

} // namespace qvmd
