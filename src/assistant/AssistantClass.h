// The agent assistant: one object for the whole program. Every window
// procedure announces its window (InitWindow) and passes it its events; the
// object hangs its hot keys on the window, gives a window whose procedure has
// steps its assistant button, knows the current procedure window and the
// thread of each, and hands events to the recorder. Its settings and steps
// live in AGNTSET and AGNTFILE (Mentavo.h).
//
// Rules:
// - Every operation runs on the calling window's thread and never waits; the
//   runtime's lock serialises the shared fields and queues.
// - None of the window operations consumes an event: the window goes on with
//   its own handling (after TakeAlertKey with KEYCODE() 0 when it took the key).
// - A procedure's button row is written at every InitWindow, 0 without a
//   button; a window acts on the number only when it names its own
//   assistant button.
// - The look-up for the button leaves AGNTFILE's buffer and walk as they were.
// - BepaalAssistentPositie and CapturePosition wait: each runs an event loop
//   of its own on the caller's thread until the author is done.
// - The character commands may be called from any thread. Each starts the
//   agent window thread (Init) when it is not running, then does nothing while
//   no character is loaded; it sets its fields and posts its event to that
//   thread, which alone talks to the character engine. Only LoadCharacter,
//   UnloadCharacter, GetLeft and GetTop wait for the answer, yielding. Speak,
//   Think, MoveTo, MoveToClarionPos, GestureAt and Play also write a slot of
//   the request ring and a row of BUFFERAGENTEVENTQUE; with the ring full the
//   caller waits, yielding, for a free slot.
// - The agent window thread carries a ring slot out as the slot's own code
//   says. While AGENTPAUZE is set it drops the requests but loading,
//   unloading, GetLeft and GetTop; the ring's wait and are carried out, in
//   order and before any later request, once the pause is over.
// - However the agent window closes, the character is unloaded with it.
//   After Kill the agent never starts again: the commands do nothing.
// - The training window (Train, Train.cpp) runs over the procedure window
//   on its thread, its subject window and its steps overview
//   (StappenWindow.cpp) too.
// - The play control (PlayControl.cpp, Shift+F12) runs on a thread of its
//   own: a toolbox that lists BUFFERAGENTEVENTQUE as it changes, sets and
//   clears AGENTPAUZE and docks in turn; its place and docking are settings
//   rows. It is the only thread in PLAYCONTROLWINDOWTHREAD.
// - The recorder (AssistantRecorder.cpp) makes a row of EVENTQUEUE of every
//   event a procedure window passes on while it records; the recording
//   window (WatchEvents.cpp) lists the rows, plays them and stores them as
//   steps; a row is replayed (AssistantReplay.cpp) by the window that
//   recorded it, on its own thread, only while the player awaits that
//   replay's ticket.
// - KiesOnderwerp (F12, the assistant button) lets the user choose one of the
//   subjects of the current procedure in a window over the caller and plays
//   it on a thread of its own (PLAYSUBJECTTHREAD). The playback reads the
//   subject's rows before it plays and each step is its own copy, so nothing
//   done with AGNTFILE meanwhile (another F12, an author window) changes it.
//   A step that replays a recorded event waits, as the recording window's
//   player does, for the window of the procedure that recorded it.
// - Two CLOCK() readings are subtracted across midnight (clockDifference).
//
// Its operations, by file (each with its helpers):
// - AssistantClass.cpp: life and settings (Construct, Destruct,
//   LoadSettings, PutSetting), the window operations (InitWindow,
//   TakeWindowClosed, TakeAlertKey, TakeEvent, TakeApplicationWindow,
//   TakeWindowPosition, SetWindowPosition, SetProcedure), the assistant
//   button and ToggleTrainMode;
// - AssistantCommands.cpp: the character commands (SetCharacter,
//   LoadCharacter, UnloadCharacter, Show, Hide, Speak, Think, MoveTo,
//   MoveToClarionPos, GestureAt, SetSize, Play, Activate, Wait, Interrupt,
//   Stop, StopAll, ShowDefaultCharacterProperties, IsVisible, GetLeft,
//   GetTop) and the request ring they fill;
// - AgentWindow.cpp: the agent window thread (Init, Kill, AgentWindow),
//   which carries the ring's requests out in the character engine;
// - KiesOnderwerp.cpp: choosing a subject (KiesOnderwerp);
// - PlaySubject.cpp: the playback thread (PlaySubjectThread, PlaySubject);
// - PlayStep.cpp: one step (PlayStep), the character directed or a recorded
//   event replayed;
// - AssistantRecorder.cpp: recording (RecordEvent, EventName,
//   ControlDescription);
// - AssistantReplay.cpp: replaying a recorded row in its window
//   (ReplayEvent, MoveWindowTo, MoveMouseTo);
// - WatchEvents.cpp: the recording window (WatchEvents, WatchEventsThread)
//   and its player (PlayRecordedRow, WaitForProcedureThread);
// - BepaalAssistentPositie.cpp: placing the character for a step
//   (BepaalAssistentPositie, CornerOffset) and the character following the
//   pointer (readPointer, moveToPointer, followPointer);
// - PlayControl.cpp: the play control (TogglePlayControl, PlayControl,
//   PlayControlThread);
// - StappenWindow.cpp: the steps overview (StappenWindow), its markers and
//   the window shaped around them in StepMarkers.cpp;
// - CapturePosition.cpp: CapturePosition;
// - ShapeWindowCorners.cpp and ShapeWindowToControls.cpp: the shapes of the
//   assistant's windows.
// Beside them: the data files (Mentavo.h: AGNTSET and AGNTFILE, with
// AgntSetFile.h, AgntFile.h and SettingRow.h), the queues' rows
// (AssistantQueues.h), the agent window's events (AgentEvents.h) and the
// structures of the windows it opens (P58_KIESONDERWERPWINDOW.h,
// P69_POSITIEWINDOW.h, P72_STAPPENWINDOW.h).
#pragma once

