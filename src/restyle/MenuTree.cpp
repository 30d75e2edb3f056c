// The tree menu's structure, its tables and its thread, on the frame's
// restyle object.
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "restyle/RestyleManager.h"
#include "restyle/ZelRestyleClass.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

using platform::Byte;
using platform::clip;
using platform::Long;
using platform::Short;
using platform::Window;
namespace CREATE = platform::CREATE;
namespace PROP = platform::PROP;

namespace {

constexpr Byte kNotInTree = 0, kMovedToTree = 1, kHiddenEverywhere = 2;
constexpr Byte kShownAtFirst = 10;
constexpr Short kDefaultIcon = 1;
constexpr Short kDisabledStyle = 1;
constexpr Long kMostChildren = 255;
constexpr std::size_t kMostTextLength = 255;
constexpr Byte kDefaultSize = 8;
constexpr Long kItemColour = static_cast<Long>(0x80000002), kItemBackground = static_cast<Long>(0x8000000E);
constexpr std::string_view kDefaultItemIcon = "~ZelMenuItem.ico";
// The disabled items' style in the classic tree.
constexpr Long kDisabledText = 0xC0C0C0, kDisabledBackground = 0x808080;

// Columns `from` to `to` (1-based) of the style text; those past its end are blank.
std::string_view columns(std::string_view text, std::size_t from, std::size_t to) {
    return from > text.size() ? std::string_view() : text.substr(from - 1, to - from + 1);
}

bool blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// A number as the runtime keeps it in a LONG: a colour of 80000000h and up
// may be written unsigned.
Long longOf(std::string_view text) {
    return static_cast<Long>(static_cast<std::uint32_t>(static_cast<std::int64_t>(platform::leadingNumber(text))));
}

Long numberIn(std::string_view text, std::size_t from, std::size_t to, Long whenBlank) {
    const std::string_view field = columns(text, from, to);
    return blank(field) ? whenBlank : longOf(field);
}

// The menu's text without its accelerator markers: "&&" gives "&", a lone
// "&" goes; no text is the separator line.
std::string menuText(std::string_view text) {
    std::string shown;
    for (std::size_t i = 0; i < text.size() && shown.size() < kMostTextLength; ++i) {
        const bool doubled = text[i] == '&' && i + 1 < text.size() && text[i + 1] == '&';
        if (doubled) ++i;
        if (text[i] != '&' || doubled) shown += text[i];
    }
    return shown.empty() ? std::string(kMostTextLength, '-') : shown;
}

// A colour never written reads empty: no colour.
Long colourOf(const std::string& value) { return value.empty() ? -1 : longOf(value); }

// The thread's parameters: the style text and the object's address in decimal.
void MenuTreeThreadStart(const std::string& styleText, const std::string& objectAddress) {
    auto* object = reinterpret_cast<ZelRestyleClass*>(static_cast<std::uintptr_t>(std::stoull(objectAddress)));
    // The window of groups is not there: every look opens the classic tree.
    object->InternalMenuTreeWindow(styleText);
}

}  // namespace

void ZelRestyleClass::AddMenuSetting(Long control, Byte setting) {
    CONFIGUREMENUSTRUCTUREQUEUE.clear();
    CONFIGUREMENUSTRUCTUREQUEUE.rec.CONTROLEQUATE = control;
    CONFIGUREMENUSTRUCTUREQUEUE.rec.MENUSETTING = setting;
    CONFIGUREMENUSTRUCTUREQUEUE.add();
}

void ZelRestyleClass::AddExcludeMenuItem(Long control) {
    EXCLUDEMENUITEMQUEUE.clear();
    EXCLUDEMENUITEMQUEUE.rec.CONTROLEQUATE = control;
    EXCLUDEMENUITEMQUEUE.add();
}

