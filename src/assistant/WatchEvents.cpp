// The recording window: starts and stops the recorder, lists the rows as
// they come, plays them back, and stores them as steps when it closes.
#include "assistant/AssistantClass.h"

#include "assistant/Mentavo.h"
#include "assistant/SubjectRows.h"
#include "platform/fiber/Clock.h"
#include "platform/fiber/Scheduler.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"

#include <charconv>
#include <cstdint>

using namespace platform;

namespace {

constexpr Long kTimerHundredths = 30;
constexpr Long kHundredthsPerSecond = 100;
constexpr const char* kXposSetting = "~WatchEvents.XPos";
constexpr const char* kYposSetting = "~WatchEvents.YPos";

// What was current when the window opened: the recording changes the
// object's procedure with every event.
CString<81> rememberedProcedure;
CString<51> rememberedSubject;

WindowSpec watchEventsWindow(QueueBase& events, Byte& useTimeIndex) {
    return {.label = "P17$WATCHEVENTSWINDOW",
            .title = "Gebeurtenis(sen) opnemen",
            .icon = "Genie.ico",
            .at = {0, 0, 360, 170},
            .controls = {
                {.type = CREATE::region, .label = "?REGION1", .at = {0, 0, 360, 170}},
                {.type = CREATE::button, .label = "?PLAYBACKEVENTSBUTTON", .text = "Afspelen", .at = {4, 4, 60, 14}},
                {.type = CREATE::button, .label = "?CLEARTHISEVENTSBUTTON", .text = "Wis", .at = {68, 4, 40, 14}},
                {.type = CREATE::button, .label = "?CLEAREVENTSBUTTON", .text = "Alles wissen", .at = {112, 4, 56, 14}},
                {.type = CREATE::list, .label = "?EVENTLIST", .at = {4, 22, 352, 122}, .from = &events,
                 .format = "60L(2)|M~Procedure~@s80@28R(2)|M~Event~@n6@28R(2)|M~Control~@n-7@"
                           "28R(2)|M~X-pos~@n-7@28R(2)|M~Y-pos~@n-7@140L(2)|M~Waarde~@s253@"
                           "0L(2)|M~Waarde~@s253@28R(2)|M~Tijd~@n-8@",
                 .vscroll = true},
                {.type = CREATE::button, .label = "?STARTRECORDINGBUTTON", .text = "Start Recording", .at = {4, 150, 64, 14}},
                {.type = CREATE::button, .label = "?STOPRECORDINGBUTTON", .text = "Stop Recording", .at = {72, 150, 64, 14}},
                {.type = CREATE::button, .label = "?CLOSEBUTTON", .text = "Sluiten", .at = {296, 150, 60, 14}},
                {.type = CREATE::check, .label = "?GEBRUIKTIJDSINDEX", .text = " Gebruik tijdsindex",
                 .at = {144, 152, 90, 10}, .use = bind(useTimeIndex)},
            }};
}

// The controls the window acts on, by their labels.
struct Controls {
    explicit Controls(const Window& w)
        : playBack(w.equate("?PLAYBACKEVENTSBUTTON")), clearThis(w.equate("?CLEARTHISEVENTSBUTTON")),
          clearAll(w.equate("?CLEAREVENTSBUTTON")), list(w.equate("?EVENTLIST")),
          start(w.equate("?STARTRECORDINGBUTTON")), stop(w.equate("?STOPRECORDINGBUTTON")),
          close(w.equate("?CLOSEBUTTON")) {}
    Long playBack, clearThis, clearAll, list, start, stop, close;
};

void showRecording(Window& window, bool recording) {
    const Controls c(window);
    window.setProperty(c.start, PROP::Disable, recording ? 1 : 0);
    window.setProperty(c.stop, PROP::Disable, recording ? 0 : 1);
}

// The list shows the rows as the window's last tick found them, as DISPLAY
// shows a queue: the recorder adds a row at every event of every window,
// and a list told of each would be drawn again for each. New rows are
// copied on; rows taken away elsewhere make it copy all again. The
// recorder's buffer, which holds the last row recorded, stays as it was.
void follow(Queue<EVENTQUEUERecord>& shown, Queue<EVENTQUEUERecord>& events) {
    if (shown.records() > events.records()) shown.free();
    const EVENTQUEUERecord last = events.rec;
    for (std::size_t n = shown.records() + 1; n <= events.records(); ++n) {
        events.get(n);
        shown.rec = events.rec;
        shown.add();
    }
    events.rec = last;
}

void placeFromSettings(Window& window) {
    if (readSetting(kXposSetting)) window.setProperty(0, PROP::Xpos, AGNTSET.rec.VALUE.view());
    if (readSetting(kYposSetting)) window.setProperty(0, PROP::Ypos, AGNTSET.rec.VALUE.view());
}

// Hundredths since `since`, a CLOCK() reading, have reached the assistant's
// time-out.
bool timedOut(Long since, Long timeoutSeconds) {
    return clockDifference(CLOCK(), since) >= timeoutSeconds * kHundredthsPerSecond;
}

}  // namespace

