#include "platform/ui/view/Looks.h"

#include "platform/text/Codepage.h"
#include "platform/ui/PictureFiles.h"
#include "platform/ui/SystemMetrics.h"
#include "platform/ui/Window.h"

#include <QPainter>
#include <QPalette>
#include <cstdlib>
#include <map>

namespace platform {
namespace {

// Colour numbers are LONGs, but system colours are often written as their
// unsigned value (2147483663 for 8000000Fh).
Long colorNumber(std::string_view text) {
    return static_cast<Long>(static_cast<ULong>(static_cast<long long>(leadingNumber(text))));
}

}  // namespace

QColor colorProperty(const Window& window, Long control, Long prop) {
    const std::string text = clip(window.property(control, prop));
    return text.empty() ? QColor() : colorFromNumber(colorNumber(text));
}

bool flagProperty(const Window& window, Long control, Long prop) { return window.numberProperty(control, prop) != 0; }

void applyFontStyle(QFont& font, Long style) {
    const Long weight = style & FONT::weightMask;
    font.setWeight(weight > 0 ? static_cast<QFont::Weight>(std::min<Long>(weight, 1000)) : QFont::Normal);
    font.setItalic(style & FONT::italic);
    font.setUnderline(style & FONT::underline);
    font.setStrikeOut(style & FONT::strikeout);
}

std::optional<QCursor> cursorFor(const std::string& name) {
    static const std::map<std::string, Qt::CursorShape> named = {
        {"ARROW", Qt::ArrowCursor},       {"IBEAM", Qt::IBeamCursor},       {"WAIT", Qt::WaitCursor},
        {"CROSS", Qt::CrossCursor},       {"UPARROW", Qt::UpArrowCursor},   {"SIZE", Qt::SizeAllCursor},
        {"ICON", Qt::DragMoveCursor},     {"SIZENWSE", Qt::SizeFDiagCursor}, {"SIZENESW", Qt::SizeBDiagCursor},
        {"SIZEWE", Qt::SizeHorCursor},    {"SIZENS", Qt::SizeVerCursor},    {"DRAGWE", Qt::SplitHCursor},
        {"DROP", Qt::DragCopyCursor},     {"NODROP", Qt::ForbiddenCursor},  {"ZOOM", Qt::CrossCursor},
        {"HAND", Qt::PointingHandCursor},
    };
    std::string key = upper(clip(name));
    if (key.starts_with("CURSOR:")) key.erase(0, 7);
    if (auto it = named.find(key); it != named.end()) return QCursor(it->second);
    const std::string file = name.starts_with('~') ? programPictureFile(clip(name)) : clip(name);
    const QPixmap picture = pictureFile(file);
    if (picture.isNull()) return std::nullopt;
    if (const std::optional<QPoint> hotSpot = cursorHotSpot(file)) return QCursor(picture, hotSpot->x(), hotSpot->y());
    return QCursor(picture);
}

PictureMode pictureMode(const Window& window, Long control) {
    if (flagProperty(window, control, PROP::Tiled)) return PictureMode::Tiled;
    if (flagProperty(window, control, PROP::Centered)) return PictureMode::Centered;
    return PictureMode::Stretched;
}

void paintPicture(QPainter& painter, const QRect& area, const QPixmap& picture, PictureMode mode) {
    if (picture.isNull()) return;
    switch (mode) {
        case PictureMode::Stretched: painter.drawPixmap(area, picture); return;
        case PictureMode::Tiled: painter.drawTiledPixmap(area, picture); return;
        case PictureMode::Centered: {
            QRect placed(QPoint(), picture.deviceIndependentSize().toSize());
            placed.moveCenter(area.center());
            painter.drawPixmap(placed.topLeft(), picture);
            return;
        }
    }
}

Bevel bevelOf(const Window& window, Long control) {
    return {window.numberProperty(control, PROP::BevelOuter), window.numberProperty(control, PROP::BevelInner),
            static_cast<Long>(static_cast<long long>(leadingNumber(window.property(control, PROP::BevelStyle))))};
}

QRect paintBevel(QPainter& painter, QRect area, const Bevel& bevel, const QPalette& palette, const QColor& flat) {
    const int edges[] = {bevel.outer, bevel.inner};
    for (int ring = 0; ring < 2; ++ring) {
        const int width = std::abs(edges[ring]);
        if (width == 0) continue;
        for (int side = 0; side < 4; ++side) {
            const Long bits = (bevel.style >> (ring * 8 + side * 2)) & 3;
            const bool raised = bits == 2 || (bits == 0 && edges[ring] > 0);
            const bool lit = side < 2 ? raised : !raised;  // light falls from the top left
            const QColor color = bits == 3 ? (flat.isValid() ? flat : palette.color(QPalette::Mid))
                                           : palette.color(lit ? QPalette::Light : QPalette::Dark);
            const QRect strip = side == 0   ? QRect(area.left(), area.top(), width, area.height())
                                : side == 1 ? QRect(area.left(), area.top(), area.width(), width)
                                : side == 2 ? QRect(area.right() - width + 1, area.top(), width, area.height())
                                            : QRect(area.left(), area.bottom() - width + 1, area.width(), width);
            painter.fillRect(strip, color);
        }
        area.adjust(width, width, -width, -width);
    }
    return area;
}

}  // namespace platform
