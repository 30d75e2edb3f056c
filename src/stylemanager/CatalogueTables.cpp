#include "stylemanager/CatalogueTables.h"

#include "platform/abc/TranslatorClass.h"
#include "platform/ui/Equates.h"
#include "restyle/RestyleRows.h"

#include <string_view>

using platform::Byte;
using platform::Long;
namespace PROP = platform::PROP;
namespace CREATE = platform::CREATE;

namespace {

// Editor types: the tab of the editors' property sheet that enters a value.
enum Editor : Byte {
    Text = 0, TrueFalse = 1, ByteValue = 2, Color = 5, Image = 6, Icon = 7, Mark = 8, Cursor = 9, Font = 10,
    Position = 11, ResizeStrategy = 12, ImageOnControl = 13, MenuLook = 14, Fade = 15
};

struct CustomProperty {
    std::string_view name;
    Long number;
    Byte type;
};

// The engine's own behaviours, in the order they are added.
constexpr CustomProperty kCustomProperties[] = {
    {"Mark selected control", -5, Mark},
    {"Window roundness", -6, ByteValue},
    {"Check window position", -7, TrueFalse},
    {"Save window position and size", -8, TrueFalse},
    {"Custom window titlebar", -9, TrueFalse},
    {"Custom menu look", -10, MenuLook},
    {"Dynamic sizing of window", -11, TrueFalse},
    {"Maximize window automatic", -12, TrueFalse},
    {"Center controls automatic", -13, TrueFalse},
    {"No property styling for this controltype", -14, TrueFalse},
    {"Disable styling for this Window", -15, TrueFalse},
    {"Control position and size", -16, Position},
    {"Resize strategy", -17, ResizeStrategy},
    {"Image on control", -18, ImageOnControl},
    {"Fade windows in and out", -4, Fade},
    {"Limit procedure start", -1, ByteValue},
};

struct StandardProperty {
    std::string_view name;
    Long number;
    Byte type;
    std::string_view sentence = {};  // the description, when not the name
};

// The platform's restylable properties, in the order they are added.
constexpr StandardProperty kStandardProperties[] = {
    {"Text", PROP::Text, Text},
    {"Type", PROP::Type, Text},
    {"Center", PROP::Center, TrueFalse},
    {"CenterOffSet", PROP::CenterOffset, Text},
    {"Left", PROP::Left, TrueFalse},
    {"LeftOffSet", PROP::LeftOffset, Text},
    {"Decimal", PROP::Decimal, Text},
    {"DecimalOffSet", PROP::DecimalOffset, Text},
    {"Right", PROP::Right, Text},
    {"RightOffSet", PROP::RightOffset, Text},
    {"Above", PROP::Above, Text},
    {"AboveSize", PROP::AboveSize, Text},
    {"Below", PROP::Below, Text},
    {"BelowSize", PROP::BelowSize, Text},
    {"Font", PROP::Font, Font},
    {"FontName", PROP::FontName, Text},
    {"FontSize", PROP::FontSize, Text},
    {"FontColor", PROP::FontColor, Color},
    {"FontStyle", PROP::FontStyle, Text},
    {"TipsFont", PROP::TipsFont, Text},
    {"StatusFont", PROP::StatusFont, Text},
    {"Range", PROP::Range, Text},
    {"RangeLow", PROP::RangeLow, Text},
    {"RangeHigh", PROP::RangeHigh, Text},
    {"VCR", PROP::VCR, TrueFalse},
    {"Double", PROP::Double, Text},
    {"Resize", PROP::Resize, TrueFalse},
    {"NoFrame", PROP::NoFrame, TrueFalse},
    {"First", PROP::First, Text},
    {"Last", PROP::Last, Text},
    {"Ins", PROP::Ins, Text},
    {"Ovr", PROP::Ovr, Text},
    {"Boxed", PROP::Boxed, TrueFalse},
    {"CAP", PROP::Cap, TrueFalse, "Specifies automatic capitalization of text entered into ENTRY or TEXT controls"},
    {"Cursor", PROP::Cursor, Cursor},
    {"Default", PROP::Default, Text},
    {"Disable", PROP::Disable, TrueFalse},
    {"Required", PROP::Required, TrueFalse},
    {"Read-only", PROP::ReadOnly, TrueFalse},
    {"Drop", PROP::Drop, Text},
    {"Fill", PROP::Fill, Color},
    {"From", PROP::From, Text},
    {"Full", PROP::Full, TrueFalse},
    {"Gray", PROP::Gray, TrueFalse},
    {"Hide", PROP::Hide, TrueFalse},
    {"Hlp", PROP::Hlp, Text},
    {"HSCROLL", PROP::HScroll, TrueFalse, "Specifies the presence of a Horizontal Scrollbar"},
    {"Icon", PROP::Icon, Icon},
    {"Iconize", PROP::Iconize, TrueFalse},
    {"Key", PROP::Key, Text},
    {"MAX", PROP::Max, TrueFalse, "Specifies the presence of a Maximize button on the window"},
    {"Maximize", PROP::Maximize, TrueFalse},
    {"Msg", PROP::Msg, Text},
    {"NoBar", PROP::NoBar, TrueFalse},
    {"NoMerge", PROP::NoMerge, TrueFalse},
    {"Password", PROP::Password, TrueFalse},
    {"Round", PROP::Round, TrueFalse},
    {"Scroll", PROP::Scroll, TrueFalse},
    {"Skip", PROP::Skip, TrueFalse},
    {"Step", PROP::Step, Text},
    {"SYSTEM", PROP::System, Text,
     "Specifies the presence of a Windows system menu (also called the control menu) on the APPLICATION or WINDOW"},
    {"Format", PROP::Format, Text},
    {"Trn", PROP::Trn, TrueFalse},
    {"UPR", PROP::Upr, TrueFalse, "Specifies automatic UPPER case of text entered into ENTRY or TEXT controls"},
    {"VSCROLL", PROP::VScroll, TrueFalse, "Specifies the presence of a Vertical Scrollbar"},
    {"Items", PROP::Items, Text},
    {"Auto", PROP::Auto, Text},
    {"ToolBox", PROP::ToolBox, TrueFalse},
    {"Palette", PROP::Palette, Text},
    {"Tip", PROP::Tip, Text},
    {"MinWidth", PROP::MinWidth, Text},
    {"MinHeight", PROP::MinHeight, Text},
    {"MaxWidth", PROP::MaxWidth, Text},
    {"MaxHeight", PROP::MaxHeight, Text},
    {"NoTips", PROP::NoTips, TrueFalse},
    {"Spread", PROP::Spread, Text},
    {"Size", PROP::Size, Text},
    {"BevelStyle", PROP::BevelStyle, Text},
    {"Join", PROP::Join, Text},
    {"NoSheet", PROP::NoSheet, Text},
    {"BevelOuter", PROP::BevelOuter, ByteValue},
    {"BevelInner", PROP::BevelInner, ByteValue},
    {"LineWidth", PROP::LineWidth, Text},
    {"Angle", PROP::Angle, Text},
    {"Color", PROP::Color, Color},
    {"Background", PROP::Background, Color},
    {"FillColor", PROP::FillColor, Color},
    {"SelectedColor", PROP::SelectedColor, Color},
    {"SelectedFillColor", PROP::SelectedFillColor, Color},
    {"LineHeight", PROP::LineHeight, Text},
    {"DropWidth", PROP::DropWidth, Text},
    {"AlwaysDrop", PROP::AlwaysDrop, TrueFalse},
    {"Up", PROP::Up, Text},
    {"Down", PROP::Down, Text},
    {"UpsideDown", PROP::UpsideDown, Text},
    {"Single", PROP::Single, Text},
    {"Repeat", PROP::Repeat, Text},
    {"Flat", PROP::Flat, TrueFalse},
    {"WallPaper", PROP::WallPaper, Image},
    {"Tiled", PROP::Tiled, TrueFalse},
    {"Centered", PROP::Centered, TrueFalse},
    {"BrokenTabs", PROP::BrokenTabs, Text},
    {"SnapWidth", PROP::SnapWidth, Text},
    {"SnapHeight", PROP::SnapHeight, Text},
};

struct ControlType {
    std::string_view name;
    Long number;
};

// In the order they are added.
constexpr ControlType kControlTypes[] = {
    {"Message boxes", restyle::kMessageBoxes},
    {"sstring", CREATE::sstring},
    {"string", CREATE::string},
    {"image", CREATE::image},
    {"region", CREATE::region},
    {"line", CREATE::line},
    {"box", CREATE::box},
    {"ellipse", CREATE::ellipse},
    {"entry", CREATE::entry},
    {"button", CREATE::button},
    {"prompt", CREATE::prompt},
    {"option", CREATE::option},
    {"check", CREATE::check},
    {"group", CREATE::group},
    {"list", CREATE::list},
    {"combo", CREATE::combo},
    {"spin", CREATE::spin},
    {"text", CREATE::text},
    {"custom", CREATE::custom},
    {"menu", CREATE::menu},
    {"item", CREATE::item},
    {"radio", CREATE::radio},
    {"menubar", CREATE::menubar},
    {"application", CREATE::application},
    {"window", CREATE::window},
    {"report", CREATE::report},
    {"header", CREATE::header},
    {"footer", CREATE::footer},
    {"break", CREATE::break_},
    {"form", CREATE::form},
    {"detail", CREATE::detail},
    {"ole", CREATE::ole},
    {"droplist", CREATE::droplist},
    {"dropcombo", CREATE::dropcombo},
    {"progress", CREATE::progress},
    {"sheet", CREATE::sheet},
    {"tab", CREATE::tab},
    {"panel", CREATE::panel},
    {"sublist", CREATE::sublist},
    {"toolbar", CREATE::toolbar},
};

void addProperty(PropertyCatalogue& catalogue, std::string_view property, std::string_view description, Long number,
                 Byte type) {
    catalogue.rec.PROPERTY = property;
    catalogue.rec.PROPERTYDESCRIPTION = description;
    catalogue.rec.PROPERTYEQUATE = number;
    catalogue.rec.TYPE = type;
    catalogue.add({{"PROPERTYDESCRIPTION"}});
}

}  // namespace

void fillPropertyCatalogue(PropertyCatalogue& catalogue, platform::TranslatorClass& translator) {
    catalogue.clear();
    catalogue.rec.CUSTOMPROPERTY = 1;
    for (const CustomProperty& p : kCustomProperties) {
        const std::string name = translator.TranslateString(p.name);
        addProperty(catalogue, name, name, p.number, p.type);
    }
    catalogue.rec.CUSTOMPROPERTY = 0;
    for (const StandardProperty& p : kStandardProperties)
        addProperty(catalogue, platform::upper(p.name), p.sentence.empty() ? p.name : p.sentence, p.number, p.type);
}

void fillControlTypes(ControlTypeList& controlTypes) {
    controlTypes.clear();
    for (const ControlType& t : kControlTypes) {
        controlTypes.rec.CONTROLTYPE = platform::upper(t.name);
        controlTypes.rec.CONTROLTYPEEQUATE = t.number;
        controlTypes.add({{"CONTROLTYPE"}});
    }
}
