// The window's looks (ZelRestyleClass.h): fading, the title bar of
// controls, the background images and the room they take, the marker of the
// selected control, rounded corners and the window's region.
#include "restyle/ZelRestyleClass.h"

#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "restyle/DialogUnitsOnly.h"
#include "restyle/EngineProperties.h"
#include "restyle/RestyleManager.h"
#include "restyle/Scaling.h"

#include <algorithm>
#include <chrono>
#include <optional>
#include <utility>

using platform::Byte;
using platform::clip;
using platform::Long;
using platform::Short;
using platform::Window;
using restyle::DialogUnitsOnly;
using namespace restyle::engine;
namespace CREATE = platform::CREATE;
namespace EVENT = platform::EVENT;
namespace KEY = platform::KEY;
namespace PROP = platform::PROP;

namespace {

constexpr Long kActiveCaption = static_cast<Long>(0x80000002);
constexpr Long kInactiveCaption = static_cast<Long>(0x80000003);
constexpr Long kCaptionText = static_cast<Long>(0x80000009);
constexpr Long kWhite = 0xFFFFFF;
constexpr Long kBold = 700;
constexpr Short kTitleBarFrame = 2;
constexpr std::string_view kCloseIcon = "~ZelCloseApplication.ico";
constexpr Long kMarkerHidden = -999;
constexpr char kMarkLeft = '\xBB';   // the default symbols, Windows-1252
constexpr char kMarkRight = '\xAB';

// Fading: the step (percent a tick) when none is stored, the tick, and the
// longest a fade may take.
constexpr int kFadeStep = 4;
constexpr std::chrono::milliseconds kFadeTick{10};
constexpr std::chrono::seconds kFadeLimit{5};

}  // namespace

void ZelRestyleClass::showTitleBarActive(bool active) {
    if (CAPTIONREGIONCONTROL != 0)
        PROCEDUREWINDOW->setProperty(CAPTIONREGIONCONTROL, PROP::Fill, active ? kActiveCaption : kInactiveCaption);
}

// Across the window's width, as it was built: the title centred in the bar's
// height, the close button at its right end.
void ZelRestyleClass::placeTitleBar() {
    Window& w = *PROCEDUREWINDOW;
    const DialogUnitsOnly units(w);
    const Long width = w.numberProperty(0, PROP::Width);
    if (CAPTIONREGIONCONTROL != 0) {
        w.setProperty(CAPTIONREGIONCONTROL, PROP::Xpos, FRAMEDX);
        w.setProperty(CAPTIONREGIONCONTROL, PROP::Width, width - 2 * FRAMEDX);
    }
    if (CAPTIONTEXTCONTROL != 0) {
        w.setProperty(CAPTIONTEXTCONTROL, PROP::Text, w.property(0, PROP::Text));
        const Long height = w.numberProperty(CAPTIONTEXTCONTROL, PROP::Height);
        w.setProperty(CAPTIONTEXTCONTROL, PROP::Xpos, CAPTIONHEIGHT + 2 * FRAMEDX);
        w.setProperty(CAPTIONTEXTCONTROL, PROP::Ypos, FRAMEDY + 2 + (CAPTIONHEIGHT - height) / 2);
        w.setProperty(CAPTIONTEXTCONTROL, PROP::Width, width - 2 * CAPTIONHEIGHT);
    }
    if (CLOSEBUTTONCONTROL != 0) w.setProperty(CLOSEBUTTONCONTROL, PROP::Xpos, width - CAPTIONHEIGHT - FRAMEDX);
}

// Left of the control, around it or right of it.
void ZelRestyleClass::placeMarker(Long control) {
    Window& w = *PROCEDUREWINDOW;
    const Long x = w.numberProperty(control, PROP::Xpos), y = w.numberProperty(control, PROP::Ypos);
    const Long width = w.numberProperty(control, PROP::Width), height = w.numberProperty(control, PROP::Height);
    const Long marker = MARKSELECTEDCONTROLEQUATE;
    switch (MARKSELECTEDCONTROLCONFIGURATION) {
        case 1:
            w.setProperty(marker, PROP::Xpos, x - 5);
            w.setProperty(marker, PROP::Ypos, y);
            return;
        case 2: place(marker, x - 2, y - 2, width + 4, height + 4); return;
        case 3:
            w.setProperty(marker, PROP::Xpos, x + width + 1);
            w.setProperty(marker, PROP::Ypos, y);
            return;
        default: return;
    }
}

