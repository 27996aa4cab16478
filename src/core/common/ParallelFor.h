#pragma once

#include <cstddef>
#include <functional>

namespace qvmd {

// The cores this process may use.
unsigned usableCores();

// Runs work(0) .. work(count - 1) on as many threads as the process has cores (at most maxThreads),
// each index exactly once, and returns when all are done. Each call must touch only what belongs to its
// index; the order of the calls is not defined. When the system gives no more threads, the ones it gave
// and the calling thread do the work.
void parallelFor(std::size_t count, const std::function<void(std::size_t)>& work, unsigned maxThreads = 8);

} // namespace qvmd
