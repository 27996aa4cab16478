#pragma once

#include "core/common/FileError.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace qvmd {

class ProgramFolder;

struct RosterEntry {
    QString identifier;
    QString name;
    QString category; // "L" from Lady.dat, "H" from Hunter.dat
};

struct RosterSearch {
    bool found = false;
    RosterEntry entry;
    // Set when a roster could not be read; the search then reports not found.
    std::optional<FileError> error;
};

enum class RosterOrder {
    Registration, // Hunter.dat first (lines with a leading number above 0 only), then Lady.dat
    Logging,      // Lady.dat first, then Hunter.dat
};

// Scans one roster's bytes for an exact identifier; comments, empty lines and lines without ">" never match.
// positiveLeadingOnly skips lines whose leading number is not above 0.
std::optional<QString> findInRoster(const QByteArray& roster, const QString& identifier, bool positiveLeadingOnly);

// Reads the rosters afresh on every call, so an updated roster is used at once.
RosterSearch searchRosters(const ProgramFolder& folder, const QString& identifier, RosterOrder order);

} // namespace qvmd