// A percentage a tick; stored "Fade windows in and out": 1 on, 2-4 the step,
// 5 the method.
void ZelRestyleClass::FadeWindow(Window& window, Byte fadeIn, Byte method, Byte startDefault, Byte startPercent,
                                 Byte endDefault, Byte endPercent) {
    const bool in = fadeIn == 1;
    int step = kFadeStep;
    if (GetProperty(0, kFadeWindows, 0, 1)) {
        const std::string_view value = STYLEMANAGER->CONTROLPROPERTYGROUP.VALUE.view();
        step = static_cast<int>(platform::leadingNumber(value.substr(std::min<std::size_t>(1, value.size()), 3)));
        if (step < 1) step = in ? 6 : 1;
        step = std::min(step, 100);
        method = static_cast<Byte>(platform::leadingNumber(value.substr(std::min<std::size_t>(4, value.size()), 1)));
    }
    if (!in) keepRegionBeforeFadeOut(window);
    if (method != 1 && platform::layeredWindowsShown() && window.numberProperty(0, PROP::Mdi) != 1) {
        const int start = startDefault == 1 ? (in ? 1 : 100) : startPercent;
        const int end = endDefault == 1 ? (in ? 100 : 1) : endPercent;
        fadeLayered(window, in, start, end, step);
    } else {
        fadeByRegion(window, in, step);
    }
    if (in) giveRegionBack(window);
}

// The object's own window gets its region back when FadedOut comes; another
// window (the style manager fades its windows through their caller's
// object) at the end of its next fade-in.
void ZelRestyleClass::keepRegionBeforeFadeOut(Window& window) {
    if (&window != PROCEDUREWINDOW) {
        regionsBeforeFadeOfOthers_[window.handle()] = window.region();
        return;
    }
    regionBeforeFade_ = window.region();
    fadedOut_ = true;
    platform::POST(EVENT::FadedOut, 0, PROCEDURETHREAD);
}

void ZelRestyleClass::giveRegionBack(Window& window) {
    const auto kept = regionsBeforeFadeOfOthers_.find(window.handle());
    if (kept == regionsBeforeFadeOfOthers_.end()) return;
    platform::SetWindowRgn(window.handle(), std::move(kept->second), true);
    regionsBeforeFadeOfOthers_.erase(kept);
}

// The ticks are waited for on the clock: the window's events stay queued.
void ZelRestyleClass::fadeLayered(Window& window, bool in, int start, int end, int step) {
    const Long handle = window.handle();
    platform::SetWindowLong(handle, platform::GWL_EXSTYLE,
                            platform::GetWindowLong(handle, platform::GWL_EXSTYLE) | platform::WS_EX_LAYERED);
    const auto alpha = [](int percent) { return static_cast<Byte>(percent * 255 / 100); };
    platform::SetLayeredWindowAttributes(handle, 0, alpha(start), platform::LWA_ALPHA);
    const platform::Clock::TimePoint began = platform::Clock::now();
    for (int percent = start;;) {
        platform::Scheduler::instance().sleep(kFadeTick);
        if (!window.isOpen()) return;
        percent += in ? step : -step;
        if ((in ? percent > end : percent < end) || platform::Clock::now() - began > kFadeLimit) break;
        platform::SetLayeredWindowAttributes(handle, 0, alpha(percent), platform::LWA_ALPHA);
        platform::UpdateWindow(handle);
    }
    if (in)
        platform::SetWindowLong(handle, platform::GWL_EXSTYLE,
                                platform::GetWindowLong(handle, platform::GWL_EXSTYLE) & ~platform::WS_EX_LAYERED);
}