void AssistantClass::WatchEventsThread(const std::string& address) {
    std::uintptr_t number = 0;
    std::from_chars(address.data(), address.data() + address.size(), number);
    if (auto* assistant = reinterpret_cast<AssistantClass*>(number)) assistant->WatchEvents();
}

// Without the agent the window does not open; the recording asked for is
// handed back all the same, so that it does not go on with no window to end
// it and the training window comes back.
void AssistantClass::WatchEvents() {
    if (INITIALIZED == 0) {
        Init({}, AGENTNAME.str());
        if (clip(AGENTNAME.view()).empty()) MESSAGE("Geef eerst Ms Agent karakter op...");
        if (clip(AGENTNAME.view()).empty() || INITIALIZED == 0) return handBack(PROCEDURENAME.str());
    }
    Byte useTimeIndex = 1;
    Queue<EVENTQUEUERecord> shown;
    follow(shown, *EVENTQUEUE);
    Window window(watchEventsWindow(shown, useTimeIndex));
    const Controls c(window);
    window.open();
    rememberedProcedure = PROCEDURENAME.view();
    rememberedSubject = ONDERWERP.view();
    placeFromSettings(window);
    ShapeWindowCorners(window.handle());
    window.setProperty(0, PROP::Timer, kTimerHundredths);
    showRecording(window, ACTIVATERECORDEVENTS == RECORDER::Recording || ACTIVATERECORDEVENTS == RECORDER::Requested);
    std::size_t rowsSeen = 0;
    while (window.accept()) {
        const Long field = window.field();
        if (window.event() == EVENT::Timer && EVENTQUEUE->records() != rowsSeen) {
            follow(shown, *EVENTQUEUE);
            rowsSeen = EVENTQUEUE->records();
            window.setProperty(c.list, PROP::Selected, static_cast<Long>(rowsSeen));
            window.display();
        }
        if (window.event() != EVENT::Accepted) continue;
        if (field == c.start) {
            PLAYBACKEVENTS = 0;
            ACTIVATERECORDEVENTS = RECORDER::Requested;
            EVENTTIME = CLOCK();
            showRecording(window, true);
        } else if (field == c.stop) {
            ACTIVATERECORDEVENTS = RECORDER::Off;
            showRecording(window, false);
        } else if (field == c.clearThis) {
            const auto choice = static_cast<std::size_t>(window.numberProperty(c.list, PROP::Selected));
            if (choice > 0 && EVENTQUEUE->get(choice)) EVENTQUEUE->remove();
            if (choice > 0 && shown.get(choice)) shown.remove();
        } else if (field == c.clearAll) {
            EVENTQUEUE->free();
            shown.free();
            window.display();
        } else if (field == c.playBack) {
            playEvents(window, useTimeIndex);
        } else if (field == c.close) {
            window.post({.event = EVENT::CloseWindow});
        }
    }
    PROCEDURENAME = rememberedProcedure.view();
    ONDERWERP = rememberedSubject.view();
    PutSetting(std::to_string(window.numberProperty(0, PROP::Xpos)), kXposSetting);
    PutSetting(std::to_string(window.numberProperty(0, PROP::Ypos)), kYposSetting);
    CreateWatchEvents();
    window.close();
    handBack(rememberedProcedure.str());
}

// The recording is over, with or without the window: the procedure's window
// reopens the training window at its next event.
void AssistantClass::handBack(const std::string& procedureName) {
    PLAYBACKEVENTS = 0;
    ACTIVATERECORDEVENTS = RECORDER::Finished;
    EVENTWINDOWTHREAD = 0;
    if (const Byte thread = threadOf(procedureName); thread != 0) POST(EVENT::Resume, 0, thread);
}

// ---- playback ------------------------------------------------------------------

