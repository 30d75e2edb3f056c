// The play control: the character's requests not yet done in a small
// toolbox on a thread of its own, which pauses and resumes the character,
// folds its list in and out and docks in turn along the frame's edges.
#include "assistant/AssistantClass.h"

#include "assistant/Mentavo.h"
#include "assistant/P67_PLAYCONTROLWINDOW.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <algorithm>
#include <charconv>
#include <cstdint>

using namespace platform;

namespace {

constexpr const char* kXposSetting = "~PlayControl.XPos";
constexpr const char* kYposSetting = "~PlayControl.YPos";
constexpr const char* kDockedSetting = "~PlayControl.Docked";
constexpr const char* kPauseIcon = "~Pauze.ico";
constexpr Long kFolded = 15, kUnfolded = 141;
constexpr Long kBlinkHundredths = 30;

// The controls the window acts on, by their labels.
struct Controls {
    explicit Controls(const Window& w)
        : move(w.equate("?MOVETOOLBOX")), showSteps(w.equate("?SHOWSTEPS")), pause(w.equate("?PAUZE")) {}
    Long move, showSteps, pause;
};

// From floating the order is top, bottom, left, right, floating.
Long nextDocking(Long docked) {
    switch (docked) {
        case DOCK::Left: return DOCK::Right;
        case DOCK::Top: return DOCK::Bottom;
        case DOCK::Right: return DOCK::Float;
        case DOCK::Bottom: return DOCK::Left;
        default: return DOCK::Top;
    }
}

void placeFromSettings(Window& window) {
    if (readSetting(kXposSetting)) window.setProperty(0, PROP::Xpos, AGNTSET.rec.VALUE.view());
    if (readSetting(kYposSetting)) window.setProperty(0, PROP::Ypos, AGNTSET.rec.VALUE.view());
    window.setProperty(0, PROP::Height, kFolded);
    window.setProperty(0, PROP::Docked, readSetting(kDockedSetting) ? AGNTSET.rec.VALUE.view() : "16");
}

// A place stored under another screen, or beside a frame that moved, is
// brought back onto the desktop by as much as it lies outside, whole where
// the desktop is large enough; its size stays.
void keepOnDesktop(const Window& window) {
    RECT desktop, at;
    if (!GetWindowRect(GetDesktopWindow(), desktop) || !GetWindowRect(window.handle(), at)) return;
    const Long width = at.right - at.left, height = at.bottom - at.top;
    const auto keptIn = [](Long from, Long size, Long first, Long last) {
        return std::max(first, from + size > last ? last - size : from);
    };
    const Long x = keptIn(at.left, width, desktop.left, desktop.right);
    const Long y = keptIn(at.top, height, desktop.top, desktop.bottom);
    if (x != at.left || y != at.top) MoveWindow(window.handle(), x, y, width, height, true);
}

}  // namespace

void AssistantClass::TogglePlayControl() {
    if (PLAYCONTROLACTIVE != 0) return POST(EVENT::CloseWindow, 0, static_cast<int>(PLAYCONTROLWINDOWTHREAD));
    if (INITIALIZED == 0) {
        if (clip(AGENTNAME.view()).empty()) {
            MESSAGE("Geef eerst Ms Agent karakter op...");
            return;
        }
        Init({}, AGENTNAME.str());
        if (INITIALIZED == 0) return;
    }
    const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(this));
    const int thread = START([address] { PlayControlThread(address); });
    PLAYCONTROLWINDOWTHREAD = thread;
    if (thread == 0) return;
    POST(EVENT::OpenWindow, 0, thread);
    // A thread that ends before its window took an event opens nothing to wait for.
    Scheduler& scheduler = Scheduler::instance();
    scheduler.waitUntil([&] { return PLAYCONTROLINITIALIZED != 0 || !scheduler.alive(thread); });
}

void AssistantClass::PlayControlThread(const std::string& address) {
    std::uintptr_t number = 0;
    std::from_chars(address.data(), address.data() + address.size(), number);
    if (auto* assistant = reinterpret_cast<AssistantClass*>(number)) assistant->PlayControl();
}

void AssistantClass::PlayControl() {
    PLAYCONTROLACTIVE = 1;
    PLAYCONTROLINITIALIZED = 0;
    Window window(P67_PLAYCONTROLWINDOW(*BUFFERAGENTEVENTQUE));
    const Controls c(window);
    window.open();
    window.setProperty(c.move, PROP::Tip, "Verplaats Playcontrol");
    window.setProperty(c.showSteps, PROP::Tip, "Laat Ms Agent Stappen zien");
    window.setProperty(c.pause, PROP::Tip, "Pauzeer Ms Agent");
    placeFromSettings(window);
    if (window.dockedEdge() == 0) keepOnDesktop(window);
    ShapeWindowCorners(window.handle());
    Byte blink = 0;
    while (window.accept()) {
        switch (window.event()) {
            case EVENT::OpenWindow: PLAYCONTROLINITIALIZED = 1; continue;
            case EVENT::Timer:
                window.setProperty(c.pause, PROP::Icon, blink == 0 ? "" : kPauseIcon);
                blink = blink == 0 ? 1 : 0;
                continue;
            case EVENT::Accepted: break;
            default: continue;
        }
        const Long field = window.field();
        if (field == c.move) {
            window.setProperty(0, PROP::Docked, nextDocking(window.numberProperty(0, PROP::Docked)));
        } else if (field == c.showSteps) {
            window.setProperty(0, PROP::Height, window.numberProperty(0, PROP::Height) == kUnfolded ? kFolded : kUnfolded);
            ShapeWindowCorners(window.handle());
        } else if (field == c.pause && AGENTPAUZE == 0) {
            AGENTPAUZE = 1;
            window.setProperty(0, PROP::Timer, kBlinkHundredths);
        } else if (field == c.pause) {
            AGENTPAUZE = 0;
            window.setProperty(0, PROP::Timer, 0);
            window.setProperty(c.pause, PROP::Icon, kPauseIcon);
        }
    }
    PutSetting(window.property(0, PROP::Xpos), kXposSetting);
    PutSetting(window.property(0, PROP::Ypos), kYposSetting);
    PutSetting(window.property(0, PROP::Docked), kDockedSetting);
    window.close();
    PLAYCONTROLINITIALIZED = 0;
    PLAYCONTROLACTIVE = 0;
}