void ZelRestyleClass::StartMenuTree(const std::string& styleText) {
    readMenuTreeStyle(styleText);
    MENUSTRUCTUREQUEUE.free();
    resetMenuTreeIcons();
    MENUSTRUCTUREFONTQUEUE.free();
    platform::SYSTEM(PROP::LazyDisplay, "1");
    for (Long control : menuBarControls()) BuildMenuStructure(control, 1);
    if (MENUSTRUCTUREQUEUE.records() != 0 && MENUTREEACTIVE == 0) {
        const std::string address = std::to_string(reinterpret_cast<std::uintptr_t>(this));
        MENUTREETHREAD = static_cast<Byte>(platform::START([styleText, address] {
            MenuTreeThreadStart(styleText, address);
        }));
    }
    platform::SYSTEM(PROP::LazyDisplay, "0");
    MENUBUILD = 1;
}

void ZelRestyleClass::readMenuTreeStyle(std::string_view styleText) {
    // The window of groups is not there: its look is the classic tree's.
    const Long look = numberIn(styleText, 1, 1, 0);
    ENABLEMENUTREE = static_cast<Byte>(look == 1 ? 2 : look);
    const Long size = numberIn(styleText, 2, 4, 0);
    MENUTREEITEMHEIGHT = size > 0 ? static_cast<Byte>(size) : kDefaultSize;
    MENUTREEITEMCOLOR = numberIn(styleText, 5, 15, kItemColour);
    MENUTREEITEMBACKGROUNDCOLOR = numberIn(styleText, 16, 25, kItemBackground);
    MENUTREEITEMSELECTEDCOLOR = numberIn(styleText, 26, 35, kItemColour);
    MENUTREEITEMSELECTEDBACKGROUND = numberIn(styleText, 36, 45, kItemBackground);
    MENUTREELASTSTARTEDMENUITEMS = static_cast<Byte>(numberIn(styleText, 46, 46, 1));
    const std::string_view typeface = columns(styleText, 47, 86);
    MENUTREEFONT = blank(typeface) ? PROCEDUREWINDOW->shownFont(0).typeface : std::string(typeface);
    const std::string_view icon = columns(styleText, 87, 186);
    MENUTREEDEFAULTICON = blank(icon) ? kDefaultItemIcon : icon;
}

// A menu on the bar has no parent here (the bar is no control); the toolbar's
// height is recorded on the way.
std::vector<Long> ZelRestyleClass::menuBarControls() {
    const Window& w = *PROCEDUREWINDOW;
    std::vector<Long> onBar;
    for (Long n = w.nextField(0); n != 0; n = w.nextField(n)) {
        const Long type = w.numberProperty(n, PROP::Type);
        if (type == CREATE::toolbar) TOOLBARHEIGHT = static_cast<Short>(w.numberProperty(n, PROP::Height));
        const bool menu = type == CREATE::menu || type == CREATE::item;
        if (menu && w.numberProperty(n, PROP::Parent) == 0 && !excludedFromMenuTree(n)) onBar.push_back(n);
    }
    std::stable_sort(onBar.begin(), onBar.end(), [](Long a, Long b) { return std::abs(a) < std::abs(b); });
    return onBar;
}

bool ZelRestyleClass::excludedFromMenuTree(Long control) {
    EXCLUDEMENUITEMQUEUE.rec.CONTROLEQUATE = control;
    return EXCLUDEMENUITEMQUEUE.get({{"CONTROLEQUATE"}});
}

void ZelRestyleClass::BuildMenuStructure(Long control, Byte level) {
    if (excludedFromMenuTree(control) || !entersMenuTree(control)) return;
    MENUSTRUCTUREQUEUE.rec.CONTROLEQUATE = control;
    if (!MENUSTRUCTUREQUEUE.get({{"CONTROLEQUATE"}})) addMenuTreeNode(control, level);
    const Window& w = *PROCEDUREWINDOW;
    for (Long index = 1; index <= kMostChildren; ++index) {
        const Long child = static_cast<Long>(platform::leadingNumber(w.indexedProperty(control, PROP::Child, index)));
        if (child == 0) break;
        BuildMenuStructure(child, static_cast<Byte>(level + 1));
    }
}

