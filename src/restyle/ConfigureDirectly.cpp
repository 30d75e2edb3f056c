// The configure-directly picker: ConfigureDirectly, its thread and window
// (P40$CONFIGUREDIRECTLYWINDOW) and StopConfigureDirectly.
//
// The picker's window opens hidden: a hidden window still takes its events
// and timers, and so never takes the activation from the picked window.
#include "restyle/ZelRestyleClass.h"

#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "restyle/ControlPicker.h"
#include "restyle/PickerEvents.h"
#include "restyle/RestyleManager.h"

#include <cstdint>
#include <exception>
#include <optional>
#include <string>

using platform::Byte;
using platform::Long;
using platform::Window;
namespace EVENT = platform::EVENT;
namespace KEY = platform::KEY;
namespace PROP = platform::PROP;
namespace picker = restyle::picker;

namespace {

const std::string kPrompt =
    "-- Push the left mousebutton to select a control or press ESC to quit the configuration -- ";
constexpr Long kWindowTimer = 10;
constexpr Long kPickerTimer = 1;
constexpr Long kMouseKeys[] = {KEY::MouseRight, KEY::MouseLeft};

// The thread's one parameter: the object's address in decimal.
void ConfigureDirectlyThread(const std::string& objectAddress) {
    auto* object = reinterpret_cast<ZelRestyleClass*>(static_cast<std::uintptr_t>(std::stoull(objectAddress)));
    object->ConfigureDirectlyWindow();
}

}  // namespace

void ZelRestyleClass::ConfigureDirectly() {
    Window& w = *PROCEDUREWINDOW;
    ConfigureDirectlyState& state = CONFIGUREDIRECTLYONWINDOW;
    state.WINDOWIMM = static_cast<Byte>(w.numberProperty(0, PROP::Imm));
    w.setProperty(0, PROP::Imm, 1);
    state.WINDOWTEXT = w.property(0, PROP::Text);
    w.setProperty(0, PROP::Text, STYLEMANAGER->TRANSLATOR.TranslateString(kPrompt) + state.WINDOWTEXT.str());
    pickerAlerts_.clear();
    for (Long key : kMouseKeys)
        if (!w.alerted(0, key)) w.alert(0, key), pickerAlerts_.push_back(key);
    state.RESTORETIMER = static_cast<platform::UShort>(w.numberProperty(0, PROP::Timer));
    w.setProperty(0, PROP::Timer, kWindowTimer);
    suspendControls();
    ++pickerThreads_;
    const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(this));
    state.THREAD = static_cast<Byte>(platform::START([address] { ConfigureDirectlyThread(address); }));
    if (state.THREAD == 0) {
        --pickerThreads_;
        StopConfigureDirectly();
    }
}

void ZelRestyleClass::ConfigureDirectlyWindow() {
    // However the thread ends, even unwound at shut-down.
    // Counted, as the next picker starts before this one has ended.
    struct Ended {
        int& threads;
        ~Ended() { --threads; }
    } ended{pickerThreads_};
    const Byte messageBox = STYLEMANAGER->USECLARIONMESSAGEBOX;
    STYLEMANAGER->USECLARIONMESSAGEBOX = 1;
    std::optional<Long> picked;
    {
        ControlPicker pick(*this);
        Window window({.label = "P40$CONFIGUREDIRECTLYWINDOW", .at = {-100, -100, 0, 0}, .hidden = true});
        window.open();
        window.setProperty(0, PROP::Timer, kPickerTimer);
        while (window.accept()) {
            switch (window.event()) {
                case picker::kSized: window.setProperty(0, PROP::Timer, kPickerTimer); break;
                case EVENT::Timer: pick.hitTest(); break;
                case picker::kClicked: {
                    bool closed = false;
                    picked = pick.choose(closed);
                    if (picked || closed) window.post({.event = picker::kEnd});
                    break;
                }
                case picker::kEnd: window.close(); break;
                case EVENT::CloseWindow: window.cycle(); break;
                default: break;
            }
        }
    }
    StopConfigureDirectly();
    if (picked && !killing_) return editPicked(*picked, messageBox);
    STYLEMANAGER->USECLARIONMESSAGEBOX = messageBox;
    if (killing_) return;
    // The configuration comes back on the picked window.
    PROCEDUREWINDOW->setProperty(0, PROP::Active, 1);
    platform::SETTARGET(PROCEDUREWINDOW);
    platform::PRESSKEY(STYLEMANAGER->CONFIGUREHOTKEY);
    platform::SETTARGET();
}

void ZelRestyleClass::editPicked(Long control, Byte messageBox) {
    STYLEMANAGER->ConfigureRestyle(*this, control, 0);
    STYLEMANAGER->USECLARIONMESSAGEBOX = messageBox;
    if (killing_) return;
    Restyle(1, 0);
    ConfigureDirectly();
}

void ZelRestyleClass::StopConfigureDirectly() {
    ConfigureDirectlyState& state = CONFIGUREDIRECTLYONWINDOW;
    if (state.THREAD == 0 && suspended_.empty()) return;
    Window& w = *PROCEDUREWINDOW;
    w.setProperty(0, PROP::Imm, state.WINDOWIMM);
    w.setProperty(0, PROP::Text, state.WINDOWTEXT.view());
    w.setProperty(0, PROP::Timer, state.RESTORETIMER);
    resumeControls();
    for (Long key : pickerAlerts_) w.unalert(0, key);
    pickerAlerts_.clear();
    if (state.THREAD != 0) platform::POST(picker::kEnd, 0, state.THREAD);
    state.THREAD = 0;
}

// Every control can be clicked, and no standard action runs.
void ZelRestyleClass::suspendControls() {
    Window& w = *PROCEDUREWINDOW;
    suspended_.clear();
    for (std::size_t i = 1; i <= CONTROLPROPERTIESQUEUE.records(); ++i) {
        const ControlListRecord& row = CONTROLPROPERTIESQUEUE.at(i);
        const Long control = row.CONTROLEQUATE;
        suspended_.push_back({control, row.CONTROLTYPEEQUATE, w.property(control, PROP::Std),
                              w.property(control, PROP::Disable)});
        w.setProperty(control, PROP::Std, 0);
        w.setProperty(control, PROP::Disable, 0);
    }
}

void ZelRestyleClass::resumeControls() {
    Window& w = *PROCEDUREWINDOW;
    for (const Suspended& c : suspended_) {
        w.setProperty(c.control, PROP::Disable, c.disable);
        if (c.type == platform::CREATE::button) w.setProperty(c.control, PROP::Std, c.std);
    }
    suspended_.clear();
}

// The picker's thread reads the object and its window: neither goes before
// it ends. Unwound at shut-down, the thread is ended by the scheduler.
void ZelRestyleClass::waitForPicker() {
    if (pickerThreads_ == 0 || std::uncaught_exceptions() > 0) return;
    killing_ = true;
    StopConfigureDirectly();
    platform::Scheduler::instance().waitUntil([this] { return pickerThreads_ == 0; });
}
