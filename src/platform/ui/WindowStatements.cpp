#include "platform/ui/WindowStatements.h"

#include "platform/fiber/Scheduler.h"
#include "platform/system/MessageHook.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowView.h"

#include <map>
#include <vector>

namespace platform {
namespace {

// The windows SETTARGET named, by thread; a thread that ends names none.
std::map<int, Window*>& targets() {
    static std::map<int, Window*> named;
    [[maybe_unused]] static const bool forgetsEndedThreads = [] {
        Scheduler::instance().onFiberEnded([](int thread) { named.erase(thread); });
        return true;
    }();
    return named;
}

// A window opened over another of its thread is modal.
bool modalOn(int thread) { return Window::windowsOf(thread).size() > 1; }

// Events that wait for their thread's modal window to close.
struct HeldEvent {
    int thread;
    Long window;
    Event event;
};

std::vector<HeldEvent>& heldEvents() {
    static std::vector<HeldEvent> held;
    return held;
}

}  // namespace

void forgetTarget(const Window* window) {
    std::erase_if(targets(), [window](const auto& entry) { return entry.second == window; });
}

void releaseHeldEvents(int thread) {
    if (modalOn(thread)) return;
    std::erase_if(heldEvents(), [thread](const HeldEvent& held) {
        if (held.thread != thread) return false;
        if (Window* w = Window::byHandle(held.window)) w->post(held.event);
        return true;
    });
}

Window* TARGET() {
    const auto named = targets().find(THREAD());
    return named != targets().end() ? named->second : Window::topWindowOf(THREAD());
}

void SETTARGET(Window* window) {
    if (window && window->isOpen())
        targets()[THREAD()] = window;
    else
        targets().erase(THREAD());
}

void postAfterModal(Window& window, Long event) {
    if (!window.isOpen()) return;
    if (!modalOn(window.thread())) return window.post({.event = event});
    heldEvents().push_back({window.thread(), window.handle(), {.event = event}});
}

std::vector<std::pair<Long, std::string>> fontWrites(std::string_view typeface, Long size, Long color, Long style,
                                                     Long charset) {
    std::vector<std::pair<Long, std::string>> writes;
    if (const std::string name = clip(typeface); !name.empty()) writes.emplace_back(PROP::FontName, name);
    if (size != 0) writes.emplace_back(PROP::FontSize, std::to_string(size));
    writes.emplace_back(PROP::FontColor, std::to_string(color));
    writes.emplace_back(PROP::FontStyle, std::to_string(style));
    writes.emplace_back(PROP::FontCharSet, std::to_string(charset));
    return writes;
}

void SETFONT(Long control, std::string_view typeface, Long size, Long color, Long style, Long charset) {
    if (Window* w = TARGET())
        for (const auto& [property, value] : fontWrites(typeface, size, color, style, charset))
            w->setProperty(control, property, value);
}

void POST(Long event, Long control, int thread) {
    if (thread == 0) thread = THREAD();
    if (!Scheduler::instance().alive(thread)) return;
    if (Window* w = Window::topWindowOf(thread))
        w->post({.event = event, .field = control});
    else
        threadEvents::post(thread, 0, {.event = event, .field = control});
}

namespace {
Event* currentEvent() {
    Window* w = Window::topWindowOf(THREAD());
    return w ? &w->current() : nullptr;
}
Long fromCurrentEvent(Long Event::*field) {
    const Event* e = currentEvent();
    return e ? e->*field : 0;
}
}  // namespace

Long MOUSEX() { return fromCurrentEvent(&Event::mouseX); }
Long MOUSEY() { return fromCurrentEvent(&Event::mouseY); }
Long KEYCODE() { return fromCurrentEvent(&Event::keyCode); }
Long KEYCHAR() { return fromCurrentEvent(&Event::keyChar); }
Long KEYSTATE() { return fromCurrentEvent(&Event::keyState); }

void SETKEYCODE(Long keyCode) {
    if (Event* e = currentEvent()) e->keyCode = keyCode;
}

void CHANGE(Long control, std::string_view value) {
    if (Window* w = TARGET()) w->change(control, value);
}

namespace {
std::map<Long, std::string>& systemProperties() {
    static std::map<Long, std::string> written;
    return written;
}

// While set, the open windows' changes wait to be painted at once.
bool holdingPaints() {
    return leadingNumber(SYSTEM(PROP::LazyDisplay)) != 0 || leadingNumber(SYSTEM(PROP::DeferMove)) != 0;
}
}  // namespace

std::string SYSTEM(Long prop) {
    if (prop == PROP::Modal) return modalOn(THREAD()) ? "1" : "0";
    if (prop == PROP::MessageHook) return std::to_string(messageHookValue());
    const auto written = systemProperties().find(prop);
    return written == systemProperties().end() ? std::string() : written->second;
}

void SYSTEM(Long prop, std::string_view value) {
    if (prop == PROP::Modal) return;
    if (prop == PROP::MessageHook) return setMessageHookValue(static_cast<Long>(leadingNumber(value)));
    systemProperties()[prop] = std::string(value);
    if (prop != PROP::LazyDisplay && prop != PROP::DeferMove) return;
    const bool hold = holdingPaints();
    for (Window* w : Window::openWindows())
        if (w->view()) w->view()->holdPaints(hold);
}

}  // namespace platform
