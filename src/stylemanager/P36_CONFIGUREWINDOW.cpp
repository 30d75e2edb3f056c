#include "stylemanager/P36_CONFIGUREWINDOW.h"

#include "platform/ui/ControlLines.h"

using namespace platform;

namespace {

ControlSpec radio(std::string label, std::string text, std::string value, Rect at) {
    return {.type = CREATE::radio, .label = std::move(label), .text = std::move(text), .at = at,
            .value = std::move(value)};
}

}  // namespace

WindowSpec P36_CONFIGUREWINDOW(ConfigureImagesLocals& l, CString<81>& procedureName) {
    ControlSpec readOnly = entry("?LOC:USER", "@s40", bind(l.USER), {70, 28, 120, 10});
    readOnly.readOnly = true;
    ControlSpec profile = entry("?LOC:PROFILE", "@s40", bind(l.PROFILE), {70, 40, 120, 10});
    profile.readOnly = true;
    ControlSpec procedure = entry("?PROCEDURENAME", "@s80", bind(procedureName), {196, 66, 150, 10});
    procedure.readOnly = true;
    ControlSpec scope{.type = CREATE::option, .label = "?CHANGEGLOBALPROPERTIES", .at = {6, 64, 186, 26},
                      .use = bind(l.SCOPE),
                      .children = {radio("?CHANGEGLOBALPROPERTIES:GLOBAL", "Change global property", "1",
                                         {10, 66, 170, 10}),
                                   radio("?CHANGEGLOBALPROPERTIES:PROCEDURE", "Change properties of this procedure",
                                         "2", {10, 78, 170, 10})}};
    ControlSpec imageTab = tab(
        "?IMAGEPROPERTIESTAB", "Image properties",
        {check("?IMAGEPROPERTYGROUP:DONOTUSEIMAGES", " Deactivate images", l.IMAGEPROPERTYGROUP.DONOTUSEIMAGES, 6, 4),
         list("?IMAGELIST", l.IMAGES, "30R(2)|M~Order~@n3@#1#200L(2)|M~Image~@s255@#2#", {6, 18, 200, 96}),
         {.type = CREATE::box, .label = "?IMAGEBOX", .at = {212, 18, 126, 96}},
         {.type = CREATE::image, .label = "?IMAGE", .at = {212, 18, 126, 96}},
         button("?INSERTIMAGEBUTTON", "&New", {6, 118, 46, 14}),
         button("?CHANGEIMAGEBUTTON", "&Change", {56, 118, 46, 14}),
         button("?DELETEIMAGEBUTTON", "&Delete", {106, 118, 46, 14}),
         button("?IMAGEUP", "", {172, 118, 16, 14}, STD::None, "~Arrowup2.ico"),
         button("?IMAGEDOWN", "", {190, 118, 16, 14}, STD::None, "~Arrowdn2.ico")});
    return {.label = "P36$CONFIGUREWINDOW",
            .title = "ZelRestyle",
            .fontName = "ms sans serif",
            .at = {0, 0, 352, 272},
            .center = true,
            .controls = {
                button("?CONFIGURERESTYLEBUTTON", "Change &Images", {4, 4, 344, 20}, STD::None, "~ZelImage.ico"),
                text(CREATE::prompt, "?LOC:USER:PROMPT", "User:", 6, 28),
                readOnly,
                text(CREATE::prompt, "?LOC:PROFILE:PROMPT", "Profile:", 6, 40),
                profile,
                text(CREATE::prompt, "?CHANGEGLOBALPROMPT", "Change local property of this procedure:", 6, 54),
                scope,
                procedure,
                check("?ENABLEGRAFICENHANCEMEN", " Change image", l.IMAGEPROPERTYGROUP.CHANGEIMAGESETTINGS, 6, 94),
                sheet("?IMAGEPROPERTIESSHEET", {4, 106, 344, 142}, {imageTab}),
                button("?OKBUTTON", "&Close", {298, 252, 50, 16}, STD::None, "~ZelClose.ico"),
            }};
}
