#include "core/logging/RowsByIdentifier.h"

#include <algorithm>
#include <bit>
#include <cstring>

namespace qvmd {

namespace {

constexpr std::size_t smallestTable = 16;

// A table at most three quarters full keeps linear probes short.
std::size_t capacityFor(std::size_t keys) {
    return std::max(smallestTable, std::bit_ceil(keys + keys / 3 + 1));
}

} // namespace

void RowsByIdentifier::clear(int expected) {
    keys_.clear();
    names_.clear();
    next_.clear();
    const auto keys = static_cast<std::size_t>(std::max(expected, 0));
    keys_.reserve(keys);
    names_.reserve(keys * 8);
    next_.assign(keys + 1, 0);
    slots_.clear();
    rehash(capacityFor(keys));
}

void RowsByIdentifier::rehash(std::size_t capacity) {
    slots_.assign(capacity, Slot{});
    shift_ = 64 - std::countr_zero(capacity);
    const std::size_t mask = capacity - 1;
    for (std::size_t key = 0; key < keys_.size(); ++key) {
        const std::uint64_t hash = hashOf(nameOf(keys_[key]));
        std::size_t slot = static_cast<std::size_t>(hash >> shift_);
        while (slots_[slot].key >= 0)
            slot = (slot + 1) & mask;
        slots_[slot] = {static_cast<std::uint32_t>(hash), static_cast<std::int32_t>(key)};
    }
}

int RowsByIdentifier::find(QByteArrayView identifier, std::uint64_t hash, std::size_t* where) const {
    if (slots_.empty())
        return -1;
    const std::size_t mask = slots_.size() - 1;
    const auto check = static_cast<std::uint32_t>(hash);
    for (std::size_t slot = static_cast<std::size_t>(hash >> shift_);; slot = (slot + 1) & mask) {
        const Slot& s = slots_[slot];
        if (s.key < 0 || (s.check == check && nameOf(keys_[static_cast<std::size_t>(s.key)]) == identifier)) {
            if (where)
                *where = slot;
            return s.key;
        }
    }
}

int RowsByIdentifier::keyFor(QByteArrayView identifier, std::uint64_t hash) {
    if (slots_.empty() || keys_.size() + 1 > slots_.size() - slots_.size() / 4)
        rehash(capacityFor(keys_.size() + 1) * 2);
    std::size_t slot = 0;
    const int found = find(identifier, hash, &slot);
    if (found >= 0)
        return found;
    const auto key = static_cast<std::int32_t>(keys_.size());
    keys_.push_back(
        {static_cast<std::int32_t>(names_.size()), static_cast<std::int32_t>(identifier.size()), 0, 0});
    names_.append(identifier.data(), static_cast<std::size_t>(identifier.size()));
    slots_[slot] = {static_cast<std::uint32_t>(hash), key};
    return key;
}

int RowsByIdentifier::first(QByteArrayView identifier, std::uint64_t hash) const {
    const int key = find(identifier, hash);
    return key < 0 ? 0 : keys_[static_cast<std::size_t>(key)].head;
}

void RowsByIdentifier::insert(QByteArrayView identifier, std::uint64_t hash, int row) {
    if (row <= 0)
        return;
    if (static_cast<std::size_t>(row) >= next_.size())
        next_.resize(std::max(static_cast<std::size_t>(row) + 1, next_.size() * 2), 0);
    Key& key = keys_[static_cast<std::size_t>(keyFor(identifier, hash))];
    auto& nextOf = next_;
    const auto at = [&nextOf](std::int32_t r) -> std::int32_t& {
        return nextOf[static_cast<std::size_t>(r)];
    };
    if (key.head == 0) {
        at(row) = 0;
        key.head = key.tail = row;
    } else if (row > key.tail) {
        // The usual case: rows arrive in order.
        at(row) = 0;
        at(key.tail) = row;
        key.tail = row;
    } else {
        // A modified contact that took this identifier: its row goes among the others in order.
        std::int32_t previous = 0;
        std::int32_t current = key.head;
        while (current != 0 && current < row) {
            previous = current;
            current = at(current);
        }
        if (current == row)
            return;
        at(row) = current;
        (previous == 0 ? key.head : at(previous)) = row;
    }
}

void RowsByIdentifier::erase(QByteArrayView identifier, int row) {
    const int found = find(identifier, hashOf(identifier));
    if (found < 0 || row <= 0 || static_cast<std::size_t>(row) >= next_.size())
        return;
    Key& key = keys_[static_cast<std::size_t>(found)];
    std::int32_t previous = 0;
    std::int32_t current = key.head;
    while (current != 0 && current != row) {
        previous = current;
        current = next_[static_cast<std::size_t>(current)];
    }
    if (current == 0)
        return;
    const std::int32_t after = next_[static_cast<std::size_t>(row)];
    (previous == 0 ? key.head : next_[static_cast<std::size_t>(previous)]) = after;
    if (key.tail == row)
        key.tail = previous;
    next_[static_cast<std::size_t>(row)] = 0;
}

} // namespace qvmd
