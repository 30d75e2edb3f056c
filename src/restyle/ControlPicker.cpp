#include "restyle/ControlPicker.h"

#include "platform/ui/Popup.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/Window.h"
#include "restyle/RestyleManager.h"
#include "restyle/ZelRestyleClass.h"

#include <algorithm>

namespace CREATE = platform::CREATE;
using platform::Long;
namespace PROP = platform::PROP;
using platform::Window;

namespace {

constexpr Long kRed = 0x0000FF;
constexpr std::size_t kDisplayWidth = 80;
const std::string kSubmenu = "|Other control of the same type{";
const std::string kEnd = "|-|Select an other control|Close";

// Leaves out what the menu text would read as structure: item and submenu
// marks, a leading tick or disabling mark, a separator.
std::string menuSafe(std::string_view text) {
    std::string safe;
    for (char c : text)
        if (c != '|' && c != '{' && c != '}') safe += c;
    while (!safe.empty() && (safe.front() == '+' || safe.front() == '~')) safe.erase(0, 1);
    if (safe.find_first_not_of('-') == std::string::npos) safe.clear();
    return safe.empty() ? "?" : safe;
}

// Bounds included. The pointer is in the window's client area, where a
// control on a tab lies beyond its page's corner: its place is taken from
// the screen.
bool lies(const Window& w, Long control, Long x, Long y) {
    platform::RECT r;
    if (!platform::GetWindowRect(w.numberProperty(control, PROP::Handle), r)) return false;
    platform::POINT from{r.left, r.top}, to{r.right, r.bottom};
    platform::ScreenToClient(w.handle(), from);
    platform::ScreenToClient(w.handle(), to);
    if (!w.usesPixels()) {
        const auto& units = w.units();
        from = {units.toUnitsX(static_cast<int>(from.x)), units.toUnitsY(static_cast<int>(from.y))};
        to = {units.toUnitsX(static_cast<int>(to.x)), units.toUnitsY(static_cast<int>(to.y))};
    }
    return x >= from.x && x <= to.x && y >= from.y && y <= to.y;
}

struct Target {
    explicit Target(Window& w) { platform::SETTARGET(&w); }
    ~Target() { platform::SETTARGET(); }
};

}  // namespace

ControlPicker::ControlPicker(ZelRestyleClass& object) : object_(object) {}

ControlPicker::~ControlPicker() { removeMarks(); }

void ControlPicker::hitTest() {
    platform::POINT at;
    platform::GetCursorPos(at);
    const auto& reported = object_.CONFIGUREDIRECTLYONWINDOW;
    if (at.x == cursor_.x && at.y == cursor_.y && reported.XPOS == tested_[0] && reported.YPOS == tested_[1]) return;
    cursor_ = at;
    tested_[0] = reported.XPOS;
    tested_[1] = reported.YPOS;
    test();
}

void ControlPicker::test() {
    Window& w = *object_.PROCEDUREWINDOW;
    const Target target(w);
    const Long x = object_.CONFIGUREDIRECTLYONWINDOW.XPOS, y = object_.CONFIGUREDIRECTLYONWINDOW.YPOS;
    entries_.clear();
    popupText_.clear();
    chosen_ = 0;
    const auto& controls = object_.CONTROLPROPERTIESQUEUE;
    for (std::size_t i = 1; i <= controls.records(); ++i) {
        const Long control = controls.at(i).CONTROLEQUATE;
        const bool under = control == 0 || (w.numberProperty(control, PROP::Visible) != 0 && lies(w, control, x, y));
        if (!under) continue;
        entry(control);
        chosen_ = std::max(chosen_, control);
    }
    const Long type = w.numberProperty(chosen_, PROP::Type);
    if (type != chosenType_) {
        chosenType_ = type;
        removeMarks();
        if (entries_.size() > 1) markType(type);
    }
    if (entries_.size() > 1) {
        popupText_ += kSubmenu;
        for (std::size_t i = 1; i <= controls.records(); ++i) {
            const Long control = controls.at(i).CONTROLEQUATE;
            if (control != chosen_ && controls.at(i).CONTROLTYPEEQUATE == type &&
                w.numberProperty(control, PROP::Visible) != 0)
                entry(control);
        }
        popupText_ += "}|";
    }
    popupText_ += kEnd;
}