#include "assistant/AssistantQueues.h"
#include "platform/data/AnyRef.h"
#include "platform/text/Text.h"

#include <array>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>

namespace platform {
class Window;
}
struct AGNTFILERecord;
struct AGENTSTAPRecord;

// The private event that replays one recorded event in a window.
constexpr platform::Long EVENT_ReplayRecorded = 0xFFF;

// The recorder's states (ACTIVATERECORDEVENTS).
namespace RECORDER {
constexpr platform::Byte Off = 0, Recording = 1, Requested = 2, Finished = 3;
}

// The object's data, apart from its behaviour, so that CLEAR can put it back
// to its first state without touching what a derived class adds.
struct AssistantFields {
    struct Point {
        platform::Long X = 0, Y = 0;
    };
    struct Rectangle {
        platform::Long LEFT = 0, TOP = 0, RIGHT = 0, BOTTOM = 0;
    };
    // The system's WINDOWPLACEMENT record.
    struct WindowPlacement {
        platform::Long LENGTH = 0;
        platform::Long FLAGS = 0;
        platform::Long SHOWCMD = 0;
        Point PTMINPOSITION;
        Point PTMAXPOSITION;
        Rectangle RCNORMALPOSITION;
    };

    platform::Byte INITIALIZED = 0;
    platform::Long AGENTWINDOWTHREAD = 0;
    platform::Window* PARENTWINDOW = nullptr;
    platform::CString<255> AGENTSERVER;
    platform::CString<20> AGENTNAME;
    platform::CString<255> AGENTFILENAME;
    platform::Byte AGENTLOADED = 0;
    platform::AnyRef OWNERVARIABELE;
    platform::Long LANGUAGEID = 0;
    platform::Long XPOS = 0;
    platform::Long YPOS = 0;
    platform::Long HEIGHT = 0;
    platform::Long WIDTH = 0;
    platform::Long ACTIVEWINDOW = 0;
    platform::Long APPLICATIONPOSX = 0;
    platform::Long APPLICATIONPOSY = 0;
    platform::Byte REQUESTSINBUFFER = 0;
    std::array<platform::CString<21>, 256> REQUESTTOBECOMPLETED{};
    platform::CString<21> AGENTREQUEST;
    platform::CString<21> STOPREQUEST;
    // The request ring, slots 1..100 at [0]..[99].
    std::array<BUFFERAGENTEVENTRecord, 100> BUFFERAGENTEVENT{};
    std::unique_ptr<platform::Queue<BUFFERAGENTEVENTRecord>> BUFFERAGENTEVENTQUE;
    platform::Long BUFFERINDEX = 0;
    platform::Long BUFFERPOS = 0;
    platform::CString<14> STOPTYPE;
    platform::Byte FASTANIMATIONS = 0;
    platform::Byte ACTIVATESTATUS = 0;
    platform::Byte NOVOICE = 0;
    platform::Byte VISIBLE = 0;
    platform::CString<81> PROCEDURENAME;
    // A subject holds as many characters as AGF:ONDERWERP.
    platform::CString<51> ONDERWERP;
    platform::Long STEPNR = 0;
    platform::Long PROCEDUREWINDOWHANDLE = 0;
    platform::Byte TRAINMODEON = 0;
    platform::Byte TRAINFILEOPEN = 0;
    platform::Long WINDOWPOSX = 0;
    platform::Long WINDOWPOSY = 0;
    WindowPlacement WINDOWPLACEMENT;
    Rectangle DESKTOPPLACEMENT;
    platform::Byte PLAYCONTROLACTIVE = 0;
    platform::Byte PLAYCONTROLINITIALIZED = 0;
    platform::Long PLAYCONTROLWINDOWTHREAD = 0;
    platform::Long PLAYSUBJECTTHREAD = 0;  // the latest subject's playback
    platform::Byte AGENTPAUZE = 0;
    platform::Byte TRACEDMOUSECLICK = 0;
    platform::Byte IDLETIME = 0;
    platform::Byte SPEAKSPEED = 0;
    platform::Byte SPEAKDELAY = 0;
    platform::Byte ASSISTENTBINNENBUREAUBLAD = 0;
    platform::CString<512> HELPFILELOCATIESTRING;
    platform::Long TRAINMODEKEY = 0;
    platform::Long ACTIVATEALERTKEY = 0;
    platform::Long PLAYAGENTALERTKEY = 0;
    platform::Long PLAYCONTROLKEY = 0;
    platform::Byte ACTIVATERECORDEVENTS = 0;
    std::unique_ptr<platform::Queue<PROCEDURETHREADQUEUERecord>> PROCEDURETHREADQUEUE;
    std::unique_ptr<platform::Queue<EVENTQUEUERecord>> EVENTQUEUE;
    platform::Long EVENTWINDOWTHREAD = 0;
    platform::Byte PLAYBACKEVENTS = 0;
    platform::Long PLAYBACKEVENTNUMBER = 0;
    Point MOUSEPOS;
    platform::Byte EVENTFINISHED = 0;
    platform::Long EVENTTIME = 0;
    platform::UShort SLOWDOWNMOUSEVENTS = 0;
    platform::Long TIMEOUTMOUSEEVENT = 0;
    platform::Byte TYPESNELHEID = 0;
    platform::Byte SKIPACTIVATEMENU = 0;
    platform::Byte USEMENTAVOBUTTON = 0;
    platform::Long MENTAVOBUTTONCONTROL = 0;
    std::unique_ptr<platform::Queue<MENTAVOBUTTONQUEUERecord>> MENTAVOBUTTONQUEUE;

