#pragma once

#include <atomic>
#include <cstdint>

namespace qvmd {

// Counts the writes into one file, odd while one is under way, so that a reader on another thread can
// tell whether a write may have cut through what it read: it takes the count before and after, and the
// read stands only when both are the same even number.
class WriteSequence {
public:
    void begin() { count_.fetch_add(1, std::memory_order_acq_rel); }
    void end() { count_.fetch_add(1, std::memory_order_acq_rel); }
    std::uint64_t current() const { return count_.load(std::memory_order_acquire); }

    static bool untouched(std::uint64_t before, std::uint64_t after) {
        return before == after && before % 2 == 0;
    }

    // Marks one write for as long as it lives.
    class Writing {
    public:
        explicit Writing(WriteSequence& sequence) : sequence_(sequence) { sequence_.begin(); }
        ~Writing() { sequence_.end(); }
        Writing(const Writing&) = delete;
        Writing& operator=(const Writing&) = delete;

    private:
        WriteSequence& sequence_;
    };

private:
    std::atomic<std::uint64_t> count_{0};
};

} // namespace qvmd
