// Threads of the runtime as fibers on the one OS thread that runs Qt.
//
// Rules:
// - START creates a fiber and returns its thread number (1 is the program's
//   main thread; numbers fit in a byte; 0 means failure).
// - Program code runs only inside fibers. A fiber runs until it waits
//   (waitUntil, yield, sleep); only then can another fiber run. This is the
//   runtime's global lock.
// - Only the scheduler's own stack runs Qt's event loop (pump/run). A fiber
//   never calls QDialog::exec or any nested event loop.
// - A fiber is resumed from the scheduler's dispatch point, or at once from a
//   Qt input handler (dispatchNow) so that it can take the input before the
//   widget does.
// - When a fiber's procedure returns or throws, the fiber ends; an exception
//   is reported and the program goes on.
#pragma once

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <string>

namespace platform {

class Fiber;

// Thrown to end the running fiber quietly (HALT, and the like).
struct FiberExit {};

class Scheduler {
public:
    using Procedure = std::function<void()>;

    static Scheduler& instance();

    // Creates a fiber; it first runs at the next dispatch. `stackBytes` below
    // the minimum is raised to it.
    int start(Procedure procedure, std::size_t stackBytes = 0, std::string name = {});
    int current() const;  // 0 on the scheduler's own stack
    bool alive(int thread) const;
    std::size_t fiberCount() const { return fibers_.size(); }

    // Waits (the running fiber) until `ready` holds; checked at every dispatch.
    void waitUntil(std::function<bool()> ready);
    // Lets every other ready fiber run once, then goes on.
    void yield();
    // Waits the given time while other fibers and Qt go on.
    void sleep(std::chrono::milliseconds duration);

    // Resumes every fiber whose wait is over, repeatedly, until none is ready.
    // Returns true when some fiber ran.
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

    static constexpr std::size_t kMinimumStack = 512 * 1024;

private:
    Scheduler();
    ~Scheduler();
    void resume(Fiber& fiber);
    Fiber* fiber(int thread) const;
    int freeNumber() const;
    void reap();

    std::map<int, std::unique_ptr<Fiber>> fibers_;
    Fiber* running_ = nullptr;
    bool woken_ = false;
};

// The runtime's statements.
int START(Scheduler::Procedure procedure, std::size_t stackBytes = 0);
int THREAD();
void YIELD();

}  // namespace platform
