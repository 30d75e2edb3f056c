#include "platform/program/Program.h"

#include "platform/fiber/Scheduler.h"
#include "platform/message/Locale.h"
#include "platform/message/Message.h"
#include "platform/ui/Window.h"

#include <QCoreApplication>
#include <chrono>
#include <set>

namespace platform {
namespace {

struct ProgramState {
    bool halted = false;
    bool initialised = false;
    int exitCode = 0;
    int mainThread = 0;
    ProgramModules modules;
    std::string path;
    bool closing = false;
};

ProgramState& state() {
    static ProgramState s;
    return s;
}

// What a run sets program-wide (the message hook, LOCALE): a run starts
// without it, as a new process does, and takes it away when it ends, so that
// what the process does next (another test) does not meet it.
void clearProgramWideSettings() {
    setMessageHookValue(0);
    resetLocale();
}

// A thread that neither ends nor asks anything is ended by the caller once
// this much time has passed since the last question was answered.
constexpr auto kShutDownGrace = std::chrono::seconds(5);

std::set<Long> openHandles() {
    std::set<Long> handles;
    for (const Window* w : Window::openWindows()) handles.insert(w->handle());
    return handles;
}

// Asks the top window of every other thread to close, as its close box
// would, and waits for those threads. A window opened over another of its
// thread after shut-down began (a question raised while closing) is not
// asked: it stays until someone answers it, and the wait goes on.
void closeOtherThreads() {
    Scheduler& scheduler = Scheduler::instance();
    const int self = scheduler.current();
    const std::set<Long> before = openHandles();
    std::set<Long> asked;
    auto graceEnds = std::chrono::steady_clock::now() + kShutDownGrace;
    while (scheduler.fiberCount() > 1 && std::chrono::steady_clock::now() < graceEnds) {
        bool questionUp = false;
        for (Window* w : Window::openWindows()) {
            if (w->thread() == self || w->blocked()) continue;
            const bool question = !before.count(w->handle()) && Window::windowsOf(w->thread()).size() > 1;
            if (question)
                questionUp = true;
            else if (asked.insert(w->handle()).second)
                w->post({EVENT::CloseWindow, 0, 0});
        }
        if (questionUp) graceEnds = std::chrono::steady_clock::now() + kShutDownGrace;
        const std::size_t fibers = scheduler.fiberCount();
        const std::size_t windows = Window::openWindows().size();
        scheduler.waitUntil([&] {
            return scheduler.fiberCount() != fibers || Window::openWindows().size() != windows ||
                   std::chrono::steady_clock::now() >= graceEnds;
        });
    }
}

}  // namespace

void startProgram(const ProgramModules& modules, std::function<void()> body) {
    ProgramState& s = state();
    s = ProgramState{false, false, 0, 0, modules, s.path};
    clearProgramWideSettings();
    s.mainThread = Scheduler::instance().start(
        [&s, body = std::move(body)] {
            for (const ModuleInitialiser& init : s.modules.initialisers) init(0);
            s.initialised = true;
            body();
            s.closing = true;
            closeOtherThreads();
        },
        0, "main");
}

bool programClosing() { return state().closing; }

bool programEnded() { return state().halted || !Scheduler::instance().alive(state().mainThread); }

int finishProgram() {
    ProgramState& s = state();
    Scheduler& scheduler = Scheduler::instance();
    scheduler.endAllOthers();
    scheduler.pumpUntilIdle();
    if (s.initialised)
        for (auto it = s.modules.initialisers.rbegin(); it != s.modules.initialisers.rend(); ++it) (*it)(1);
    s.initialised = false;
    clearProgramWideSettings();
    return s.exitCode;
}

int runProgram(const ProgramModules& modules, const std::function<void()>& body) {
    startProgram(modules, body);
    while (!programEnded()) Scheduler::instance().pumpUntil(programEnded, std::chrono::hours(1));
    return finishProgram();
}

void HALT(int exitCode) {
    state().halted = true;
    state().exitCode = exitCode;
    throw FiberExit{};
}

void STOP(const std::string& text) {
    if (MESSAGE(text, "Program stopped", ICON_HAND, "&Abort program|&Go on", 1) == 1) HALT(1);
}

std::string programPath() {
    if (!state().path.empty()) return state().path;
    return QCoreApplication::instance() ? QCoreApplication::applicationFilePath().toStdString() : std::string();
}

void setProgramPath(std::string path) { state().path = std::move(path); }

}  // namespace platform