// In pixels: squares about the middle of the window, one a tick, the window
// painted in each, so its contents show as the square grows or shrinks.
void ZelRestyleClass::fadeByRegion(Window& window, bool in, int step) {
    const std::string pixels = window.property(0, PROP::Pixels);
    window.setProperty(0, PROP::Pixels, 1);
    const Long width = window.numberProperty(0, PROP::Width), height = window.numberProperty(0, PROP::Height);
    const Long size = std::max(width, height);
    const Long handle = window.handle();
    const auto square = [&](Long d) {
        return platform::Region::rectangle(static_cast<int>(width / 2 - d), static_cast<int>(height / 2 - d),
                                           static_cast<int>(width / 2 + d), static_cast<int>(height / 2 + d));
    };
    const std::optional<platform::Region> own = window.region();
    const platform::Clock::TimePoint began = platform::Clock::now();
    for (Long d = in ? 1 : size; in ? d <= size : d >= 1; d += in ? step : -step) {
        platform::SetWindowRgn(handle, square(d), false);
        platform::UpdateWindow(handle);
        window.display();
        platform::Scheduler::instance().sleep(kFadeTick);
        if (!window.isOpen()) return;
        if (platform::Clock::now() - began > kFadeLimit) break;
    }
    // Faded in, the window has its own shape again (rounded corners, say).
    platform::SetWindowRgn(handle, in ? own : std::optional(square(1)), true);
    window.setProperty(0, PROP::Pixels, pixels);
}

void ZelRestyleClass::showAfterFadeOut() {
    Window& w = *PROCEDUREWINDOW;
    fadedOut_ = false;
    const Long handle = w.handle();
    platform::SetWindowLong(handle, platform::GWL_EXSTYLE,
                            platform::GetWindowLong(handle, platform::GWL_EXSTYLE) & ~platform::WS_EX_LAYERED);
    platform::SetWindowRgn(handle, std::exchange(regionBeforeFade_, std::nullopt), true);
}

// In dialog units: a panel for the caption, the window's icon as a button,
// the title and a close button; the system's caption goes.
void ZelRestyleClass::CreateTitleBar() {
    Window& w = *PROCEDUREWINDOW;
    if (WINDOWRESTYLED != 0 || CAPTIONREGIONCONTROL != 0 || WINDOWICONCONTROL != 0) return;
    const DialogUnitsOnly units(w);
    FRAMEDX = FRAMEDY = kTitleBarFrame;
    const Long width = w.numberProperty(0, PROP::Width);
    CAPTIONREGIONCONTROL = w.create({.type = CREATE::panel});
    if (CAPTIONREGIONCONTROL == 0) {
        CAPTIONHEIGHT = 0;
    } else {
        place(CAPTIONREGIONCONTROL, FRAMEDX, FRAMEDY, width - 2 * FRAMEDX, CAPTIONHEIGHT);
        w.alert(CAPTIONREGIONCONTROL, KEY::MouseLeft);
        w.alert(CAPTIONREGIONCONTROL, KEY::MouseLeft2);
        w.setProperty(CAPTIONREGIONCONTROL, PROP::BevelStyle, 0xFFFF);
        w.setProperty(CAPTIONREGIONCONTROL, PROP::Color, kActiveCaption);
        w.setProperty(CAPTIONREGIONCONTROL, PROP::Fill, kActiveCaption);
        w.setProperty(CAPTIONREGIONCONTROL, PROP::Hide, 0);
    }
    WINDOWICONCONTROL = w.create({.type = CREATE::button});
    if (WINDOWICONCONTROL != 0) {
        place(WINDOWICONCONTROL, FRAMEDX, FRAMEDY, CAPTIONHEIGHT, CAPTIONHEIGHT);
        w.setProperty(WINDOWICONCONTROL, PROP::Text, "");
        w.setProperty(WINDOWICONCONTROL, PROP::Icon, titleBarIcon());
        if (!windowIcon_.empty()) w.setProperty(0, PROP::Icon, "");
        w.setProperty(WINDOWICONCONTROL, PROP::FontStyle, kBold);
        w.setProperty(WINDOWICONCONTROL, PROP::FontColor, kWhite);
        for (const Long flag : {PROP::Trn, PROP::Flat, PROP::Skip}) w.setProperty(WINDOWICONCONTROL, flag, 1);
        w.alert(WINDOWICONCONTROL, KEY::MouseLeft2);
        w.setProperty(WINDOWICONCONTROL, PROP::Hide, 0);
        CAPTIONTEXTCONTROL = w.create({.type = CREATE::string});
        if (CAPTIONTEXTCONTROL != 0) {
            w.setProperty(CAPTIONTEXTCONTROL, PROP::Text, w.property(0, PROP::Text));
            w.setProperty(CAPTIONTEXTCONTROL, PROP::Trn, 1);
            w.setProperty(CAPTIONTEXTCONTROL, PROP::FontStyle, kBold);
            w.setProperty(CAPTIONTEXTCONTROL, PROP::FontColor, kCaptionText);
            w.setProperty(CAPTIONTEXTCONTROL, PROP::Hide, 0);
        }
        CLOSEBUTTONCONTROL = w.create({.type = CREATE::button});
        if (CLOSEBUTTONCONTROL != 0) {
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Ypos, FRAMEDY);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Width, CAPTIONHEIGHT);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Height, CAPTIONHEIGHT);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Icon, kCloseIcon);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::FontStyle, kBold);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::FontColor, kWhite);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Flat, 1);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Skip, 1);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Std, platform::STD::Close);
            w.setProperty(CLOSEBUTTONCONTROL, PROP::Hide, 0);
        }
        placeTitleBar();
    }
    platform::SetWindowLong(PROCEDUREHANDLE, platform::GWL_STYLE,
                            platform::GetWindowLong(PROCEDUREHANDLE, platform::GWL_STYLE) & ~platform::WS_CAPTION);
    // The frame closed over the caption: corners rounded for the frame it had
    // are rounded again for this one.
    if (rounded_) roundCorners();
    platform::InvalidateRect(PROCEDUREHANDLE);
    w.setProperty(0, PROP::Imm, 1);
}

