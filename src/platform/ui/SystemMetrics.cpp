#include "platform/ui/SystemMetrics.h"

#include "platform/system/ProgramFolder.h"
#include "platform/text/Codepage.h"
#include "platform/ui/Equates.h"
#include "platform/ui/PictureFiles.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <array>
#include <map>

namespace platform {

QFont mappedFont(const std::string& name, int pointSize) {
    static const std::map<std::string, QString> installed = {
        {"ARIAL", "Liberation Sans"},          {"MS SANS SERIF", "Liberation Sans"},
        {"SMALL FONTS", "Liberation Sans"},    {"TAHOMA", "Liberation Sans"},
        {"TIMES NEW ROMAN", "Liberation Serif"}, {"COURIER NEW", "Liberation Mono"},
    };
    auto it = installed.find(upper(name));
    QFont font(it == installed.end() ? toQString(name) : it->second);
    font.setPointSize(pointSize > 0 ? pointSize : 8);
    return font;
}

QColor colorFromNumber(Long bgr) {
    if (bgr == -1) return {};
    const auto value = static_cast<ULong>(bgr);
    if (value & 0x80000000u) {
        static const std::array<QColor, 31> system = {
            QColor(200, 200, 200), QColor(0, 128, 128),   QColor(0, 0, 128),     QColor(128, 128, 128),
            QColor(212, 208, 200), QColor(255, 255, 255), QColor(0, 0, 0),       QColor(0, 0, 0),
            QColor(0, 0, 0),       QColor(255, 255, 255), QColor(212, 208, 200), QColor(212, 208, 200),
            QColor(128, 128, 128), QColor(10, 36, 106),   QColor(255, 255, 255), QColor(212, 208, 200),
            QColor(128, 128, 128), QColor(128, 128, 128), QColor(0, 0, 0),       QColor(212, 208, 200),
            QColor(255, 255, 255), QColor(64, 64, 64),    QColor(212, 208, 200), QColor(0, 0, 0),
            QColor(255, 255, 225), QColor(181, 181, 181), QColor(0, 0, 255),     QColor(166, 202, 240),
            QColor(192, 192, 192), QColor(49, 106, 197),  QColor(236, 233, 216)};
        const ULong index = value & 0xFF;
        return index < system.size() ? system[index] : QColor(212, 208, 200);
    }
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

DialogUnits::DialogUnits(const QFont& font) {
    const QFontMetricsF m(font);
    x = m.averageCharWidth() / 4.0;
    y = m.height() / 8.0;
}

DialogUnits::DialogUnits(const std::string& fontName, int pointSize) : DialogUnits(mappedFont(fontName, pointSize)) {}

// Dividing alone would read 200 units shown as 324 pixels back as 199.
int DialogUnits::toUnits(int pixels, double scale) {
    const auto shown = [scale](int units) { return static_cast<int>(units * scale); };
    int units = static_cast<int>(pixels / scale);
    while (shown(units + 1) <= pixels) ++units;
    while (shown(units) > pixels) --units;
    return units;
}

namespace {

// A square transparent picture of that many pixels, painted by `paint`.
template <class Paint>
QPixmap painted(int pixels, Paint paint) {
    QPixmap pixmap(pixels, pixels);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    paint(p);
    p.end();
    return pixmap;
}

// The message-box symbols: a sign on a coloured shape.
QPixmap drawSymbol(const std::string& name) {
    static const std::map<std::string, std::pair<QColor, QString>> symbols = {
        {"~EXCLAMATION", {QColor(240, 200, 30), "!"}},
        {"~QUESTION", {QColor(40, 90, 200), "?"}},
        {"~HAND", {QColor(200, 30, 30), "X"}},
        {"~ASTERISK", {QColor(40, 90, 200), "i"}}};
    auto it = symbols.find(upper(name));
    if (it == symbols.end()) return {};
    return painted(32, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(60, 60, 60), 1));
        p.setBrush(it->second.first);
        if (upper(name) == "~EXCLAMATION")
            p.drawPolygon(QPolygonF({QPointF(16, 2), QPointF(30, 29), QPointF(2, 29)}));
        else
            p.drawEllipse(QRectF(2, 2, 28, 28));
        QFont font("Liberation Sans");
        font.setPixelSize(18);
        font.setBold(true);
        p.setFont(font);
        p.setPen(upper(name) == "~EXCLAMATION" ? Qt::black : Qt::white);
        p.drawText(QRect(0, 4, 32, 28), Qt::AlignCenter, it->second.second);
    });
}

// The assistant's button: a speech balloon with a question mark.
QPixmap drawAssistantButton() {
    return painted(16, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath balloon;
        balloon.addRoundedRect(QRectF(0.5, 0.5, 15, 11), 4, 4);
        balloon.moveTo(3.5, 11);
        balloon.lineTo(3, 15.5);
        balloon.lineTo(8, 11);
        p.setPen(QPen(QColor(20, 60, 120), 1));
        p.setBrush(QColor(60, 130, 210));
        p.drawPath(balloon.simplified());
        QFont font("Liberation Sans");
        font.setPixelSize(10);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 12), Qt::AlignCenter, "?");
    });
}

