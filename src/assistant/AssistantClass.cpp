#include "assistant/AssistantClass.h"

#include "assistant/AgentEvents.h"
#include "assistant/Mentavo.h"
#include "assistant/SettingRow.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/system/Errors.h"
#include "platform/ui/DesktopRect.h"
#include "platform/ui/Window.h"
#include "platform/ui/WindowCalls.h"

#include <algorithm>

using namespace platform;

namespace {

constexpr Long kWindowPlacementLength = 44;
constexpr const char* kCharacterSetting = "~MSAgent.Character";
constexpr const char* kButtonIcon = "~MentavoButton.ico";
constexpr const char* kButtonText = "Open de Assistent (F12)";
// The button: 10 by 10 units, 12 units in from the window's right edge.
constexpr Long kButtonInset = 12;
constexpr Long kButtonSize = 10;

const std::vector<SortKey> kByProcedure = {{"PROCEDURENAME"}};

bool modal() { return leadingNumber(SYSTEM(PROP::Modal)) != 0; }

// The row of the procedure in a queue keyed by PROCEDURENAME: true when
// found; either way the buffer holds the name.
template <class Row>
bool findProcedure(Queue<Row>& queue, const std::string& procedureName) {
    queue.rec.PROCEDURENAME = procedureName;
    return queue.get(kByProcedure);
}

template <class Row>
void putOrAdd(Queue<Row>& queue, bool found) {
    if (found)
        queue.put();
    else
        queue.add();
}

// Only a missing file is created: one that exists but does not open keeps
// its rows for someone to look at. One message a file: a file that could not
// be made is not there to open.
void openOrCreate(KeyedFile& file) {
    if (file.open(kReadWriteDenyNone)) return;
    if (ERRORCODE() != kFileNotFound) return sayFileError("Open:");
    const bool made = file.create();
    if (!made) sayFileError("Create:");
    if (!file.open(kReadWriteDenyNone) && made) sayFileError("Open:");
}

// Whether AGNTFILE holds a row of the procedure (a subject's header counts).
// Someone may be walking the file meanwhile: the look-up leaves the buffer
// and the walk as they were.
bool hasSteps(const std::string& procedureName) {
    const KeyedFile::ReadPlace place = AGNTFILE.readPlace();
    AGNTFILE.rec.PROCEDURENAME = clip(procedureName);
    const std::string wanted = AGNTFILE.rec.PROCEDURENAME.str();
    const bool found = AGNTFILE.set(AGNTFILE.KEY_PRC, AGNTFILE.KEY_PRC) && AGNTFILE.next() &&
                       clip(AGNTFILE.rec.PROCEDURENAME.view()) == wanted;
    AGNTFILE.restore(place);
    return found;
}

void placeButton(Window& window, Long button) {
    window.setProperty(button, PROP::Xpos, window.numberProperty(0, PROP::Width) - kButtonInset);
    window.setProperty(button, PROP::Ypos, 0);
    window.setProperty(button, PROP::Width, kButtonSize);
    window.setProperty(button, PROP::Height, kButtonSize);
}

}  // namespace

void AssistantClass::Construct() {
    WINDOWPLACEMENT.LENGTH = kWindowPlacementLength;
    AGENTNAME = AGENT::DefaultCharacter;
    BUFFERAGENTEVENTQUE = std::make_unique<Queue<BUFFERAGENTEVENTRecord>>();
    PROCEDURETHREADQUEUE = std::make_unique<Queue<PROCEDURETHREADQUEUERecord>>();
    MENTAVOBUTTONQUEUE = std::make_unique<Queue<MENTAVOBUTTONQUEUERecord>>();
    EVENTQUEUE = std::make_unique<Queue<EVENTQUEUERecord>>();
}

void AssistantClass::Destruct() {
    Kill();
    BUFFERAGENTEVENTQUE.reset();
    PROCEDURETHREADQUEUE.reset();
    EVENTQUEUE.reset();
    MENTAVOBUTTONQUEUE.reset();
}

// ---- settings --------------------------------------------------------------

void AssistantClass::LoadSettings() {
    if (TRAINFILEOPEN == 1) return;
    if (OWNERVARIABELE.bound() && !clip(OWNERVARIABELE.text()).empty())
        AGNTFILE.setProperty(PROP_Owner, OWNERVARIABELE.text());
    openOrCreate(AGNTFILE);
    openOrCreate(AGNTSET);
    const bool named = readSetting(kCharacterSetting) && !clip(AGNTSET.rec.VALUE.view()).empty();
    AGENTNAME = named ? clip(AGNTSET.rec.VALUE.view()) : AGENT::DefaultCharacter;
    TRAINFILEOPEN = 1;
    ReadNumberSettings();
    const ScreenRect desktop = desktopRect();
    DESKTOPPLACEMENT = {desktop.left, desktop.top, desktop.right, desktop.bottom};
}

