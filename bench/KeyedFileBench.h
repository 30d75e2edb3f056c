// Shared by the benchmarks over keyed files: timing a piece of work, and
// stopping the run when a file statement fails.
#pragma once

#include "platform/system/Errors.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <functional>

namespace bench {

inline double seconds(const std::function<void()>& work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

inline void check(bool ok, const char* what) {
    if (ok) return;
    std::fprintf(stderr, "%s failed: %s %s\n", what, platform::ERROR().c_str(), platform::FILEERROR().c_str());
    std::exit(1);
}

}  // namespace bench
