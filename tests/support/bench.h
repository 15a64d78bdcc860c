#pragma once
// Timing for the benchmark programs: the median of many runs, in microseconds.
#include <algorithm>
#include <chrono>
#include <vector>

template <class F>
double MedianMicroseconds(int runs, F&& work) {
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