// The window's icon, taken from it; else the application frame's; else the
// program's default. Icons are the program's own: "~" names.
std::string ZelRestyleClass::titleBarIcon() {
    const auto own = [](std::string icon) { return icon.starts_with('~') ? icon : "~" + icon; };
    windowIcon_ = clip(PROCEDUREWINDOW->property(0, PROP::Icon));
    if (!windowIcon_.empty()) return own(windowIcon_);
    const Window* frame = STYLEMANAGER->APPLICATIONWINDOW;
    const std::string frameIcon = frame ? clip(frame->property(0, PROP::Icon)) : std::string();
    return frameIcon.empty() ? std::string(platform::ICON::Application) : own(frameIcon);
}

void ZelRestyleClass::roundCorners() {
    STYLEMANAGER->SetWindowRoundness(PROCEDUREWINDOW, static_cast<Byte>(WINDOWROUNDNESS));
    rounded_ = true;
}

void ZelRestyleClass::removeTitleBar() {
    Window& w = *PROCEDUREWINDOW;
    for (Long* control : {&CAPTIONREGIONCONTROL, &WINDOWICONCONTROL, &CAPTIONTEXTCONTROL, &CLOSEBUTTONCONTROL})
        if (const Long made = std::exchange(*control, 0)) w.destroy(made);
    if (!windowIcon_.empty()) w.setProperty(0, PROP::Icon, std::exchange(windowIcon_, {}));
    platform::SetWindowLong(PROCEDUREHANDLE, platform::GWL_STYLE,
                            platform::GetWindowLong(PROCEDUREHANDLE, platform::GWL_STYLE) | platform::WS_CAPTION);
    CAPTIONHEIGHT = 0;
}

// Not a sum: images lie over one another.
void ZelRestyleClass::measureRoom() {
    roomX_ = roomY_ = 0;
    for (std::size_t i = 1; i <= IMAGEQUEUE.records(); ++i) {
        const IMAGEQUEUERecord& row = IMAGEQUEUE.at(i);
        roomX_ = std::max(roomX_, row.SHIFTXINPERCENTAGE != 0 ? row.SHIFTXPOS / 100.0 * ORGINALWIDTH : row.SHIFTXPOS);
        roomY_ = std::max(roomY_, row.SHIFTYINPERCENTAGE != 0 ? row.SHIFTYPOS / 100.0 * ORGINALHEIGHT : row.SHIFTYPOS);
    }
}

