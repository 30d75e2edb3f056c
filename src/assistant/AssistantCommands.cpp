// The character commands of the assistant: each asks the agent window thread
// for one action by a private event; the actions that carry data go through
// the request ring.
#include "assistant/AgentEvents.h"
#include "assistant/AssistantClass.h"

#include "platform/agent/CharacterEngine.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <filesystem>

using namespace platform;

namespace {

// GetLeft and GetTop wait while the position holds this.
constexpr Long kAsked = -9999;

void missingFile(const std::string& file, const std::string& name, const char* where) {
    MESSAGE("The Microft Agent file " + file + " for the agent " + name +
            " can not be found!|Microsoft agents will be unavaible (" + where + ")!");
}

// x * numerator / denominator added to the origin, as decimal arithmetic
// truncated toward zero gives it; nothing is added for a window without size.
Long scaled(Long origin, Long x, Long numerator, Long denominator) {
    if (denominator == 0) return origin;
    const long long exact = static_cast<long long>(origin) * denominator + static_cast<long long>(x) * numerator;
    return static_cast<Long>(exact / denominator);
}

}  // namespace

// ---- the agent ------------------------------------------------------------------

bool AssistantClass::agentStarted() {
    if (INITIALIZED == 0) Init({}, AGENTNAME.str());
    return INITIALIZED != 0;
}

void AssistantClass::postAgent(Long event) { POST(event, 0, AGENTWINDOWTHREAD); }

void AssistantClass::waitForAgent(const std::function<bool()>& done) {
    Scheduler::instance().waitUntil([&] { return done() || INITIALIZED == 0; });
}

// ---- the request ring ---------------------------------------------------------------

// Once the ring has room: the slot at BUFFERPOS gets the request's code and
// data, the queue a copy under the method's name, and the agent the event.
void AssistantClass::addRequest(Long event, const char* method,
                                const std::function<void(BUFFERAGENTEVENTRecord&)>& fill) {
    waitForAgent([this] { return REQUESTSINBUFFER < AGENT::RingSlots; });
    if (INITIALIZED == 0) return;
    BUFFERAGENTEVENTRecord& slot = BUFFERAGENTEVENT[static_cast<std::size_t>(BUFFERPOS - 1)];
    slot.EVENT = AGENT::slotCode(event);
    fill(slot);
    BUFFERAGENTEVENTQUE->rec = slot;
    BUFFERAGENTEVENTQUE->rec.REQUEST = method;
    BUFFERAGENTEVENTQUE->add();
    BUFFERPOS = AGENT::nextSlot(BUFFERPOS);
    ++REQUESTSINBUFFER;
    postAgent(event);
}

void AssistantClass::addMove(const char* method, Long x, Long y, Long speed) {
    addRequest(AGENT::MoveTo, method, [&](BUFFERAGENTEVENTRecord& slot) {
        slot.XPOS = x;
        slot.YPOS = y;
        slot.SPEED = speed;
    });
}

// ---- the character ----------------------------------------------------------------------

Byte AssistantClass::SetCharacter(const std::string& file, const std::string& name) {
    if (!agentStarted()) return 0;
    if (clip(name).empty() && clip(file).empty()) {
        MESSAGE("U heeft geen MS Agent opgegeven");
        return 0;
    }
    if (!clip(name).empty()) AGENTNAME = name;
    if (!clip(name).empty() && clip(file).empty())
        AGENTFILENAME = agent::CharacterEngine::instance().characterFile(name);
    else
        AGENTFILENAME = clip(file);
    if (!AGENTFILENAME.empty() && std::filesystem::exists(AGENTFILENAME.str())) return 1;
    missingFile(AGENTFILENAME.str(), AGENTNAME.str(), "Set");
    AGENTFILENAME = "";
    return 0;
}

void AssistantClass::LoadCharacter(const std::string& file, const std::string& name) {
    if (INITIALIZED == 0) Init(file, name);
    if (INITIALIZED == 0) return;
    if (!clip(name).empty()) AGENTNAME = name;
    if (!clip(file).empty()) AGENTFILENAME = file;
    if (clip(AGENTNAME.view()).empty()) AGENTNAME = AGENT::DefaultCharacter;
    if (AGENTFILENAME.empty()) {
        if (SetCharacter({}, AGENTNAME.str()) == 0) return;
    } else if (!std::filesystem::exists(AGENTFILENAME.str())) {
        return missingFile(AGENTFILENAME.str(), AGENTNAME.str(), "LOAD");
    }
    postAgent(AGENT::Load);
    waitForAgent([this] { return AGENTLOADED != 0; });
}

