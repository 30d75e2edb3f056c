// The frame every window procedure is built on: its window, its window
// manager (this class), a toolbar object and a per-window restyle object,
// with the calls into the restyle object and the assistant at fixed points.
//
// A procedure derives from it, gives its name, window structure and first
// field, and adds its own steps: setUp (the last step of Init before the
// alerts), end (the last step of Kill) and the Take* overrides, each calling
// this class's version. call() is the procedure body; it runs on the calling
// fiber and returns when the window has closed.
#pragma once

#include "platform/abc/ToolbarClass.h"
#include "platform/abc/WindowManager.h"
#include "platform/ui/Window.h"

#include <memory>
#include <string>

class AssistantClass;
class ZelRestyleClass;
class ZelStylemanagerClass;

namespace detail {
// Lets the window exist before the window manager that refers to it.
struct OwnedWindow {
    explicit OwnedWindow(platform::WindowSpec spec) : window(std::move(spec)) {}
    platform::Window window;
};
}  // namespace detail

class WindowProcedure : private detail::OwnedWindow, public platform::WindowManager {
public:
    // `firstField` is the label of the control that has the focus at first
    // ("" for none).
    WindowProcedure(std::string procedureName, platform::WindowSpec spec, std::string_view firstField);
    ~WindowProcedure() override;

    // The procedure body: GlobalResponse := Run, then everything is freed.
    void call();

    const std::string& procedureName() const { return procedureName_; }
    platform::Window& window() { return detail::OwnedWindow::window; }
    ZelRestyleClass& restyle() { return *restyle_; }

    platform::Byte Run() override;
    platform::Byte Init() override;
    platform::Byte Kill() override;
    platform::Byte TakeEvent() override;
    platform::Byte TakeWindowEvent() override;

protected:
    virtual void registerControls();
    virtual void setUp() {}
    virtual void end() {}
    AssistantClass& assistant() { return *assistant_; }
    ZelStylemanagerClass& styleManager() { return *styleManager_; }
    platform::Long handle() const { return detail::OwnedWindow::window.handle(); }
    // The number of the window's control with that label.
    platform::Long equate(std::string_view label) const { return detail::OwnedWindow::window.equate(label); }

private:
    std::string procedureName_;
    platform::Long firstField_;
    AssistantClass* assistant_;
    ZelStylemanagerClass* styleManager_;
    platform::ToolbarClass toolbar_;
    std::unique_ptr<ZelRestyleClass> restyle_;
};
