// CallAddress: calls the routine it is given with the arguments that follow,
// handed on unchanged, and returns the routine's result, for a caller that
// holds a routine rather than its name. (The system's fading looked up
// SetLayeredWindowAttributes at run time and called it so; the restyle
// engine calls the layer's own directly.)
#pragma once

#include <utility>

template <class Result, class... Parameters, class... Arguments>
Result CallAddress(Result (*routine)(Parameters...), Arguments&&... arguments) {
    return routine(std::forward<Arguments>(arguments)...);
}
