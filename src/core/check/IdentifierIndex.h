#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <optional>

namespace qvmd {

// Every identifier known to the check (rosters and logs received), with a lookup of the identifiers one
// edit away (one character changed, added, dropped, or two neighbours swapped). Each identifier is filed
// under itself and under each of its one-character deletions, so a lookup costs a few hash probes
// instead of a pass over all identifiers.
class IdentifierIndex {
public:
    void add(const QString& identifier);
    bool contains(const QString& identifier) const { return known_.contains(identifier); }
    // The one known identifier one edit away, or nothing when there is none or more than one.
    std::optional<QString> onlyNeighbour(const QString& identifier) const;

private:
    QHash<QString, bool> known_;
    QMultiHash<QString, QString> byDeletion_; // deletion key -> identifier
};

// One edit apart: a change, an insertion, a deletion, or two adjacent characters swapped.
bool oneEditApart(QStringView a, QStringView b);

} // namespace qvmd
