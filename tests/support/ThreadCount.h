// The threads of this process, for tests that check that none is left behind.
#pragma once

#include <cstddef>
#include <filesystem>

inline std::size_t threadCount() {
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task")) ++count;
    return count;
}
