#include "assistant/StepMarkers.h"

#include "platform/text/Text.h"
#include "platform/ui/WindowCalls.h"

using namespace platform;

namespace {

constexpr Long kYellow = 0x00FFFF;
constexpr Long kBold = 700;
constexpr Long kLineWidth = 2;
constexpr int kMarkerLift = 10;  // window units

}  // namespace

void StepMarkers::draw(const Queue<AGENTSTAPRecord>& steps) {
    if (region_ != 0) window_.destroy(made_, region_);
    made_ = window_.lastControl() + 1;
    AssistantFields::Point previous;
    for (std::size_t row = 1; row <= steps.records(); ++row) {
        const AssistantFields::Point at = markerPoint(steps.at(row));
        if (row > 1) makeLine(previous, at);
        makeMarker(static_cast<Long>(row), at);
        previous = at;
    }
    for (Long n = made_; n <= window_.lastControl(); ++n) window_.setProperty(n, PROP::Hide, 0);
    region_ = window_.create({.type = CREATE::region});
    window_.setProperty(region_, PROP::Full, 1);
    window_.setProperty(region_, PROP::Hide, 0);
    a_.ShapeWindowToControls(window_.handle(), 1, region_ - 1, 0);
}

bool StepMarkers::isMarker(Long control) const {
    return control >= made_ && control < region_ && window_.numberProperty(control, PROP::Type) == CREATE::button;
}

Long StepMarkers::rowOf(Long marker) const {
    return static_cast<Long>(leadingNumber(window_.property(marker, PROP::Text).substr(1)));
}

// The client area need not start at the screen's corner (the maximized
// window has its frame and title bar there), so the point goes into it first.
AssistantFields::Point StepMarkers::markerPoint(const AGENTSTAPRecord& step) const {
    POINT at{step.POSITIONX + a_.WINDOWPOSX, step.POSITIONY + a_.WINDOWPOSY};
    ScreenToClient(window_.handle(), at);
    const DialogUnits& units = window_.units();
    return {units.toUnitsX(static_cast<int>(at.x)), units.toUnitsY(static_cast<int>(at.y)) - kMarkerLift};
}

// Width and height may be negative: the line runs from the previous step.
void StepMarkers::makeLine(AssistantFields::Point from, AssistantFields::Point to) {
    const Long line = window_.create({.type = CREATE::line,
                                      .at = {static_cast<int>(from.X), static_cast<int>(from.Y),
                                             static_cast<int>(to.X - from.X), static_cast<int>(to.Y - from.Y)}});
    window_.setProperty(line, PROP::LineWidth, kLineWidth);
    window_.setProperty(line, PROP::Color, kYellow);
}

void StepMarkers::makeMarker(Long row, AssistantFields::Point at) {
    const Long marker = window_.create({.type = CREATE::button,
                                        .text = "&" + std::to_string(row),
                                        .at = {static_cast<int>(at.X), static_cast<int>(at.Y), 0, 0}});
    window_.setProperty(marker, PROP::FontColor, kYellow);
    for (Long flag : {PROP::Skip, PROP::Trn, PROP::Flat}) window_.setProperty(marker, flag, 1);
    window_.setProperty(marker, PROP::FontStyle, kBold);
}
