// One step of a subject: the character shows itself, moves so that the
// step's corner of it lands on the step's point, plays its animation before
// or after speaking, and points at the point; or a recorded event is replayed
// in the window that recorded it. Timers run after each command.
#include "assistant/AgentEvents.h"
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"

#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"

using namespace platform;

namespace {

constexpr const char* kHide = "Hide";
constexpr std::size_t kReplayedText = 253;

// The point moved so that the character's corner of that code lands on it:
// "RB" top right, "MM" middle, "LO" bottom left, "RO" bottom right; any other
// code is the top left corner.
AssistantFields::Point shifted(AssistantFields::Point p, const std::string& corner, Long width, Long height) {
    if (corner == "RB") return {p.X - width, p.Y};
    if (corner == "MM") return {AGENT::centred(p.X, width), AGENT::centred(p.Y, height)};
    if (corner == "LO") return {p.X, p.Y - height};
    if (corner == "RO") return {p.X - width, p.Y - height};
    return p;
}

}  // namespace

void AssistantClass::PlayStep() {
    const AGNTFILERecord step = AGNTFILE.rec;
    PlayStep(step);
}

void AssistantClass::PlayStep(const AGNTFILERecord& step) {
    if (!clip(step.EVENTPROCEDURE.view()).empty())
        replayStep(step);
    else
        directCharacter(step);
}

void AssistantClass::directCharacter(const AGNTFILERecord& step) {
    Show(0);
    YIELD();
    const Point point{step.POSITIONX, step.POSITIONY};
    if (step.DONNOTMOVE == 0) {
        const Point corner = shifted(point, clip(step.CURSORPOSTOVAGENT.view()), WIDTH, HEIGHT);
        MoveTo(corner.X + WINDOWPOSX, corner.Y + WINDOWPOSY, step.SPEED);
        YIELD();
    }
    const bool before = step.ANIBEFOREORAFTER.view() == "B";
    if (before) animate(step, point);
    NOVOICE = step.ALLEENTEKST;
    if (!clip(step.SPEAK.view()).empty()) {
        Speak(step.SPEAK.str());
        YIELD();
    }
    if (!before) animate(step, point);
}

// The character points at the step's point itself, whichever of its corners
// was moved there.
void AssistantClass::animate(const AGNTFILERecord& step, Point pointed) {
    const std::string animation = clip(step.ANIMATE.view());
    if (animation == kHide) {
        Hide(0);
        YIELD();
        return;
    }
    if (!animation.empty()) {
        Play(step.ANIMATE.str());
        YIELD();
    }
    if (step.AANWIJSRICHTING != 0) {
        GestureAt(pointed.X + WINDOWPOSX, pointed.Y + WINDOWPOSY);
        YIELD();
    }
}

// The step's event is replayed in the window of the procedure that recorded
// it (its EVENTPROCEDURE, which need not be the subject's procedure), on that
// window's thread: the step waits for the window to open, for the character
// to finish what it does, and for the replay's ticket.
void AssistantClass::replayStep(const AGNTFILERecord& step) {
    ACTIVATERECORDEVENTS = RECORDER::Off;
    const std::string procedure = clip(step.EVENTPROCEDURE.view());
    EVENTQUEUE->clear();
    EVENTQUEUERecord& row = EVENTQUEUE->rec;
    row.PROCEDURENAME = procedure;
    row.EVENT = step.EVENT;
    row.CONTROL = step.CONTROL;
    row.XPOS = step.POSITIONX;
    row.YPOS = step.POSITIONY;
    row.VALUE = step.SPEAK.view().substr(0, kReplayedText);
    EventName(step.EVENT, row.INFO);
    const std::string info = row.INFO.str();
    Long thread = threadOf(procedure);
    if (thread == 0) {
        if (step.EVENT == EVENT::CloseWindow) return;  // its window is gone already
        thread = WaitForProcedureThread(procedure);
        if (thread == 0)
            return void(MESSAGE("Timeout!|Venster" + procedure + " is niet geopend!|Kan gebeurtenis niet afspelen...|" +
                                info));
    }
    Wait();
    PLAYBACKEVENTS = 1;
    if (!PlayRecordedRow(thread))
        MESSAGE("Muis Timeout!|Een gebeurtenis op venster" + procedure + " kan niet afgespeeld worden...|" + info);
    PLAYBACKEVENTS = 0;
}
