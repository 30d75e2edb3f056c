#include "stylemanager/StyledMessageBox.h"

#include "platform/message/EscapeButton.h"
#include "platform/message/Message.h"
#include "platform/ui/DesktopRect.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"
#include "restyle/RestyleRows.h"
#include "restyle/ZelRestyleClass.h"
#include "stylemanager/ZelStylemanagerClass.h"

#include <algorithm>

using platform::Byte;
using platform::Long;
namespace CREATE = platform::CREATE;
namespace EVENT = platform::EVENT;
namespace KEY = platform::KEY;
namespace PROP = platform::PROP;

namespace {

constexpr Byte kLine = 1;
constexpr Byte kButton = 2;
constexpr Long kLeastButtonWidth = 45;
constexpr Long kIconRoom = 32;
constexpr platform::Rect kIconPlace{8, 8, 24, 24};

// "|" or a line feed ends a line, a carriage return before either dropped.
std::vector<std::string> messageLines(std::string_view text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = std::min(text.find('|', start), text.find('\n', start));
        std::string_view line = text.substr(start, end == text.npos ? text.npos : end - start);
        if (end != text.npos && line.ends_with('\r')) line.remove_suffix(1);
        lines.emplace_back(line);
        if (end == text.npos) return lines;
        start = end + 1;
    }
}

bool allDigits(std::string_view text) { return std::all_of(text.begin(), text.end(), platform::isDigit); }

// Only the low eight bits of a mask are buttons: its value modulo 256,
// however many digits it has.
unsigned lowByte(std::string_view digits) {
    unsigned value = 0;
    for (const char digit : digits) value = (value * 10 + static_cast<unsigned>(digit - '0')) % 256;
    return value;
}

}  // namespace

platform::WindowSpec P44_MSGWIN() {
    return {.label = "P44$MSGWIN", .title = "Message", .fontName = "ms sans serif", .at = {0, 0, 100, 40}};
}

StyledMessageBox::StyledMessageBox(ZelStylemanagerClass& manager, platform::Window& window, ZelRestyleClass& restyle)
    : manager_(manager), window_(window), restyle_(restyle) {}

Long StyledMessageBox::Run(const std::string& text, const std::string& caption, const std::string& icon,
                           const std::string& buttons, Long defaultButton) {
    const LaidOutAfterPasses laidOut(manager_, restyle_, *this);
    window_.open();
    window_.setProperty(0, PROP::Buffer, 1);
    window_.alert(0, KEY::Esc);
    defaultButton_ = defaultButton == 0 ? 1 : defaultButton;
    window_.setProperty(0, PROP::Text, "");
    addLines(text);
    if (!caption.empty()) window_.setProperty(0, PROP::Text, caption);
    addButtons(buttons);
    if (!icon.empty()) {
        window_.create({.type = CREATE::image, .label = "?Icon", .text = icon, .at = kIconPlace});
        I = kIconRoom;
    }
    layOut();
    registerControls();
    window_.center();
    manager_.RestyleMessageWindow(window_, restyle_);
    platform::SETCURSOR();
    Long result = 0;
    while (window_.accept())
        if (takeEvent(result)) break;
    return result;
}

void StyledMessageBox::relayOut() {
    layOut();
    restyle_.relaidOut();
    window_.center();
}

StyledMessageBox::LaidOutAfterPasses::LaidOutAfterPasses(ZelStylemanagerClass& manager, const ZelRestyleClass& restyle,
                                                         StyledMessageBox& box)
    : manager_(manager), restyle_(restyle) {
    manager_.messageBoxes_[&restyle_] = &box;
}

StyledMessageBox::LaidOutAfterPasses::~LaidOutAfterPasses() { manager_.messageBoxes_.erase(&restyle_); }

void StyledMessageBox::addLines(std::string_view text) {
    for (const std::string& line : messageLines(text)) {
        lines_.push_back(line);
        const Long n = addControl(CREATE::string, static_cast<Byte>(++NL), 0, line);
        window_.setProperty(n, PROP::Trn, 1);
    }
}

std::vector<StyledMessageBox::Button> StyledMessageBox::buttonsOf(std::string_view buttons) {
    const auto translated = [this](std::string_view caption) { return manager_.TRANSLATOR.TranslateString(caption); };
    if (buttons.empty()) return {{translated(kStandardButtonCaptions[0]), 1, platform::BUTTON_OK}};
    std::vector<Button> out;
    if (allDigits(buttons)) {
        const unsigned mask = lowByte(buttons);
        for (unsigned bit = 0; bit < std::size(kStandardButtonCaptions); ++bit)
            if (mask & (1u << bit))
                out.push_back({translated(kStandardButtonCaptions[bit]), static_cast<Byte>(1u << bit), Long{1} << bit});
        return out;
    }
    std::size_t start = 0;
    for (Byte place = 1;; ++place) {
        const std::size_t bar = buttons.find('|', start);
        out.push_back({std::string(buttons.substr(start, bar == buttons.npos ? bar : bar - start)), place});
        if (bar == buttons.npos) return out;
        start = bar + 1;
    }
}