// A centred window moves by half its room, while it stays on the screen.
void ZelRestyleClass::takeRoom() {
    Window& w = *PROCEDUREWINDOW;
    Long x = w.numberProperty(0, PROP::Xpos), y = w.numberProperty(0, PROP::Ypos);
    if (w.numberProperty(0, PROP::Center) != 0) {
        if (x - SHIFTXPOS / 2.0 > 0) x = restyle::truncated(x - SHIFTXPOS / 2.0);
        if (y - SHIFTYPOS / 2.0 > 0) y = restyle::truncated(y - SHIFTYPOS / 2.0);
    }
    grownX_ = SHIFTXPOS;
    grownY_ = SHIFTYPOS;
    place(0, x, y, w.numberProperty(0, PROP::Width) + SHIFTXPOS, w.numberProperty(0, PROP::Height) + SHIFTYPOS);
}

void ZelRestyleClass::giveRoomBack() {
    Window& w = *PROCEDUREWINDOW;
    const DialogUnitsOnly units(w);
    if (grownX_ != 0) w.setProperty(0, PROP::Width, w.restored(PROP::Width) - grownX_);
    if (grownY_ != 0) w.setProperty(0, PROP::Height, w.restored(PROP::Height) - grownY_);
    grownX_ = grownY_ = 0;
    SHIFTXPOS = SHIFTYPOS = 0;
}

// In dialog units, one image control a row; MOVEFROM is the corner the
// position counts from.
void ZelRestyleClass::ShowImages() {
    Window& w = *PROCEDUREWINDOW;
    if (stylingOff() || IMAGEPROPERTYGROUP.DONOTUSEIMAGES != 0) {
        if (WINDOWRESTYLED == 0 || w.isApplication()) return;
        destroyImages(1);
        if (MARKSELECTEDCONTROLACTIVE != 0) destroyMarker();
        return;
    }
    if (w.isApplication()) return;
    const DialogUnitsOnly units(w);
    const Long width = w.numberProperty(0, PROP::Width), height = w.numberProperty(0, PROP::Height);
    for (std::size_t i = 1; i <= IMAGEQUEUE.records(); ++i) {
        const IMAGEQUEUERecord& row = IMAGEQUEUE.at(i);
        if (i > IMAGEEQUATEQUEUE.records()) {
            IMAGEEQUATEQUEUE.rec = {w.create({.type = CREATE::image}), row.FIXED};
            IMAGEEQUATEQUEUE.add();
        }
        const Long image = IMAGEEQUATEQUEUE.at(i).IMAGEEQUATE;
        if (row.IMAGEEQUATE != image) {
            IMAGEQUEUE.get(i);
            IMAGEQUEUE.rec.IMAGEEQUATE = image;
            IMAGEQUEUE.put();
        }
        if (image == 0) continue;
        change(image, PROP::Tiled, row.STYLE != 1 && row.STYLE != 2 ? "1" : "0");
        change(image, PROP::Centered, row.STYLE == 2 ? "1" : "0");
        const bool fromRight = row.MOVEFROM == 2 || row.MOVEFROM == 4;
        const Long x = fromRight ? width - row.XPOS : row.XPOS;
        const Long y = row.MOVEFROM == 3   ? height + row.SHIFTYPOS - row.YPOS
                       : row.MOVEFROM == 4 ? height - row.YPOS
                                           : row.YPOS + CAPTIONHEIGHT;
        change(image, PROP::Xpos, std::to_string(x));
        change(image, PROP::Ypos, std::to_string(y));
        // A size stored as 0 is the picture's own.
        if (row.WIDTH == 0)
            change(image, PROP::NoWidth, "1");
        else
            change(image, PROP::Width,
                   std::to_string(row.WIDTHINPERCENTAGE != 0 ? width * row.WIDTH / 100 - x : row.WIDTH));
        if (row.HEIGHT == 0)
            change(image, PROP::NoHeight, "1");
        else
            change(image, PROP::Height,
                   std::to_string(row.HEIGHTINPERCENTAGE != 0 ? height * row.HEIGHT / 100 - y : row.HEIGHT));
        change(image, PROP::Text, row.IMAGEFILE.view());
        change(image, PROP::Hide, "0");
    }
    // A reload with fewer rows leaves no images behind.
    destroyImages(IMAGEQUEUE.records() + 1);
}

// From the last to the `from`th.
void ZelRestyleClass::destroyImages(std::size_t from) {
    while (IMAGEEQUATEQUEUE.records() >= from && IMAGEEQUATEQUEUE.records() > 0) {
        const std::size_t last = IMAGEEQUATEQUEUE.records();
        if (const Long image = IMAGEEQUATEQUEUE.at(last).IMAGEEQUATE) PROCEDUREWINDOW->destroy(image);
        IMAGEEQUATEQUEUE.get(last);
        IMAGEEQUATEQUEUE.remove();
    }
}

