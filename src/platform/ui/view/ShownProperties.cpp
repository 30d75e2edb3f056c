#include "platform/ui/view/ShownProperties.h"

#include "platform/ui/Equates.h"

#include <algorithm>
#include <set>
#include <utility>

namespace platform {
namespace {

using Types = std::vector<Long>;

Types operator+(Types a, const Types& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

Types without(Types a, const Types& b) {
    std::erase_if(a, [&b](Long t) { return std::find(b.begin(), b.end(), t) != b.end(); });
    return a;
}

namespace C = CREATE;

const Types labels = {C::sstring, C::string, C::prompt};
const Types typed = {C::entry, C::combo, C::spin, C::text, C::dropcombo};
const Types lists = {C::list, C::combo, C::droplist, C::dropcombo};
const Types drops = {C::combo, C::droplist, C::dropcombo};
const Types clicks = {C::button, C::check, C::radio};
const Types shapes = {C::region, C::line, C::box, C::ellipse, C::panel};
const Types holders = {C::option, C::group, C::sheet, C::tab, C::toolbar};
const Types objects = {C::image, C::custom, C::ole, C::progress};
const Types frames = {C::application, C::window};
const Types menus = {C::menu, C::item};
// Every control of a window that has a widget of its own.
const Types controls = labels + typed + lists + clicks + shapes + holders + objects;
// Those the user can give the focus to.
const Types focusable = typed + lists + clicks;
const Types fonted = labels + typed + lists + clicks + Types{C::option, C::group, C::sheet, C::toolbar} + frames;
const Types coloured = labels + typed + lists + clicks + without(shapes, {C::panel}) +
                       Types{C::option, C::group, C::sheet, C::tab, C::toolbar, C::progress} + frames;
const Types justified = labels + Types{C::entry, C::combo, C::spin, C::dropcombo};

std::vector<ShownProperty> table() {
    const Types text = labels + Types{C::image, C::entry, C::button, C::option, C::check, C::group, C::combo, C::spin,
                                      C::radio, C::dropcombo, C::tab} + menus + frames;
    const Types cursor = without(controls, {C::line, C::box, C::ellipse, C::panel, C::tab}) + frames;
    const Types disable = without(controls, {C::line, C::box, C::ellipse, C::panel}) + menus;
    const Types placed = without(controls, {C::tab});
    // A line's size is where it ends; a toolbar spans its window anyway.
    const Types full = without(placed, {C::line, C::toolbar});
    const Types help = focusable + Types{C::option, C::group, C::sheet, C::tab, C::region} + menus + frames;
    const Types icon = Types{C::button, C::check, C::radio, C::tab} + menus + frames;
    const Types msg = focusable + Types{C::option, C::region, C::sheet} + menus;
    const Types transparent = labels + Types{C::button, C::check, C::radio, C::option, C::group};
    const Types scrolled = {C::list, C::combo, C::text, C::droplist, C::dropcombo};
    const Types bevelled = {C::region, C::panel, C::option, C::group};
    const Types typing = {C::entry, C::combo, C::text, C::dropcombo};
    const Types wallpaper = frames + Types{C::toolbar};
    return {
        {"Text", PROP::Text, text},
        {"Type", PROP::Type, controls + menus + frames, {}, true},
        {"Center", PROP::Center, justified + Types{C::text}, frames},
        {"CenterOffSet", PROP::CenterOffset, justified},
        {"Left", PROP::Left, justified + Types{C::text, C::button, C::check, C::radio, C::sheet}},
        {"LeftOffSet", PROP::LeftOffset, justified + Types{C::sheet}},
        {"Decimal", PROP::Decimal, justified},
        {"DecimalOffSet", PROP::DecimalOffset, justified},
        {"Right", PROP::Right, justified + Types{C::text, C::button, C::check, C::radio, C::sheet}},
        {"RightOffSet", PROP::RightOffset, justified + Types{C::sheet}},
        {"Above", PROP::Above, {C::sheet}},
        {"AboveSize", PROP::AboveSize, {C::sheet}},
        {"Below", PROP::Below, {C::sheet}},
        {"BelowSize", PROP::BelowSize, {C::sheet}},
        {"Font", PROP::Font, fonted},
        {"FontName", PROP::FontName, fonted},
        {"FontSize", PROP::FontSize, fonted},
        {"FontColor", PROP::FontColor, fonted},
        {"FontStyle", PROP::FontStyle, fonted},
        {"TipsFont", PROP::TipsFont, frames},
        {"StatusFont", PROP::StatusFont, {C::application}, {C::window}},
        {"Range", PROP::Range, {C::spin, C::progress}},
        {"RangeLow", PROP::RangeLow, {C::spin, C::progress}},
        {"RangeHigh", PROP::RangeHigh, {C::spin, C::progress}},
        {"VCR", PROP::VCR, {C::list}},
        {"Double", PROP::Double, frames},
        {"Resize", PROP::Resize, frames},
        {"NoFrame", PROP::NoFrame, frames},
        {"First", PROP::First, {}, menus},
        {"Last", PROP::Last, {}, menus},
        {"Ins", PROP::Ins, typing},
        {"Ovr", PROP::Ovr, typing},
        {"Boxed", PROP::Boxed, {C::option, C::group}},
        {"CAP", PROP::Cap, typing},
        {"Cursor", PROP::Cursor, cursor},
        {"Default", PROP::Default, {C::button}},
        {"Disable", PROP::Disable, disable},
        {"Required", PROP::Required, {}, typed},
        {"Read-only", PROP::ReadOnly, typed},
        {"Drop", PROP::Drop, drops},
        {"Fill", PROP::Fill, {C::region, C::box, C::ellipse, C::panel}},
        {"From", PROP::From, {C::list, C::combo, C::spin, C::droplist, C::dropcombo}},
        {"Full", PROP::Full, full},
        {"Gray", PROP::Gray, {}, frames},
        {"Hide", PROP::Hide, controls + menus + frames},
        {"Hlp", PROP::Hlp, {}, help},
        {"HSCROLL", PROP::HScroll, scrolled + Types{C::sheet}, Types{C::image} + frames},
        {"Icon", PROP::Icon, icon},
        {"Iconize", PROP::Iconize, frames},
        {"Key", PROP::Key, {}, focusable + Types{C::sheet, C::tab, C::item}},
        {"MAX", PROP::Max, frames},
        {"Maximize", PROP::Maximize, frames},
        {"Msg", PROP::Msg, msg, frames},
        {"NoBar", PROP::NoBar, {C::list}},
        {"NoMerge", PROP::NoMerge, {}, {C::toolbar}},
        {"Password", PROP::Password, {C::entry}},
        {"Round", PROP::Round, {C::box}},
        {"Scroll", PROP::Scroll, {}, placed},
        {"Skip", PROP::Skip, focusable},
        {"Step", PROP::Step, {C::spin}},
        {"SYSTEM", PROP::System, frames},
        {"Format", PROP::Format, lists},
        {"Trn", PROP::Trn, transparent},
        {"UPR", PROP::Upr, typing},
        {"VSCROLL", PROP::VScroll, scrolled, Types{C::image} + frames},
        {"Items", PROP::Items, {}, lists},
        {"Auto", PROP::Auto, frames},
        {"ToolBox", PROP::ToolBox, frames},
        {"Palette", PROP::Palette, {}, frames},
        {"Tip", PROP::Tip, controls},
        {"MinWidth", PROP::MinWidth, frames},
        {"MinHeight", PROP::MinHeight, frames},
        {"MaxWidth", PROP::MaxWidth, frames},
        {"MaxHeight", PROP::MaxHeight, frames},
        {"NoTips", PROP::NoTips, frames},
        {"Spread", PROP::Spread, {C::sheet}},
        {"Size", PROP::Size, {}, {C::image}},
        {"BevelStyle", PROP::BevelStyle, bevelled},
        {"Join", PROP::Join, {}, {C::sheet}},
        {"NoSheet", PROP::NoSheet, {C::sheet}},
        {"BevelOuter", PROP::BevelOuter, bevelled},
        {"BevelInner", PROP::BevelInner, bevelled},
        {"LineWidth", PROP::LineWidth, {C::line, C::box, C::ellipse}},
        {"Angle", PROP::Angle, {C::sstring, C::string}},
        {"Color", PROP::Color, coloured, {C::panel}},
        {"Background", PROP::Background, coloured, {C::panel}},
        {"FillColor", PROP::FillColor, coloured, {C::panel}},
        {"SelectedColor", PROP::SelectedColor, typed + lists},
        {"SelectedFillColor", PROP::SelectedFillColor, typed + lists},
        {"LineHeight", PROP::LineHeight, {C::list, C::droplist}},
        {"DropWidth", PROP::DropWidth, drops},
        {"AlwaysDrop", PROP::AlwaysDrop, drops},
        {"Up", PROP::Up, {C::sheet}},
        {"Down", PROP::Down, {C::sheet}},
        {"UpsideDown", PROP::UpsideDown, {C::sheet}},
        {"Single", PROP::Single, {C::text}},
        {"Repeat", PROP::Repeat, {C::button}},
        {"Flat", PROP::Flat, {C::button}},
        {"WallPaper", PROP::WallPaper, wallpaper},
        {"Tiled", PROP::Tiled, wallpaper + Types{C::image}},
        {"Centered", PROP::Centered, wallpaper + Types{C::image}},
        {"BrokenTabs", PROP::BrokenTabs, {}, {C::sheet}},
        {"SnapWidth", PROP::SnapWidth, {}, frames},
        {"SnapHeight", PROP::SnapHeight, {}, frames},
    };
}

const std::set<std::pair<Long, Long>>& shownPairs() {
    static const std::set<std::pair<Long, Long>> pairs = [] {
        std::set<std::pair<Long, Long>> all;
        for (const ShownProperty& p : shownProperties())
            for (Long type : p.shown) all.emplace(type, p.number);
        return all;
    }();
    return pairs;
}

}  // namespace

const std::vector<ShownProperty>& shownProperties() {
    static const std::vector<ShownProperty> rows = table();
    return rows;
}

bool isCatalogued(Long number) {
    static const std::set<Long> numbers = [] {
        std::set<Long> all;
        for (const ShownProperty& p : shownProperties()) all.insert(p.number);
        return all;
    }();
    return numbers.contains(number);
}

bool showsProperty(Long type, Long number) { return shownPairs().contains({type, number}); }

}  // namespace platform
