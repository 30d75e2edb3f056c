// Threads of the runtime as fibers on the one OS thread that runs Qt.
//
// Rules:
// - START creates a fiber and returns its thread number (1 is the program's
//   main thread; numbers fit in a byte; 0 means failure).
// - Program code runs only inside fibers. A fiber runs until it waits
//   (waitUntil, yield, sleep); only then can another fiber run. This is the
//   runtime's global lock. sleepKeepingLock (the runtime's SLEEP),
//   waitForWindowSystem and waitKeepingLock (a driver call on the worker,
//   BlockingCall.h) wait without letting another fiber run; Qt still paints
//   meanwhile, input waits.
// - A yield means "run again after Qt has had its turn": one dispatch runs
//   each ready fiber at most once per Qt turn, so a fiber polling with yields
//   never keeps Qt, its timers or its input from running.
// - Only the scheduler's own stack runs Qt's event loop (pumpUntil and
//   friends). A fiber never calls QDialog::exec or any nested event loop.
//   With nothing ready the loop sleeps in Qt's event wait until the next due
//   time (a timed wait, a window timer): an idle program takes no CPU.
// - A fiber is resumed from the scheduler's dispatch point, or at once from a
//   Qt input handler (dispatch) so that it can take the input before the
//   widget does.
// - Timed waits and tickers (window timers) run on Clock, which tests can
//   make fake.
// - When a fiber's procedure returns or throws, the fiber ends; an exception
//   is reported and the program goes on.
#pragma once

#include "platform/fiber/Clock.h"

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace platform {

class Fiber;

// Thrown to end the running fiber quietly (HALT, and the like).
struct FiberExit {};

class Scheduler {
public:
    using Procedure = std::function<void()>;

    // Timed work outside the fibers (window timers): asked for its next due
    // time before the loop sleeps, and given its turn at every dispatch pass.
    class Ticker {
    public:
        virtual ~Ticker() = default;
        virtual std::optional<Clock::TimePoint> nextDue() const = 0;
        virtual void fireDue(Clock::TimePoint now) = 0;
    };

    static Scheduler& instance();

    // Creates a fiber; it first runs at the next dispatch. `stackBytes` below
    // the minimum is raised to it.
    int start(Procedure procedure, std::size_t stackBytes = 0, std::string name = {});
    int current() const;  // 0 on the scheduler's own stack
    bool alive(int thread) const;
    std::size_t fiberCount() const { return fibers_.size(); }

    // Waits (the running fiber) until `ready` holds; checked at every dispatch.
    void waitUntil(std::function<bool()> ready);
    // The same, ending at the deadline at the latest.
    void waitUntil(std::function<bool()> ready, Clock::TimePoint deadline);
    // Lets Qt and every other ready fiber have a turn, then goes on.
    void yield();
    // Waits the given time while other fibers and Qt go on.
    void sleep(std::chrono::milliseconds duration);
    // Waits the given time holding the lock: no other fiber runs, input waits,
    // Qt paints. Under the fake clock the clock moves on and nothing waits.
    void sleepKeepingLock(std::chrono::milliseconds duration);
    // Lets Qt run holding the lock (no other fiber runs, input waits) until
    // `done` holds or `timeout` has passed on the real clock, whatever Clock
    // says: for what the window system does in its own time, such as putting
    // a window on screen. Returns `done()`.
    bool waitForWindowSystem(const std::function<bool()>& done, std::chrono::milliseconds timeout);
    // The same without a time limit, for work of another thread (a call on
    // the worker, BlockingCall.h) that ends with wakeFromAnyThread.
    void waitKeepingLock(const std::function<bool()>& done);
    // Lets a waitKeepingLock look at its condition again; any thread may call it.
    static void wakeFromAnyThread();

    // Resumes every fiber whose wait is over, repeatedly, until none is ready;
    // a fiber that yielded waits for the next Qt turn. Returns true when a
    // fiber ran for another reason than a yield.
    bool dispatch();
    // Processes Qt events and dispatches until nothing is left to do.
    void pumpUntilIdle();
    // Processes Qt events and dispatches until `done` holds or the timeout
    // passes; returns `done()`.
    bool pumpUntil(const std::function<bool()>& done,
                   std::chrono::milliseconds timeout = std::chrono::seconds(10));

    // Ends every fiber but the caller: their stacks are unwound.
    void endAllOthers();
    // Wakes fibers waiting on `ready` conditions that Qt cannot see change.
    void wake();

    void addTicker(Ticker& ticker);
    void removeTicker(Ticker& ticker);
    // Called with the thread number of every fiber that ends.
    void onFiberEnded(std::function<void(int thread)> listener);

    static constexpr std::size_t kMinimumStack = 512 * 1024;

private:
    Scheduler();
    ~Scheduler();
    void resume(Fiber& fiber);
    Fiber* fiber(int thread) const;
    int freeNumber() const;
    void reap();
    bool ready(const Fiber& fiber) const;
    bool anyYielding() const;
    void fireTickers();
    void qtTurn();
    // Lets Qt run without input until `done` holds or the deadline passes.
    bool runQtKeepingLock(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline);
    // How long the loop may sleep in Qt's event wait.
    std::chrono::milliseconds idleWait(std::chrono::milliseconds atMost) const;

    std::map<int, std::unique_ptr<Fiber>> fibers_;
    std::vector<Ticker*> tickers_;
    std::vector<std::function<void(int)>> endListeners_;
    Fiber* running_ = nullptr;
    std::size_t qtTurns_ = 0;
    bool woken_ = false;
    bool lockHeld_ = false;
};

// The runtime's statements.
int START(Scheduler::Procedure procedure, std::size_t stackBytes = 0);
int THREAD();
void YIELD();
// SLEEP: the running thread waits, keeping the lock.
void SLEEP(Long milliseconds);

}  // namespace platform