void ZelRestyleClass::destroyMarker() {
    if (const Long marker = std::exchange(MARKSELECTEDCONTROLEQUATE, 0)) PROCEDUREWINDOW->destroy(marker);
}

// A symbol left or right of the selected control (a string), or a box
// around it; parked out of sight until a control is selected.
void ZelRestyleClass::MarkSelectedControl() {
    if (MARKSELECTEDCONTROLACTIVE == 0) return;
    Window& w = *PROCEDUREWINDOW;
    const Byte configuration = MARKSELECTEDCONTROLCONFIGURATION;
    if (configuration != 1 && configuration != 2 && configuration != 3) return;
    const Long type = configuration == 2 ? CREATE::box : CREATE::string;
    // A changed configuration may need the other kind of marker.
    if (MARKSELECTEDCONTROLEQUATE != 0 && w.numberProperty(MARKSELECTEDCONTROLEQUATE, PROP::Type) != type)
        destroyMarker();
    if (MARKSELECTEDCONTROLEQUATE == 0) MARKSELECTEDCONTROLEQUATE = w.create({.type = type});
    const Long marker = MARKSELECTEDCONTROLEQUATE;
    if (marker == 0) return;
    if (type == CREATE::string) {
        w.setProperty(marker, PROP::Trn, 1);
        w.setProperty(marker, PROP::FontColor, MARKSELECTEDCONTROLCOLOR);
        const char symbol = MARKSELECTEDCONTROLSYMBOL != 0 ? static_cast<char>(MARKSELECTEDCONTROLSYMBOL)
                            : configuration == 1            ? kMarkLeft
                                                            : kMarkRight;
        w.setProperty(marker, PROP::Text, std::string(1, symbol));
    } else {
        w.setProperty(marker, PROP::Color, MARKSELECTEDCONTROLCOLOR);
    }
    w.setProperty(marker, PROP::Xpos, kMarkerHidden);
    w.setProperty(marker, PROP::Ypos, kMarkerHidden);
    w.setProperty(marker, PROP::Hide, 0);
}

// The frame's ring and the visible controls, in the window's own pixels.
void ZelRestyleClass::SetWindowRegion(Byte roundControls) {
    Window& w = *PROCEDUREWINDOW;
    platform::RECT outer;
    if (!platform::GetWindowRect(PROCEDUREHANDLE, outer)) return;
    const int width = outer.right - outer.left, height = outer.bottom - outer.top;
    const platform::Region whole = platform::Region::roundRectangle(0, 0, width, height, 20, 20);
    platform::POINT origin;
    platform::ClientToScreen(PROCEDUREHANDLE, origin);
    const platform::Rect client = w.placement(0);
    const int clientLeft = origin.x - outer.left, clientTop = origin.y - outer.top;
    platform::Region region =
        whole ^ platform::Region::roundRectangle(clientLeft, clientTop, clientLeft + client.width,
                                                 clientTop + client.height, 20, 20);
    for (Long n = w.nextField(0); n != 0; n = w.nextField(n)) {
        const Long type = w.numberProperty(n, PROP::Type);
        if (type < 1 || type > 127 || type == CREATE::menu || type == CREATE::item ||
            w.numberProperty(n, PROP::InToolBar) != 0 || w.numberProperty(n, PROP::Hide) != 0)
            continue;
        platform::RECT at;
        if (!platform::GetWindowRect(w.controlHandle(n), at)) continue;
        const int left = at.left - outer.left, top = at.top - outer.top;
        const int right = at.right - outer.left, bottom = at.bottom - outer.top;
        // A line is a band a pixel wide from its start to its end.
        if (type == CREATE::line)
            region = region | platform::Region::polygon(
                                  {{left, top}, {right, bottom}, {right + 1, bottom + 1}, {left + 1, top + 1}});
        else if (roundControls != 0)
            region = region | platform::Region::roundRectangle(left, top, right, bottom, 12, 12);
        else
            region = region | platform::Region::rectangle(left, top, right, bottom);
    }
    platform::SetWindowRgn(PROCEDUREHANDLE, region & whole, true);
}
