#pragma once

#include <QString>
#include <QStringView>

#include <cstdint>
#include <type_traits>
#include <vector>

namespace qvmd {

// Identifiers are a dozen characters or so: a multiply-and-mix per character beats a general string
// hash, and the final mix spreads the bits a table's mask keeps.
inline std::size_t identifierHash(QStringView identifier) {
    std::uint64_t hash = static_cast<std::uint64_t>(identifier.size());
    for (QChar c : identifier)
        hash = (hash ^ c.unicode()) * 0x100000001b3ULL;
    hash ^= hash >> 29;
    hash *= 0xbf58476d1ce4e5b9ULL;
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}

// Numbers every distinct station identifier 0, 1, 2 … in the order first seen, so that identifiers are
// compared and indexed as numbers instead of strings. Open addressing over the identifiers' hashes: a
// lookup is a hash, a probe or two and one string comparison. Text is QString to keep copies, or
// QStringView when the caller keeps the identifiers' text alive for as long as the table.
template <typename Text> class IdentifierTable {
public:
    // The identifier's number, giving it the next one when it is new.
    int add(QStringView identifier) {
        if ((texts_.size() + 1) * 2 > slots_.size())
            grow();
        const std::size_t hash = identifierHash(identifier);
        const std::size_t slot = slotOf(identifier, hash);
        if (slots_[slot] != 0)
            return slots_[slot] - 1;
        if constexpr (std::is_same_v<Text, QString>)
            texts_.push_back(identifier.toString());
        else
            texts_.push_back(identifier);
        hashes_.push_back(hash);
        slots_[slot] = static_cast<int>(texts_.size());
        return static_cast<int>(texts_.size()) - 1;
    }
    // The identifier's number, or -1 when it was never added.
    int find(QStringView identifier) const {
        return slots_.empty() ? -1 : slots_[slotOf(identifier, identifierHash(identifier))] - 1;
    }
    const Text& text(int id) const { return texts_[static_cast<std::size_t>(id)]; }
    int size() const { return static_cast<int>(texts_.size()); }
    void reserve(std::size_t count) {
        texts_.reserve(count);
        hashes_.reserve(count);
        if (count * 2 > slots_.size()) {
            std::size_t size = 64;
            while (size < count * 2)
                size *= 2;
            rehash(size);
        }
    }

private:
    // Equal hashes almost always mean equal identifiers: a plain loop over a dozen characters beats
    // the general comparison's call.
    static bool sameText(QStringView a, QStringView b) {
        if (a.size() != b.size())
            return false;
        for (qsizetype i = 0; i < a.size(); ++i)
            if (a[i] != b[i])
                return false;
        return true;
    }
    std::size_t slotOf(QStringView identifier, std::size_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const int entry = slots_[slot];
            if (entry == 0)
                return slot;
            const auto id = static_cast<std::size_t>(entry - 1);
            if (hashes_[id] == hash && sameText(texts_[id], identifier))
                return slot;
        }
    }
    // Kept at most half full, so probe runs stay short.
    void grow() { rehash(std::max<std::size_t>(64, slots_.size() * 2)); }
    void rehash(std::size_t size) {
        std::vector<int> table(size, 0);
        const std::size_t mask = table.size() - 1;
        for (std::size_t id = 0; id < texts_.size(); ++id) {
            std::size_t slot = hashes_[id] & mask;
            while (table[slot] != 0)
                slot = (slot + 1) & mask;
            table[slot] = static_cast<int>(id) + 1;
        }
        slots_ = std::move(table);
    }

    std::vector<Text> texts_;
    std::vector<std::size_t> hashes_; // by number
    std::vector<int> slots_;          // number + 1, 0 when empty; the size is a power of two
};

using IdentifierIds = IdentifierTable<QString>;

} // namespace qvmd
