// Dialog units: a quarter of a font's average character width across and an
// eighth of its height down. Window structures place and size everything in
// them unless a window uses pixels. Units in pixels drop the fraction; pixels
// in units are the most units that take no more pixels, so units shown and
// read back (a window dragged back to its size) come back as they were.
#pragma once

#include <string>

class QFont;

namespace platform {

struct DialogUnits {
    double x = 1, y = 1;
    explicit DialogUnits(const QFont& font);
    // The units of a window font, by the system's font name and point size.
    DialogUnits(const std::string& fontName, int pointSize);
    int toPixelsX(int units) const { return static_cast<int>(units * x); }
    int toPixelsY(int units) const { return static_cast<int>(units * y); }
    int toUnitsX(int pixels) const { return toUnits(pixels, x); }
    int toUnitsY(int pixels) const { return toUnits(pixels, y); }

private:
    static int toUnits(int pixels, double scale);
};

}  // namespace platform
