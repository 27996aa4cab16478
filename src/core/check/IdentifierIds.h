#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <vector>

namespace qvmd {

// Identifiers are a dozen characters or so: their bytes are mixed eight at a time, and the final mix
// spreads the bits a table's mask keeps.
inline std::size_t identifierHash(const void* data, std::size_t characters, std::size_t characterSize) {
    constexpr std::uint64_t multiplier = 0x9e3779b97f4a7c15ULL;
    const auto* bytes = static_cast<const unsigned char*>(data);
    std::size_t left = characters * characterSize;
    std::uint64_t hash = characters * multiplier;
    for (; left >= 8; left -= 8, bytes += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes, sizeof word);
        hash = (hash ^ word) * multiplier;
        hash ^= hash >> 32;
    }
    if (left > 0) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes, left);
        hash = (hash ^ word) * multiplier;
    }
    hash ^= hash >> 29;
    hash *= 0xbf58476d1ce4e5b9ULL;
    return static_cast<std::size_t>(hash ^ (hash >> 32));
}
inline std::size_t identifierHash(QStringView identifier) {
    return identifierHash(identifier.utf16(), static_cast<std::size_t>(identifier.size()), 2);
}
inline std::size_t identifierHash(QByteArrayView identifier) {
    return identifierHash(identifier.data(), static_cast<std::size_t>(identifier.size()), 1);
}

namespace detail {
template <typename Char> struct IdentifierText;
template <> struct IdentifierText<char16_t> {
    using View = QStringView;
    static const char16_t* data(QStringView text) { return text.utf16(); }
};
template <> struct IdentifierText<char> {
    using View = QByteArrayView;
    static const char* data(QByteArrayView text) { return text.data(); }
};
} // namespace detail

// Numbers every distinct station identifier 0, 1, 2 … in the order first seen, so that identifiers are
// compared and indexed as numbers instead of strings. Lookups run once or twice per contact, so the
// table is laid out for the cache: open addressing over slots that carry part of the hash, and the
// identifiers' characters side by side in one buffer. Identifiers are UTF-16 text, or the bytes of a log.
template <typename Char> class BasicIdentifierIds {
public:
    using View = typename detail::IdentifierText<Char>::View;

    // The identifier's number, giving it the next one when it is new. hash is identifierHash's.
    int add(View identifier, std::size_t hash) {
        if ((spans_.size() + 1) * 3 > slots_.size() * 2)
            rehash(std::max<std::size_t>(64, slots_.size() * 2));
        Slot& slot = slots_[slotOf(identifier, hash)];
        if (slot.number != 0)
            return slot.number - 1;
        const Char* characters = detail::IdentifierText<Char>::data(identifier);
        spans_.push_back({static_cast<quint32>(characters_.size()), static_cast<quint32>(identifier.size())});
        characters_.insert(characters_.end(), characters, characters + identifier.size());
        slot = {tagOf(hash), static_cast<int>(spans_.size())};
        return static_cast<int>(spans_.size()) - 1;
    }
    int add(View identifier) { return add(identifier, identifierHash(identifier)); }
    // The identifier's number, or -1 when it was never added.
    int find(View identifier, std::size_t hash) const {
        return slots_.empty() ? -1 : slots_[slotOf(identifier, hash)].number - 1;
    }
    int find(View identifier) const { return find(identifier, identifierHash(identifier)); }
    View text(int id) const {
        const Span& span = spans_[static_cast<std::size_t>(id)];
        return View(characters_.data() + span.start, span.size);
    }
    int size() const { return static_cast<int>(spans_.size()); }
    void reserve(std::size_t count) {
        spans_.reserve(count);
        characters_.reserve(count * 8);
        if (count * 3 > slots_.size() * 2)
            rehash(std::bit_ceil(std::max<std::size_t>(64, count * 3 / 2 + 1)));
    }
    // Forgets every identifier and keeps the room, for a table used once per log.
    void clear() {
        std::fill(slots_.begin(), slots_.end(), Slot{});
        spans_.clear();
        characters_.clear();
    }

private:
    struct Slot {
        quint32 tag = 0; // high bits of the identifier's hash
        int number = 0;  // the identifier's number + 1; 0 when the slot is empty
    };
    struct Span {
        quint32 start = 0;
        quint32 size = 0;
    };

    static quint32 tagOf(std::size_t hash) {
        return static_cast<quint32>(static_cast<std::uint64_t>(hash) >> 32);
    }

    bool sameText(int number, View identifier) const {
        const Span& span = spans_[static_cast<std::size_t>(number - 1)];
        const Char* characters = detail::IdentifierText<Char>::data(identifier);
        return span.size == static_cast<std::size_t>(identifier.size()) &&
               std::equal(characters, characters + identifier.size(), characters_.data() + span.start);
    }
    std::size_t slotOf(View identifier, std::size_t hash) const {
        const std::size_t mask = slots_.size() - 1;
        const quint32 tag = tagOf(hash);
        for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
            const Slot& entry = slots_[slot];
            if (entry.number == 0 || (entry.tag == tag && sameText(entry.number, identifier)))
                return slot;
        }
    }
    // Kept at most two thirds full, so probe runs stay short.
    void rehash(std::size_t size) {
        std::vector<Slot> table(size);
        const std::size_t mask = size - 1;
        for (const Slot& entry : slots_) {
            if (entry.number == 0)
                continue;
            const Span& span = spans_[static_cast<std::size_t>(entry.number - 1)];
            std::size_t slot = identifierHash(View(characters_.data() + span.start, span.size)) & mask;
            while (table[slot].number != 0)
                slot = (slot + 1) & mask;
            table[slot] = entry;
        }
        slots_ = std::move(table);
    }

    std::vector<Slot> slots_; // the size is a power of two
    std::vector<Span> spans_; // by number
    std::vector<Char> characters_;
};

using IdentifierIds = BasicIdentifierIds<char16_t>;
// Identifiers as the bytes of a log: a valid one is plain ASCII.
using ByteIdentifierIds = BasicIdentifierIds<char>;

} // namespace qvmd
