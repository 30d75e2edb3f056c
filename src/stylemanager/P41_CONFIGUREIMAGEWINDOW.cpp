#include "stylemanager/P41_CONFIGUREIMAGEWINDOW.h"

#include "platform/ui/ControlLines.h"

using namespace platform;

namespace {

ControlSpec prompt(std::string label, std::string text, int y) {
    return platform::text(CREATE::prompt, std::move(label), std::move(text), 6, y);
}

ControlSpec number(std::string label, std::string picture, Binding use, int x, int y) {
    return entry(std::move(label), std::move(picture), std::move(use), {x, y, 40, 10});
}

ControlSpec radio(std::string label, std::string text, std::string value, Rect at) {
    return {.type = CREATE::radio, .label = std::move(label), .text = std::move(text), .at = at,
            .value = std::move(value)};
}

ControlSpec option(std::string label, std::string text, Byte& use, Rect at, std::vector<ControlSpec> radios) {
    return {.type = CREATE::option, .label = std::move(label), .text = std::move(text), .at = at, .use = bind(use),
            .children = std::move(radios)};
}

}  // namespace

WindowSpec P41_CONFIGUREIMAGEWINDOW(IMAGEQUEUERecord& r) {
    ControlSpec order{.type = CREATE::spin, .label = "?IMAGEQUEUE:IMAGEORDER", .text = "@n3", .at = {90, 6, 40, 10},
                      .use = bind(r.IMAGEORDER)};
    ControlSpec ok = button("?OKBUTTON", "OK", {226, 226, 46, 14});
    ok.isDefault = true;
    return {.label = "P41$CONFIGUREIMAGEWINDOW",
            .title = "Image properties",
            .fontName = "ms sans serif",
            .at = {0, 0, 330, 246},
            .center = true,
            .controls = {
                {.type = CREATE::box, .label = "?IMAGEBOX", .at = {200, 6, 124, 96}},
                {.type = CREATE::image, .label = "?IMAGE", .at = {200, 6, 124, 96}},
                prompt("?ORDER:PROMPT", "Order:", 6),
                order,
                prompt("?IMAGEFILE:PROMPT", "Image:", 20),
                entry("?IMAGEFILE", "@s255", bind(r.IMAGEFILE), {36, 20, 142, 10}),
                button("?IMAGEBUTTON", "", {180, 19, 14, 12}, STD::None, "~ZelLookup.ico"),
                prompt("?XPOS:PROMPT", "Horizontal position:", 34),
                number("?IMAGEQUEUE:XPOS", "@n-5", bind(r.XPOS), 90, 34),
                prompt("?YPOS:PROMPT", "Vertical position:", 48),
                number("?IMAGEQUEUE:YPOS", "@n-5", bind(r.YPOS), 90, 48),
                prompt("?WIDTH:PROMPT", "Width:", 62),
                number("?IMAGEQUEUE:WIDTH", "@n-5", bind(r.WIDTH), 90, 62),
                check("?WIDTHINPERCENTAGE", " Percentage of window width", r.WIDTHINPERCENTAGE, 90, 74),
                prompt("?HEIGHT:PROMPT", "Height:", 88),
                number("?IMAGEQUEUE:HEIGHT", "@n-5", bind(r.HEIGHT), 90, 88),
                check("?HEIGHTINPERCENTAGE", " Percentage of window height", r.HEIGHTINPERCENTAGE, 90, 100),
                option("?IMAGEQUEUE:STYLE", "Image mode", r.STYLE, {6, 114, 100, 48},
                       {radio("?IMAGEMODESTRETHCED", "&Stretched", "1", {12, 124, 80, 10}),
                        radio("?IMAGEMODECENTERED", "&Centered", "2", {12, 136, 80, 10}),
                        radio("?IMAGEMODETILED", "&Tiled", "3", {12, 148, 80, 10})}),
                option("?IMAGEQUEUE:MOVEFROM", "Positioning from", r.MOVEFROM, {112, 114, 100, 60},
                       {radio("?MOVEFROM:UPPERLEFT", "&Upper Left", "1", {118, 124, 80, 10}),
                        radio("?MOVEFROM:UPPERRIGHT", "Upper &Right", "2", {118, 136, 80, 10}),
                        radio("?MOVEFROM:BOTTOMLEFT", "Bottom &Left", "3", {118, 148, 80, 10}),
                        radio("?MOVEFROM:BOTTOMRIGHT", "&Bottom Right", "4", {118, 160, 80, 10})}),
                {.type = CREATE::group, .label = "?WINDOWSIZEGROUP", .text = "Window size", .at = {6, 178, 318, 44},
                 .children = {
                     text(CREATE::prompt, "?SHIFTXPOS:PROMPT", "Extend horizontal:", 12, 190),
                     number("?IMAGEQUEUE:SHIFTXPOS", "@n-5", bind(r.SHIFTXPOS), 90, 190),
                     check("?IMAGEQUEUE:SHIFTXINPERCENTAGE", " Percentage of window width", r.SHIFTXINPERCENTAGE,
                           136, 190),
                     text(CREATE::prompt, "?SHIFTYPOS:PROMPT", "Extend vertical:", 12, 204),
                     number("?IMAGEQUEUE:SHIFTYPOS", "@n-5", bind(r.SHIFTYPOS), 90, 204),
                     check("?IMAGEQUEUE:SHIFTYINPERCENTAGE", " Percentage of window height", r.SHIFTYINPERCENTAGE,
                           136, 204),
                 }},
                ok,
                button("?CANCELBUTTON", "&Cancel", {278, 226, 46, 14}),
            }};
}