void StyledMessageBox::addButtons(std::string_view buttons) {
    buttons_ = buttonsOf(buttons);
    for (const Button& button : buttons_) {
        const Long n = addControl(CREATE::button, static_cast<Byte>(++NB), button.value, button.caption);
        for (const Long key : {KEY::Left, KEY::Up, KEY::Right, KEY::Down}) window_.alert(n, key);
    }
}

Long StyledMessageBox::addControl(Long type, Byte number, Byte value, const std::string& text) {
    // The layer's own box labels its controls so; the restyle object knows
    // them by their texts.
    const std::string label = (type == CREATE::button ? "?Button" : "?Line") + std::to_string(number);
    const Long n = window_.create({.type = type, .label = label, .text = text});
    BUTTONQUEUE.rec.CONTROLEQUATE = n;
    BUTTONQUEUE.rec.CONTROLNUMBER = number;
    BUTTONQUEUE.rec.CONTROLTYPE = type == CREATE::button ? kButton : kLine;
    BUTTONQUEUE.rec.RETURNVALUE = value;
    BUTTONQUEUE.add({{"CONTROLEQUATE"}});
    return n;
}

// A pass may have given the lines and buttons sizes of their own (their
// opening ones): each is measured at the size its text asks for in the font
// it has now.
void StyledMessageBox::measure() {
    TW = TH = BW = BH = rows_ = 0;
    const Long widest = widestLine();
    for (std::size_t i = 1; i <= BUTTONQUEUE.records(); ++i) {
        const BUTTONQUEUERecord& row = BUTTONQUEUE.at(i);
        const Long n = row.CONTROLEQUATE;
        const platform::Rect given = window_.placement(n);  // a natural side is 0
        if (given.width != 0) window_.setProperty(n, PROP::Width, 0);
        if (given.height != 0) window_.setProperty(n, PROP::Height, 0);
        if (row.CONTROLTYPE == kButton) {
            const Long width = naturalUnits(n, PROP::Width);
            if (width > BW) BW = width, BH = naturalUnits(n, PROP::Height);
            continue;
        }
        const std::string& line = lines_[row.CONTROLNUMBER - 1];
        if (window_.property(n, PROP::Text) != line) window_.setProperty(n, PROP::Text, line);
        if (window_.numberProperty(n, PROP::Width) > widest) wrap(n, widest);
        const Long rows = rowsOf(n), width = naturalUnits(n, PROP::Width);
        rows_ += rows;
        if (width > TW) TW = width, TH = (naturalUnits(n, PROP::Height) + rows - 1) / rows;
    }
    BW = std::max(BW, kLeastButtonWidth);
}

// Rounded up, so that a size or a step in units holds the pixels whole:
// a button is as wide as its caption asks, lines do not overlap.
Long StyledMessageBox::naturalUnits(Long control, Long side) {
    const std::string units = window_.property(0, PROP::Pixels);
    window_.setProperty(0, PROP::Pixels, 1);
    const auto pixels = static_cast<int>(window_.numberProperty(control, side));
    window_.setProperty(0, PROP::Pixels, units);
    const platform::DialogUnits& du = window_.units();
    const bool across = side == PROP::Width;
    const int whole = across ? du.toUnitsX(pixels) : du.toUnitsY(pixels);
    return (across ? du.toPixelsX(whole) : du.toPixelsY(whole)) < pixels ? whole + 1 : whole;
}

// The widest a line may be for the box, with its frame and the room beside
// the text, to fit the desktop.
Long StyledMessageBox::widestLine() const {
    const platform::ScreenRect desktop = platform::desktopRect();
    const int frame = 2 * platform::GetSystemMetrics(platform::SM_CXFRAME);
    const Long client = window_.units().toUnitsX(static_cast<int>(desktop.right - desktop.left) - frame);
    return std::max<Long>(client - I - 16 - restyle_.SHIFTXPOS, 1);
}

// Into rows no wider than `widest`, each broken after its last blank that
// fits, a word wider than a row where the row is full: the line's text is
// kept whole, a line feed between its rows.
void StyledMessageBox::wrap(Long control, Long widest) {
    std::string rest = window_.property(control, PROP::Text), wrapped;
    for (;;) {
        std::size_t fits = fittingLength(control, rest, widest);
        const std::size_t blank = fits < rest.size() ? rest.rfind(' ', fits) : rest.npos;
        if (blank != rest.npos && blank > 0) fits = blank + 1;
        wrapped += rest.substr(0, fits);
        rest.erase(0, fits);
        if (rest.empty()) break;
        wrapped += '\n';
    }
    window_.setProperty(control, PROP::Text, wrapped);
}

