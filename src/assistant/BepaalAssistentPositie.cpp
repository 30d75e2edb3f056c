// The author places the character for a step: a full-screen, see-through
// frame in which the character follows the pointer; the author drops it where
// the step should stand, chooses which corner of the character the step's
// position means, and accepts or cancels through a popup menu.
#include "assistant/AgntFile.h"
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"
#include "assistant/P69_POSITIEWINDOW.h"
#include "assistant/SettingRow.h"

#include "platform/ui/PointerCalls.h"
#include "platform/ui/Popup.h"
#include "platform/ui/Window.h"

#include <array>

using namespace platform;

namespace {

constexpr const char* kFollowSetting = "~BepaalAssistentPositie.Volgmuis";
constexpr std::string_view kFollowItem = "Laat Assistent muis &volgen";
constexpr Long kTick = 1;  // a hundredth of a second

// The popup menu's items, as POPUP numbers them.
enum MenuItem : Long { Accept = 1, Cancel, Follow, Back, FirstCorner, LastCorner = FirstCorner + 4, Explain };
constexpr std::array<const char*, 5> kCorners = {"LB", "RB", "MM", "LO", "RO"};

// While the character follows, the item offers to stop it.
std::string menuText(Byte follow) {
    const std::string item = follow ? "Stop" + std::string(kFollowItem.substr(4)) : std::string(kFollowItem);
    return "Accepteer nieuwe Assistent &Positie|&Annuleer|-|" + item +
           "|Assistent terug naar &Originele positie|Cursorpositie t.o.v. Agent{Linksboven|Rechtsboven|Midden|"
           "Linksonder|Rechtsonder}|-|Herhaal &uitleg";
}

// The window and the state of one placing.
class Placing {
public:
    Placing(AssistantClass& assistant, AGNTFILERecord& step) : a_(assistant), step_(step) {}
    void run();

private:
    void toStepsPlace();
    void takeFocus();
    void takeAlertKey(Long key);
    // False: the window is done.
    bool takeMenu(Long item);
    // The step takes the pointer's point; the window is done.
    void takePosition();
    void explain();
    AssistantFields::Point stepsPoint() const {
        return {step_.POSITIONX + a_.WINDOWPOSX, step_.POSITIONY + a_.WINDOWPOSY};
    }

