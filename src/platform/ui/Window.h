// Windows and controls as a model; Qt widgets are only its view.
//
// Rules:
// - A window belongs to the fiber (thread) that opened it. Its events queue
//   on that thread, in order (ThreadEvents.h); accept() is its event wait.
//   OpenWindow comes first.
// - A window opened on a thread over another window of that thread is modal:
//   it takes all input meant for its opener's windows until it closes (a
//   click on a blocked window raises no event); other threads go on.
//   SYSTEM{PROP:Modal} is true while the running thread has such a window.
// - A procedure may refuse CloseWindow (and CloseDown): cycle() after taking
//   it keeps the window open and taking events; otherwise the next accept()
//   ends the loop.
// - Handles are unique across every window and control ever opened.
// - Controls are numbered as the structure lists them: 0 is the window,
//   controls 1, 2, 3 ..., menus and items -1 downwards (separators take none),
//   controls created at run time the next free numbers.
// - Every property reads back what was written; the view shows those it can.
//   A list's PROP::Edit is the control number of its in-place editor over its
//   current row (0 none); PROP::IconList is the icon names, "|" between them
//   (an empty one keeps its number, showing none);
//   a sheet's PROP::Wizard hides its tabs. PROP::Type reads the type of a
//   control or window and takes no write. Under a window's PROP::Auto each
//   event wait shows the bound variables first, as DISPLAY would.
//   PROP::InToolBar reads 1 for a control in a toolbar. PROP::Visible reads
//   1 while the control and every parent are unhidden and each tab among
//   them is its sheet's selected one (a window: while it is unhidden); it
//   takes no write. A window's
//   PROP::Active reads 1 while it is the active window (an MDI child: its
//   frame's active child); writing 1 brings it to the front, as a click on
//   it would. The window's field order (PROP::NextField) is nextField().
//   An entry's PROP::SelStart and PROP::SelEnd read its caret and selection
//   as they are on screen (view/TextControls.cpp); a program's change of an
//   entry's screen text shows at once, even while the user is typing in it.
// - Positions and sizes (Geometry.h) are in dialog units of the window's font,
//   or in pixels while the window's PROP:Pixels is set; the model converts,
//   so it answers in either unit without the view. A control's PROP::NoWidth
//   or NoHeight written 1 makes that side natural (an image's picture's own)
//   until a size is written. A structure drawn in
//   pixels (WindowSpec::pixels) places everything in pixels from the start,
//   whatever the font. A window's Xpos/Ypos are
//   its top left corner on the screen (an MDI child's in its frame's client
//   area), Width/Height its client area; while it is maximized they read
//   where it is shown, restored() where it is when restored.
// - User input (from Qt or from the test driver) becomes events, delivered to
//   the owning fiber at once so that it can act before the control does. An
//   alerted key (a mouse button too) gives PreAlertKey, then AlertKey; when
//   the program ends PreAlertKey with CYCLE the key also does what it does
//   on the control.
// - The user's moves and resizes of a window are written back (in pixels):
//   under PROP:Imm Move and Size come while it changes (a Move ended with
//   CYCLE is refused: the window goes back); Moved and Sized when it ends;
//   Maximized and Restored (after Maximize and Restore under PROP:Imm), each
//   followed by Sized.
// - PROP:Docked 1, 2, 4 or 8 puts a top-level window inside the application
//   frame along its left, top, right or bottom edge, beside the MDI area: it
//   keeps its size and follows the frame; any other value floats it where its
//   Xpos and Ypos say. A change of edge, the program's too, posts Docked (to
//   an edge) or Undocked (floating again). While docked the user cannot move
//   it, and Xpos and Ypos keep the floating place.
// - Widgets are never deleted synchronously: closing a window hands its view
//   to Qt's deferred delete, destroying a control its widget.
// - Statements that name no window act on the thread's TARGET(): the window
//   SETTARGET named, else its top window.
#pragma once

