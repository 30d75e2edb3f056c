// Resizing and the window's position (ZelRestyleClass.h): the geometry step
// of a pass, each control's place, font and list columns by its resize
// strategy, and the check that keeps a window in view.
#include "restyle/ZelRestyleClass.h"

#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "restyle/DialogUnitsOnly.h"
#include "restyle/EngineProperties.h"
#include "restyle/RestyleManager.h"
#include "restyle/Scaling.h"
#include "restyle/ValueLayouts.h"

#include <algorithm>
#include <string>

using platform::clip;
using platform::Long;
using platform::Real;
using platform::Short;
using platform::Window;
using restyle::truncated;
namespace CREATE = platform::CREATE;
namespace PROP = platform::PROP;
namespace PROPLIST = platform::PROPLIST;

namespace {

constexpr Long kScaleCompletely = 0, kScaleWidthOnly = 1, kScaleHeightOnly = 2, kDoNotScale = 3;
constexpr Long kMostColumns = 255;

// The system's old bitmap faces do not scale: they become Arial.
bool scalesToArial(std::string_view typeface) {
    const std::string face = platform::upper(clip(typeface));
    return face.empty() || face == "MS SANS SERIF" || face == "MS SERIF";
}

}  // namespace

// The room is kept at scale 1 (roomX_, roomY_) and scaled from there every
// pass, so that rounding never wears it down; the title bar keeps its height.
ZelRestyleClass::Offsets ZelRestyleClass::fitToSize() {
    Window& w = *PROCEDUREWINDOW;
    const Real width = w.numberProperty(0, PROP::Width), height = w.numberProperty(0, PROP::Height);
    const bool maximized = w.numberProperty(0, PROP::Maximize) != 0;
    // A window that opened without a size has nothing to scale from.
    const bool scalable = ORGINALWIDTH != 0 && ORGINALHEIGHT != 0;
    const Real openingWidth = ORGINALWIDTH, openingHeight = ORGINALHEIGHT;
    if (WINDOWRESTYLED != 0) {
        RATIO = RESIZEWINDOW != 0 && scalable
                    ? restyle::smallerRatio(width, height - CAPTIONHEIGHT, openingWidth + roomX_, openingHeight + roomY_)
                    : 1.0;
        scaleRoom();
        return centringOffsets(width, height, SHIFTXPOS + openingWidth * RATIO, SHIFTYPOS + openingHeight * RATIO);
    }
    RATIO = RESIZEWINDOW != 0 && scalable ? restyle::smallerRatio(width, height, openingWidth, openingHeight) : 1.0;
    measureRoom();
    const Real usedWidth = openingWidth + roomX_, usedHeight = openingHeight + roomY_ + CAPTIONHEIGHT;
    if (maximized && scalable) RATIO = restyle::smallerRatio(width, height, usedWidth, usedHeight);
    scaleRoom();
    if (maximized) return centringOffsets(width, height, usedWidth * RATIO, usedHeight * RATIO);
    const Offsets offsets = centringOffsets(width, height, openingWidth * RATIO, openingHeight * RATIO);
    takeRoom();
    return offsets;
}

ZelRestyleClass::Offsets ZelRestyleClass::centringOffsets(Real width, Real height, Real usedWidth,
                                                          Real usedHeight) const {
    if (CENTERCONTROLS == 0) return {};
    return {static_cast<Short>(truncated((width - usedWidth) / 2)),
            static_cast<Short>(truncated((height - usedHeight) / 2))};
}

void ZelRestyleClass::scaleRoom() {
    SHIFTXPOS = static_cast<Short>(truncated(roomX_ * RATIO));
    SHIFTYPOS = static_cast<Short>(truncated(roomY_ * RATIO + CAPTIONHEIGHT));
}

void ZelRestyleClass::ResizeControls(Long control, const RESIZEQUEUERecord& geometry, Short xOffset, Short yOffset) {
    const restyle::ResizeStrategyValue strategy =
        GetProperty(control, restyle::engine::kResizeStrategy, 0, 1)
            ? restyle::resizeStrategyValue(STYLEMANAGER->CONTROLPROPERTYGROUP.VALUE.view())
            : restyle::ResizeStrategyValue{};
    placeByStrategy(control, geometry, strategy.strategy, {xOffset, yOffset});
    scaleFont(control, geometry, strategy.keepFont);
    if (!strategy.keepColumns) scaleColumns(control);
}

// A side that is not scaled stays centred in the room the scaled side would take.
void ZelRestyleClass::placeByStrategy(Long control, const RESIZEQUEUERecord& geometry, Long strategy,
                                      Offsets offsets) {
    if (strategy < kScaleCompletely || strategy > kDoNotScale) return;
    const bool scalesWidth = strategy == kScaleCompletely || strategy == kScaleWidthOnly;
    const bool scalesHeight = strategy == kScaleCompletely || strategy == kScaleHeightOnly;
    const Real width = geometry.WIDTH * RATIO, height = geometry.HEIGHT * RATIO;
    const Real x = geometry.XPOS * RATIO + SHIFTXPOS + offsets.x + (scalesWidth ? 0 : (width - geometry.WIDTH) / 2);
    const Real y = geometry.YPOS * RATIO + SHIFTYPOS + offsets.y + (scalesHeight ? 0 : (height - geometry.HEIGHT) / 2);
    place(control, truncated(x), truncated(y), scalesWidth ? truncated(width) : geometry.WIDTH,
          scalesHeight ? truncated(height) : geometry.HEIGHT);
}

