#include "core/common/ParallelFor.h"

#include "core/platform/Cores.h"

#include <algorithm>
#include <atomic>
#include <system_error>
#include <thread>
#include <vector>

namespace qvmd {

unsigned usableCores() {
    // More threads than the cores this process may use only wait for each other.
    if (const unsigned allowed = platform::allowedCores())
        return allowed;
    return std::max(1u, std::thread::hardware_concurrency());
}

void parallelFor(std::size_t count, const std::function<void(std::size_t)>& work, unsigned maxThreads) {
    const unsigned cores = usableCores();
    const std::size_t threads = std::min<std::size_t>({cores, maxThreads, count});
    if (threads <= 1) {
        for (std::size_t i = 0; i < count; ++i)
            work(i);
        return;
    }
    // Indices are handed out one at a time, so a slow item never leaves the other threads idle.
    std::atomic<std::size_t> next{0};
    auto drain = [&] {
        for (std::size_t i = next++; i < count; i = next++)
            work(i);
    };
    std::vector<std::thread> helpers;
    helpers.reserve(threads - 1);
    try {
        for (std::size_t t = 1; t < threads; ++t)
            helpers.emplace_back(drain);
    } catch (const std::system_error&) {
        // No more threads to be had (a process limit): those started and this one do the work.
    }
    drain();
    for (std::thread& helper : helpers)
        helper.join();
}

} // namespace qvmd
