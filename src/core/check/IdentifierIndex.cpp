#include "core/check/IdentifierIndex.h"

#include <QSet>

namespace qvmd {
namespace {

QStringList deletionsOf(const QString& identifier) {
    QStringList keys;
    keys.reserve(identifier.size());
    for (qsizetype i = 0; i < identifier.size(); ++i) {
        // Deleting either of two equal neighbours gives the same key.
        if (i > 0 && identifier[i] == identifier[i - 1])
            continue;
        keys.append(QString(identifier).remove(i, 1));
    }
    return keys;
}

} // namespace

void IdentifierIndex::add(const QString& identifier) {
    if (identifier.isEmpty() || known_.contains(identifier))
        return;
    known_.insert(identifier, true);
    byDeletion_.insert(identifier, identifier);
    for (const QString& key : deletionsOf(identifier))
        byDeletion_.insert(key, identifier);
}

std::optional<QString> IdentifierIndex::onlyNeighbour(const QString& identifier) const {
    QSet<QString> found;
    auto collect = [&](const QString& key) {
        for (auto it = byDeletion_.constFind(key); it != byDeletion_.cend() && it.key() == key; ++it)
            if (*it != identifier && oneEditApart(*it, identifier))
                found.insert(*it);
    };
    collect(identifier);
    for (const QString& key : deletionsOf(identifier))
        collect(key);
    if (found.size() != 1)
        return std::nullopt;
    return *found.cbegin();
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
