// How restyling reads a stored VALUE (columns 1-based, numbers left-aligned
// decimal text) for the properties whose value has parts:
// - the typeface property (PROP:Font): 1-19 colour, 20-51 typeface, 52-53
//   size, 54-65 style, 66-77 character set;
// - "Mark selected control" (-5): 1-19 colour, 20-22 the symbol's character
//   code as a decimal number (0 or blank: the default symbol), 30 the marking
//   (0 none, 1 symbol left, 2 box around, 3 symbol right);
// - "Control position and size" (-16): the first 16 bytes raw, four blocks
//   for x, y, width and height of a BYTE "used", a little-endian SHORT amount
//   and a BYTE mode (0 absolute, 1 shift, 2 percentage);
// - "Resize strategy" (-17): 1 the strategy as a digit (0 scale completely,
//   1 only the width, 2 only the height, 3 not at all; no digit reads 0), 2
//   "1" keeps the font, 3 a digit other than 0 keeps the columns of lists
//   and combos;
// - "Image on control" (-18): 1-510 the file, 511 the image mode (1 neither
//   tiled nor centred, 2 centred, else tiled), 512 the control's look (2
//   transparent, 3 flat).
// A value shorter than its layout reads blank (a number: 0) where it ends.
#pragma once

#include "platform/text/Text.h"

#include <array>
#include <string>
#include <string_view>

namespace restyle {

struct FontValue {
    platform::Long color = 0;
    std::string typeface;
    platform::Long size = 0;
    platform::Long style = 0;
    platform::Long charset = 0;
};
FontValue fontValue(std::string_view value);

struct MarkValue {
    platform::Long color = 0;
    platform::Byte symbol = 0;
    platform::Byte marking = 0;
};
MarkValue markValue(std::string_view value);

// One coordinate of "Control position and size".
struct PositionChange {
    bool used = false;
    platform::Short amount = 0;
    platform::Byte mode = 0;  // 0 absolute, 1 shift, 2 percentage

    // The coordinate that opened as `opening`, for a control placed with
    // `room` added to it: absolute is the amount less the room; an unknown
    // mode leaves the opening value.
    platform::Long applied(platform::Long opening, platform::Long room) const;
};
std::array<PositionChange, 4> positionValue(std::string_view value);  // x, y, width, height

struct ResizeStrategyValue {
    platform::Long strategy = 0;  // outside 0-3: the control keeps its place and size
    bool keepFont = false;
    bool keepColumns = false;
};
ResizeStrategyValue resizeStrategyValue(std::string_view value);

struct ImageOnControlValue {
    std::string file;
    char mode = ' ';  // '1' plain, '2' centred, else tiled
    char look = ' ';  // '2' transparent, '3' flat
};
ImageOnControlValue imageOnControlValue(std::string_view value);

}  // namespace restyle
