#include "platform/ui/Geometry.h"

#include "platform/ui/Equates.h"

namespace platform {

bool Geometry::holds(Long prop) {
    return prop == PROP::Xpos || prop == PROP::Ypos || prop == PROP::Width || prop == PROP::Height;
}

std::size_t Geometry::index(Long prop) { return static_cast<std::size_t>(prop - PROP::Xpos); }

bool Geometry::across(Long prop) { return prop == PROP::Xpos || prop == PROP::Width; }

Long Geometry::convert(Long value, bool toPixels, bool across, const DialogUnits& du) {
    const int v = static_cast<int>(value);
    if (toPixels) return across ? du.toPixelsX(v) : du.toPixelsY(v);
    return across ? du.toUnitsX(v) : du.toUnitsY(v);
}

Long Geometry::toUnits(Long pixels, bool across, const DialogUnits& du) { return convert(pixels, false, across, du); }

void Geometry::write(Long prop, Long value, bool pixels) { sides_[index(prop)] = {value, pixels}; }

Long Geometry::shownPixels(Long prop) const {
    switch (prop) {
        case PROP::Xpos: return maximized_->x;
        case PROP::Ypos: return maximized_->y;
        case PROP::Width: return maximized_->width;
        default: return maximized_->height;
    }
}

Long Geometry::read(Long prop, bool pixels, const DialogUnits& du) const {
    if (maximized_) return pixels ? shownPixels(prop) : convert(shownPixels(prop), false, across(prop), du);
    return restored(prop, pixels, du);
}

Long Geometry::restored(Long prop, bool pixels, const DialogUnits& du) const {
    const Side& side = sides_[index(prop)];
    const bool isSize = prop == PROP::Width || prop == PROP::Height;
    if (isSize && side.value == 0) {
        const Long natural = natural_[prop == PROP::Width ? 0 : 1];
        return pixels ? natural : convert(natural, false, across(prop), du);
    }
    return side.pixels == pixels ? side.value : convert(side.value, pixels, across(prop), du);
}

int Geometry::pixels(Long prop, const DialogUnits& du) const {
    const Side& side = sides_[index(prop)];
    return static_cast<int>(side.pixels ? side.value : convert(side.value, true, across(prop), du));
}

void Geometry::laidOut(int width, int height) { natural_ = {width, height}; }

}  // namespace platform