#include "platform/ui/DialogUnits.h"
#include "platform/ui/Geometry.h"
#include "platform/ui/Region.h"
#include "platform/ui/ThreadEvents.h"
#include "platform/ui/WindowSpec.h"

#include <array>
#include <list>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class WindowView;

// The font a control shows: typeface, points and the runtime's style (the
// weight, 400 normal, plus the italic, underline and strikeout bits).
struct ShownFont {
    std::string typeface;
    Long size = 0;
    Long style = 0;
};

struct Control {
    Long number = 0;
    Long type = 0;
    std::string label;
    Long parent = 0;
    const ControlSpec* spec = nullptr;
    std::map<Long, std::string> props;
    Geometry geometry;
    std::vector<Long> alerts;
    std::array<std::string, 2> menuColours;  // a menu's or item's selected text and background
    std::string screenText;  // what the control shows now
    bool editing = false;    // the user changed the text and has not left the control
};

class Window {
public:
    explicit Window(WindowSpec spec);
    ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    void open();   // OPEN: the view appears; OpenWindow is queued
    void close();  // CLOSE
    bool isOpen() const { return open_; }
    int thread() const { return thread_; }
    Long handle() const { return handle_; }
    Long controlHandle(Long control) const;
    // GetMenu: the handle of the window's menu bar, 0 when it has none.
    Long menuHandle() const;
    // Under a window its thread opened later: takes no input.
    bool blocked() const;
    const WindowSpec& spec() const { return spec_; }
    bool isApplication() const { return spec_.type == CREATE::application; }

    Control* control(Long number);
    Control* control(std::string_view label);
    // The number the structure gave the control of that label: the runtime's
    // field equate. A label the structure lacks is a program error (throws).
    Long equate(std::string_view label) const;
    std::vector<Long> controlNumbers() const;  // structure order, menus last
    Long numberOf(const ControlSpec* spec) const;  // 0 for a separator
    Long lastControl() const;
    // The field order (PROP:NextField): the control after `previous` (0: the
    // first), 0 after the last. Controls in structure order, those created
    // at run time after them, then the menus -1, -2, ...
    Long nextField(Long previous) const;
    // CREATE at run time: the control takes the next free number and starts
    // hidden, as the runtime's created controls do; 0 when it cannot be made.
    // On a sheet or tab it lies on the page, else in the window's coordinates.
    // An image, region, line, box, ellipse or panel lies under the window's
    // other controls (over those of them made before), as the runtime paints
    // it on the window itself.
    Long create(ControlSpec spec, Long parent = 0);
    // DESTROY: the controls first..last (last 0: first alone) and the
    // controls inside them go; their numbers are free again.
    void destroy(Long first, Long last = 0);
    // PROP:Use at run time: the control shows and writes another variable.
    void use(Long control, Binding variable);

    std::string property(Long control, Long prop) const;
    void setProperty(Long control, Long prop, std::string_view value);
    void setProperty(Long control, Long prop, Long value) { setProperty(control, prop, std::to_string(value)); }
    Long numberProperty(Long control, Long prop) const;
    // SETPOSITION: the parts given (in the window's units) written at once
    // and shown with one placement, as their writes one by one would.
    void setPosition(Long control, std::optional<Long> x, std::optional<Long> y, std::optional<Long> width,
                     std::optional<Long> height);
    // Indexed properties (PROPLIST), of column `index` (1 the first) of a
    // list or combo as its format holds them: Exists 1 or 0, Width in
    // dialog units. A width written shows at once and PROP:Format reads it;
    // anything else reads "" and takes no write. Of a menu, PROP::Child n is
    // its nth menu or item (0 past the last, read only); of a menu or item,
    // PROP::Color 1 is PROP::Color, 2 and 3 its selected text and
    // background colours (stored only). PROP::IconList n is a list's nth icon
    // name, "" for none; one written past the last adds empty names before it.
    std::string indexedProperty(Long control, Long prop, Long index) const;
    void setIndexedProperty(Long control, Long prop, Long index, std::string_view value);
    // Positions and sizes: dialog units of the window font, or pixels.
    const DialogUnits& units() const { return units_; }
    bool usesPixels() const { return numberProperty(0, PROP::Pixels) != 0; }
    // The window's Xpos, Ypos, Width or Height as it is when not maximized.
    Long restored(Long prop) const;
    // Where the view places the window or control, in pixels; a natural size is 0.
    Rect placement(Long control) const;
    // Places the window in pixels (Xpos, Ypos and its client area's size), as
    // the program's writes of them do, whatever unit the window uses.
    void placeInPixels(const Rect& pixels);
    // Each part of the font from the control itself where it has one, else
    // from its toolbar, else from the window, else the structure's window
    // font. PROP:FontName and PROP:FontSize read only what was written: an
    // empty typeface or a size of 0 written is no font of its own, and the
    // control shows its window's (its toolbar's) again.
    ShownFont shownFont(Long control) const;

