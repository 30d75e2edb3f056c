// P22$AGENTWINDOW: the agent window thread's window, never shown. The thread
// alone talks to the character engine (its control ?AGENTOLECONTROL stands
// for it): each private event the commands post becomes one engine call.
// Init starts the thread, Kill ends it.
#include "assistant/AgentEvents.h"
#include "assistant/AssistantClass.h"
#include "assistant/Mentavo.h"

#include "platform/agent/CharacterEngine.h"
#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"

#include <optional>

using namespace platform;

namespace {

constexpr const char* kEngineName = "Tabloom.CharacterEngine";
// Hundredths between looks at whether a pause that held requests is over.
constexpr Long kPauseLook = 10;
constexpr std::size_t kTextRoom = 499;

WindowSpec agentWindow() {
    return {.label = "P22$AGENTWINDOW",
            .title = "Agent",
            .at = {0, 0, 40, 40},
            .hidden = true,
            .controls = {{.type = CREATE::ole, .label = "?AGENTOLECONTROL", .at = {0, 0, 40, 40}}}};
}

bool answeredInPause(Long event) {
    return event == AGENT::Load || event == AGENT::Unload || event == AGENT::Left || event == AGENT::Top;
}

agent::CharacterEngine& engine() { return agent::CharacterEngine::instance(); }

std::string requestText(agent::RequestId id) { return numberText(static_cast<double>(id)); }

// Each CR LF becomes a pause of `delay` ms for every character since the line
// break before it, and a CR; the positions are those of the text as given. A
// code that would not fit whole is left out with all after it.
std::string withPauses(const std::string& text, Long delay) {
    std::string out;
    std::size_t last = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::string piece(1, text[i]);
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            const std::size_t position = i + 1;
            piece = "\\Pau=" + numberText(static_cast<double>((position - last) * static_cast<std::size_t>(delay))) +
                    "\\\r";
            last = position;
            ++i;
        }
        if (out.size() + piece.size() > kTextRoom) break;
        out += piece;
    }
    return out;
}

}  // namespace

// ---- the thread ------------------------------------------------------------------

// After Kill the thread's number stays: the agent is not started again.
void AssistantClass::Init(const std::string&, const std::string& name) {
    if (INITIALIZED != 0 || AGENTWINDOWTHREAD != 0) return;
    if (!clip(name).empty()) AGENTNAME = name;
    LoadSettings();
    BUFFERAGENTEVENT.fill(BUFFERAGENTEVENTRecord{});
    BUFFERPOS = BUFFERINDEX = 1;
    REQUESTSINBUFFER = 0;
    requestsHeld = 0;
    AGENTWINDOWTHREAD = START([this] { AgentWindow(); });
    if (AGENTWINDOWTHREAD == 0) return;
    POST(EVENT::OpenWindow, 0, AGENTWINDOWTHREAD);
    Scheduler::instance().waitUntil([this] { return INITIALIZED != 0; });
    INITIALIZED = 1;
    LoadCharacter({}, {});
}

void AssistantClass::Kill() {
    if (INITIALIZED == 0) return;
    if (TRAINFILEOPEN == 1) AGNTFILE.close();
    if (AGENTLOADED != 0) UnloadCharacter();
    POST(EVENT::CloseWindow, 0, AGENTWINDOWTHREAD);
    Scheduler::instance().waitUntil([this] { return INITIALIZED != 1; });
}

// However the window closes, the character goes with it.
void AssistantClass::AgentWindow() {
    Window window(agentWindow());
    window.open();
    AGENTSERVER = kEngineName;
    while (window.accept()) takeAgentEvent(window);
    window.close();
    if (AGENTLOADED != 0) unloadInEngine();
    INITIALIZED = 0;
}

// ---- the loop ----------------------------------------------------------------------

// During a pause only loading, unloading and the position reads are carried
// out; a ring event is held and its slot waits. Once the pause is over the
// held slots go first, in order, on the next request or timer tick.
void AssistantClass::takeAgentEvent(Window& window) {
    const Long event = window.event();
    if (event == EVENT::OpenWindow) {
        INITIALIZED = 1;
    } else if (event == EVENT::Timer) {
        if (AGENTPAUZE != 0) return;
        window.setProperty(0, PROP::Timer, 0);
        carryOutHeld();
    } else if (AGENT::isRequest(event)) {
        takeRequest(window, event);
    }
}

void AssistantClass::takeRequest(Window& window, Long event) {
    if (AGENT::isRing(event)) ++requestsHeld;
    if (AGENTPAUZE == 0) {
        carryOutHeld();
    } else if (!answeredInPause(event)) {
        if (AGENT::isRing(event)) window.setProperty(0, PROP::Timer, kPauseLook);
        return;
    }
    if (!AGENT::isRing(event)) carryOut(event);
}

void AssistantClass::carryOutHeld() {
    for (; requestsHeld > 0; --requestsHeld) {
        carryOutSlot(BUFFERAGENTEVENT[static_cast<std::size_t>(BUFFERINDEX - 1)]);
        markRequestDone();
    }
}

// ---- the requests ------------------------------------------------------------------

