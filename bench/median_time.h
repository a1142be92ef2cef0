// The median wall time of a piece of work, after one run to warm caches up.
#pragma once

#include <algorithm>
#include <chrono>
#include <functional>
#include <vector>

namespace qv {

inline double Milliseconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

inline double Median(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    const std::size_t n = times.size();
    return n % 2 ? times[n / 2] : (times[n / 2 - 1] + times[n / 2]) / 2;
}

inline double MedianMilliseconds(const std::function<void()>& work, int runs) {
    work();
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(Milliseconds(work));
    return Median(times);
}

// The times of several pieces of work run in turn, round by round, so that each meets the same
// state of the machine: a slower stretch slows all of them alike.
inline std::vector<std::vector<double>>
AlternatingTimes(const std::vector<std::function<void()>>& works, int runs) {
    std::vector<std::vector<double>> times(works.size());
    for (int run = -1; run < runs; ++run)
        for (std::size_t i = 0; i < works.size(); ++i) {
            const double time = Milliseconds(works[i]);
            if (run >= 0) times[i].push_back(time);
        }
    return times;
}

inline std::vector<double> AlternatingMedians(const std::vector<std::function<void()>>& works,
                                              int runs) {
    std::vector<double> medians;
    for (const auto& each : AlternatingTimes(works, runs))
        medians.push_back(Median(each));
    return medians;
}

// The median of the rounds' ratios of one piece of work's time to another's.
inline double MedianRatio(const std::vector<double>& times, const std::vector<double>& bases) {
    std::vector<double> ratios;
    for (std::size_t i = 0; i < times.size() && i < bases.size(); ++i)
        ratios.push_back(times[i] / bases[i]);
    return Median(ratios);
}

} // namespace qv