    // Event wait. False once the window has closed, or a close request was
    // taken and not refused.
    bool accept();
    // CYCLE: after CloseWindow or CloseDown, the window stays open.
    void cycle();
    void post(Event e);
    const Event& current() const { return current_; }
    Event& current() { return current_; }
    Long event() const { return current_.event; }
    Long field() const { return current_.field; }
    Long keyCode() const { return current_.keyCode; }

    void display(Long control = 0);  // bound variables to the screen; text being typed stays
    // CHANGE: the control shows the value and its variable takes it, any
    // typing in it ended; no event comes of it.
    void change(Long control, std::string_view value);
    // UPDATE: what the user is still typing goes into the bound variables,
    // without Accepted and without ending the edit.
    void update(Long control = 0);
    void select(Long control);       // focus; a tab is shown on its sheet
    void select(Long list, Long row);  // focus on the row; below 1 no row is selected
    Long focus() const;              // the control holding the focus, 0 for none
    // Moves the open window to the middle of the screen (an MDI child: of
    // its frame's client area) at its present size, as a structure's CENTER
    // places it when it opens; Xpos and Ypos read where it went.
    void center();
    // Paints the window now: what DISPLAY showed is seen while the program
    // goes on without waiting for events.
    void redraw();
    void alert(Long control, Long keyCode);
    void unalert(Long control, Long keyCode);  // the key is no longer alerted there
    bool alerted(Long control, Long keyCode) const;

    // User input, from the view or the test driver. The NewSelection typing
    // raises carries the key that typed (KEYCODE(): BackSpace 8, Delete 46,
    // a letter its code): the key pressed last in the window, 0 when none was
    // pressed since the change before (a paste by the mouse).
    void userTyped(Long control, std::string_view text);
    void userAccepted(Long control);
    // A list's row or a sheet's tab; a list's NewSelection carries what chose
    // it: the key, or KEY::MouseLeft for a click.
    void userChoseRow(Long control, Long row, Long keyCode = 0);
    void userPressedEnterOn(Long list);  // its Accepted, with KEY::Enter
    // The box of a tree list's row (a queue position) opened or collapsed it.
    void userToggledRow(Long control, Long row, bool open);
    // True: taken by the program. `character` is what the key types, if anything.
    bool userPressedKey(Long keyCode, Long focusControl, Long character = 0);
    void userClosed();
    void userChoseMenu(Long item);
    // The pointer over a control: MouseIn, MouseOut, MouseMove, MouseDown,
    // MouseUp; a combo's list dropping down: DroppingDown, DroppedDown.
    void userPointed(Long event, Long control);
    void userSelected(Long control);     // the focus came to the control
    void userActivated(bool active);     // GainFocus or LoseFocus
    // The user moves or resizes the window: where it is now, in pixels.
    void userPlaced(const Rect& pixels);
    void userPlacementEnded();           // the button is released
    // The user maximizes (where it is shown, in pixels) or restores (nullopt).
    void userMaximized(std::optional<Rect> shown);

