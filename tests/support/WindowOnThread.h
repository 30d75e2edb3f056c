// A window of the layer run on a thread of its own that records every event
// it takes, for tests of the window and its view.
#pragma once

#include "platform/drive/Driver.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <gtest/gtest.h>
#include <string_view>
#include <utility>
#include <vector>

class WindowOnThread : public ::testing::Test {
protected:
    void open(platform::WindowSpec spec) {
        platform::START([this, spec = std::move(spec)] {
            platform::Window w(spec);
            window_ = &w;
            w.open();
            while (w.accept()) events.push_back({w.event(), w.field()});
            window_ = nullptr;
        });
        platform::drive::settle();
        ASSERT_NE(window_, nullptr);
        events.clear();
    }
    void TearDown() override {
        if (window_) window_->post({platform::EVENT::CloseWindow, 0, 0});
        platform::drive::settle();
    }

    platform::Window& window() { return *window_; }
    platform::Long number(std::string_view label) { return window().equate(label); }
    template <class T>
    T* widget(std::string_view label) {
        return qobject_cast<T*>(window().view()->widget(number(label)));
    }
    bool took(platform::Long event, std::string_view label) const {
        const platform::Long field = window_->equate(label);
        for (const auto& [e, f] : events)
            if (e == event && f == field) return true;
        return false;
    }

    std::vector<std::pair<platform::Long, platform::Long>> events;

private:
    platform::Window* window_ = nullptr;
};
