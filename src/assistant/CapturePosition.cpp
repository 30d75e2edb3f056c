// The waiting frame: while the character plays a test, the current window
// keeps only its frame and a title that says any key cancels; the first key
// or click anywhere ends the wait and stops the character.
#include "assistant/AssistantClass.h"

#include "platform/fiber/Scheduler.h"
#include "platform/ui/Keyboard.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr const char* kWaitingTitle = "Druk op een willekeurige toets om te annuleren...";
constexpr Long kTick = 5;  // hundredths of a second

}  // namespace

void AssistantClass::CapturePosition() {
    Window* w = TARGET();
    if (!w) return;
    // The title is kept whole: it comes back as it was.
    const std::string title = w->property(0, PROP::Text);
    w->setProperty(0, PROP::Text, kWaitingTitle);
    w->setProperty(0, PROP::Timer, kTick);
    w->alert(0, KEY::MouseLeft);
    w->alert(0, KEY::MouseRight);
    w->setProperty(0, PROP::Maximize, 1);
    ShapeWindowToControls(w->handle(), 1, -1, 0);
    YIELD();
    SetCapture(w->handle());
    SETKEYCODE(0);
    // The key that ends the wait is the wait's: it neither reaches the
    // focused control nor acts on the window afterwards.
    HOLDKEYS(true);
    while (w->accept()) {
        if (w->event() == EVENT::AlertKey) break;
        if (w->event() != EVENT::Timer) continue;
        if (KEYBOARD() != 0) {
            ASK();
            break;
        }
        YIELD();
    }
    HOLDKEYS(false);
    ReleaseCapture();
    StopAll("");
    if (!w->isOpen()) return;
    w->setProperty(0, PROP::Timer, 0);
    w->unalert(0, KEY::MouseLeft);
    w->unalert(0, KEY::MouseRight);
    w->setProperty(0, PROP::Text, title);
    w->setProperty(0, PROP::Maximize, 0);
    ShapeWindowCorners(w->handle());
    w->display();
}
