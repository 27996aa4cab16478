#pragma once

#include "core/common/DiskSync.h"
#include "core/common/FileError.h"

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>

namespace qvmd {

class ProgramFolder;

// The five lines registration writes to Prime.dat: registered, station type, identifier, name, date.
QStringList primeFileLines(std::int16_t stationKind, const QString& identifier, const QString& name,
                           const QDate& today);

// Rewrites Data/Prime.dat whole (atomically: a failure leaves the old file as it was).
WriteResult writePrimeFile(const ProgramFolder& folder, std::int16_t stationKind, const QString& identifier,
                           const QString& name, const QDate& today, const DiskSync& sync = systemDiskSync());

} // namespace qvmd