bool ZelRestyleClass::entersMenuTree(Long control) {
    Window& w = *PROCEDUREWINDOW;
    CONFIGUREMENUSTRUCTUREQUEUE.rec.CONTROLEQUATE = control;
    if (!CONFIGUREMENUSTRUCTUREQUEUE.get({{"CONTROLEQUATE"}})) return w.numberProperty(control, PROP::Hide) == 0;
    CONFIGUREMENUSTRUCTUREQUEUERecord& registered = CONFIGUREMENUSTRUCTUREQUEUE.rec;
    if (registered.ORGINALHIDESETTING == 0) {
        registered.ORGINALHIDESETTING = static_cast<Byte>(kShownAtFirst + w.numberProperty(control, PROP::Hide));
        CONFIGUREMENUSTRUCTUREQUEUE.put();
    }
    const bool shownAtFirst = registered.ORGINALHIDESETTING == kShownAtFirst;
    switch (registered.MENUSETTING) {
        case kNotInTree: return false;
        case kMovedToTree:
            if (shownAtFirst) w.setProperty(control, PROP::Hide, 1);
            return shownAtFirst;
        case kHiddenEverywhere: w.setProperty(control, PROP::Hide, 1); return false;
        default: return shownAtFirst;
    }
}

void ZelRestyleClass::addMenuTreeNode(Long control, Byte level) {
    MENUSTRUCTUREQUEUE.clear();
    MENUSTRUCTUREQUEUE.rec.CONTROLEQUATE = control;
    refreshMenuTreeNode();
    MENUSTRUCTUREQUEUE.rec.LEVEL = MENUSTRUCTUREQUEUE.rec.HASCHILDREN != 0 ? -level : level;
    MENUSTRUCTUREQUEUE.add();
}

// What the node takes from its control on the frame.
void ZelRestyleClass::refreshMenuTreeNode() {
    const Window& w = *PROCEDUREWINDOW;
    MENUSTRUCTUREQUEUERecord& node = MENUSTRUCTUREQUEUE.rec;
    const Long control = node.CONTROLEQUATE;
    node.PARENTEQUATE = w.numberProperty(control, PROP::Parent);
    node.STDPROPERTY = static_cast<Byte>(w.numberProperty(control, PROP::Std));
    node.MENUITEM = menuText(w.property(control, PROP::Text));
    node.CHILDINDEX = 0;
    node.HASCHILDREN = platform::leadingNumber(w.indexedProperty(control, PROP::Child, 1)) != 0 ? 1 : 0;
}

void ZelRestyleClass::resetMenuTreeIcons() {
    MENUSTRUCTUREICONQUEUE.free();
    for (Short number : {Short{0}, Short{1}}) {
        MENUSTRUCTUREICONQUEUE.rec.ICONNUMBER = number;
        MENUSTRUCTUREICONQUEUE.rec.ICON = clip(MENUTREEDEFAULTICON.view());
        MENUSTRUCTUREICONQUEUE.rec.CONTROLEQUATE = 0;
        MENUSTRUCTUREICONQUEUE.add();
    }
}

void ZelRestyleClass::RefreshMenuTree() {
    if (MENUTREETHREAD == 0) return;
    resetMenuTreeIcons();
    MENUSTRUCTUREFONTQUEUE.free();
    MENUSTRUCTUREFONTQUEUERecord& disabled = MENUSTRUCTUREFONTQUEUE.rec;
    disabled = {};
    disabled.FONTNUMBER = kDisabledStyle;
    disabled.FONTNAME = clip(MENUTREEFONT.view());
    disabled.FONTSIZE = MENUTREEITEMHEIGHT;
    disabled.TEXTCOLOR = kDisabledText;
    disabled.BACKCOLOR = kDisabledBackground;
    disabled.TEXTSELECTED = kDisabledBackground;
    disabled.BACKSELECTED = kDisabledText;
    MENUSTRUCTUREFONTQUEUE.add();
    platform::SYSTEM(PROP::LazyDisplay, "1");
    for (std::size_t row = 1; row <= MENUSTRUCTUREQUEUE.records(); ++row) {
        MENUSTRUCTUREQUEUE.get(row);
        refreshMenuTreeNode();
        MENUSTRUCTUREQUEUE.rec.ICON = menuTreeIcon(MENUSTRUCTUREQUEUE.rec.CONTROLEQUATE);
        MENUSTRUCTUREQUEUE.rec.STYLE = menuTreeStyle(MENUSTRUCTUREQUEUE.rec.CONTROLEQUATE);
        MENUSTRUCTUREQUEUE.put();
    }
    platform::SYSTEM(PROP::LazyDisplay, "0");
}

