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
    // The first roster that could not be read (which file, what failed). The other roster is still
    // searched, so this can be set together with found: the category may then be the wrong one.
    std::optional<FileError> error;
};

enum class RosterOrder {
    Registration, // Hunter.dat first (lines with a leading number above 0 only), then Lady.dat
    Logging,      // Lady.dat first, then Hunter.dat
};

// Scans one roster's bytes (Windows-1252) for an exact identifier and returns the name of the first line
// that holds it; comments, empty lines and lines without ">" never match. The key of a line is the text
// before its last ">" (back to the previous ">"), as in Prefix.dat. positiveLeadingOnly skips lines whose
// leading number is not above 0. Nothing is allocated per line; only the matching name is decoded.
std::optional<QString> findInRoster(const QByteArray& roster, const QString& identifier,
                                    bool positiveLeadingOnly);

// Reads the rosters afresh on every call, so an updated roster is used at once.
RosterSearch searchRosters(const ProgramFolder& folder, const QString& identifier, RosterOrder order);

} // namespace qvmd
