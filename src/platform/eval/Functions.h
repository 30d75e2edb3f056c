// The standard functions an expression may call.
#pragma once

#include "platform/eval/Value.h"

#include <string_view>
#include <vector>

namespace platform::eval {

struct Function {
    std::string_view name;  // upper case
    std::size_t minArguments;
    std::size_t maxArguments;
    Value (*call)(const std::vector<Value>& arguments);
};

// The function named `upperName`, or nullptr.
const Function* findFunction(std::string_view upperName);

}  // namespace platform::eval
