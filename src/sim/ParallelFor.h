#pragma once

#include <algorithm>
#include <cstddef>
#include <thread>
#include <vector>

namespace qnetica::sim {

// Calls work(i) for i = 0..count-1, the range cut into `threads` consecutive parts that run at
// once. Whatever the split, every i is done exactly once, so results stored by index do not
// depend on the number of threads.
template <typename Work>
void ParallelFor(int threads, std::size_t count, const Work& work) {
    const std::size_t parts = std::clamp<std::size_t>(static_cast<std::size_t>(threads), 1, count);
    if (parts <= 1) {
        for (std::size_t i = 0; i < count; ++i) work(i);
        return;
    }
    std::vector<std::thread> helpers;
    for (std::size_t p = 1; p < parts; ++p)
        helpers.emplace_back([&, p] {
            for (std::size_t i = p * count / parts; i < (p + 1) * count / parts; ++i) work(i);
        });
    for (std::size_t i = 0; i < count / parts; ++i) work(i);
    for (std::thread& helper : helpers) helper.join();
}

}  // namespace qnetica::sim
