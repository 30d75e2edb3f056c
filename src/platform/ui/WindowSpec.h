// Window structures declared as data: one ControlSpec per line of the
// original structure, so a reader can hold one beside the other.
//
//   WindowSpec{.label = "P1$WINDOW", .title = "Choose an ODB Cconnection", .controls = {
//       {.type = CREATE::prompt, .label = "?DSNString:Prompt", .text = "DNS (Data source name):"},
//       {.type = CREATE::entry, .label = "?DSNString", .use = bind(DSNString)}}}
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/Equates.h"

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace platform {

class QueueBase;

// A variable bound to a control (USE): read and written as text.
struct Binding {
    std::function<std::string()> get;
    std::function<void(std::string_view)> set;
    explicit operator bool() const { return static_cast<bool>(get); }
};

template <std::size_t N>
Binding bind(CString<N>& variable) {
    return {[&variable] { return variable.str(); }, [&variable](std::string_view t) { variable = t; }};
}
template <std::size_t N>
Binding bind(String<N>& variable) {
    return {[&variable] { return clip(variable.view()); }, [&variable](std::string_view t) { variable = t; }};
}
// Numbers keep their width, as the runtime stores them: a BYTE the low 8 bits.
Binding bind(Byte& variable);
Binding bind(Short& variable);
Binding bind(UShort& variable);
Binding bind(Long& variable);
// A text of any length: nothing on the way cuts it.
Binding bind(std::string& variable);

struct Rect {
    int x = 0, y = 0, width = 0, height = 0;  // dialog units unless the window uses pixels
};

struct ControlSpec {
    Long type = CREATE::string;
    std::string label;            // "?TableList"; empty for a separator
    std::string text;             // caption, prompt text or picture
    Rect at;                      // zero width/height: the control's natural size
    Binding use;                  // bound variable
    QueueBase* from = nullptr;    // list and combo rows
    std::string format;           // list format
    std::string mark;             // a list's MARK: the queue field (by name) holding each row's mark
    std::string choices;          // a combo's fixed drop list: "MSSQL|ODBC|ORACLE"
    std::string trueValue = "1";  // a check box's VALUE when ticked
    std::string falseValue = "0";
    std::string value;            // a radio's VALUE, its option's when it is on; none: its text without "&"
    Long key = 0;                 // accelerator key code
    Long std = STD::None;         // standard action
    std::string msg;              // status-bar text while highlighted or focused
    std::string icon;
    std::string cursor;           // CURSOR: a file, a "~" picture or the runtime's name
    std::string fontName;
    int fontSize = 0;
    bool separator = false;       // a menu separator takes no control number
    bool password = false;
    bool readOnly = false;
    bool vscroll = false;
    bool isDefault = false;
    bool hidden = false;
    bool imm = false;             // IMM: a region reports the mouse (MouseIn, MouseDown, ...)
    // Items of a menu, tabs of a sheet, controls of a group or tab. Controls
    // of a tab lie on its page, placed in the page's coordinates.
    std::vector<ControlSpec> children;
};

struct WindowSpec {
    Long type = CREATE::window;   // CREATE::application for the MDI frame
    std::string label;            // "P1$APPFRAME"
    std::string title;
    std::string icon;
    std::string fontName = "MS Sans Serif";
    int fontSize = 8;
    Rect at{0, 0, 300, 200};
    bool pixels = false;          // `at` of the window and its controls in pixels, not dialog units
    bool center = false;          // opens in the middle of the screen or of its frame, whatever `at` says
    // AT(,,w,h), no x and y: opens centred over the window it was opened from
    // (else the application frame), inside the desktop and below the frame's
    // caption and menu, whatever `at` says; an MDI child as `center` places it.
    bool noPosition = false;
    bool mdi = false;             // an MDI child of the application frame
    bool system = true;           // has a system menu
    bool resizable = false;
    bool maximizeBox = false;
    bool statusBar = false;
    bool hidden = false;          // HIDE: opens and takes its events without showing
    bool toolbox = false;         // TOOLBOX: stays above the other windows
    std::vector<ControlSpec> menubar;
    std::vector<ControlSpec> controls;
};

}  // namespace platform