    // What the view laid out, in pixels; no event comes of it.
    // A control's natural size; for the window (0) its client area, where
    // an application frame's MDI children lie: PROP:ClientWidth/ClientHeight.
    void laidOut(Long control, int width, int height);
    void shownMaximized(std::optional<Rect> shown);      // PROP:Maximize written
    void shownAt(int x, int y);                          // placed by the view itself (centred)
    WindowView* view() const { return view_; }
    void viewGone() { view_ = nullptr; }

    // SetWindowRgn: the window's shape in its own pixels (Region.h); without
    // one (nullopt) the whole window shows. An empty region hides it all.
    void setRegion(std::optional<Region> region);
    const std::optional<Region>& region() const { return region_; }
    // PROP:Docked: the edge of the application frame the window lies along
    // (DOCK::Left, Top, Right, Bottom), 0 while it floats (DOCK::Float or any
    // other value). An MDI child and the frame itself never dock.
    Long dockedEdge() const;
    // Above every window that is not topmost, the program's and others'.
    void setTopmost(bool on);
    bool topmost() const { return topmost_; }
    // The window's style words of the system's window calls (WindowCalls.h),
    // kept as written. WS_CAPTION in the style shows the caption: without it
    // the window keeps its place and the size of its client area, and its
    // frame closes over the client area. WS_EX_LAYERED in the extended style makes alpha() the
    // window's opacity (an MDI child's is stored only); taking it away makes
    // the window opaque again.
    Long style(bool extended) const { return extended ? exStyle_ : style_; }
    void setStyle(bool extended, Long value);
    bool captionShown() const;
    // 0 to 255 (opaque), while layered.
    void setAlpha(Byte alpha);
    Byte alpha() const { return alpha_; }
    // The menu bar's entry at that place (1 the first) shows lit, its menu
    // staying closed; 0 lights none.
    void lightMenu(Long place);
    Long litMenu() const { return litMenu_; }
    // The menu or item at that place on the menu bar; 0 for none.
    Long menuBarEntry(Long place) const;

    static const std::vector<Window*>& openWindows();
    static Window* applicationFrame();
    // The window with exactly this handle; a control's handle finds none.
    static Window* byHandle(Long handle);
    // The window of a window's or a control's handle, and the control (0 for
    // the window itself); nullptr for no open window's.
    static Window* byAnyHandle(Long handle, Long& control);
    // The window the thread's events go to: its most recently opened one.
    static Window* topWindowOf(int thread);
    // The open windows of a thread, first opened first.
    static std::vector<Window*> windowsOf(int thread);

private:
    Control controlOf(const ControlSpec& spec, Long number, Long parent) const;
    void numberControls(const std::vector<ControlSpec>& specs, Long parent, Long& next, int step);
    void deliver(Event e);
    // Delivers; true when the program ended its handling with CYCLE.
    bool deliverAsking(Event e);
    bool inToolbar(const Control& c) const;
    const Control* toolbarOf(const Control& c) const;
    Geometry* geometryOf(Long control);
    const Geometry* geometryOf(Long control) const;
    // A size written is no longer natural.
    void writeGeometry(Long control, Geometry& g, Long prop, Long value);
    Event stamped(Event e) const;
    bool applyBinding(Control& c);
    Long tabPosition(const Control& tab) const;  // 1 for the sheet's first tab
    Long childIndex(const Control& c) const;
    static constexpr Long kMenuColours = 3;
    static bool isMenu(const Control& c);
    static std::vector<std::string> iconNames(std::string_view joined);
    void setIconName(Long number, std::size_t index, std::string_view name);
    Long childAt(const Control& menu, Long index) const;
    std::string menuColour(const Control& c, Long index) const;
    std::vector<const Control*> radiosOf(const Control& option) const;
    std::string computed(const Control& c, Long prop) const;  // "" when the property is stored
    bool visible(const Control& c) const;                      // PROP::Visible
    void setSelected(const Control& c, Long place);

