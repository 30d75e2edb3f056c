// The runtime's window manager: one per window procedure call. A procedure
// derives from it and overrides the Take* methods; each override calls the
// base (PARENT) as the procedure needs.
//
// Run = Init, the event loop (Ask), Kill. Results are Level values; a
// TakeEvent result of Level::Notify ends the handling of that event (CYCLE:
// a close request so answered leaves the window open), and Level::Fatal
// ends the loop.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/Equates.h"

#include <vector>

namespace platform {

class ErrorClass;
class ToolbarClass;
class Window;

// Responses of Run.
constexpr Byte RequestCompleted = 1;
constexpr Byte RequestCancelled = 2;

class WindowManager {
public:
    explicit WindowManager(Window& window) : window_(&window) {}
    virtual ~WindowManager() = default;

    virtual Byte Init();
    virtual Byte Kill();
    virtual Byte Run();
    virtual Byte TakeAccepted();
    virtual Byte TakeEvent();
    virtual Byte TakeNewSelection();
    virtual Byte TakeWindowEvent();
    virtual Byte TakeFieldEvent();

    void AddItem(ToolbarClass& toolbar) { toolbars_.push_back(&toolbar); }
    void SetAlerts();
    Window& window() const { return *window_; }

    Byte REQUEST = 0;
    Long FIRSTFIELD = 0;
    Long* VCRREQUEST = nullptr;
    ErrorClass* ERRORS = nullptr;
    Byte OPENED = 0;
    Byte RESPONSE = RequestCancelled;

protected:
    void Ask();
    Byte TakeStandardAction(Long action);

private:
    Window* window_;
    std::vector<ToolbarClass*> toolbars_;
    bool inited_ = false;
};

}  // namespace platform