// Each number kept in its field's width: a BYTE keeps the low 8 bits.
void AssistantClass::ReadNumberSettings(std::initializer_list<std::string_view> names) {
    const struct {
        const char* setting;
        AnyRef field;
        Long missing;
    } settings[] = {
        {"SpeakDelay", SPEAKDELAY, 0},
        {"SpeakSpeed", SPEAKSPEED, 0},
        {"Language", LANGUAGEID, 1043},
        {"AssistentBinnenBureaublad", ASSISTENTBINNENBUREAUBLAD, 1},
        {"SlowDownMousEvents", SLOWDOWNMOUSEVENTS, 25},
        {"TimeOutMouseEvent", TIMEOUTMOUSEEVENT, 10},
        {"TypeSnelheid", TYPESNELHEID, 10},
        {"UseMentavoButton", USEMENTAVOBUTTON, 1},
    };
    for (const auto& s : settings)
        if (names.size() == 0 || std::find(names.begin(), names.end(), s.setting) != names.end())
            loadNumberSetting(s.setting, s.field, s.missing);
}

void AssistantClass::PutSetting(const std::string& value, const std::string& setting) {
    const bool found = readSetting(clip(setting));
    AGNTSET.rec.VALUE = clip(value);
    if (found)
        AGNTSET.put();
    else
        AGNTSET.add();
}

// ---- the window's announcements ----------------------------------------------

void AssistantClass::InitWindow(const std::string& procedureName) {
    PROCEDURENAME = procedureName;
    rememberThread(procedureName, static_cast<Byte>(THREAD()));
    Window* window = TARGET();
    if (window) {
        for (Long key : {TRAINMODEKEY, ACTIVATEALERTKEY, PLAYAGENTALERTKEY, PLAYCONTROLKEY}) window->alert(0, key);
        if (window->numberProperty(0, PROP::Resize) != 0) window->setProperty(0, PROP::Imm, 1);
    }
    if (TRAINFILEOPEN == 0) LoadSettings();
    if (window) addButton(*window, procedureName);
}

Byte AssistantClass::threadOf(const std::string& procedureName) {
    return findProcedure(*PROCEDURETHREADQUEUE, procedureName) ? PROCEDURETHREADQUEUE->rec.THREAD : 0;
}

void AssistantClass::rememberThread(const std::string& procedureName, Byte thread) {
    const bool found = findProcedure(*PROCEDURETHREADQUEUE, procedureName);
    PROCEDURETHREADQUEUE->rec.THREAD = thread;
    putOrAdd(*PROCEDURETHREADQUEUE, found);
}

// The button's row is written whether or not a button is made, so a window
// opened again without one never takes the number of the old one.
void AssistantClass::addButton(Window& window, const std::string& procedureName) {
    Long button = 0;
    if (USEMENTAVOBUTTON != 0 && !modal() && hasSteps(procedureName)) {
        MENTAVOBUTTONCONTROL = window.create({.type = CREATE::button});
        button = MENTAVOBUTTONCONTROL;
    }
    const bool found = findProcedure(*MENTAVOBUTTONQUEUE, procedureName);
    MENTAVOBUTTONQUEUE->rec.CONTROLEQUATE = button;
    putOrAdd(*MENTAVOBUTTONQUEUE, found);
    if (button == 0) return;
    placeButton(window, button);
    window.setProperty(button, PROP::Text, "");
    window.setProperty(button, PROP::Icon, kButtonIcon);
    window.setProperty(button, PROP::Msg, kButtonText);
    window.setProperty(button, PROP::Tip, kButtonText);
    window.setProperty(button, PROP::Scroll, 1);
    window.setProperty(button, PROP::Skip, 1);
    window.setProperty(button, PROP::Flat, 1);
    window.setProperty(button, PROP::Hide, 0);
}

// The procedure's button number names a control of this window only when
// that control is an assistant button: another window of the procedure, or
// the restyle engine, may have put another control under the number.
Long AssistantClass::buttonOf(Window& window, const std::string& procedureName) {
    if (!findProcedure(*MENTAVOBUTTONQUEUE, procedureName)) return 0;
    const Long button = MENTAVOBUTTONQUEUE->rec.CONTROLEQUATE;
    const bool ours = button != 0 && window.numberProperty(button, PROP::Type) == CREATE::button &&
                      window.property(button, PROP::Icon) == kButtonIcon;
    return ours ? button : 0;
}

void AssistantClass::TakeWindowClosed(const std::string& procedureName) {
    rememberThread(procedureName, 0);
    if (INITIALIZED == 0) return;
    StopAll("");
    Hide(0);
}

void AssistantClass::TakeAlertKey(const std::string& procedureName, Long windowHandle) {
    if (ACTIVATERECORDEVENTS != RECORDER::Off || modal()) return;
    const Long key = KEYCODE();
    const auto act = [&](auto action) {
        SetProcedure(procedureName, windowHandle);
        action();
        SETKEYCODE(0);
    };
    if (key == TRAINMODEKEY)
        act([this] { ToggleTrainMode(); });
    else if (key == ACTIVATEALERTKEY)
        act([this] { Train(); });
    else if (key == PLAYAGENTALERTKEY)
        act([this] { KiesOnderwerp(); });
    else if (key == PLAYCONTROLKEY)
        act([this] { TogglePlayControl(); });
}