void AssistantClass::playEvents(Window& window, Byte useTimeIndex) {
    const Controls c(window);
    if (EVENTQUEUE->records() == 0) {
        MESSAGE("Niets af te spelen!");
        return;
    }
    window.setProperty(0, PROP::Timer, 0);
    ACTIVATERECORDEVENTS = RECORDER::Off;
    showRecording(window, false);
    PLAYBACKEVENTS = 1;
    window.setProperty(c.playBack, PROP::Text, "Gestart...");
    const Long rows = static_cast<Long>(EVENTQUEUE->records());
    for (PLAYBACKEVENTNUMBER = 1; PLAYBACKEVENTNUMBER <= rows; ++PLAYBACKEVENTNUMBER) {
        EVENTFINISHED = 0;
        EVENTQUEUE->get(static_cast<std::size_t>(PLAYBACKEVENTNUMBER));
        const EVENTQUEUERecord row = EVENTQUEUE->rec;
        const std::string procedure = clip(row.PROCEDURENAME.view());
        Long thread = threadOf(procedure);
        if (thread == 0) {
            if (row.EVENT == EVENT::CloseWindow) continue;  // its window is gone already
            thread = WaitForProcedureThread(procedure);
            if (thread == 0) {
                MESSAGE("Muis Timeout!|Venster" + procedure + " is niet geopend!|Kan gebeurtenis niet afspelen...|" +
                        row.INFO.str());
                break;
            }
        }
        window.setProperty(c.playBack, PROP::Text, "Gestart-" + std::to_string(PLAYBACKEVENTNUMBER));
        if (useTimeIndex != 0 && PLAYBACKEVENTNUMBER > 1) SLEEP(row.EVENTTIME * 10);
        if (!PlayRecordedRow(thread))
            MESSAGE("Muis Timeout!|Een gebeurtenis op venster" + procedure + " kan niet afgespeeld worden...|" +
                    row.INFO.str());
    }
    window.setProperty(c.playBack, PROP::Text, "Klaar...");
    window.setProperty(0, PROP::Timer, kTimerHundredths);
}

Long AssistantClass::WaitForProcedureThread(const std::string& procedureName) {
    const Long began = CLOCK();
    Byte thread = threadOf(procedureName);
    while (thread == 0 && !timedOut(began, TIMEOUTMOUSEEVENT)) {
        YIELD();
        thread = threadOf(procedureName);
    }
    return thread;
}

bool AssistantClass::PlayRecordedRow(Long thread) {
    EVENTFINISHED = 0;
    SKIPACTIVATEMENU = 0;
    awaitedReplay = ++lastReplay;
    POST(EVENT_ReplayRecorded, awaitedReplay, static_cast<int>(thread));
    YIELD();
    const Long posted = CLOCK();
    while (EVENTFINISHED == 0 && !timedOut(posted, TIMEOUTMOUSEEVENT)) YIELD();
    awaitedReplay = 0;
    return EVENTFINISHED != 0;
}

// ---- the rows as steps -----------------------------------------------------------

void AssistantClass::CreateWatchEvents() {
    const Long rows = static_cast<Long>(EVENTQUEUE->records());
    if (rows == 0) return;
    const std::string title = "Gebeurtenissen opslaan?";
    if (MESSAGE(title, title, ICON_EXCLAMATION, "&Ja|&Nee", 1) != 1) return;
    const std::string procedure = clip(rememberedProcedure.view());
    const std::string subject = clip(rememberedSubject.view());
    const Long after = STEPNR;
    addSubjectHeader(procedure, subject);
    moveStepsUp(procedure, subject, after + 1, rows);
    clearRecord(AGNTFILE.rec.fieldTable(), &AGNTFILE.rec);
    AGNTFILE.rec.PROCEDURENAME = procedure;
    AGNTFILE.rec.ONDERWERP = subject;
    for (PLAYBACKEVENTNUMBER = 1; PLAYBACKEVENTNUMBER <= rows; ++PLAYBACKEVENTNUMBER) {
        EVENTQUEUE->get(static_cast<std::size_t>(PLAYBACKEVENTNUMBER));
        const EVENTQUEUERecord& row = EVENTQUEUE->rec;
        AGNTFILE.rec.STEP = after + PLAYBACKEVENTNUMBER;
        AGNTFILE.rec.EVENTPROCEDURE = row.PROCEDURENAME.view();
        AGNTFILE.rec.EVENT = row.EVENT;
        AGNTFILE.rec.CONTROL = row.CONTROL;
        AGNTFILE.rec.POSITIONX = static_cast<Short>(row.XPOS);
        AGNTFILE.rec.POSITIONY = static_cast<Short>(row.YPOS);
        AGNTFILE.rec.SPEAK = row.VALUE.view();
        if (!AGNTFILE.add()) sayFileError("Add(CreateWatchEvents):");
    }
}

// F12 offers a subject by its header (step 0): steps stored into a subject
// that has none get one, describing the procedure by its window's title.
void AssistantClass::addSubjectHeader(const std::string& procedureName, const std::string& subject) {
    if (hasHeader(procedureName, subject)) return;
    const Window* window = Window::topWindowOf(threadOf(procedureName));
    if (!addHeader(procedureName, window ? window->property(0, PROP::Text) : std::string(), subject))
        sayFileError("Add(CreateWatchEvents):");
}