    WindowSpec spec_;
    std::map<Long, Control> controls_;
    std::list<ControlSpec> created_;  // specs of controls created at run time; never move
    Event current_;
    std::map<Long, std::string> props_;  // window-level properties (control 0)
    DialogUnits units_;
    Geometry geometry_;                  // the window's own
    Rect clientSize_;                    // as laid out, pixels: PROP:ClientWidth, PROP:ClientHeight
    bool movePending_ = false;           // the user moves it; Moved comes when it ends
    bool sizePending_ = false;
    std::vector<Long> windowAlerts_;
    Long typingKey_ = 0;  // the key pressed last, until the text it typed is taken
    std::optional<Region> region_;
    bool topmost_ = false;
    Long style_ = 0xC00000;  // WS_CAPTION
    Long exStyle_ = 0;
    Byte alpha_ = 255;
    Long litMenu_ = 0;
    WindowView* view_ = nullptr;
    int thread_ = 0;
    Long handle_ = 0;
    bool open_ = false;
    bool openPending_ = false;  // OpenWindow not yet taken
    bool closeTaken_ = false;   // the current event asks the window to close
    bool closeRefused_ = false;
    bool cycled_ = false;      // the current event's handling ended with CYCLE
    bool lastCycled_ = false;  // so did the one taken before it
};

// The width a string picture allows ("@s80" gives 80); 0 for no limit.
std::size_t pictureWidth(std::string_view picture);

// The target window of the running thread: the window SETTARGET named, else
// the thread's top window; nullptr for none. Statements that take no window
// act on it. A closed window is no one's target.
Window* TARGET();
// SETTARGET: the window (of any thread) the running thread's statements act
// on; nullptr: its own top window again.
void SETTARGET(Window* window = nullptr);

// The statements of the runtime on the thread's top window.
// POST reaches a thread whether or not it has a window open.
void POST(Long event, Long control = 0, int thread = 0);
// Posts the event to the window once its thread has no modal window up: at
// once when it has none, else when the window over it closes. Dropped when
// the window closes first.
void postAfterModal(Window& window, Long event);
// SETFONT on a control of the target window: an empty typeface or a size of
// 0 leaves that part as it is; colour, style and character set are written.
void SETFONT(Long control, std::string_view typeface, Long size, Long color, Long style, Long charset);
// The properties SETFONT writes, with their values, in order.
std::vector<std::pair<Long, std::string>> fontWrites(std::string_view typeface, Long size, Long color, Long style,
                                                     Long charset);
// PRESSKEY: the key as the user's keyboard gives it, on Qt's next turn (so
// after what was posted before, such as WM_SYSCOMMAND): to the open popup,
// else to the control with the focus, through the program and the
// keyboard's rules.
void PRESSKEY(Long keyCode);
// The current event of the running thread's top window.
Long MOUSEX();
Long MOUSEY();
Long KEYCODE();
Long KEYCHAR();
Long KEYSTATE();
void SETKEYCODE(Long keyCode);
// CHANGE on the target window.
void CHANGE(Long control, std::string_view value);
// SYSTEM{prop}, the program-wide properties: PROP::Modal; PROP::MessageHook,
// the installed message hook (system/MessageHook.h); and what was written
// (PROP::Buffer, the file buffering the layer does not need, is accepted and
// read back).
// While PROP::LazyDisplay or PROP::DeferMove is not 0 the windows open then
// are not painted, whatever turns Qt takes: their changes show all together
// when both are 0 again.
std::string SYSTEM(Long prop);
void SYSTEM(Long prop, std::string_view value);
// The mouse cursor over every window of the program; CURSOR::None gives each
// widget its own again.
void SETCURSOR(Long cursor = CURSOR::None);

}  // namespace platform