void AssistantClass::carryOut(Long event) {
    auto& e = engine();
    const std::string name = AGENTNAME.str();
    // The id a slot kept; none: 0.
    const auto stopRequest = [this] { return static_cast<agent::RequestId>(leadingNumber(clip(STOPREQUEST.view()))); };
    switch (event) {
        case AGENT::Load: return loadInEngine();
        case AGENT::Unload: return unloadInEngine();
        case AGENT::Show:
            e.show(name, FASTANIMATIONS != 0);
            FASTANIMATIONS = 0;
            VISIBLE = 1;
            return;
        case AGENT::Hide:
            e.hide(name, FASTANIMATIONS != 0);
            FASTANIMATIONS = 0;
            VISIBLE = 0;
            return;
        case AGENT::Height: return e.setHeight(name, HEIGHT);
        case AGENT::Width: return e.setWidth(name, WIDTH);
        case AGENT::Activate: return e.activate(name, ACTIVATESTATUS);
        case AGENT::Wait: e.wait(name, stopRequest()); return;
        case AGENT::Interrupt: e.interrupt(name, stopRequest()); return;
        case AGENT::Stop: return e.stop(name, stopRequest());
        case AGENT::StopAll:
            if (!clip(STOPTYPE.view()).empty()) return e.stopAll(name, clip(STOPTYPE.view()));
            e.stopAll(name);
            e.play(name, "RestPose");
            return;
        case AGENT::ShowDefaultCharacterProperties: return e.showDefaultCharacterProperties();
        case AGENT::Left: XPOS = e.left(name); return;
        case AGENT::Top: YPOS = e.top(name); return;
        case AGENT::Language: return e.setLanguage(name, LANGUAGEID);
        default: return;
    }
}

// The load's result is not looked at: AGENTLOADED is what callers wait for.
void AssistantClass::loadInEngine() {
    auto& e = engine();
    const std::string name = AGENTNAME.str();
    e.load(name, AGENTFILENAME.str());
    e.setLanguage(name, LANGUAGEID);
    HEIGHT = e.height(name);
    WIDTH = e.width(name);
    const std::string speed = SPEAKSPEED > 0 ? "\\spd=" + numberText(SPEAKSPEED) + "\\" : "";
    AGENTREQUEST = requestText(e.speak(name, "\\Rst\\" + speed));
    AGENTLOADED = 1;
}

void AssistantClass::unloadInEngine() {
    engine().unload(AGENTNAME.str());
    AGENTLOADED = 0;
    VISIBLE = 0;
}

// The slot's own code says what it asks, whatever event brought it.
void AssistantClass::carryOutSlot(BUFFERAGENTEVENTRecord& slot) {
    auto& e = engine();
    const std::string name = AGENTNAME.str();
    agent::RequestId id = 0;
    switch (AGENT::slotEvent(slot.EVENT)) {
        case AGENT::Speak: {
            if (SPEAKDELAY > 0) slot.STRINGVALUE = withPauses(clip(slot.STRINGVALUE.view()), SPEAKDELAY);
            const std::string text = slot.STRINGVALUE.str();
            id = e.speak(name, NOVOICE != 0 ? "\\Vol=1\\\r" + text : text);
            break;
        }
        case AGENT::Think: id = e.think(name, slot.STRINGVALUE.str()); break;
        case AGENT::MoveTo: {
            clampToDesktop(slot);
            const std::optional<Long> speed = slot.SPEED < 0 ? std::nullopt : std::optional<Long>(slot.SPEED);
            id = e.moveTo(name, slot.XPOS, slot.YPOS, speed);
            break;
        }
        case AGENT::GestureAt: id = e.gestureAt(name, slot.XPOS, slot.YPOS); break;
        case AGENT::Play: id = e.play(name, slot.STRINGVALUE.str()); break;
        default: return;
    }
    AGENTREQUEST = requestText(id);
}

void AssistantClass::clampToDesktop(BUFFERAGENTEVENTRecord& slot) {
    if (ASSISTENTBINNENBUREAUBLAD == 0) return;
    if (slot.XPOS < 0) slot.XPOS = 0;
    if (DESKTOPPLACEMENT.RIGHT > 0 && slot.XPOS > DESKTOPPLACEMENT.RIGHT - WIDTH)
        slot.XPOS = DESKTOPPLACEMENT.RIGHT - WIDTH;
    if (slot.YPOS < 0) slot.YPOS = 0;
    if (DESKTOPPLACEMENT.BOTTOM > 0 && slot.YPOS > DESKTOPPLACEMENT.BOTTOM - HEIGHT)
        slot.YPOS = DESKTOPPLACEMENT.BOTTOM - HEIGHT;
}

// The queue row goes (the first of the slot's kind: rows are carried out in
// the order they were added), the slot keeps the request's id.
void AssistantClass::markRequestDone() {
    BUFFERAGENTEVENTRecord& slot = BUFFERAGENTEVENT[static_cast<std::size_t>(BUFFERINDEX - 1)];
    Queue<BUFFERAGENTEVENTRecord>& queue = *BUFFERAGENTEVENTQUE;
    for (std::size_t row = 1; row <= queue.records(); ++row) {
        if (queue.at(row).EVENT != slot.EVENT) continue;
        queue.get(row);
        queue.remove();
        break;
    }
    slot.REQUEST = AGENTREQUEST;
    slot.DONE = 1;
    BUFFERINDEX = AGENT::nextSlot(BUFFERINDEX);
    if (REQUESTSINBUFFER > 0) --REQUESTSINBUFFER;
}
