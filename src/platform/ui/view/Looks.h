// How property values read on screen, in one place for every view:
// colours (Windows BGR numbers, 80000000h + n a system colour, -1 or empty
// none), fonts (typeface, points, the runtime's style: weight 100-900 plus
// italic 1000h, underline 2000h, strikeout 4000h), pictures (a file on disk
// or a drawn "~" icon), cursors (a file or the runtime's cursor name) and
// the three ways of laying a picture into a rectangle.
#pragma once

#include "platform/text/Text.h"

#include <QColor>
#include <QCursor>
#include <QFont>
#include <QPixmap>
#include <optional>
#include <string>

class QPainter;
class QPalette;

namespace platform {

class Window;

// A colour property of a control (0 the window); invalid for none.
QColor colorProperty(const Window& window, Long control, Long prop);
// A true/false property: any number but 0 is true.
bool flagProperty(const Window& window, Long control, Long prop);

namespace FONT {
constexpr Long weightMask = 0x0FFF, italic = 0x1000, underline = 0x2000, strikeout = 0x4000;
}
void applyFontStyle(QFont& font, Long style);

// The cursor a name gives: one of the runtime's names ("Wait", "Cross", ...),
// a file, or the program's own "~" file; none for an empty or unknown name.
// A cursor file (.cur) clicks at its hot spot, any other picture in its middle.
std::optional<QCursor> cursorFor(const std::string& name);

enum class PictureMode { Stretched, Centered, Tiled };
PictureMode pictureMode(const Window& window, Long control);
void paintPicture(QPainter& painter, const QRect& area, const QPixmap& picture, PictureMode mode);

// A bevel: an outer and an inner edge, each its width in pixels, raised when
// positive and lowered when negative. The style takes each side of each edge
// apart, two bits a side (left, top, right, bottom; the outer edge's in the
// low byte, the inner's in the next): 0 as the width's sign says, 1 lowered,
// 2 raised, 3 a flat line in `flat`.
struct Bevel {
    int outer = 0, inner = 0;
    Long style = 0;
};
Bevel bevelOf(const Window& window, Long control);
// Paints the bevel inside `area`; the rectangle within it.
QRect paintBevel(QPainter& painter, QRect area, const Bevel& bevel, const QPalette& palette, const QColor& flat);

}  // namespace platform