// The close button of a title bar the program builds: a white cross.
QPixmap drawCloseApplication() {
    return painted(16, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(Qt::white, 2.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(QPointF(4, 4), QPointF(12, 12));
        p.drawLine(QPointF(12, 4), QPointF(4, 12));
    });
}

// A window with a caption: the icon of a program that names none.
QPixmap drawApplicationIcon() {
    return painted(16, [&](QPainter& p) {
        p.setPen(QColor(40, 40, 40));
        p.setBrush(Qt::white);
        p.drawRect(QRect(1, 2, 13, 12));
        p.fillRect(QRect(2, 3, 12, 3), QColor(10, 36, 106));
    });
}

// The play control's: a lamp with a wisp of smoke.
QPixmap drawGenie() {
    return painted(16, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        QPainterPath lamp;
        lamp.moveTo(1, 10);
        lamp.cubicTo(3, 15, 11, 15, 12, 10);
        lamp.lineTo(15.5, 8);
        lamp.lineTo(12.5, 11.5);
        lamp.cubicTo(11, 16, 3, 16, 1, 10);
        p.setPen(QPen(QColor(120, 80, 10), 1));
        p.setBrush(QColor(230, 180, 40));
        p.drawPath(lamp.simplified());
        p.drawRect(QRectF(5.5, 14, 3, 1.5));
        p.setPen(QPen(QColor(120, 150, 220), 1.4, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        QPainterPath smoke;
        smoke.moveTo(7, 9.5);
        smoke.cubicTo(3, 6, 10, 5, 6, 1);
        p.drawPath(smoke);
    });
}

// Moving a toolbox: arrows to the four sides.
QPixmap drawMoveToolbox() {
    return painted(16, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(QColor(30, 30, 30), 1.2));
        p.drawLine(QPointF(8, 2), QPointF(8, 14));
        p.drawLine(QPointF(2, 8), QPointF(14, 8));
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(30, 30, 30));
        const QPointF tips[4][3] = {{{8, 0.5}, {5, 4}, {11, 4}},
                                    {{8, 15.5}, {5, 12}, {11, 12}},
                                    {{0.5, 8}, {4, 5}, {4, 11}},
                                    {{15.5, 8}, {12, 5}, {12, 11}}};
        for (const auto& tip : tips) p.drawPolygon(tip, 3);
    });
}

// Pausing: two upright bars.
QPixmap drawPause() {
    return painted(16, [&](QPainter& p) {
        p.setPen(QColor(20, 50, 110));
        p.setBrush(QColor(50, 110, 200));
        p.drawRect(QRect(3, 2, 3, 11));
        p.drawRect(QRect(9, 2, 3, 11));
    });
}

// Drawn pictures of the program's own icons, by name in upper case.
QPixmap drawNamedIcon(const std::string& name) {
    static const std::map<std::string, QPixmap (*)()> drawings = {
        {"~MENTAVOBUTTON.ICO", drawAssistantButton},
        {"~ZELCLOSEAPPLICATION.ICO", drawCloseApplication},
        {upper(ICON::Application), drawApplicationIcon},
        {"~GENIE.ICO", drawGenie},
        {"~MOVE TOOLBOX.ICO", drawMoveToolbox},
        {"~PAUZE.ICO", drawPause},
    };
    const auto drawing = drawings.find(upper(name));
    return drawing == drawings.end() ? QPixmap() : drawing->second();
}

// Any other icon: a rounded square with the name's first letter.
QPixmap drawLetterIcon(const std::string& name) {
    const std::size_t hash = std::hash<std::string>{}(upper(name));
    return painted(16, [&](QPainter& p) {
        p.setRenderHint(QPainter::Antialiasing);
        p.setBrush(QColor::fromHsv(static_cast<int>(hash % 360), 160, 200));
        p.setPen(QColor(40, 40, 40));
        p.drawRoundedRect(QRectF(0.5, 0.5, 15, 15), 3, 3);
        const std::string bare = name[0] == '~' ? name.substr(1) : name;
        QFont font("Liberation Sans");
        font.setPixelSize(11);
        font.setBold(true);
        p.setFont(font);
        p.setPen(Qt::white);
        p.drawText(QRect(0, 0, 16, 16), Qt::AlignCenter, toQString(bare.substr(0, 1)).toUpper());
    });
}

}  // namespace

namespace {

PictureFrames still(const QPixmap& picture) { return {{picture, std::chrono::milliseconds(0)}}; }

// The picture the layer draws for a "~" name; none for a name it has no drawing of.
QPixmap drawnPicture(const std::string& name) {
    static std::map<std::string, QPixmap> drawn;
    if (const auto it = drawn.find(name); it != drawn.end()) return it->second;
    QPixmap picture = drawSymbol(name);
    if (picture.isNull()) picture = drawNamedIcon(name);
    return drawn[name] = picture;
}

// A "~" name is the program's own picture: one the layer draws, else its
// file, else a letter on a square.
PictureFrames builtIn(const std::string& name) {
    if (const QPixmap picture = drawnPicture(name); !picture.isNull()) return still(picture);
    if (PictureFrames file = pictureFileFrames(programPictureFile(name)); !file.empty()) return file;
    static std::map<std::string, QPixmap> letters;
    const auto it = letters.find(name);
    return still(it != letters.end() ? it->second : letters[name] = drawLetterIcon(name));
}

// A name of no file the program draws under "~" takes that drawing.
PictureFrames fileOrDrawing(const std::string& name) {
    if (PictureFrames file = pictureFileFrames(name); !file.empty()) return file;
    const QPixmap picture = drawnPicture("~" + name);
    return picture.isNull() ? PictureFrames{} : still(picture);
}

}  // namespace

