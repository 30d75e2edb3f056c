// A test fixture around a RunningWindow: the test's window, opened in SetUp,
// and what it took as (event, control) pairs, without the focus's events.
#pragma once

#include "RunningWindow.h"
#include "support/FocusEvents.h"

#include "platform/ui/WindowView.h"

#include <gtest/gtest.h>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

class WindowOnThread : public ::testing::Test {
protected:
    void open(platform::WindowSpec spec) {
        running_.emplace(std::move(spec));
        ASSERT_NE(running_->operator->(), nullptr);
        clearEvents();
    }
    void TearDown() override { running_.reset(); }

    platform::Window& window() { return **running_; }
    platform::Long number(std::string_view label) { return window().equate(label); }
    template <class T>
    T* widget(std::string_view label) {
        return qobject_cast<T*>(window().view()->widget(number(label)));
    }

    std::vector<std::pair<platform::Long, platform::Long>> events() const {
        std::vector<std::pair<platform::Long, platform::Long>> taken;
        for (const platform::Event& e : running_->events)
            if (!aboutFocus(e.event)) taken.emplace_back(e.event, e.field);
        return taken;
    }
    void clearEvents() { running_->events.clear(); }
    bool took(platform::Long event, std::string_view label) {
        const platform::Long field = number(label);
        for (const auto& [e, f] : events())
            if (e == event && f == field) return true;
        return false;
    }

    // The key codes the control's events of that number carried, in order.
    std::vector<platform::Long> keysOf(platform::Long event, std::string_view label) {
        std::vector<platform::Long> keys;
        for (const platform::Event& e : running_->events)
            if (e.event == event && e.field == number(label)) keys.push_back(e.keyCode);
        return keys;
    }

private:
    std::optional<RunningWindow> running_;
};
