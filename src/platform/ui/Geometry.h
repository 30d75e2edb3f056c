// Where a window or control is and how big it is: its Xpos, Ypos, Width and
// Height.
//
// Rules:
// - Each of the four keeps the unit it was last written in (dialog units or
//   pixels), so it reads back exactly as written; read in the other unit it
//   is converted (DialogUnits.h): units to pixels dropping the fraction,
//   pixels to the most units that take no more pixels, so a size the user
//   drags back to reads as it was written.
// - A width or height of 0 is the natural size: it reads back the size the
//   view laid out, and stays natural until another size is written.
// - While a window is maximized the four read where it is shown; what was
//   written before comes back when it is restored, and reads as `restored`
//   meanwhile.
#pragma once

#include "platform/ui/DialogUnits.h"
#include "platform/ui/WindowSpec.h"

#include <array>
#include <optional>

namespace platform {

class Geometry {
public:
    static bool holds(Long prop);
    // Pixels in dialog units, across (x, width) or down (y, height).
    static Long toUnits(Long pixels, bool across, const DialogUnits& du);

    void write(Long prop, Long value, bool pixels);
    Long read(Long prop, bool pixels, const DialogUnits& du) const;
    // As read when not maximized.
    Long restored(Long prop, bool pixels, const DialogUnits& du) const;
    // Where the view places it, in pixels: a natural size gives 0.
    int pixels(Long prop, const DialogUnits& du) const;
    // The natural size as the view laid it out, in pixels.
    void laidOut(int width, int height);
    // Shown maximized at `pixels`, or restored (nullopt).
    void showMaximized(std::optional<Rect> pixels) { maximized_ = pixels; }
    bool maximized() const { return maximized_.has_value(); }

private:
    struct Side {
        Long value = 0;
        bool pixels = false;
    };
    static std::size_t index(Long prop);
    static bool across(Long prop);
    static Long convert(Long value, bool toPixels, bool across, const DialogUnits& du);
    Long shownPixels(Long prop) const;

    std::array<Side, 4> sides_{};
    std::array<int, 2> natural_{};  // laid-out width and height, pixels
    std::optional<Rect> maximized_;
};

}  // namespace platform
