#include "core/check/IdentifierIndex.h"

#include <QVarLengthArray>

#include <algorithm>

namespace qvmd {
namespace {

// Calls visit(hash) for the identifier and for each of its one-character deletions.
template <typename Visit> void forEachKey(QStringView identifier, Visit&& visit) {
    visit(identifierHash(identifier));
    QVarLengthArray<char16_t, 32> key(identifier.size());
    for (qsizetype i = 0; i < identifier.size(); ++i) {
        // Deleting either of two equal neighbours gives the same key.
        if (i > 0 && identifier[i] == identifier[i - 1])
            continue;
        std::copy(identifier.utf16(), identifier.utf16() + i, key.data());
        std::copy(identifier.utf16() + i + 1, identifier.utf16() + identifier.size(), key.data() + i);
        visit(identifierHash(QStringView(key.data(), identifier.size() - 1)));
    }
}

} // namespace

void IdentifierIndex::file(std::size_t hash, int number) {
    if ((used_ + 1) * 2 > entries_.size()) {
        std::vector<Entry> old =
            std::exchange(entries_, std::vector<Entry>(std::max<std::size_t>(64, entries_.size() * 2)));
        used_ = 0;
        for (const Entry& entry : old)
            if (entry.number != 0)
                file(entry.hash, entry.number);
    }
    const std::size_t mask = entries_.size() - 1;
    std::size_t slot = hash & mask;
    while (entries_[slot].number != 0)
        slot = (slot + 1) & mask;
    entries_[slot] = {hash, number};
    ++used_;
}

void IdentifierIndex::add(QStringView identifier) {
    if (identifier.isEmpty() || contains(identifier))
        return;
    const int number = identifiers_.add(identifier) + 1;
    forEachKey(identifier, [&](std::size_t hash) { file(hash, number); });
}

std::optional<QString> IdentifierIndex::onlyNeighbour(QStringView identifier) const {
    if (entries_.empty())
        return std::nullopt;
    QVarLengthArray<int, 4> found;
    const std::size_t mask = entries_.size() - 1;
    forEachKey(identifier, [&](std::size_t hash) {
        for (std::size_t slot = hash & mask; entries_[slot].number != 0; slot = (slot + 1) & mask) {
            const Entry& entry = entries_[slot];
            if (entry.hash != hash || std::find(found.cbegin(), found.cend(), entry.number) != found.cend())
                continue;
            const QStringView candidate = identifiers_.text(entry.number - 1);
            if (candidate != identifier && oneEditApart(candidate, identifier))
                found.append(entry.number);
        }
    });
    if (found.size() != 1)
        return std::nullopt;
    return identifiers_.text(found.front() - 1).toString();
}

bool oneEditApart(QStringView a, QStringView b) {
    if (a.size() < b.size())
        std::swap(a, b);
    const qsizetype sizeDifference = a.size() - b.size();
    if (sizeDifference > 1)
        return false;
    qsizetype i = 0;
    while (i < b.size() && a[i] == b[i])
        ++i;
    if (i == b.size())
        return sizeDifference == 1;
    if (sizeDifference == 1)
        return a.sliced(i + 1) == b.sliced(i);
    if (a.sliced(i + 1) == b.sliced(i + 1))
        return true;
    return i + 1 < a.size() && a[i] == b[i + 1] && a[i + 1] == b[i] && a.sliced(i + 2) == b.sliced(i + 2);
}

} // namespace qvmd
