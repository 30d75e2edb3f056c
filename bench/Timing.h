// Shared by the benchmarks that time in milliseconds: the time since a
// start, the median of rounds, and a number as the reports show it.
#pragma once

#include "platform/text/Text.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <string>
#include <vector>

namespace bench {

using SteadyClock = std::chrono::steady_clock;

inline double msSince(SteadyClock::time_point start) {
    return std::chrono::duration<double, std::milli>(SteadyClock::now() - start).count();
}

inline double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Rounded to that many decimals, written as the runtime writes numbers.
inline std::string shown(double value, int decimals) {
    const double scale = std::pow(10.0, decimals);
    return platform::numberText(std::round(value * scale) / scale);
}

}  // namespace bench
