#pragma once
// What the decision benchmarks share: the time of one call in milliseconds, and the median,
// the slowest and the count of a run's times as the benchmark's counters.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <string>
#include <vector>

namespace orvala::bench {

template <typename Call>
double millisecondsOf(Call&& call) {
    const auto start = std::chrono::steady_clock::now();
    benchmark::DoNotOptimize(call());
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline void reportTimes(benchmark::State& state, std::vector<double> ms, const std::string& what) {
    if (ms.empty()) return;
    std::sort(ms.begin(), ms.end());
    state.counters["median_ms"] = ms[ms.size() / 2];
    state.counters["slowest_ms"] = ms.back();
    state.counters[what] = static_cast<double>(ms.size());
}

}  // namespace orvala::bench
