// A window run on a thread of its own that keeps every event it takes; a
// handler may act on each (CYCLE, a standard action, ...).
#pragma once

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"

#include <functional>
#include <vector>

class RunningWindow {
public:
    using Handler = std::function<void(platform::Window&)>;

    explicit RunningWindow(platform::WindowSpec spec, Handler handler = {}) : handler_(std::move(handler)) {
        platform::START([this, spec = std::move(spec)] {
            platform::Window w(spec);
            window_ = &w;
            w.open();
            while (w.accept()) {
                events.push_back(w.current());
                if (handler_) handler_(w);
            }
            window_ = nullptr;
        });
        platform::drive::settle();
    }
    ~RunningWindow() {
        if (window_) window_->post({.event = platform::EVENT::CloseWindow});
        platform::drive::settle();
    }
    RunningWindow(const RunningWindow&) = delete;
    RunningWindow& operator=(const RunningWindow&) = delete;

    platform::Window& operator*() const { return *window_; }
    platform::Window* operator->() const { return window_; }
    platform::Long number(std::string_view label) const { return window_->equate(label); }

    // The events taken of that number, in order.
    std::vector<platform::Event> taken(platform::Long event) const {
        std::vector<platform::Event> found;
        for (const platform::Event& e : events)
            if (e.event == event) found.push_back(e);
        return found;
    }
    std::vector<platform::Long> numbers() const {
        std::vector<platform::Long> found;
        for (const platform::Event& e : events) found.push_back(e.event);
        return found;
    }

    std::vector<platform::Event> events;

private:
    Handler handler_;
    platform::Window* window_ = nullptr;
};
