#include "platform/ui/Window.h"

#include "platform/data/AnyRef.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/NumberPicture.h"
#include "platform/ui/PointerCalls.h"
#include "platform/ui/QueueModel.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/WindowStatements.h"
#include "platform/ui/WindowView.h"

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>

namespace platform {
namespace {

std::vector<Window*>& registry() {
    static std::vector<Window*> windows;
    return windows;
}

// Windows lie 10000h apart; a control's handle is its window's plus 8000h
// plus its number (menus count down), so no two handles meet.
constexpr Long kWindowHandleStep = 0x10000;
constexpr Long kControlHandleBase = 0x8000;

Long nextHandle() {
    static Long handle = 0;
    return handle += kWindowHandleStep;
}

bool closeRequest(Long event) { return event == EVENT::CloseWindow || event == EVENT::CloseDown; }

// A structure's AT: dialog units, or pixels for a structure drawn in pixels.
void placeAt(Geometry& g, const Rect& at, bool pixels) {
    g.write(PROP::Xpos, at.x, pixels);
    g.write(PROP::Ypos, at.y, pixels);
    g.write(PROP::Width, at.width, pixels);
    g.write(PROP::Height, at.height, pixels);
}

bool typesWhileEditing(Long type) { return type == CREATE::entry || type == CREATE::combo || type == CREATE::spin; }

// The text a control can hold: entries and combos are limited by their picture.
std::string fitted(const Control& c, std::string_view text) {
    if (!typesWhileEditing(c.type) || !c.spec) return std::string(text);
    if (const std::optional<NumberPicture> number = numberPicture(c.spec->text)) return fittedNumber(*number, text);
    const std::size_t width = pictureWidth(c.spec->text);
    return std::string(width == 0 ? text : text.substr(0, width));
}

std::string shown(const Control& c, std::string value) {
    if (!typesWhileEditing(c.type) || !c.spec) return value;
    const std::optional<NumberPicture> number = numberPicture(c.spec->text);
    return number ? shownNumber(*number, std::move(value)) : value;
}

}  // namespace

namespace {

Binding bindNumber(AnyRef variable) {
    return {[variable] { return variable.text(); }, [variable](std::string_view t) { variable.setText(t); }};
}

}  // namespace

Binding bind(Byte& variable) { return bindNumber(variable); }
Binding bind(Short& variable) { return bindNumber(variable); }
Binding bind(UShort& variable) { return bindNumber(variable); }
Binding bind(Long& variable) { return bindNumber(variable); }

Binding bind(std::string& variable) {
    return {[&variable] { return variable; }, [&variable](std::string_view t) { variable = t; }};
}

Window::Window(WindowSpec spec) : spec_(std::move(spec)), units_(spec_.fontName, spec_.fontSize) {
    Long next = 1;
    numberControls(spec_.controls, 0, next, 1);
    next = -1;
    numberControls(spec_.menubar, 0, next, -1);
}

Window::~Window() { close(); }

Control Window::controlOf(const ControlSpec& s, Long number, Long parent) const {
    Control c;
    c.number = number;
    c.type = s.type;
    c.label = s.label;
    c.parent = parent;
    c.spec = &s;
    c.props[PROP::Text] = s.text;
    placeAt(c.geometry, s.at, spec_.pixels);
    if (s.hidden) c.props[PROP::Hide] = "1";
    if (!s.msg.empty()) c.props[PROP::Msg] = s.msg;
    if (s.key) c.props[PROP::Key] = std::to_string(s.key);
    if (s.std) c.props[PROP::Std] = std::to_string(s.std);
    if (!s.icon.empty()) c.props[PROP::Icon] = s.icon;
    if (!s.cursor.empty()) c.props[PROP::Cursor] = s.cursor;
    if (s.imm) c.props[PROP::Imm] = "1";
    if (!s.format.empty()) c.props[PROP::Format] = s.format;
    if (!s.fontName.empty()) c.props[PROP::FontName] = s.fontName;
    if (s.fontSize) c.props[PROP::FontSize] = std::to_string(s.fontSize);
    if (s.readOnly) c.props[PROP::ReadOnly] = "1";
    if (s.password) c.props[PROP::Password] = "1";
    if (s.vscroll) c.props[PROP::VScroll] = "1";
    if (s.isDefault) c.props[PROP::Default] = "1";
    if (s.type == CREATE::check) {
        c.props[PROP::TrueValue] = s.trueValue;
        c.props[PROP::FalseValue] = s.falseValue;
    }
    if (s.type == CREATE::radio && !s.value.empty()) c.props[PROP::TrueValue] = s.value;
    if (s.type == CREATE::sheet) c.props[PROP::Selected] = "1";
    return c;
}

void Window::numberControls(const std::vector<ControlSpec>& specs, Long parent, Long& next, int step) {
    for (const ControlSpec& s : specs) {
        if (s.separator) continue;
        Control c = controlOf(s, next, parent);
        next += step;
        const Long number = c.number;
        controls_.emplace(number, std::move(c));
        numberControls(s.children, number, next, step);
    }
}

void Window::open() {
    if (open_) return;
    thread_ = Scheduler::instance().current();
    handle_ = nextHandle();
    props_[PROP::Text] = spec_.title;
    props_[PROP::Icon] = spec_.icon;
    placeAt(geometry_, spec_.at, spec_.pixels);
    props_[PROP::System] = spec_.system ? "1" : "0";
    props_[PROP::Max] = spec_.maximizeBox ? "1" : "0";
    props_[PROP::Resize] = spec_.resizable ? "1" : "0";
    props_[PROP::Center] = spec_.center ? "1" : "0";
    props_[PROP::Mdi] = spec_.mdi ? "1" : "0";
    props_[PROP::ToolBox] = spec_.toolbox ? "1" : "0";
    if (spec_.hidden) props_[PROP::Hide] = "1";
    open_ = true;
    openPending_ = true;
    closeTaken_ = closeRefused_ = false;
    registry().push_back(this);
    for (auto& [n, c] : controls_) applyBinding(c);
    view_ = new WindowView(*this);
    Scheduler::instance().wake();
}

void Window::close() {
    if (!open_) return;
    // Holding the capture, it would leave every other window deaf to clicks.
    if (GetCapture() == handle_) ReleaseCapture();
    open_ = false;
    forgetTarget(this);
    threadEvents::dropFor(thread_, handle_);
    auto& windows = registry();
    windows.erase(std::remove(windows.begin(), windows.end(), this), windows.end());
    if (view_) view_->dispose();
    view_ = nullptr;
    releaseHeldEvents(thread_);
    Scheduler::instance().wake();
}

Long Window::create(ControlSpec spec, Long parent) {
    if (parent != 0 && !control(parent)) return 0;
    spec.hidden = true;
    const Long number = lastControl() + 1;
    spec.children.clear();
    created_.push_back(std::move(spec));
    controls_.emplace(number, controlOf(created_.back(), number, parent));
    applyBinding(controls_.at(number));
    if (view_) view_->addControl(number);
    return number;
}

void Window::destroy(Long first, Long last) {
    if (last == 0) last = first;
    std::vector<Long> doomed;
    for (const auto& [n, c] : controls_)
        if (n != 0 && n >= std::min(first, last) && n <= std::max(first, last)) doomed.push_back(n);
    // The controls inside go with them: their numbers follow their parent's.
    for (std::size_t i = 0; i < doomed.size(); ++i)
        for (const auto& [n, c] : controls_)
            if (c.parent == doomed[i] && std::find(doomed.begin(), doomed.end(), n) == doomed.end()) doomed.push_back(n);
    for (Long n : doomed) {
        const ControlSpec* spec = controls_.at(n).spec;
        controls_.erase(n);
        created_.remove_if([spec](const ControlSpec& s) { return &s == spec; });
    }
    if (view_)
        for (Long n : doomed) view_->removeControl(n);
}

void Window::use(Long number, Binding variable) {
    Control* c = control(number);
    auto created =
        std::find_if(created_.begin(), created_.end(), [c](const ControlSpec& s) { return c && c->spec == &s; });
    if (created == created_.end()) return;  // a structure's control keeps its USE
    created->use = std::move(variable);
    c->editing = false;
    display(number);
}

Control* Window::control(Long number) {
    auto it = controls_.find(number);
    return it == controls_.end() ? nullptr : &it->second;
}

Control* Window::control(std::string_view label) {
    const std::string wanted = upper(label);
    for (auto& [n, c] : controls_)
        if (upper(c.label) == wanted) return &c;
    return nullptr;
}

Long Window::equate(std::string_view label) const {
    const std::string wanted = upper(label);
    for (const auto& [n, c] : controls_)
        if (upper(c.label) == wanted) return n;
    throw std::logic_error("the window " + spec_.label + " has no control " + std::string(label));
}

std::vector<Long> Window::controlNumbers() const {
    std::vector<Long> positive, negative;
    for (const auto& [n, c] : controls_) (n > 0 ? positive : negative).push_back(n);
    std::reverse(negative.begin(), negative.end());  // -1, -2, ...
    positive.insert(positive.end(), negative.begin(), negative.end());
    return positive;
}

Long Window::numberOf(const ControlSpec* spec) const {
    for (const auto& [n, c] : controls_)
        if (c.spec == spec) return n;
    return 0;
}

Long Window::lastControl() const {
    return controls_.empty() ? 0 : std::max<Long>(0, controls_.rbegin()->first);
}

Long Window::nextField(Long previous) const {
    // Menus count down from -1, so among them the next is the one below.
    const auto menuAfter = [this](Long number) {
        const auto at = controls_.lower_bound(number);
        return at == controls_.begin() ? Long{0} : std::prev(at)->first;
    };
    if (previous < 0) return menuAfter(previous);
    const auto next = controls_.upper_bound(previous);
    return next != controls_.end() ? next->first : menuAfter(0);
}

void Window::setRegion(std::optional<Region> region) {
    region_ = std::move(region);
    if (view_) view_->applyRegion();
}

void Window::setTopmost(bool on) {
    topmost_ = on;
    if (view_) view_->applyTopmost();
}

namespace {
constexpr Long kCaptionStyle = 0xC00000;
constexpr Long kLayeredStyle = 0x80000;
}  // namespace

void Window::setStyle(bool extended, Long value) {
    const bool caption = captionShown(), layered = (exStyle_ & kLayeredStyle) != 0;
    (extended ? exStyle_ : style_) = value;
    if (layered && (exStyle_ & kLayeredStyle) == 0) setAlpha(255);
    if (caption != captionShown() && view_) view_->applyCaption();
}

bool Window::captionShown() const { return (style_ & kCaptionStyle) == kCaptionStyle; }

void Window::setAlpha(Byte alpha) {
    alpha_ = alpha;
    if (view_) view_->applyOpacity();
}

// Control 0 is the window itself, so the handle its number would give is
// free for the menu bar.
Long Window::menuHandle() const {
    return open_ && isApplication() && !spec_.menubar.empty() ? handle_ + kControlHandleBase : 0;
}

Long Window::menuBarEntry(Long place) const {
    for (const auto& [n, c] : controls_)
        if (n < 0 && c.parent == 0 && childIndex(c) == place) return n;
    return 0;
}

void Window::lightMenu(Long place) {
    litMenu_ = place;
    if (view_) view_->showLitMenu();
}

Long Window::controlHandle(Long number) const { return number == 0 ? handle_ : handle_ + kControlHandleBase + number; }

bool Window::blocked() const { return open_ && topWindowOf(thread_) != this; }

Geometry* Window::geometryOf(Long number) {
    if (number == 0) return &geometry_;
    Control* c = control(number);
    return c ? &c->geometry : nullptr;
}

const Geometry* Window::geometryOf(Long number) const { return const_cast<Window*>(this)->geometryOf(number); }

Long Window::restored(Long prop) const { return geometry_.restored(prop, usesPixels(), units_); }

bool Window::inToolbar(const Control& c) const { return toolbarOf(c) != nullptr; }

const Control* Window::toolbarOf(const Control& c) const {
    for (auto parent = controls_.find(c.parent); parent != controls_.end(); parent = controls_.find(parent->second.parent))
        if (parent->second.type == CREATE::toolbar) return &parent->second;
    return nullptr;
}

void Window::placeInPixels(const Rect& pixels) {
    geometry_.write(PROP::Xpos, pixels.x, true);
    geometry_.write(PROP::Ypos, pixels.y, true);
    geometry_.write(PROP::Width, pixels.width, true);
    geometry_.write(PROP::Height, pixels.height, true);
    if (view_) view_->apply(0, PROP::Xpos);
}

ShownFont Window::shownFont(Long number) const {
    constexpr Long kNormalWeight = 400;
    ShownFont font{spec_.fontName, spec_.fontSize, kNormalWeight};
    const auto takeOwn = [&](Long holder) {
        if (std::string typeface = clip(property(holder, PROP::FontName)); !typeface.empty())
            font.typeface = std::move(typeface);
        if (const Long size = numberProperty(holder, PROP::FontSize); size > 0) font.size = size;
        if (const std::string style = property(holder, PROP::FontStyle); !style.empty())
            font.style = static_cast<Long>(leadingNumber(style));
    };
    takeOwn(0);
    const auto c = number != 0 ? controls_.find(number) : controls_.end();
    if (c == controls_.end()) return font;
    if (const Control* toolbar = toolbarOf(c->second)) takeOwn(toolbar->number);
    takeOwn(number);
    return font;
}

Rect Window::placement(Long number) const {
    const Geometry* g = geometryOf(number);
    if (!g) return {};
    return {g->pixels(PROP::Xpos, units_), g->pixels(PROP::Ypos, units_), g->pixels(PROP::Width, units_),
            g->pixels(PROP::Height, units_)};
}

std::string Window::property(Long number, Long prop) const {
    if (prop == PROP::Handle) return std::to_string(controlHandle(number));
    if (Geometry::holds(prop)) {
        const Geometry* g = geometryOf(number);
        return g ? std::to_string(g->read(prop, usesPixels(), units_)) : std::string();
    }
    if (number == 0 && (prop == PROP::ClientWidth || prop == PROP::ClientHeight)) {
        const bool across = prop == PROP::ClientWidth;
        const Long pixels = across ? clientSize_.width : clientSize_.height;
        return std::to_string(usesPixels() ? pixels : Geometry::toUnits(pixels, across, units_));
    }
    if (number == 0) {
        if (prop == PROP::Type) return std::to_string(spec_.type);
        if (prop == PROP::Active) return view_ && view_->active() ? "1" : "0";
        if (prop == PROP::Visible) return numberProperty(0, PROP::Hide) == 0 ? "1" : "0";
        auto it = props_.find(prop);
        return it == props_.end() ? std::string() : it->second;
    }
    auto c = controls_.find(number);
    if (c == controls_.end()) return {};
    if (prop == PROP::ScreenText) return c->second.screenText;
    if ((prop == PROP::SelStart || prop == PROP::SelEnd) && view_)
        if (const auto caret = view_->selection(number, prop)) return std::to_string(*caret);
    if (prop == PROP::Type) return std::to_string(c->second.type);
    if (prop == PROP::Label) return c->second.label;
    if (prop == PROP::InToolBar) return inToolbar(c->second) ? "1" : "0";
    if (prop == PROP::Visible) return visible(c->second) ? "1" : "0";
    auto it = c->second.props.find(prop);
    if (it != c->second.props.end()) return it->second;
    return computed(c->second, prop);
}

std::string Window::computed(const Control& c, Long prop) const {
    switch (prop) {
        case PROP::Parent: return std::to_string(c.parent);
        case PROP::ChildIndex: return std::to_string(childIndex(c));
        case PROP::TrueValue:
            return c.type == CREATE::radio ? textWithoutMnemonic(property(c.number, PROP::Text)) : std::string();
        case PROP::Selected:
            if (c.type == CREATE::check) return c.screenText == property(c.number, PROP::TrueValue) ? "1" : "0";
            if (c.type == CREATE::option) {
                const auto radios = radiosOf(c);
                for (std::size_t i = 0; i < radios.size(); ++i)
                    if (property(radios[i]->number, PROP::TrueValue) == c.screenText) return std::to_string(i + 1);
                return "0";
            }
            return {};
        default: return {};
    }
}

// Shown, as are all its parents, each tab among them its sheet's selected one.
bool Window::visible(const Control& c) const {
    const auto parentOf = [this](const Control& child) -> const Control* {
        const auto found = controls_.find(child.parent);
        return child.parent != 0 && found != controls_.end() ? &found->second : nullptr;
    };
    for (const Control* at = &c; at; at = parentOf(*at)) {
        if (numberProperty(at->number, PROP::Hide) != 0) return false;
        if (at->type == CREATE::tab && numberProperty(at->parent, PROP::Selected) != tabPosition(*at)) return false;
    }
    return true;
}

// Menus count down from -1, the other controls up from 1: either way the
// structure's order is the order of the numbers' size.
Long Window::childIndex(const Control& c) const {
    Long place = 0;
    for (const auto& [n, other] : controls_)
        if (other.parent == c.parent && (n < 0) == (c.number < 0) && std::abs(n) <= std::abs(c.number)) ++place;
    return place;
}

// A list's icons are named in one text, "|" between them; an empty name
// keeps its place.
std::vector<std::string> Window::iconNames(std::string_view joined) {
    std::vector<std::string> names;
    if (joined.empty()) return names;
    for (std::size_t from = 0;;) {
        const std::size_t bar = joined.find('|', from);
        names.emplace_back(joined.substr(from, bar == std::string_view::npos ? std::string_view::npos : bar - from));
        if (bar == std::string_view::npos) return names;
        from = bar + 1;
    }
}

void Window::setIconName(Long number, std::size_t index, std::string_view name) {
    std::vector<std::string> names = iconNames(property(number, PROP::IconList));
    if (names.size() < index) names.resize(index);
    names[index - 1] = name;
    std::string joined;
    for (std::size_t i = 0; i < names.size(); ++i) joined += (i == 0 ? "" : "|") + names[i];
    setProperty(number, PROP::IconList, joined);
}

bool Window::isMenu(const Control& c) { return c.type == CREATE::menu || c.type == CREATE::item; }

// The menu's children in the order ChildIndex counts them; 0 past the last.
Long Window::childAt(const Control& menu, Long index) const {
    if (menu.type != CREATE::menu || index < 1) return 0;
    Long place = 0;
    for (auto n = controls_.rbegin(); n != controls_.rend(); ++n)
        if (n->first < 0 && n->second.parent == menu.number && ++place == index) return n->first;
    return 0;
}

// Colour 1 of a menu or item is PROP:Color itself; 2 and 3 its selected
// text and background, stored only.
std::string Window::menuColour(const Control& c, Long index) const {
    if (index == 1) return property(c.number, PROP::Color);
    return index >= 2 && index <= kMenuColours ? c.menuColours[static_cast<std::size_t>(index - 2)] : std::string();
}

std::vector<const Control*> Window::radiosOf(const Control& option) const {
    std::vector<const Control*> radios;
    for (const auto& [n, c] : controls_)
        if (c.parent == option.number && c.type == CREATE::radio) radios.push_back(&c);
    return radios;
}

void Window::setSelected(const Control& c, Long place) {
    if (c.type == CREATE::check) return change(c.number, property(c.number, place != 0 ? PROP::TrueValue : PROP::FalseValue));
    const auto radios = radiosOf(c);
    if (place < 1 || place > static_cast<Long>(radios.size())) return change(c.number, "");
    change(c.number, property(radios[static_cast<std::size_t>(place - 1)]->number, PROP::TrueValue));
}

Long Window::numberProperty(Long number, Long prop) const {
    return static_cast<Long>(leadingNumber(property(number, prop)));
}

// The columns are the format's: a list without one has none.
std::string Window::indexedProperty(Long number, Long prop, Long index) const {
    if (const auto c = controls_.find(number); c != controls_.end() && isMenu(c->second)) {
        if (prop == PROP::Child) return std::to_string(childAt(c->second, index));
        if (prop == PROP::Color) return menuColour(c->second, index);
    }
    if (prop == PROP::IconList) {
        const std::vector<std::string> names = iconNames(property(number, PROP::IconList));
        return index >= 1 && index <= static_cast<Long>(names.size()) ? names[static_cast<std::size_t>(index - 1)]
                                                                        : std::string();
    }
    const std::string format = number != 0 ? property(number, PROP::Format) : std::string();
    const std::vector<ListColumn> columns = format.empty() ? std::vector<ListColumn>() : parseListFormat(format);
    const bool exists = index >= 1 && index <= static_cast<Long>(columns.size());
    switch (prop) {
        case PROPLIST::Exists: return exists ? "1" : "0";
        case PROPLIST::Width: return exists ? std::to_string(columns[static_cast<std::size_t>(index - 1)].width) : "";
        default: return {};
    }
}

void Window::setIndexedProperty(Long number, Long prop, Long index, std::string_view value) {
    Control* c = number != 0 ? control(number) : nullptr;
    if (c && isMenu(*c) && prop == PROP::Color) {
        if (index == 1) return setProperty(number, PROP::Color, value);
        if (index >= 2 && index <= kMenuColours) c->menuColours[static_cast<std::size_t>(index - 2)] = value;
        return;
    }
    if (c && prop == PROP::IconList && index >= 1) return setIconName(number, static_cast<std::size_t>(index), value);
    if (!c || prop != PROPLIST::Width || indexedProperty(number, PROPLIST::Exists, index) != "1") return;
    c->props[PROP::Format] = withColumnWidth(c->props[PROP::Format], static_cast<std::size_t>(index),
                                             static_cast<int>(leadingNumber(value)));
    if (view_) view_->apply(number, prop);
}

void Window::setProperty(Long number, Long prop, std::string_view value) {
    const bool readOnly = prop == PROP::Handle || prop == PROP::Type || prop == PROP::Label ||
                          prop == PROP::InToolBar || prop == PROP::Parent || prop == PROP::ChildIndex ||
                          prop == PROP::Visible;
    if (readOnly) return;
    if (number == 0 && prop == PROP::Active) {
        if (leadingNumber(value) != 0 && view_) view_->bringForward();
        return;
    }
    if (const Control* c = control(number); c && prop == PROP::Selected &&
                                            (c->type == CREATE::check || c->type == CREATE::option))
        return setSelected(*c, static_cast<Long>(leadingNumber(value)));
    if (Geometry::holds(prop)) {
        Geometry* g = geometryOf(number);
        if (!g) return;
        writeGeometry(number, *g, prop, static_cast<Long>(leadingNumber(value)));
    } else if (number != 0 && (prop == PROP::NoWidth || prop == PROP::NoHeight) && leadingNumber(value) != 0) {
        // The natural size: as wide or high as what the control shows.
        Control* c = control(number);
        if (!c) return;
        c->props[prop] = std::string(value);
        const Long size = prop == PROP::NoWidth ? PROP::Width : PROP::Height;
        c->geometry.write(size, 0, usesPixels());
        prop = size;
    } else if (number == 0) {
        const Long dockedBefore = dockedEdge();
        props_[prop] = std::string(value);
        if (prop == PROP::Timer && open_) threadEvents::setTimer(thread_, handle_, numberProperty(0, PROP::Timer));
        if (prop == PROP::Docked && dockedEdge() != dockedBefore)
            post({.event = dockedEdge() != 0 ? EVENT::Docked : EVENT::Undocked});
    } else {
        Control* c = control(number);
        if (!c) return;
        if (prop == PROP::ScreenText) {
            c->screenText = value;
        } else {
            c->props[prop] = std::string(value);
        }
    }
    if (view_) view_->apply(number, prop);
}

Long Window::dockedEdge() const {
    if (spec_.mdi || isApplication()) return 0;
    const Long docked = numberProperty(0, PROP::Docked);
    return DOCK::isEdge(docked) ? docked : 0;
}

void Window::writeGeometry(Long number, Geometry& g, Long prop, Long value) {
    g.write(prop, value, usesPixels());
    if (Control* c = number != 0 && value != 0 ? control(number) : nullptr)
        c->props.erase(prop == PROP::Width ? PROP::NoWidth : prop == PROP::Height ? PROP::NoHeight : 0);
}

// The view places a control (or the window) from its whole geometry, whichever part changed.
void Window::setPosition(Long number, std::optional<Long> x, std::optional<Long> y, std::optional<Long> width,
                         std::optional<Long> height) {
    Geometry* g = geometryOf(number);
    if (!g) return;
    const std::pair<Long, std::optional<Long>> parts[] = {
        {PROP::Xpos, x}, {PROP::Ypos, y}, {PROP::Width, width}, {PROP::Height, height}};
    bool written = false;
    for (const auto& [prop, value] : parts) {
        if (!value) continue;
        writeGeometry(number, *g, prop, *value);
        written = true;
    }
    if (written && view_) view_->apply(number, PROP::Xpos);
}

bool Window::accept() {
    lastCycled_ = cycled_;
    cycled_ = false;
    if (!open_ || (closeTaken_ && !closeRefused_)) return false;
    closeTaken_ = closeRefused_ = false;
    if (numberProperty(0, PROP::Auto) != 0) display();  // AUTO: the variables show without DISPLAY
    Scheduler::instance().waitUntil(
        [this] { return openPending_ || !open_ || threadEvents::waiting(thread_, handle_); });
    if (!open_) return false;
    if (openPending_) {
        openPending_ = false;
        current_ = stamped({.event = EVENT::OpenWindow});
    } else {
        current_ = stamped(*threadEvents::take(thread_, handle_));  // a timer's or a POST's too
    }
    closeTaken_ = closeRequest(current_.event);
    return true;
}

void Window::cycle() {
    cycled_ = true;
    closeRefused_ = closeTaken_;
}

void Window::post(Event e) {
    if (open_) threadEvents::post(thread_, handle_, stamped(e));
}

Event Window::stamped(Event e) const {
    if (view_ && e.screenX == 0 && e.screenY == 0) view_->placePointer(e);
    return e;
}

void Window::deliver(Event e) {
    if (blocked()) return;  // a modal window of the thread takes the input
    post(e);
    Scheduler::instance().dispatch();
}

bool Window::deliverAsking(Event e) {
    if (blocked()) return false;
    post(e);
    lastCycled_ = false;
    Scheduler::instance().dispatch();
    return lastCycled_;
}

bool Window::applyBinding(Control& c) {
    if (!c.spec || !c.spec->use || c.editing) return false;
    c.screenText = shown(c, c.spec->use.get());
    return true;
}

void Window::display(Long number) {
    for (auto& [n, c] : controls_) {
        if (number != 0 && n != number) continue;
        if (applyBinding(c) && view_) view_->apply(n, PROP::ScreenText);
    }
}

void Window::change(Long number, std::string_view value) {
    Control* c = control(number);
    if (!c) return;
    c->editing = false;
    if (c->spec && c->spec->use) c->spec->use.set(value);
    c->screenText = shown(*c, c->spec && c->spec->use ? c->spec->use.get() : std::string(value));
    if (view_) view_->apply(number, PROP::ScreenText);
}

void Window::update(Long number) {
    for (auto& [n, c] : controls_)
        if ((number == 0 || n == number) && c.editing && c.spec && c.spec->use) c.spec->use.set(c.screenText);
}

void Window::select(Long number) {
    if (const Control* c = control(number); c && c->type == CREATE::tab) {
        setProperty(c->parent, PROP::Selected, tabPosition(*c));
        return;
    }
    props_[PROP::Selected] = std::to_string(number);
    if (view_) view_->focus(number);
}

void Window::select(Long list, Long row) {
    setProperty(list, PROP::Selected, row);
    select(list);
}

Long Window::focus() const { return view_ ? view_->focusedControl() : 0; }

Long Window::tabPosition(const Control& tab) const {
    Long position = 0;
    for (const auto& [n, c] : controls_)
        if (c.parent == tab.parent && c.type == CREATE::tab && n <= tab.number) ++position;
    return position;
}

void Window::redraw() {
    if (view_) view_->repaintNow();
}

void Window::alert(Long number, Long keyCode) {
    std::vector<Long>* keys = nullptr;
    if (number == 0) {
        keys = &windowAlerts_;
    } else if (Control* c = control(number)) {
        keys = &c->alerts;
    }
    if (keys && std::find(keys->begin(), keys->end(), keyCode) == keys->end()) keys->push_back(keyCode);
}

void Window::unalert(Long number, Long keyCode) {
    std::vector<Long>* keys = number == 0 ? &windowAlerts_ : nullptr;
    if (Control* c = number != 0 ? control(number) : nullptr) keys = &c->alerts;
    if (keys) keys->erase(std::remove(keys->begin(), keys->end(), keyCode), keys->end());
}

bool Window::alerted(Long number, Long keyCode) const {
    const std::vector<Long>* keys = &windowAlerts_;
    if (number != 0) {
        auto c = controls_.find(number);
        if (c == controls_.end()) return false;
        keys = &c->second.alerts;
    }
    return std::find(keys->begin(), keys->end(), keyCode) != keys->end();
}

void Window::userTyped(Long number, std::string_view text) {
    Control* c = control(number);
    if (!c) return;
    c->screenText = fitted(*c, text);
    c->editing = true;
    const Long key = typingKey_;
    typingKey_ = 0;
    if (typesWhileEditing(c->type)) deliver({.event = EVENT::NewSelection, .field = number, .keyCode = key});
}

void Window::userAccepted(Long number) {
    Control* c = control(number);
    if (!c) return;
    if (c->spec && c->spec->use) c->spec->use.set(c->screenText);
    c->editing = false;
    deliver({EVENT::Accepted, number, 0});
}

void Window::userChoseRow(Long number, Long row, Long keyCode) {
    Control* c = control(number);
    if (!c) return;
    if (c->type == CREATE::sheet) deliver({EVENT::TabChanging, number, 0});  // PROP:Selected still the old tab
    c->props[PROP::Selected] = std::to_string(row);
    deliver({.event = EVENT::NewSelection, .field = number, .keyCode = keyCode});
}

void Window::userPressedEnterOn(Long list) {
    if (control(list)) deliver({.event = EVENT::Accepted, .field = list, .keyCode = KEY::Enter});
}

void Window::userToggledRow(Long number, Long row, bool open) {
    Control* c = control(number);
    if (!c) return;
    c->props[PROP::TreeRow] = std::to_string(row);
    deliver({open ? EVENT::Expanded : EVENT::Contracted, number, 0});
}

bool Window::userPressedKey(Long keyCode, Long focusControl, Long character) {
    typingKey_ = keyCode;
    const Long state = keyCode & (KEY::Shift | KEY::Ctrl | KEY::Alt);
    const Long alertedOn = focusControl != 0 && alerted(focusControl, keyCode) ? focusControl : 0;
    if (alertedOn != 0 || alerted(0, keyCode)) {
        Event e{.event = EVENT::PreAlertKey, .field = alertedOn, .keyCode = keyCode, .keyChar = character,
                .keyState = state};
        const bool letThrough = deliverAsking(e);
        e.event = EVENT::AlertKey;
        deliver(e);
        return !letThrough;
    }
    // Accelerators of this window's menu, then of the application frame's.
    for (Window* w : {this, spec_.mdi ? applicationFrame() : nullptr}) {
        if (!w) continue;
        for (auto& [n, c] : w->controls_) {
            if (n < 0 && c.type == CREATE::item && w->numberProperty(n, PROP::Key) == keyCode) {
                w->userChoseMenu(n);
                return true;
            }
        }
    }
    return false;
}

void Window::userClosed() { deliver({EVENT::CloseWindow, 0, 0}); }

void Window::userPointed(Long event, Long number) {
    if (control(number)) deliver({.event = event, .field = number});
}

void Window::userSelected(Long number) {
    if (control(number)) deliver({.event = EVENT::Selected, .field = number});
}

// Not input: a window under a modal window hears it too.
void Window::userActivated(bool active) {
    post({.event = active ? EVENT::GainFocus : EVENT::LoseFocus});
    Scheduler::instance().dispatch();
}

void Window::userPlaced(const Rect& pixels) {
    if (geometry_.maximized()) return;
    const Rect now = placement(0);
    const bool imm = numberProperty(0, PROP::Imm) != 0;
    // A Move the program ends with CYCLE is refused: the window stays.
    if ((pixels.x != now.x || pixels.y != now.y) && !(imm && deliverAsking({.event = EVENT::Move}))) {
        geometry_.write(PROP::Xpos, pixels.x, true);
        geometry_.write(PROP::Ypos, pixels.y, true);
        movePending_ = true;
    }
    if (pixels.width != now.width || pixels.height != now.height) {
        geometry_.write(PROP::Width, pixels.width, true);
        geometry_.write(PROP::Height, pixels.height, true);
        sizePending_ = true;
        if (imm) deliver({.event = EVENT::Size});
    }
}

void Window::userPlacementEnded() {
    const bool moved = std::exchange(movePending_, false);
    const bool sized = std::exchange(sizePending_, false);
    if (moved) deliver({.event = EVENT::Moved});
    if (sized) deliver({.event = EVENT::Sized});
}

void Window::userMaximized(std::optional<Rect> shown) {
    if (shown.has_value() == geometry_.maximized()) return;
    if (numberProperty(0, PROP::Imm) != 0) deliver({.event = shown ? EVENT::Maximize : EVENT::Restore});
    shownMaximized(shown);
    deliver({.event = shown ? EVENT::Maximized : EVENT::Restored});
    deliver({.event = EVENT::Sized});
}

void Window::laidOut(Long number, int width, int height) {
    if (number == 0) {
        clientSize_ = {0, 0, width, height};
    } else if (Control* c = control(number)) {
        c->geometry.laidOut(width, height);
    }
}

void Window::center() {
    if (view_) view_->centre();
}

void Window::shownAt(int x, int y) {
    geometry_.write(PROP::Xpos, x, true);
    geometry_.write(PROP::Ypos, y, true);
}

void Window::shownMaximized(std::optional<Rect> shown) {
    geometry_.showMaximized(shown);
    props_[PROP::Maximize] = shown ? "1" : "0";
}

void Window::userChoseMenu(Long item) {
    if (property(item, PROP::Disable) == "1") return;
    deliver({EVENT::Accepted, item, 0});
}

const std::vector<Window*>& Window::openWindows() { return registry(); }

Window* Window::applicationFrame() {
    for (Window* w : registry())
        if (w->isApplication()) return w;
    return nullptr;
}

Window* Window::byHandle(Long handle) {
    for (Window* w : registry())
        if (w->handle() == handle) return w;
    return nullptr;
}

Window* Window::byAnyHandle(Long handle, Long& control) {
    for (Window* w : registry()) {
        const Long offset = handle - w->handle();
        const Long number = offset - kControlHandleBase;
        if (offset == 0 || (number > 0 && offset < kWindowHandleStep && w->control(number))) {
            control = offset == 0 ? 0 : number;
            return w;
        }
    }
    return nullptr;
}

Window* Window::topWindowOf(int thread) {
    const auto& windows = registry();
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        if ((*it)->thread() == thread) return *it;
    return nullptr;
}

std::vector<Window*> Window::windowsOf(int thread) {
    std::vector<Window*> windows;
    for (Window* w : registry())
        if (w->thread() == thread) windows.push_back(w);
    return windows;
}

std::size_t pictureWidth(std::string_view picture) {
    if (picture.size() < 3 || picture[0] != '@' || (picture[1] != 's' && picture[1] != 'S')) return 0;
    return static_cast<std::size_t>(leadingNumber(picture.substr(2)));
}

}  // namespace platform