    // Ring events the agent window thread has taken and not carried out (a
    // pause holds them): that many of the oldest pending slots go first.
    platform::Long requestsHeld = 0;

    // Replays are ticketed: a window replays an EVENT_ReplayRecorded only
    // while its ticket (the event's control) is the one awaited, from a copy
    // of the row taken when it began, and only that replay's finish counts.
    platform::Long awaitedReplay = 0;  // 0: nobody waits
    platform::Long lastReplay = 0;
    EVENTQUEUERecord replayedRow;
};

class AssistantClass : public AssistantFields {
public:
    virtual ~AssistantClass() = default;
    // CLEAR of the object: its fields as first built, its queues gone.
    void Clear() { static_cast<AssistantFields&>(*this) = AssistantFields{}; }

    // The window placement's length, the default character and the queues.
    virtual void Construct();
    virtual void Destruct();
    // Opens (or creates, when missing) the two files and reads the settings,
    // once per run.
    virtual void LoadSettings();
    // Starts the agent window thread, once, and loads the character. The file
    // is not used; a name becomes AGENTNAME until the settings name theirs.
    void Init(const std::string& file = {}, const std::string& name = {});
    // Unloads the character and ends the agent window thread.
    virtual void Kill();

    virtual void InitWindow(const std::string& procedureName);
    virtual void TakeWindowClosed(const std::string& procedureName);
    virtual void TakeAlertKey(const std::string& procedureName, platform::Long windowHandle);
    virtual void TakeEvent(const std::string& procedureName, platform::Long windowHandle);
    virtual void TakeApplicationWindow(platform::Long windowHandle);
    virtual void TakeWindowPosition(platform::Long windowHandle);
    // The window's placement into WINDOWPLACEMENT; false when it cannot be read.
    bool TakeWindowPlacement(platform::Long windowHandle);
    virtual void SetWindowPosition(platform::Long x, platform::Long y);
    void SetProcedure(const std::string& procedureName, platform::Long windowHandle);
    // The numeric settings of those names read again from AGNTSET (all of
    // them without names), each its default when its row is missing.
    void ReadNumberSettings(std::initializer_list<std::string_view> names = {});
    // Writes one settings row; the value comes first.
    virtual void PutSetting(const std::string& value, const std::string& setting);
    virtual void ToggleTrainMode();