// ---- events --------------------------------------------------------------------

void AssistantClass::TakeEvent(const std::string& procedureName, Long windowHandle) {
    Window* window = TARGET();
    if (!window) return;
    if (PLAYBACKEVENTS != 0) {
        if (!replayAwaited(*window)) return;
        SetProcedure(procedureName, windowHandle);
        TakeWindowPosition(PROCEDUREWINDOWHANDLE);
        ACTIVATERECORDEVENTS = RECORDER::Off;
        ReplayEvent(procedureName, windowHandle);
    } else if (ACTIVATERECORDEVENTS != RECORDER::Off) {
        takeRecorderEvent(*window, procedureName, windowHandle);
    } else if (USEMENTAVOBUTTON != 0) {
        takeButtonEvent(*window, procedureName, windowHandle);
    }
}

bool AssistantClass::replayAwaited(const Window& window) const {
    return window.event() == EVENT_ReplayRecorded && awaitedReplay != 0 && window.field() == awaitedReplay;
}

void AssistantClass::takeRecorderEvent(Window& window, const std::string& procedureName, Long windowHandle) {
    switch (ACTIVATERECORDEVENTS) {
        case RECORDER::Finished:
            ACTIVATERECORDEVENTS = RECORDER::Off;
            Train();
            return;
        case RECORDER::Requested:
            ACTIVATERECORDEVENTS = RECORDER::Recording;
            startEventTimer();
            break;
        case RECORDER::Recording: break;
        default: return;
    }
    if (KEYCODE() == TRAINMODEKEY) return stopRecording();
    switch (window.event()) {
        case EVENT::LoseFocus:
        case EVENT::GainFocus:
        case EVENT::Suspend:
        case EVENT::Resume:
        case EVENT_ReplayRecorded: return;  // a replay nobody waits for any more
        default: RecordEvent(procedureName, windowHandle);
    }
}

void AssistantClass::startEventTimer() {
    EVENTTIME = CLOCK();
    if (Window* window = TARGET()) window->setProperty(0, PROP::Imm, 1);
}

void AssistantClass::stopRecording() {
    if (EVENTWINDOWTHREAD != 0) POST(EVENT::CloseWindow, 0, EVENTWINDOWTHREAD);
    ACTIVATERECORDEVENTS = RECORDER::Off;
}

void AssistantClass::takeButtonEvent(Window& window, const std::string& procedureName, Long windowHandle) {
    const Long event = window.event();
    if (event != EVENT::Accepted && event != EVENT::Sized) return;
    const Long button = buttonOf(window, procedureName);
    if (button == 0) return;
    if (event == EVENT::Sized) return placeButton(window, button);
    if (window.field() != button) return;
    SetProcedure(procedureName, windowHandle);
    KiesOnderwerp();
}

// ---- windows and places ---------------------------------------------------------

void AssistantClass::SetProcedure(const std::string& procedureName, Long windowHandle) {
    PROCEDURENAME = clip(procedureName);
    PROCEDUREWINDOWHANDLE = windowHandle;
}

void AssistantClass::SetWindowPosition(Long x, Long y) {
    WINDOWPOSX = x;
    WINDOWPOSY = y;
}

void AssistantClass::TakeWindowPosition(Long windowHandle) {
    RECT rect;
    if (!GetWindowRect(windowHandle, rect)) return;
    WINDOWPOSX = rect.left;
    WINDOWPOSY = rect.top;
}

void AssistantClass::TakeApplicationWindow(Long windowHandle) {
    ACTIVEWINDOW = windowHandle;
    const Point origin = windowOrigin(windowHandle);
    APPLICATIONPOSX = origin.X;
    APPLICATIONPOSY = origin.Y;
}

bool AssistantClass::TakeWindowPlacement(Long windowHandle) {
    platform::WINDOWPLACEMENT read;
    if (!GetWindowPlacement(windowHandle, read)) return false;
    WINDOWPLACEMENT = {WINDOWPLACEMENT.LENGTH,
                       static_cast<Long>(read.flags),
                       static_cast<Long>(read.showCmd),
                       {read.ptMinPosition.x, read.ptMinPosition.y},
                       {read.ptMaxPosition.x, read.ptMaxPosition.y},
                       {read.rcNormalPosition.left, read.rcNormalPosition.top, read.rcNormalPosition.right,
                        read.rcNormalPosition.bottom}};
    return true;
}

AssistantFields::Point AssistantClass::windowOrigin(Long windowHandle) {
    if (!TakeWindowPlacement(windowHandle)) return {};
    const Window* current = TARGET();
    const bool frameMaximised = WINDOWPLACEMENT.SHOWCMD == static_cast<Long>(SW_SHOWMAXIMIZED) && current &&
                                current->numberProperty(0, PROP::Type) == CREATE::application;
    if (frameMaximised) return {};
    return {WINDOWPLACEMENT.RCNORMALPOSITION.LEFT, WINDOWPLACEMENT.RCNORMALPOSITION.TOP};
}

void AssistantClass::ToggleTrainMode() { TRAINMODEON = TRAINMODEON == 0 ? 1 : 0; }
