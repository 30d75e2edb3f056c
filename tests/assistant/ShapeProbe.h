// A probe window on a thread of its own, in pixels: a button, a hidden
// button and a line drawn right to left and upwards. Work handed to it runs
// on its thread between its events, as a window procedure's code would; the
// probe writes down which controls were pressed.
#pragma once

#include "platform/ui/Window.h"

#include <deque>
#include <functional>
#include <string>
#include <vector>

class ShapeProbe {
public:
    explicit ShapeProbe(std::string title = "Probe");
    ~ShapeProbe();
    ShapeProbe(const ShapeProbe&) = delete;
    ShapeProbe& operator=(const ShapeProbe&) = delete;

    platform::Window& window() const { return *window_; }
    platform::Long number(std::string_view label) const { return window_->equate(label); }
    // Runs on the probe's thread; returns once every thread waits again (the
    // work may still be waiting in an event loop of its own).
    void run(std::function<void(platform::Window&)> work);
    // A point of the client area in the window's own pixels, and on the screen.
    std::pair<int, int> inWindow(int x, int y) const;
    std::pair<int, int> onScreen(int x, int y) const;

    std::vector<platform::Long> accepted;  // the controls pressed, in order

private:
    std::deque<std::function<void(platform::Window&)>> work_;
    platform::Window* window_ = nullptr;
};