    // The character. Its file is its name with ".tchar" in the character
    // folder; 1 when that exists.
    virtual platform::Byte SetCharacter(const std::string& file, const std::string& name);
    virtual void LoadCharacter(const std::string& file, const std::string& name);
    virtual void UnloadCharacter();
    virtual void Show(platform::Byte fast);
    virtual void Hide(platform::Byte fast);
    virtual void Speak(const std::string& text);
    virtual void Think(const std::string& text);
    // A negative speed: the character's own pace.
    virtual void MoveTo(platform::Long x, platform::Long y, platform::Long speed);
    // A point in the current window's units; the corner code says which
    // corner of the character lands on it ("RB", "LO", "RO"), else its middle.
    virtual void MoveToClarionPos(platform::Long x, platform::Long y, platform::Long speed, const std::string& corner);
    virtual void GestureAt(platform::Long x, platform::Long y);
    virtual void SetSize(platform::Long height, platform::Long width);
    virtual void Play(const std::string& animation);
    virtual void Activate(platform::Byte state);
    // The request is the id a ring slot kept (its REQUEST); Stop without one
    // ends the running request.
    virtual void Wait(const std::string& request = {});
    virtual void Interrupt(const std::string& request = {});
    virtual void Stop(const std::string& request = {});
    // Types "Move", "Play", "Speak"; none: all, then the rest pose.
    virtual void StopAll(const std::string& type);
    virtual void ShowDefaultCharacterProperties();
    virtual platform::Byte IsVisible();
    virtual platform::Long GetLeft();
    virtual platform::Long GetTop();
    // The agent window thread's procedure: its hidden window carries out the
    // requests until Kill closes it.
    void AgentWindow();
    // The shapes of the assistant's windows: corners curved by an ellipse of
    // 15 by 15; or the frame (unless controls only), the title bar and the
    // visible controls first..last (curved 12 by 12 with controls only), the
    // rest see-through to the eye and the mouse.
    void ShapeWindowCorners(platform::Long windowHandle);
    void ShapeWindowToControls(platform::Long windowHandle, platform::Long first, platform::Long last,
                               platform::Byte controlsOnly);
    // The author places the character for a step (its POSITIONX, POSITIONY
    // and CURSORPOSTOVAGENT change when accepted) in a full-screen,
    // see-through window on the caller's thread; the caller stores the step.
    void BepaalAssistentPositie(AGNTFILERecord& step);
    // Where the character's top left corner lies from the point of a step,
    // for the step's corner code ("LB", "RB", "MM", "LO", "RO"; any other
    // is "LB"), by the character's WIDTH and HEIGHT.
    Point CornerOffset(const std::string& cornerCode) const;
    // MOUSEPOS := the pointer on the screen; a pointer that cannot be read
    // leaves it as it was.
    void readPointer();
    // The character's top left corner at once at MOUSEPOS plus the offset.
    void moveToPointer(Point offset);
    // Reads the pointer; when it left `seen`, the character follows it
    // (moveToPointer) and `seen` is where it is now.
    void followPointer(Point& seen, Point offset);
    // The current window waits, see-through, for a key or a click anywhere,
    // then stops the character and comes back as it was.
    virtual void CapturePosition();
    // The training window over the current procedure window, while train
    // mode is on; returns when it closes. The flag is not used.
    virtual void Train(platform::Byte flag = 0);
    // The animations a step can play, into the queue's first field.
    void FillAnimationList(platform::QueueBase& list);
    // The steps overview over the current procedure window, on the caller's
    // thread: the training window's steps of that procedure and subject,
    // edited in the queue and written back when it closes.
    void StappenWindow(platform::Queue<AGENTSTAPRecord>& steps, const std::string& procedure,
                       const std::string& subject);
    // The play control: opened on a thread of its own (PLAYCONTROLWINDOWTHREAD)
    // when it is not open, waiting until its window runs; closed when it is.
    virtual void TogglePlayControl();
    // The play control's window procedure; returns when the window closes.
    void PlayControl();
    // The play control's thread: the object's address as decimal text.
    static void PlayControlThread(const std::string& address);
    // The subjects of PROCEDURENAME: none, nothing happens; one, it plays at
    // once; more, the user chooses in the choose-subject window. Flag 1 (the
    // training window) plays ONDERWERP instead, without a window.
    virtual void KiesOnderwerp(platform::Byte flag = 0);
    // The playback thread: the object's address as decimal text, the
    // procedure and the subject.
    static void PlaySubjectThread(const std::string& address, const std::string& procedure,
                                  const std::string& subject);
    // Every step of the subject after its header, in order of STEP.
    void PlaySubject(const std::string& procedure, const std::string& subject);
    // The step in AGNTFILE's buffer (the author windows test one so), or a
    // step of one's own.
    void PlayStep();
    void PlayStep(const AGNTFILERecord& step);
    // The recorder's two branches of TakeEvent: one event recorded (state 1),
    // the current recorded row replayed in this window (EVENT_ReplayRecorded
    // during playback).
    virtual void RecordEvent(const std::string& procedureName, platform::Long windowHandle);
    virtual void ReplayEvent(const std::string& procedureName, platform::Long windowHandle);
    // The current window glides to (x, y), window units, in visible steps.
    virtual void MoveWindowTo(platform::Short x, platform::Short y);
    // The pointer glides to (WINDOWPOSX + x, WINDOWPOSY + y), screen pixels.
    virtual void MoveMouseTo(platform::Long x, platform::Long y);

