#pragma once

#include "core/common/FileError.h"

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include <array>
#include <optional>
#include <string_view>
#include <unordered_map>

namespace qvmd {

class ProgramFolder;

// Both rosters held in memory with an index by identifier, for lookups on every keystroke. It answers as
// the search in logging order does (Lady.dat first, the first matching line wins); Find still reads the
// files themselves, so the index only ever informs.
class RosterIndex {
public:
    struct Hit {
        QString name;
        QString category; // "L" or "H"
    };

    // Reads Lady.dat and Hunter.dat from the folder; a roster that cannot be read is left out and noted.
    void load(const ProgramFolder& folder);
    // Builds the index from the rosters' bytes (Windows-1252).
    void build(QByteArray lady, QByteArray hunter);
    // True when a roster file changed since the last load (an update replaced it), so it must be read again.
    bool stale(const ProgramFolder& folder) const;

    std::optional<Hit> find(const QString& identifier) const;
    // False when a roster could not be read: "not found" then proves nothing.
    bool complete() const { return !error_; }
    const std::optional<FileError>& error() const { return error_; }
    std::size_t size() const { return index_.size(); }

private:
    struct Place {
        int roster; // 0 Lady, 1 Hunter
        qsizetype nameStart;
        qsizetype nameSize;
    };
    struct Stamp {
        qint64 size = -1;
        qint64 modified = 0; // nanoseconds since the epoch, as the file system keeps them
        bool operator==(const Stamp&) const = default;
    };
    static Stamp stampOf(const QString& path);
    void indexRoster(int roster);

    std::array<QByteArray, 2> bytes_;
    std::array<Stamp, 2> stamps_;
    // Keys are views into bytes_, which the index owns and never changes after building.
    std::unordered_map<std::string_view, Place> index_;
    std::optional<FileError> error_;
};

} // namespace qvmd
