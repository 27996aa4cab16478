#pragma once

#include <QByteArrayView>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace qvmd {

// The rows of a log by station identifier, compared byte for byte as the file holds them. Each identifier
// keeps its rows in ascending order, so the first contact of a station is found without a scan, and rows
// added in order, as a log is read, cost one probe each. The identifiers' bytes are kept in one block and
// the table in two flat arrays: reading a large log allocates nothing per record.
class RowsByIdentifier {
public:
    // Forgets every row, with room for about this many identifiers.
    void clear(int expected = 0);
    void insert(QByteArrayView identifier, int row) { insert(identifier, hashOf(identifier), row); }
    // The same with the identifier's hash already taken; with prefetch(hash) a few rows earlier, a large
    // log's rows go in without waiting on the memory for each.
    void insert(QByteArrayView identifier, std::uint64_t hash, int row);
    // Inline: a log's reading takes one a record.
    static std::uint64_t hashOf(QByteArrayView identifier) {
        // Identifiers are a few bytes: read in whole words, the last ones overlapping rather than byte by
        // byte, each mixed in by a multiply, then a final avalanche.
        const char* const at = identifier.data();
        const auto size = static_cast<std::size_t>(identifier.size());
        std::uint64_t hash = 0x9E3779B97F4A7C15ull ^ size;
        if (size >= 8) {
            for (std::size_t i = 0; i + 8 <= size; i += 8)
                hash = mix(hash, word(at + i, 8));
            if (size % 8 != 0)
                hash = mix(hash, word(at + size - 8, 8));
        } else if (size >= 4) {
            hash = mix(hash, word(at, 4) | word(at + size - 4, 4) << 32);
        } else if (size > 0) {
            const auto byte = [at](std::size_t i) {
                return static_cast<std::uint64_t>(static_cast<unsigned char>(at[i]));
            };
            hash = mix(hash, byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16);
        }
        hash ^= hash >> 33;
        hash *= 0xc4ceb9fe1a85ec53ull;
        return hash ^ (hash >> 33);
    }
    void prefetch(std::uint64_t hash) const {
#if defined(__GNUC__) || defined(__clang__)
        if (!slots_.empty())
            __builtin_prefetch(&slots_[static_cast<std::size_t>(hash >> shift_)]);
#else
        Q_UNUSED(hash);
#endif
    }
    void erase(QByteArrayView identifier, int row);
    // The lowest row holding the identifier, 0 when none does.
    int first(QByteArrayView identifier) const {
        return first(identifier, hashOf(identifier));
    }
    int first(QByteArrayView identifier, std::uint64_t hash) const;
    // The next higher row with the same identifier as row, 0 after the last.
    int next(int row) const {
        return row > 0 && row < static_cast<int>(next_.size()) ? next_[static_cast<std::size_t>(row)] : 0;
    }

private:
    static std::uint64_t word(const char* at, std::size_t bytes) {
        if (bytes == 8) {
            std::uint64_t value;
            std::memcpy(&value, at, 8);
            return value;
        }
        std::uint32_t value;
        std::memcpy(&value, at, 4);
        return value;
    }
    static std::uint64_t mix(std::uint64_t hash, std::uint64_t value) {
        hash = (hash ^ value) * 0xff51afd7ed558ccdull;
        return hash ^ (hash >> 32);
    }
    struct Slot {
        std::uint32_t check = 0; // the hash's low bits, to pass over most other keys unread
        std::int32_t key = -1;   // into keys_; -1 for an empty slot
    };
    struct Key {
        std::int32_t offset = 0; // in names_
        std::int32_t length = 0;
        std::int32_t head = 0; // rows, 0 for none
        std::int32_t tail = 0;
    };

    QByteArrayView nameOf(const Key& key) const {
        return QByteArrayView(names_.data() + key.offset, key.length);
    }
    // The key of the identifier, or -1; slot is where the search stopped.
    int find(QByteArrayView identifier, std::uint64_t hash, std::size_t* slot = nullptr) const;
    int keyFor(QByteArrayView identifier, std::uint64_t hash);
    void rehash(std::size_t capacity);

    std::vector<Slot> slots_; // open addressing, linear probing, a power of two long
    std::vector<Key> keys_;
    std::string names_;
    std::vector<std::int32_t> next_; // by row
    int shift_ = 64;                 // a hash's top bits choose its first slot
};

} // namespace qvmd
