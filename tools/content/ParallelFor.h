#pragma once
// Runs independent jobs on a few threads, for the content programs that make many files.

#include <algorithm>
#include <atomic>
#include <cstddef>
#include <thread>
#include <vector>

namespace Content {

// Calls job(i) for every i below count, each once, on up to eight threads; true when every
// call returned true.
template <typename Job>
bool RunInParallel(const size_t count, const Job& job)
{
    std::atomic<size_t> next = 0;
    std::atomic<bool> failed = false;
    const auto worker = [&] {
        for (size_t i = next++; i < count; i = next++) {
            if (!job(i))
                failed = true;
        }
    };
    const unsigned threads = std::max(1u, std::min(std::thread::hardware_concurrency(), 8u));
    std::vector<std::thread> pool;
    for (unsigned t = 0; t < threads; ++t)
        pool.emplace_back(worker);
    for (std::thread& thread : pool)
        thread.join();
    return !failed;
}

} // namespace Content
