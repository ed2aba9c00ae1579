#pragma once
// Timing for benchmark programs: the best of a few runs, so that a busy machine's slow runs
// do not hide what the code costs.
#include <algorithm>
#include <chrono>
#include <functional>

inline double bestMilliseconds(int runs, const std::function<void()>& work)
{
    double best = 1e30;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double, std::milli> took =
            std::chrono::steady_clock::now() - start;
        best = std::min(best, took.count());
    }
    return best;
}
