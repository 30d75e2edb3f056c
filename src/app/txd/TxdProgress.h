// How far the dictionary writer is, told every few steps (and at the last)
// to whoever shows it: a text such as "Writing the tables: 120 of 2000". The
// writer runs without waiting for events, so whoever shows it must paint at
// once (Window::redraw) rather than let the program go on.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

class TxdProgress {
public:
    using Show = std::function<void(const std::string& text)>;

    explicit TxdProgress(Show show = {}) : show_(std::move(show)) {}

    // Step `done` of the `total` steps of the work named.
    void step(std::string_view work, std::size_t done, std::size_t total) const;
    // The work is over: the empty text.
    void end() const;

private:
    Show show_;
};