    AssistantClass& a_;
    AGNTFILERecord& step_;
    Window window_{P69_POSITIEWINDOW()};
    std::string corner_;
    AssistantFields::Point offset_;
    AssistantFields::Point seen_;  // the pointer at the previous tick
    Byte follow_ = 0;
    bool focusLost_ = false;  // since the window opened
    bool done_ = false;
};

void Placing::run() {
    corner_ = clip(step_.CURSORPOSTOVAGENT.view());
    offset_ = a_.CornerOffset(corner_);
    toStepsPlace();
    a_.MOUSEPOS = seen_ = stepsPoint();
    follow_ = readSetting(kFollowSetting) ? static_cast<Byte>(leadingNumber(AGNTSET.rec.VALUE.view())) : 0;
    if (follow_ == 0) explain();

    window_.open();
    for (Long key : {KEY::MouseRight, KEY::Space, KEY::MouseLeft, KEY::MouseLeft2}) window_.alert(0, key);
    window_.setProperty(0, PROP::Maximize, 1);
    window_.setProperty(0, PROP::Timer, kTick);
    a_.ShapeWindowToControls(window_.handle(), 1, -1, 0);  // the frame and the title bar stay
    SetCapture(window_.handle());
    while (!done_ && window_.accept()) {
        switch (window_.event()) {
            case EVENT::Move: window_.cycle(); break;  // the frame stays where it is
            case EVENT::GainFocus: takeFocus(); break;
            case EVENT::LoseFocus: focusLost_ = true; break;
            case EVENT::Timer: a_.followPointer(seen_, offset_); break;
            case EVENT::AlertKey: takeAlertKey(KEYCODE()); break;
            default: break;
        }
    }
    ReleaseCapture();
    window_.close();
    a_.StopAll("");
    a_.Show(0);
    a_.PutSetting(std::to_string(follow_), kFollowSetting);
}

// The character at the step's present position.
void Placing::toStepsPlace() {
    const AssistantFields::Point at = stepsPoint();
    a_.StopAll("");
    a_.Show(1);
    a_.MoveTo(at.X + offset_.X, at.Y + offset_.Y, 0);
}

// The focus the window takes as it opens would stop the explanation before
// a word of it is heard: only a return after losing it puts the character back.
void Placing::takeFocus() {
    SetCapture(window_.handle());
    if (focusLost_) toStepsPlace();
}

void Placing::takeAlertKey(Long key) {
    if (key == KEY::MouseRight || key == KEY::Space || follow_ == 1) {
        ReleaseCapture();
        if (takeMenu(POPUP(menuText(follow_)))) SetCapture(window_.handle());
    } else if (key == KEY::MouseLeft2) {
        takePosition();  // the stored corner stays
    } else if (key == KEY::MouseLeft) {
        // The character drops at the click and shows the step's animation.
        a_.readPointer();
        window_.setProperty(0, PROP::Timer, 0);
        a_.StopAll("");
        a_.Show(1);
        a_.moveToPointer(offset_);
        if (!clip(step_.ANIMATE.view()).empty()) a_.Play(step_.ANIMATE.str());
    }
}

bool Placing::takeMenu(Long item) {
    switch (item) {
        case Accept:
            step_.CURSORPOSTOVAGENT = corner_;
            takePosition();
            return false;
        case Cancel: done_ = true; return false;
        case Follow:
            a_.StopAll("");
            a_.Show(1);
            follow_ = follow_ ? 0 : 1;
            window_.setProperty(0, PROP::Timer, follow_ ? kTick : 0);
            return true;
        case Back:
            toStepsPlace();
            a_.MOUSEPOS = stepsPoint();
            return true;
        case Explain: explain(); return true;
        default:
            if (item >= FirstCorner && item <= LastCorner) {
                corner_ = kCorners[static_cast<std::size_t>(item - FirstCorner)];
                offset_ = a_.CornerOffset(corner_);
            }
            return true;
    }
}

void Placing::takePosition() {
    step_.POSITIONX = static_cast<Short>(a_.MOUSEPOS.X - a_.WINDOWPOSX);
    step_.POSITIONY = static_cast<Short>(a_.MOUSEPOS.Y - a_.WINDOWPOSY);
    done_ = true;
}

void Placing::explain() {
    a_.Play("Alert");
    for (const char* text : {"Dit is de plek waarop ik bij deze stap zal staan.",
                             "U kunt mij op een andere positie plaatsen door op de gewenste positie op de "
                             "linkermuisknop te drukken.",
                             "Door op de rechtermuisknop of op de Spatiebalk te drukken krijgt een menu te zien "
                             "waarin u de nieuwe positie kunt accepteren.",
                             "Met de ESC toets kunt u deze procedure annuleren."})
        a_.Speak(text);
}

}  // namespace

AssistantFields::Point AssistantClass::CornerOffset(const std::string& cornerCode) const {
    if (cornerCode == "RB") return {-WIDTH, 0};
    if (cornerCode == "MM") return {-WIDTH / 2, -HEIGHT / 2};  // truncated, as the halves are
    if (cornerCode == "LO") return {0, -HEIGHT};
    if (cornerCode == "RO") return {-WIDTH, -HEIGHT};
    return {0, 0};
}

void AssistantClass::readPointer() {
    POINT pointer;
    if (GetCursorPos(pointer)) MOUSEPOS = {pointer.x, pointer.y};
}

void AssistantClass::moveToPointer(Point offset) { MoveTo(MOUSEPOS.X + offset.X, MOUSEPOS.Y + offset.Y, 0); }

void AssistantClass::followPointer(Point& seen, Point offset) {
    readPointer();
    if (MOUSEPOS.X == seen.X && MOUSEPOS.Y == seen.Y) return;
    moveToPointer(offset);
    seen = MOUSEPOS;
}

void AssistantClass::BepaalAssistentPositie(AGNTFILERecord& step) { Placing(*this, step).run(); }