    // The recording window, on a thread of its own (WatchEventsThread with the
    // object's address as decimal text); returns when it closes.
    virtual void WatchEvents();
    static void WatchEventsThread(const std::string& address);

    // The player: asks the window on that thread to replay the row in
    // EVENTQUEUE's buffer, then waits, letting the others run, until it has
    // or TIMEOUTMOUSEEVENT seconds have passed; true when it finished.
    bool PlayRecordedRow(platform::Long thread);
    // The thread of the procedure's open window, waiting up to
    // TIMEOUTMOUSEEVENT seconds for it to open; 0 when it does not.
    platform::Long WaitForProcedureThread(const std::string& procedureName);

    // The event's name into the target; 1 when the event is not recorded.
    // A Timer leaves the target as it was.
    platform::Byte EventName(platform::Long event, platform::CString<254>& target);
    // The control of the row being recorded, in that window: its type word
    // (and state) after INFO, its contents in VALUE.
    void ControlDescription(const platform::Window& window);

private:
    // The thread of the procedure's open window, 0 for none.
    platform::Byte threadOf(const std::string& procedureName);
    void playEvents(platform::Window& window, platform::Byte useTimeIndex);
    void handBack(const std::string& procedureName);
    void CreateWatchEvents();
    void addSubjectHeader(const std::string& procedureName, const std::string& subject);
    // The recorded contents back in the control before its Accepted is
    // posted: typed into an entry or text, set on a check box, option or list.
    void restoreContents(platform::Window& window, const EVENTQUEUERecord& row);
    void typeInto(platform::Window& window, platform::Long control, const std::string& text);
    void finishReplay(platform::Long ticket);
    // The event is the replay the player waits for.
    bool replayAwaited(const platform::Window& window) const;
    // The agent: started (Init when needed), and with its character loaded.
    bool agentStarted();
    bool agentReady() { return agentStarted() && AGENTLOADED != 0; }
    void postAgent(platform::Long event);
    // Yields until the condition holds or the agent has gone.
    void waitForAgent(const std::function<bool()>& done);
    // A request of the ring; with the ring full the caller waits for room.
    void addRequest(platform::Long event, const char* method,
                    const std::function<void(BUFFERAGENTEVENTRecord&)>& fill);
    void addMove(const char* method, platform::Long x, platform::Long y, platform::Long speed);
    // The agent window thread's side.
    void takeAgentEvent(platform::Window& window);
    void takeRequest(platform::Window& window, platform::Long event);
    void carryOut(platform::Long event);
    void carryOutHeld();
    void carryOutSlot(BUFFERAGENTEVENTRecord& slot);
    void clampToDesktop(BUFFERAGENTEVENTRecord& slot);
    void markRequestDone();
    void loadInEngine();
    void unloadInEngine();
    // The window's placement into WINDOWPLACEMENT and its origin: its restored
    // corner, or 0, 0 when it is a maximised frame or cannot be read.
    AssistantFields::Point windowOrigin(platform::Long windowHandle);

    void takeRecorderEvent(platform::Window& window, const std::string& procedureName, platform::Long windowHandle);
    void takeButtonEvent(platform::Window& window, const std::string& procedureName, platform::Long windowHandle);
    void startEventTimer();
    void stopRecording();
    void rememberThread(const std::string& procedureName, platform::Byte thread);
    void addButton(platform::Window& window, const std::string& procedureName);
    // This window's own assistant button, 0 for none.
    platform::Long buttonOf(platform::Window& window, const std::string& procedureName);
    // PlayStep's two kinds: a recorded event replayed, the character directed.
    void replayStep(const AGNTFILERecord& step);
    void directCharacter(const AGNTFILERecord& step);
    void animate(const AGNTFILERecord& step, Point pointed);
};