// The icon's row; the default one without an icon.
Short ZelRestyleClass::menuTreeIcon(Long control) {
    const std::string icon = clip(PROCEDUREWINDOW->property(control, PROP::Icon));
    if (icon.empty()) return kDefaultIcon;
    MENUSTRUCTUREICONQUEUE.rec.ICON = icon;
    if (MENUSTRUCTUREICONQUEUE.get({{"ICON"}})) return MENUSTRUCTUREICONQUEUE.rec.ICONNUMBER;
    MENUSTRUCTUREICONQUEUE.rec.ICONNUMBER = static_cast<Short>(MENUSTRUCTUREICONQUEUE.records() + 1);
    MENUSTRUCTUREICONQUEUE.rec.CONTROLEQUATE = control;
    MENUSTRUCTUREICONQUEUE.add();
    return MENUSTRUCTUREICONQUEUE.rec.ICONNUMBER;
}

// The style the control draws with; rows are shared whatever their charset.
Short ZelRestyleClass::menuTreeStyle(Long control) {
    const Window& w = *PROCEDUREWINDOW;
    if (w.numberProperty(control, PROP::Disable) != 0) return kDisabledStyle;
    MENUSTRUCTUREFONTQUEUERecord& style = MENUSTRUCTUREFONTQUEUE.rec;
    style = {};
    const std::string typeface = clip(MENUTREEFONT.view());
    style.FONTNAME = typeface.empty() ? w.property(control, PROP::FontName) : typeface;
    style.FONTSIZE = static_cast<Byte>(MENUTREEITEMHEIGHT != 0 ? MENUTREEITEMHEIGHT
                                                               : w.numberProperty(control, PROP::FontSize));
    style.FONTSTYLE = w.numberProperty(control, PROP::FontStyle);
    style.FONTCHARSET = static_cast<Byte>(w.numberProperty(control, PROP::FontCharSet));
    style.TEXTCOLOR = colourOf(w.property(control, PROP::FontColor));
    style.BACKCOLOR = colourOf(w.indexedProperty(control, PROP::Color, 1));
    style.TEXTSELECTED = colourOf(w.indexedProperty(control, PROP::Color, 2));
    style.BACKSELECTED = colourOf(w.indexedProperty(control, PROP::Color, 3));
    if (MENUSTRUCTUREFONTQUEUE.get({{"FONTNAME"}, {"FONTSIZE"}, {"FONTSTYLE"}, {"TEXTCOLOR"}, {"BACKCOLOR"},
                                    {"TEXTSELECTED"}, {"BACKSELECTED"}}))
        return MENUSTRUCTUREFONTQUEUE.rec.FONTNUMBER;
    style.FONTNUMBER = static_cast<Short>(MENUSTRUCTUREFONTQUEUE.records() + 1);
    style.CONTROLEQUATE = control;
    MENUSTRUCTUREFONTQUEUE.add();
    return style.FONTNUMBER;
}

Byte ZelRestyleClass::SetMenuTreeItemState(Long control, Byte expand, Byte toggle) {
    if (STYLEMANAGER->MENUTREETHREAD == 0) return 0;
    MENUSTRUCTUREQUEUE.rec.CONTROLEQUATE = control;
    if (!MENUSTRUCTUREQUEUE.get({{"CONTROLEQUATE"}})) return 0;
    Long& level = MENUSTRUCTUREQUEUE.rec.LEVEL;
    if (PROCEDUREWINDOW->numberProperty(control, PROP::Disable) != 0) {
        level = -std::abs(level);
    } else if (toggle != 0) {
        level = -level;
    } else {
        level = expand != 0 ? std::abs(level) : -std::abs(level);
    }
    const Long changed = level;
    MENUSTRUCTUREQUEUE.put();
    RefreshMenuTree();
    return static_cast<Byte>(changed);
}