// The longest start of `text` (one character at least) the control shows
// within `widest`, tried in the control itself.
std::size_t StyledMessageBox::fittingLength(Long control, const std::string& text, Long widest) {
    std::size_t fits = 1, tooLong = text.size() + 1;
    while (tooLong - fits > 1) {
        const std::size_t tried = (fits + tooLong) / 2;
        window_.setProperty(control, PROP::Text, text.substr(0, tried));
        (window_.numberProperty(control, PROP::Width) <= widest ? fits : tooLong) = tried;
    }
    return fits;
}

Long StyledMessageBox::rowsOf(Long control) const {
    const std::string text = window_.property(control, PROP::Text);
    return 1 + static_cast<Long>(std::count(text.begin(), text.end(), '\n'));
}

// A wrapped line takes a line's height for each of its rows.
void StyledMessageBox::layOut() {
    measure();
    const Long textHeight = rows_ * TH;
    const bool iconHigher = I + 16 > textHeight + 24;
    const Long H = iconHigher ? I + 16 + BH + 8 : textHeight + 24 + BH + 8;
    const Long T = iconHigher ? (24 - textHeight) / 2 : 0;
    const Long R = NB * (BW + 8) + 8;
    const bool textWider = I + TW + 16 > R;
    const Long W = textWider ? I + TW + 16 : R;
    const Long L = textWider ? (W - R) / 2 : 0;
    placeControls(H, T, L);
    window_.setProperty(0, PROP::Width, W);
    window_.setProperty(0, PROP::Height, H);
}

void StyledMessageBox::placeControls(Long height, Long textOffset, Long rowOffset) {
    Long rowsAbove = 0;
    for (std::size_t i = 1; i <= BUTTONQUEUE.records(); ++i) {
        const BUTTONQUEUERecord& row = BUTTONQUEUE.at(i);
        const Long n = row.CONTROLEQUATE;
        if (row.CONTROLTYPE == kButton) {
            window_.setProperty(n, PROP::Xpos, rowOffset + 8 + (row.CONTROLNUMBER - 1) * (BW + 8));
            window_.setProperty(n, PROP::Ypos, height - BH - 16);
            window_.setProperty(n, PROP::Width, BW);
        } else {
            window_.setProperty(n, PROP::Xpos, I + 8);
            window_.setProperty(n, PROP::Ypos, textOffset + 8 + rowsAbove * TH);
            rowsAbove += rowsOf(n);
        }
    }
}

// The window first, then every control in creation order by its text.
void StyledMessageBox::registerControls() {
    restyle_.AddControl(std::string(restyle::kMessageProcedure), std::string(restyle::kMessageProcedure), 0);
    for (const Long n : window_.controlNumbers()) {
        if (n <= 0) continue;
        window_.setProperty(n, PROP::Hide, 0);
        const std::string text = window_.property(n, PROP::Text);
        restyle_.AddControl(text, text, n);
    }
}

Long StyledMessageBox::buttonAt(Long place) {
    BUTTONQUEUE.rec.CONTROLTYPE = kButton;
    BUTTONQUEUE.rec.CONTROLNUMBER = static_cast<Byte>(place);
    return place >= 1 && place <= NB && BUTTONQUEUE.get({{"CONTROLTYPE"}, {"CONTROLNUMBER"}})
               ? BUTTONQUEUE.rec.CONTROLEQUATE
               : 0;
}

bool StyledMessageBox::takeEscape(Long& result) const {
    std::vector<platform::MessageButton> offered;
    for (const Button& button : buttons_) offered.push_back({button.standard, button.caption});
    const auto pressed = platform::escapeButton(offered);
    if (pressed) result = buttons_[*pressed].value;
    return pressed.has_value();
}

bool StyledMessageBox::takeEvent(Long& result) {
    if (restyle_.TakeEvent() != 0) return false;
    const Long field = window_.field();
    switch (window_.event()) {
        case EVENT::OpenWindow: {
            const Long button = buttonAt(defaultButton_) != 0 ? buttonAt(defaultButton_) : buttonAt(1);
            if (button != 0) window_.select(button);
            return false;
        }
        case EVENT::AlertKey: {
            const Long key = window_.keyCode();
            if (key == KEY::Esc) return takeEscape(result);
            if (key == KEY::Up || key == KEY::Left) platform::PRESSKEY(KEY::Tab | KEY::Shift);
            if (key == KEY::Down || key == KEY::Right) platform::PRESSKEY(KEY::Tab);
            return false;
        }
        case EVENT::Accepted:
            BUTTONQUEUE.rec.CONTROLEQUATE = field;
            if (BUTTONQUEUE.get({{"CONTROLEQUATE"}}) && BUTTONQUEUE.rec.CONTROLTYPE == kButton) {
                result = BUTTONQUEUE.rec.RETURNVALUE;
                return true;
            }
            // The custom title bar's close button ends it as the close box does, with 0.
            return window_.numberProperty(field, PROP::Std) == platform::STD::Close;
        default: return false;
    }
}
