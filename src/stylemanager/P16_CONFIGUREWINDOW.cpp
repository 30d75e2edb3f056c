#include "stylemanager/P16_CONFIGUREWINDOW.h"

using namespace platform;

namespace {

constexpr const char* kButtonFont = "Arial";
constexpr const char* kButtonCursor = "~GLOVE.CUR";
constexpr const char* kEllipsePicture = "~ZelEllipse5.gif";

// The top left corners of the eight ellipses' boxes (the shape's outlines
// 1 to 3 and 5 to 9), each 173 by 119 pixels.
struct Box {
    int left, top;
};
constexpr Box kAbout{3, 233}, kHelp{94, 371}, kClose{105, 97}, kImages{577, 238}, kDirectly{298, 453},
    kProfiles{313, 5}, kRestyle{503, 373}, kProperties{516, 100};
constexpr Box kEllipses[] = {kAbout, kHelp, kClose, kImages, kDirectly, kProfiles, kRestyle, kProperties};

ControlSpec image(std::string label, std::string picture, Rect at, bool hidden = false) {
    return {.type = CREATE::image, .label = std::move(label), .text = std::move(picture), .at = at, .hidden = hidden};
}

// An ellipse's icon, above the middle of its box.
ControlSpec icon(std::string label, std::string picture, Box box) {
    return image(std::move(label), std::move(picture), {box.left + 70, box.top + 24, 32, 32});
}

// An ellipse's button, below its icon: as wide as the ellipse lets it be
// there, for the longest caption.
ControlSpec button(std::string label, std::string text, Box box) {
    return {.type = CREATE::button, .label = std::move(label), .text = std::move(text),
            .at = {box.left + 11, box.top + 62, 151, 22}, .cursor = kButtonCursor, .fontName = kButtonFont};
}

}  // namespace

WindowSpec P16_CONFIGUREWINDOW(Byte& useFading) {
    std::vector<ControlSpec> controls;
    for (std::size_t i = 0; i < std::size(kEllipses); ++i)
        controls.push_back(image("?IMAGE" + std::to_string(i + 1), kEllipsePicture,
                                 {kEllipses[i].left, kEllipses[i].top, 173, 119}));
    const std::vector<ControlSpec> rest = {
        icon("?CONFIGUREPROFILEIMAGE", "~ZelProfiles.ico", kProfiles),
        image("?ZELORAIMAGE", "~Zelora op maat 5.gif", {283, 151, 191, 280}),
        icon("?CONFIGUREPROPERTIESIMAGE", "~ZelProperties.ico", kProperties),
        icon("?CHANGEIMAGESIMAGE", "~ZelImage.ico", kImages),
        image("?ZELORALOGO", "~MaatwerkZeloraLogo.gif", {313, 313, 130, 44}, true),
        {.type = CREATE::check, .label = "?SELF:USEFADING", .text = " &Use fading", .at = {335, 382, 90, 16},
         .use = bind(useFading)},
        {.type = CREATE::region, .label = "?REGIONZELORA", .at = {300, 302, 156, 66}, .cursor = "~ZelInternet.cur",
         .imm = true},
        button("?CONFIGUREPROFILEBUTTON", "&Manage Profiles", kProfiles),
        icon("?CONFIGURERESTYLEDIRECLTYONWINDOWIMAGE", "~ZelAppearance.ico", kDirectly),
        icon("?CONFIGURERESTYLEIMAGE", "~ZelAppearance.ico", kRestyle),
        button("?CONFIGURERESTYLEBUTTON", "Change &Restyle profile", kRestyle),
        button("?CONFIGURERESTYLEDIRECLTYONWINDOWBUTTON", " Configure &directly  on screen", kDirectly),
        button("?CONFIGUREIMAGESBUTTON", "Change &Images", kImages),
        button("?HELPBUTTON", "&Help", kHelp),
        button("?ABOUTBUTTON", "&About", kAbout),
        icon("?HELPIMAGE", "~ZelHelp.ico", kHelp),
        icon("?ABOUTIMAGE", "~ZelAbout.ico", kAbout),
        button("?CONFIGUREPROPERTIESBUTTON", "&Property configuration", kProperties),
        button("?CLOSEBUTTON", "&Close", kClose),
        icon("?CLOSEIMAGE", "~ZelClose.ico", kClose),
        // The body: the centre's upper half, above the address region.
        {.type = CREATE::region, .label = "?MOVEWINDOWREGION", .at = {300, 170, 156, 128}},
    };
    controls.insert(controls.end(), rest.begin(), rest.end());
    return {.label = "P16$CONFIGUREWINDOW", .title = "Zelora maatwerk", .icon = "~Zel.ico",
            .fontName = "MS Sans Serif", .at = {0, 0, 750, 572}, .pixels = true, .noPosition = true,
            .controls = std::move(controls)};
}
