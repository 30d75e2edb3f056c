// The style manager's message box: one call of Message, built at run time
// in the empty window P44$MSGWIN and styled like any window under the
// procedure name "~ZelRestyleMessage~".
//
// The text breaks into lines at "|" or a line feed (a carriage return just
// before the break is dropped; an empty text is one empty line). The
// buttons are a mask of standard buttons when the text is all digits (the
// captions translated, each returning its bit), else captions separated by
// "|" (as given, returning their place); none is one translated "OK"
// returning 1. The default is a button's place, 0 counting as 1; one past
// the last button puts the focus on the first.
//
// Layout in dialog units (a measure rounded up to whole units, so that
// nothing is cut), from the widest line (TW, its height TH), the
// number of lines NL, the widest button (BW, at least 45, its height BH),
// the number of buttons NB and the icon's room I (32 with an icon, else 0):
// the icon at (8, 8, 24, 24); lines at x I + 8, one under another from
// y T + 8, where T centres them on the icon when the icon is the higher;
// buttons all BW wide in a row at y H - BH - 16, the row centred when the
// text is the wider. Every control is registered with its text as label
// and description, the window as "~ZelRestyleMessage~". The box is measured
// and laid out so again after each pass of its styling, in the fonts the
// pass gave (a pass fixes the sizes the box opened with), and that layout is
// its restyle object's opening geometry from then on. A line wider than the
// desktop allows is wrapped at a blank into rows, each taking a line's place.
//
// Only the box's buttons answer it, with their value; a button with the
// standard close action (the custom title bar's) and the window's close box
// end it with 0; other controls end nothing. Arrow keys on a button move
// the focus to the previous or next one, Enter presses the focused one;
// Escape presses Cancel, or the OK of a box with OK alone, and does nothing
// on any other box.
#pragma once

#include "platform/data/Queue.h"
#include "platform/data/Record.h"
#include "platform/ui/WindowSpec.h"

#include <string>
#include <string_view>
#include <vector>

namespace platform {
class Window;
}
class ZelRestyleClass;
class ZelStylemanagerClass;

// The standard buttons' captions, in the order of their bits 1, 2, 4 ... 128.
inline constexpr std::string_view kStandardButtonCaptions[] = {"OK",      "&Yes",    "&No",     "&Abort",
                                                               "&Retry", "&Ignore", "&Cancel", "&Help"};

// The box's empty window; every control is created at run time.
platform::WindowSpec P44_MSGWIN();

// The controls of one box, in CONTROLEQUATE order.
#define BUTTONQUEUE_FIELDS(X)            \
    X(platform::Long, CONTROLEQUATE)     \
    X(platform::Byte, CONTROLNUMBER)     \
    X(platform::Byte, CONTROLTYPE)       \
    X(platform::Byte, RETURNVALUE)
struct BUTTONQUEUERecord {
    TABLOOM_RECORD(BUTTONQUEUERecord, "", BUTTONQUEUE_FIELDS)
};

class StyledMessageBox {
public:
    StyledMessageBox(ZelStylemanagerClass& manager, platform::Window& window, ZelRestyleClass& restyle);

    // Opens the box, lays it out, styles it and waits for the answer: the
    // value of the button pressed, 0 when the box closed otherwise. The
    // window is left open.
    platform::Long Run(const std::string& text, const std::string& caption, const std::string& icon,
                       const std::string& buttons, platform::Long defaultButton);
    // After a pass of its styling (the style manager's RestyleClassCreated).
    void relayOut();

private:
    // While it lives, the style manager finds the box by its restyle object.
    class LaidOutAfterPasses {
    public:
        LaidOutAfterPasses(ZelStylemanagerClass& manager, const ZelRestyleClass& restyle, StyledMessageBox& box);
        ~LaidOutAfterPasses();
        LaidOutAfterPasses(const LaidOutAfterPasses&) = delete;
        LaidOutAfterPasses& operator=(const LaidOutAfterPasses&) = delete;

    private:
        ZelStylemanagerClass& manager_;
        const ZelRestyleClass& restyle_;
    };

    struct Button {
        std::string caption;
        platform::Byte value;
        platform::Long standard = 0;  // a standard button's bit; 0 for a caption of the list
    };
    std::vector<Button> buttonsOf(std::string_view buttons);
    void addLines(std::string_view text);
    void addButtons(std::string_view buttons);
    // Creates the control and enters it in BUTTONQUEUE; its size is natural.
    platform::Long addControl(platform::Long type, platform::Byte number, platform::Byte value,
                              const std::string& text);
    // TW, TH, BW, BH and the rows of text, the lines wrapped where they must be.
    void measure();
    platform::Long naturalUnits(platform::Long control, platform::Long side);
    platform::Long widestLine() const;
    void wrap(platform::Long control, platform::Long widest);
    std::size_t fittingLength(platform::Long control, const std::string& text, platform::Long widest);
    platform::Long rowsOf(platform::Long control) const;
    // Places the lines and buttons and sizes the window.
    void layOut();
    void placeControls(platform::Long height, platform::Long textOffset, platform::Long rowOffset);
    void registerControls();
    // The button at that place, 0 for none.
    platform::Long buttonAt(platform::Long place);
    // Escape answers as the layer's box does (EscapeButton.h): true when it
    // ends the box, `result` then holding the value.
    bool takeEscape(platform::Long& result) const;
    // True when the event ends the box; `result` (0 until a button is
    // pressed) then holds its value.
    bool takeEvent(platform::Long& result);

    ZelStylemanagerClass& manager_;
    platform::Window& window_;
    ZelRestyleClass& restyle_;
    platform::Queue<BUTTONQUEUERecord> BUTTONQUEUE;
    std::vector<Button> buttons_;
    std::vector<std::string> lines_;  // each line's text, unwrapped
    platform::Long I = 0, TW = 0, TH = 0, NL = 0, BW = 0, BH = 0, NB = 0;
    platform::Long rows_ = 0;  // NL with a row for each of a wrapped line's
    platform::Long defaultButton_ = 1;
};