// After Kill the old thread number may be another thread's by now.
void AssistantClass::UnloadCharacter() {
    if (INITIALIZED == 0) return;
    postAgent(AGENT::Unload);
    waitForAgent([this] { return AGENTLOADED == 0; });
}

void AssistantClass::Show(Byte fast) {
    if (!agentReady()) return;
    FASTANIMATIONS = fast;
    postAgent(AGENT::Show);
}

void AssistantClass::Hide(Byte fast) {
    if (!agentReady()) return;
    FASTANIMATIONS = fast;
    postAgent(AGENT::Hide);
}

void AssistantClass::Speak(const std::string& text) {
    if (!agentReady()) return;
    addRequest(AGENT::Speak, "Speak", [&](BUFFERAGENTEVENTRecord& slot) { slot.STRINGVALUE = clip(text); });
}

void AssistantClass::Think(const std::string& text) {
    if (!agentReady()) return;
    addRequest(AGENT::Think, "Think", [&](BUFFERAGENTEVENTRecord& slot) { slot.STRINGVALUE = clip(text); });
}

void AssistantClass::MoveTo(Long x, Long y, Long speed) {
    if (!agentReady()) return;
    addMove("MoveTo", x, y, speed);
}

void AssistantClass::MoveToClarionPos(Long x, Long y, Long speed, const std::string& corner) {
    if (!agentReady()) return;
    Window* window = TARGET();
    const Point origin = windowOrigin(window ? window->handle() : 0);
    const Rectangle& normal = WINDOWPLACEMENT.RCNORMALPOSITION;
    x = scaled(origin.X, x, normal.RIGHT - normal.LEFT, window ? window->numberProperty(0, PROP::Width) : 0);
    y = scaled(origin.Y, y, normal.BOTTOM - normal.TOP, window ? window->numberProperty(0, PROP::Height) : 0);
    const std::string code = clip(corner);
    if (code == "RB" || code == "RO") x -= WIDTH;
    if (code == "LO" || code == "RO") y -= HEIGHT;
    if (code != "RB" && code != "LO" && code != "RO") {
        x = AGENT::centred(x, WIDTH);
        y = AGENT::centred(y, HEIGHT);
    }
    addMove("MoveToClarionPos", x, y, speed);
}

void AssistantClass::GestureAt(Long x, Long y) {
    if (!agentReady()) return;
    addRequest(AGENT::GestureAt, "GestureAt", [&](BUFFERAGENTEVENTRecord& slot) {
        slot.XPOS = x;
        slot.YPOS = y;
    });
}

void AssistantClass::SetSize(Long height, Long width) {
    if (!agentReady()) return;
    if (height != 0) {
        HEIGHT = height;
        postAgent(AGENT::Height);
    }
    if (width != 0) {
        WIDTH = width;
        postAgent(AGENT::Width);
    }
}

// The name goes as it is: the engine ignores trailing blanks itself.
void AssistantClass::Play(const std::string& animation) {
    if (!agentReady()) return;
    addRequest(AGENT::Play, "Play", [&](BUFFERAGENTEVENTRecord& slot) { slot.STRINGVALUE = animation; });
}

void AssistantClass::Activate(Byte state) {
    if (!agentReady()) return;
    ACTIVATESTATUS = state;
    postAgent(AGENT::Activate);
}

void AssistantClass::Wait(const std::string& request) {
    if (!agentReady()) return;
    STOPREQUEST = request;
    postAgent(AGENT::Wait);
}

void AssistantClass::Interrupt(const std::string& request) {
    if (!agentReady()) return;
    STOPREQUEST = request;
    postAgent(AGENT::Interrupt);
}

void AssistantClass::Stop(const std::string& request) {
    if (!agentReady()) return;
    STOPREQUEST = request;
    postAgent(AGENT::Stop);
}

void AssistantClass::StopAll(const std::string& type) {
    if (!agentReady()) return;
    STOPTYPE = type;
    postAgent(AGENT::StopAll);
}

void AssistantClass::ShowDefaultCharacterProperties() {
    if (!agentReady()) return;
    postAgent(AGENT::ShowDefaultCharacterProperties);
}

Byte AssistantClass::IsVisible() { return VISIBLE; }

Long AssistantClass::GetLeft() {
    if (!agentReady()) return 0;
    XPOS = kAsked;
    postAgent(AGENT::Left);
    waitForAgent([this] { return XPOS != kAsked; });
    return XPOS;
}

Long AssistantClass::GetTop() {
    if (!agentReady()) return 0;
    YPOS = kAsked;
    postAgent(AGENT::Top);
    waitForAgent([this] { return YPOS != kAsked; });
    return YPOS;
}