std::string programPictureFile(std::string_view name) {
    if (!name.starts_with('~') || !plainFileName(name.substr(1))) return {};
    return folderBesideProgram("resources", "TABLOOM_RESOURCES") + "/" + std::string(name.substr(1));
}

QIcon iconFor(const std::string& name) {
    const QPixmap picture = pictureFor(name);
    return picture.isNull() ? QIcon() : QIcon(picture);
}

QPixmap pictureFor(const std::string& name) {
    const PictureFrames frames = picturesFor(name);
    return frames.empty() ? QPixmap() : frames.front().picture;
}

PictureFrames picturesFor(const std::string& name) {
    if (name.empty()) return {};
    return name[0] == '~' ? builtIn(name) : fileOrDrawing(name);
}

namespace {

const std::map<int, Long>& namedKeys() {
    static const std::map<int, Long> named = {
        {Qt::Key_Tab, 0x09},    {Qt::Key_Backtab, 0x09}, {Qt::Key_Return, 0x0D}, {Qt::Key_Enter, 0x0D},
        {Qt::Key_Escape, 0x1B}, {Qt::Key_Space, 0x20},   {Qt::Key_PageUp, 0x21}, {Qt::Key_PageDown, 0x22},
        {Qt::Key_End, 0x23},    {Qt::Key_Home, 0x24},    {Qt::Key_Left, 0x25},   {Qt::Key_Up, 0x26},
        {Qt::Key_Right, 0x27},  {Qt::Key_Down, 0x28},    {Qt::Key_Insert, 0x2D}, {Qt::Key_Delete, 0x2E},
        {Qt::Key_Backspace, 0x08}};
    return named;
}

}  // namespace

Long keyCodeOf(int qtKey, Qt::KeyboardModifiers modifiers) {
    Long code = 0;
    if (qtKey >= Qt::Key_F1 && qtKey <= Qt::Key_F24) code = 0x70 + (qtKey - Qt::Key_F1);
    else if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z) code = 'A' + (qtKey - Qt::Key_A);
    else if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9) code = '0' + (qtKey - Qt::Key_0);
    else {
        auto it = namedKeys().find(qtKey);
        if (it == namedKeys().end()) return 0;
        code = it->second;
    }
    if (modifiers & Qt::ShiftModifier) code += 0x100;
    if (modifiers & Qt::ControlModifier) code += 0x200;
    if (modifiers & Qt::AltModifier) code += 0x400;
    return code;
}

char letterOf(Long keyCode) {
    const Long key = keyCode & 0xFF;
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') ? static_cast<char>(key) : 0;
}

QKeySequence keySequenceOf(Long keyCode) {
    const Long key = keyCode & 0xFF;
    int qtKey = 0;
    if (key >= 0x70 && key <= 0x87) qtKey = Qt::Key_F1 + (key - 0x70);
    else if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9')) qtKey = key;
    else
        for (const auto& [qt, code] : namedKeys())
            if (code == key && qtKey == 0) qtKey = qt;
    if (qtKey == 0) return {};
    Qt::KeyboardModifiers modifiers;
    if (keyCode & 0x100) modifiers |= Qt::ShiftModifier;
    if (keyCode & 0x200) modifiers |= Qt::ControlModifier;
    if (keyCode & 0x400) modifiers |= Qt::AltModifier;
    return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(qtKey)));
}

QString typedTextOf(Long keyCode) {
    if (keyCode & (KEY::Ctrl | KEY::Alt)) return {};
    const Long key = keyCode & 0xFF;
    if (key >= 'A' && key <= 'Z') return QString(QChar(keyCode & KEY::Shift ? key : key + 32));
    if (key >= '0' && key <= '9') return QString(QChar(key));
    switch (key) {
        case KEY::Space: return " ";
        case KEY::Enter: return "\r";
        case KEY::Tab: return "\t";
        case KEY::Esc: return "\x1b";
        default: return {};
    }
}

QString withoutMnemonic(const std::string& text) { return toQString(textWithoutMnemonic(text)); }

std::string textWithoutMnemonic(std::string_view text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '&') {
            if (i + 1 < text.size() && text[i + 1] == '&') out += '&', ++i;
            continue;
        }
        out += text[i];
    }
    return out;
}

char mnemonicOf(std::string_view text) {
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != '&') continue;
        if (text[i + 1] != '&') return upperChar(text[i + 1]);
        ++i;
    }
    return 0;
}

}  // namespace platform
