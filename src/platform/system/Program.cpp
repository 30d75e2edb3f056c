#include "platform/system/Program.h"

#include "platform/fiber/Scheduler.h"
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
};

ProgramState& state() {
    static ProgramState s;
    return s;
}

// Closes every window of the other threads, also those opened meanwhile, and
// waits for those threads; one that is still waiting after the grace period
// is ended with the rest by the caller.
void closeOtherThreads() {
    Scheduler& scheduler = Scheduler::instance();
    const int self = scheduler.current();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    std::set<Long> closing;
    while (scheduler.fiberCount() > 1 && std::chrono::steady_clock::now() < deadline) {
        for (Window* w : Window::openWindows())
            if (w->thread() != self && closing.insert(w->handle()).second) w->post({EVENT::CloseWindow, 0, 0});
        scheduler.yield();
    }
}

}  // namespace

void startProgram(const ProgramModules& modules, std::function<void()> body) {
    ProgramState& s = state();
    s = ProgramState{false, false, 0, 0, modules, s.path};
    setMessageHookValue(0);  // as in a new process
    s.mainThread = Scheduler::instance().start(
        [&s, body = std::move(body)] {
            for (const ModuleInitialiser& init : s.modules.initialisers) init(0);
            s.initialised = true;
            body();
            closeOtherThreads();
        },
        0, "main");
}

bool programEnded() { return state().halted || !Scheduler::instance().alive(state().mainThread); }

int finishProgram() {
    ProgramState& s = state();
    Scheduler& scheduler = Scheduler::instance();
    scheduler.endAllOthers();
    scheduler.pumpUntilIdle();
    if (s.initialised)
        for (auto it = s.modules.initialisers.rbegin(); it != s.modules.initialisers.rend(); ++it) (*it)(1);
    s.initialised = false;
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
