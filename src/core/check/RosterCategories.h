#pragma once

#include "core/check/IdentifierIds.h"

#include <QByteArray>
#include <QString>
#include <QStringView>

#include <vector>

namespace qvmd {

// The roster categories of every listed identifier: Lady.dat gives "L", Hunter.dat "H"; a station may
// be on both. Each listed identifier has a number, 0 up, that the cross-check keeps for it.
class RosterCategories {
public:
    enum : quint8 { Lady = 1, Hunter = 2 };

    // Adds the identifiers (the key of each "identifier>name" line, trimmed and upper-cased) of one
    // roster's bytes.
    void addRoster(const QByteArray& bytes, quint8 category);
    // The number of a listed identifier, or -1 when no roster lists it.
    int find(QStringView identifier) const { return ids_.find(identifier); }
    int find(QStringView identifier, std::size_t hash) const { return ids_.find(identifier, hash); }
    // The same for an identifier as a log's bytes; hash is identifierHash's of the bytes. Only plain
    // ASCII identifiers can be found this way, and only those are valid in a log.
    int findBytes(QByteArrayView identifier, std::size_t hash) const {
        const int ascii = asciiIds_.find(identifier, hash);
        return ascii < 0 ? -1 : asciiNumbers_[static_cast<std::size_t>(ascii)];
    }
    const IdentifierIds& ids() const { return ids_; }
    // By number: the categories, Lady | Hunter.
    const std::vector<quint8>& categories() const { return categories_; }
    // The categories as a finding names them: "H", "L" or "H/L".
    static QString text(quint8 categories);

private:
    IdentifierIds ids_;
    std::vector<quint8> categories_;
    ByteIdentifierIds asciiIds_;    // the plain ASCII identifiers among ids_, as bytes
    std::vector<int> asciiNumbers_; // by number in asciiIds_: the number in ids_
};

} // namespace qvmd
