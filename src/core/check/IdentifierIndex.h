#pragma once

#include "core/check/IdentifierIds.h"

#include <QString>
#include <QStringView>

#include <optional>
#include <vector>

namespace qvmd {

// Every identifier known to the check (rosters and logs received), with a lookup of the identifiers one
// edit away (one character changed, added, dropped, or two neighbours swapped). Each identifier is filed
// under itself and under each of its one-character deletions, so a lookup costs a few probes instead of
// a pass over all identifiers. Keys are kept as hashes only; candidates are confirmed on their text.
class IdentifierIndex {
public:
    void add(QStringView identifier);
    bool contains(QStringView identifier) const { return identifiers_.find(identifier) >= 0; }
    // The one known identifier one edit away, or nothing when there is none or more than one.
    std::optional<QString> onlyNeighbour(QStringView identifier) const;

private:
    struct Entry {
        std::size_t hash = 0; // of the key: the identifier or one of its deletions
        int number = 0;       // the identifier's number + 1; 0 when the entry is empty
    };
    void file(std::size_t hash, int number);

    IdentifierIds identifiers_;
    std::vector<Entry> entries_; // open addressing; the size is a power of two
    std::size_t used_ = 0;
};

// One edit apart: a change, an insertion, a deletion, or two adjacent characters swapped.
bool oneEditApart(QStringView a, QStringView b);

} // namespace qvmd
