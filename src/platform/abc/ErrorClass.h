// The runtime's error manager: here only its stack of procedure names, which
// every window procedure pushes at Init and pops at Kill.
#pragma once

#include <string>
#include <vector>

namespace platform {

class ErrorClass {
public:
    void Init() { names_.clear(); }
    void Kill() { names_.clear(); }
    // A name pushes it; an empty name with `pop` set removes the last one.
    void SetProcedureName(const std::string& name = {}, bool pop = false);
    std::string procedureName() const { return names_.empty() ? std::string() : names_.back(); }
    std::size_t depth() const { return names_.size(); }

private:
    std::vector<std::string> names_;
};

}  // namespace platform