void ControlPicker::entry(Long control) {
    entries_.push_back(control);
    popupText_ += display(control) + "|";
}

std::optional<Long> ControlPicker::choose(bool& closed) {
    closed = false;
    const auto& reported = object_.CONFIGUREDIRECTLYONWINDOW;
    // The click's own place, whatever the last tick saw.
    if (popupText_.empty() || reported.XPOS != tested_[0] || reported.YPOS != tested_[1]) {
        tested_[0] = reported.XPOS;
        tested_[1] = reported.YPOS;
        test();
    }
    const Long item = platform::POPUP(popupText_);
    const auto entries = static_cast<Long>(entries_.size());
    if (item >= 1 && item <= entries) return entries_[static_cast<std::size_t>(item - 1)];
    closed = item != entries + 1;
    return std::nullopt;
}

void ControlPicker::markType(Long type) {
    const auto& controls = object_.CONTROLPROPERTIESQUEUE;
    Window& w = *object_.PROCEDUREWINDOW;
    for (std::size_t i = 1; i <= controls.records(); ++i) {
        const Long control = controls.at(i).CONTROLEQUATE;
        if (control != 0 && controls.at(i).CONTROLTYPEEQUATE == type && w.numberProperty(control, PROP::Visible) != 0)
            mark(control, type);
    }
}

// A tab's and a radio's marks lie beside their sheet or option box.
void ControlPicker::mark(Long control, Long type) {
    Window& w = *object_.PROCEDUREWINDOW;
    Long parent = w.numberProperty(control, PROP::Parent);
    if (type == CREATE::tab || type == CREATE::radio) parent = w.numberProperty(parent, PROP::Parent);
    const Long x = w.numberProperty(control, PROP::Xpos), y = w.numberProperty(control, PROP::Ypos);
    Mark made{w.create({.type = CREATE::box}, parent), w.create({.type = CREATE::string}, parent)};
    if (made.label != 0) {
        w.setProperty(made.label, PROP::Trn, 1);
        w.setProperty(made.label, PROP::FontName, "Small Fonts");
        w.setProperty(made.label, PROP::FontSize, 6);
        w.setProperty(made.label, PROP::FontColor, kRed);
        w.setProperty(made.label, PROP::Text, typeName(type));
        w.setProperty(made.label, PROP::Xpos, x - 2);
        w.setProperty(made.label, PROP::Ypos, y - 10);
        w.setProperty(made.label, PROP::Hide, 0);
    }
    if (made.box != 0) {
        w.setProperty(made.box, PROP::Color, kRed);
        w.setProperty(made.box, PROP::Xpos, x - 2);
        w.setProperty(made.box, PROP::Ypos, y - 2);
        w.setProperty(made.box, PROP::Width, w.numberProperty(control, PROP::Width) + 4);
        w.setProperty(made.box, PROP::Height, w.numberProperty(control, PROP::Height) + 4);
        w.setProperty(made.box, PROP::Hide, 0);
    }
    marks_.push_back(made);
}

void ControlPicker::removeMarks() {
    Window* w = object_.PROCEDUREWINDOW;
    for (const Mark& m : marks_)
        for (Long control : {m.box, m.label})
            if (w && control != 0) w->destroy(control);
    marks_.clear();
}

std::string ControlPicker::typeName(Long type) const {
    const auto& types = object_.STYLEMANAGER->CONTROLTYPESQUEUE;
    for (std::size_t i = 1; i <= types.records(); ++i)
        if (types.at(i).CONTROLTYPEEQUATE == type) return types.at(i).CONTROLTYPE.str();
    return {};
}

// Its description, and its label where that says something else.
std::string ControlPicker::display(Long control) const {
    std::string description, label;
    const auto& controls = object_.CONTROLPROPERTIESQUEUE;
    for (std::size_t i = 1; i <= controls.records(); ++i)
        if (controls.at(i).CONTROLEQUATE == control) {
            description = object_.StripLabelPrefix(controls.at(i).CONTROLDESCRIPTION.view());
        }
    if (const auto found = object_.labels_.find(control); found != object_.labels_.end())
        label = object_.StripLabelPrefix(found->second);
    description = platform::clip(description);
    label = platform::clip(label);
    std::string text = description != label ? description + " (" + label + ")" : description;
    return menuSafe(text.substr(0, kDisplayWidth));
}