// From the pass's font (what the control's sets wrote, else what it showed
// as it opened), so that passes never add up; at scale 1 the pass's font
// stays, and a control that had no font of its own has none again.
void ZelRestyleClass::scaleFont(Long control, const RESIZEQUEUERecord& geometry, bool keepFont) {
    if (RATIO == 1.0 || keepFont) {
        if (scaledFonts_.erase(control) == 0) return;
        if (!passFont_.typeface) change(control, PROP::FontName, clip(geometry.FONTNAME.view()));
        if (!passFont_.size) change(control, PROP::FontSize, std::to_string(geometry.FONTSIZE));
        return;
    }
    const Font& opening = openingFonts_[control];
    std::string typeface = passFont_.typeface.value_or(opening.typeface);
    if (scalesToArial(typeface)) typeface = "Arial";
    const Long size = std::max<Long>(1, restyle::rounded(passFont_.size.value_or(opening.size) * RATIO - 1));
    change(control, PROP::FontName, typeface);
    change(control, PROP::FontSize, std::to_string(size));
    scaledFonts_[control] = {typeface, size};
}

// From the width last written unrounded, unless someone changed the column
// since: then from the width it has.
void ZelRestyleClass::scaleColumns(Long control) {
    Window& w = *PROCEDUREWINDOW;
    const Long type = w.numberProperty(control, PROP::Type);
    if ((type != CREATE::list && type != CREATE::combo) || RATIO == PREVIOUSRATIO || PREVIOUSRATIO == 0) return;
    for (Long n = 1; n <= kMostColumns && w.indexedProperty(control, PROPLIST::Exists, n) == "1"; ++n) {
        const auto present = static_cast<Long>(platform::leadingNumber(w.indexedProperty(control, PROPLIST::Width, n)));
        ScaledColumn& column = scaledColumns_[{control, n}];
        const Real from = column.written == present && column.width != 0 ? column.width : present;
        column.width = from / PREVIOUSRATIO * RATIO;
        column.written = truncated(column.width);
        w.setIndexedProperty(control, PROPLIST::Width, n, std::to_string(column.written));
    }
}

// What the program changed since stays.
void ZelRestyleClass::unscaleFontsAndColumns() {
    Window& w = *PROCEDUREWINDOW;
    for (const auto& [control, font] : scaledFonts_) {
        const RESIZEQUEUERecord* opening = openingGeometry(control);
        if (!opening || clip(w.property(control, PROP::FontName)) != font.typeface ||
            w.numberProperty(control, PROP::FontSize) != font.size)
            continue;
        w.setProperty(control, PROP::FontName, clip(opening->FONTNAME.view()));
        w.setProperty(control, PROP::FontSize, opening->FONTSIZE);
    }
    scaledFonts_.clear();
    for (const auto& [at, column] : scaledColumns_) {
        const auto [control, n] = at;
        if (platform::leadingNumber(w.indexedProperty(control, PROPLIST::Width, n)) != column.written) continue;
        w.setIndexedProperty(control, PROPLIST::Width, n, std::to_string(truncated(column.width / PREVIOUSRATIO)));
    }
    scaledColumns_.clear();
}

// An MDI child against its frame's MDI area, any other window against the
// desktop. A child whose frame registered no object has nothing to check
// against.
void ZelRestyleClass::CheckWindowPosition() {
    if (!PROCEDUREWINDOW->spec().mdi)
        keepOnDesktop();
    else if (STYLEMANAGER->APPLICATIONHANDLE != 0 && STYLEMANAGER->APPLICATIONWINDOW)
        keepInFrame(*STYLEMANAGER->APPLICATIONWINDOW);
}

// In pixels, which a child and its frame share whatever their fonts. Only
// the right and bottom overhang is corrected: a negative place stays.
void ZelRestyleClass::keepInFrame(Window& frame) {
    Window& w = *PROCEDUREWINDOW;
    const restyle::PixelsOnly childPixels(w), framePixels(frame);
    const auto keptIn = [](Long at, Long size, Long room) {
        return at + size > room ? std::max<Long>(0, room - size) : at;
    };
    const Long x = w.numberProperty(0, PROP::Xpos), y = w.numberProperty(0, PROP::Ypos);
    const Long keptX = keptIn(x, w.numberProperty(0, PROP::Width), frame.numberProperty(0, PROP::ClientWidth));
    const Long keptY = keptIn(y, w.numberProperty(0, PROP::Height), frame.numberProperty(0, PROP::ClientHeight));
    if (keptX != x) w.setProperty(0, PROP::Xpos, keptX);
    if (keptY != y) w.setProperty(0, PROP::Ypos, keptY);
}

// In screen pixels, the whole window: one larger than the desktop ends at
// its left or top edge.
void ZelRestyleClass::keepOnDesktop() {
    platform::RECT desktop, at;
    if (!platform::GetWindowRect(platform::GetDesktopWindow(), desktop) ||
        !platform::GetWindowRect(PROCEDUREHANDLE, at))
        return;
    const Long width = at.right - at.left, height = at.bottom - at.top;
    const auto keptIn = [](Long from, Long size, Long first, Long last) {
        return std::max(first, from + size > last ? last - size : from);
    };
    const Long x = keptIn(at.left, width, desktop.left, desktop.right);
    const Long y = keptIn(at.top, height, desktop.top, desktop.bottom);
    if (x != at.left || y != at.top) platform::MoveWindow(PROCEDUREHANDLE, x, y, width, height, true);
}
