#include "platform/fiber/Scheduler.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QEventLoop>
#include <QTimer>
#include <boost/context/fiber.hpp>
#include <boost/context/protected_fixedsize_stack.hpp>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <vector>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/asan_interface.h>
#include <sanitizer/common_interface_defs.h>
#define TABLOOM_ASAN_FIBERS 1
#endif

namespace ctx = boost::context;

namespace platform {

class Fiber {
public:
    enum class Wait { None, Condition, Yield };

    int number = 0;
    std::string name;
    ctx::fiber context;  // the suspended fiber
    ctx::fiber caller;   // where the fiber goes back to when it waits
    Wait wait = Wait::None;
    std::function<bool()> ready;
    std::optional<Clock::TimePoint> deadline;
    std::size_t yieldedAtTurn = 0;
    bool started = false;
    bool finished = false;
    bool unwinding = false;
    const void* stackBottom = nullptr;
    std::size_t stackSize = 0;
};

namespace {

// A fiber's frames left behind on its stack (a fiber ended while it waited)
// keep their marks in the sanitizer's shadow; memory mapped there again for
// a later stack would carry them, so a stack starts and ends unmarked.
void unmarkStack([[maybe_unused]] const ctx::stack_context& s) {
#if TABLOOM_ASAN_FIBERS
    ASAN_UNPOISON_MEMORY_REGION(static_cast<char*>(s.sp) - s.size, s.size);
#endif
}

// Records where the fiber's stack lies, for the sanitizer's switch notes.
class RecordedStack {
public:
    RecordedStack(std::size_t size, Fiber& fiber) : inner_(size), fiber_(&fiber) {}
    ctx::stack_context allocate() {
        ctx::stack_context s = inner_.allocate();
        unmarkStack(s);
        fiber_->stackBottom = static_cast<char*>(s.sp) - s.size;
        fiber_->stackSize = s.size;
        return s;
    }
    void deallocate(ctx::stack_context& s) noexcept {
        unmarkStack(s);
        inner_.deallocate(s);
    }

private:
    ctx::protected_fixedsize_stack inner_;
    Fiber* fiber_;
};

// The sanitizer is told of every switch between stacks; the scheduler's own
// stack is learnt from the first switch back into a fiber.
const void* schedulerStackBottom = nullptr;
std::size_t schedulerStackSize = 0;
const void* schedulerBottom() { return schedulerStackBottom; }
std::size_t schedulerSize() { return schedulerStackSize; }
#if TABLOOM_ASAN_FIBERS
void startSwitch(void** fake, const void* bottom, std::size_t size) {
    __sanitizer_start_switch_fiber(fake, bottom, size);
}
void finishSwitch(void* fake, const void** oldBottom, std::size_t* oldSize) {
    __sanitizer_finish_switch_fiber(fake, oldBottom, oldSize);
}
#else
void startSwitch(void**, const void*, std::size_t) {}
void finishSwitch(void*, const void**, std::size_t*) {}
#endif

void reportEscaped(const Fiber& fiber, const char* what) {
    std::fprintf(stderr, "thread %d (%s) ended by an error: %s\n", fiber.number, fiber.name.c_str(), what);
}

// Blocks in Qt until an event arrives, `timeout` at most.
void waitForQtEvents(std::chrono::milliseconds timeout, QEventLoop::ProcessEventsFlags flags = QEventLoop::AllEvents) {
    QTimer wake;
    wake.setSingleShot(true);
    wake.setTimerType(Qt::PreciseTimer);
    wake.start(timeout);
    QCoreApplication::processEvents(flags | QEventLoop::WaitForMoreEvents);
}

void processQtEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// Waits for conditions that change without a Qt event nor a fiber running
// end within this time at the latest.
constexpr std::chrono::milliseconds kLongestIdleWait{250};

std::chrono::milliseconds millisecondsUntil(Clock::TimePoint when) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(when - Clock::now());
    return std::max(left, std::chrono::milliseconds(0));
}

}  // namespace

Scheduler& Scheduler::instance() {
    static Scheduler s;
    return s;
}

Scheduler::Scheduler() = default;
Scheduler::~Scheduler() = default;

int Scheduler::freeNumber() const {
    for (int n = 1; n <= 255; ++n)
        if (!fibers_.count(n)) return n;
    return 0;
}

int Scheduler::start(Procedure procedure, std::size_t stackBytes, std::string name) {
    const int number = freeNumber();
    if (number == 0) return 0;
    auto owned = std::make_unique<Fiber>();
    Fiber* f = owned.get();
    f->number = number;
    f->name = std::move(name);
    const std::size_t size = std::max(stackBytes, kMinimumStack);
    f->context = ctx::fiber(std::allocator_arg, RecordedStack(size, *f),
                            [this, f, procedure = std::move(procedure)](ctx::fiber&& caller) mutable {
                                finishSwitch(nullptr, &schedulerStackBottom, &schedulerStackSize);
                                f->caller = std::move(caller);
                                try {
                                    procedure();
                                } catch (const ctx::detail::forced_unwind&) {
                                    void* fake = nullptr;
                                    startSwitch(&fake, schedulerBottom(), schedulerSize());
                                    throw;
                                } catch (const FiberExit&) {
                                } catch (const std::exception& e) {
                                    reportEscaped(*f, e.what());
                                } catch (...) {
                                    reportEscaped(*f, "unknown error");
                                }
                                f->finished = true;
                                void* fake = nullptr;
                                startSwitch(&fake, schedulerBottom(), schedulerSize());
                                return std::move(f->caller);
                            });
    fibers_.emplace(number, std::move(owned));
    return number;
}

int Scheduler::current() const { return running_ ? running_->number : 0; }

bool Scheduler::alive(int thread) const {
    const Fiber* f = fiber(thread);
    return f && !f->finished;
}

Fiber* Scheduler::fiber(int thread) const {
    auto it = fibers_.find(thread);
    return it == fibers_.end() ? nullptr : it->second.get();
}

void Scheduler::resume(Fiber& f) {
    Fiber* previous = running_;
    running_ = &f;
    f.started = true;
    void* fake = nullptr;
    startSwitch(&fake, f.stackBottom, f.stackSize);
    f.context = std::move(f.context).resume();
    finishSwitch(fake, nullptr, nullptr);
    running_ = previous;
}

namespace {
// Back from the running fiber to whoever resumed it.
void suspend(Fiber& self) {
    void* fake = nullptr;
    startSwitch(&fake, schedulerBottom(), schedulerSize());
    try {
        self.caller = std::move(self.caller).resume();
    } catch (const ctx::detail::forced_unwind&) {
        finishSwitch(fake, &schedulerStackBottom, &schedulerStackSize);
        throw;
    }
    finishSwitch(fake, &schedulerStackBottom, &schedulerStackSize);
}
}  // namespace

void Scheduler::waitUntil(std::function<bool()> ready) {
    if (!running_) {
        pumpUntil(ready, std::chrono::hours(24));
        return;
    }
    Fiber& self = *running_;
    while (!ready()) {
        if (self.unwinding) return;
        self.wait = Fiber::Wait::Condition;
        self.ready = ready;
        suspend(self);
    }
}

void Scheduler::waitUntil(std::function<bool()> ready, Clock::TimePoint deadline) {
    if (!running_) {
        pumpUntil([&] { return ready() || Clock::now() >= deadline; }, std::chrono::hours(24));
        return;
    }
    Fiber& self = *running_;
    while (!ready() && Clock::now() < deadline) {
        if (self.unwinding) return;
        self.wait = Fiber::Wait::Condition;
        self.ready = ready;
        self.deadline = deadline;
        suspend(self);
    }
}

void Scheduler::yield() {
    if (!running_) {
        dispatch();
        return;
    }
    Fiber& self = *running_;
    if (self.unwinding) return;
    self.wait = Fiber::Wait::Yield;
    self.yieldedAtTurn = qtTurns_;
    suspend(self);
}

void Scheduler::sleep(std::chrono::milliseconds duration) {
    waitUntil([] { return false; }, Clock::now() + duration);
}

void Scheduler::sleepKeepingLock(std::chrono::milliseconds duration) {
    if (Clock::fake()) {
        Clock::advance(duration);
        return;
    }
    const Clock::TimePoint deadline = Clock::now() + duration;
    const bool held = lockHeld_;
    lockHeld_ = true;
    while (Clock::now() < deadline) waitForQtEvents(millisecondsUntil(deadline), QEventLoop::ExcludeUserInputEvents);
    lockHeld_ = held;
}

bool Scheduler::waitForWindowSystem(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    return runQtKeepingLock(done, std::chrono::steady_clock::now() + timeout);
}

void Scheduler::waitKeepingLock(const std::function<bool()>& done) {
    runQtKeepingLock(done, std::chrono::steady_clock::time_point::max());
}

void Scheduler::wakeFromAnyThread() {
    if (QAbstractEventDispatcher* dispatcher = QCoreApplication::eventDispatcher()) dispatcher->wakeUp();
}

bool Scheduler::runQtKeepingLock(const std::function<bool()>& done, std::chrono::steady_clock::time_point deadline) {
    const bool held = lockHeld_;
    lockHeld_ = true;
    while (!done()) {
        const auto now = std::chrono::steady_clock::now();
        if (now >= deadline) break;
        // A wake that comes before the wait starts ends it at once.
        const auto left = deadline - now > kLongestIdleWait
                              ? kLongestIdleWait
                              : std::chrono::ceil<std::chrono::milliseconds>(deadline - now);
        waitForQtEvents(left, QEventLoop::ExcludeUserInputEvents);
    }
    lockHeld_ = held;
    return done();
}

bool Scheduler::ready(const Fiber& f) const {
    if (f.finished) return false;
    if (!f.started) return true;
    switch (f.wait) {
        case Fiber::Wait::Yield: return qtTurns_ > f.yieldedAtTurn;
        case Fiber::Wait::Condition:
            return (f.ready && f.ready()) || (f.deadline && Clock::now() >= *f.deadline);
        case Fiber::Wait::None: return false;
    }
    return false;
}

bool Scheduler::anyYielding() const {
    for (const auto& [n, f] : fibers_)
        if (!f->finished && f->wait == Fiber::Wait::Yield) return true;
    return false;
}

void Scheduler::fireTickers() {
    const std::vector<Ticker*> tickers = tickers_;
    for (Ticker* t : tickers) t->fireDue(Clock::now());
}

bool Scheduler::dispatch() {
    // Only the scheduler's own stack dispatches, and never while a thread
    // sleeps holding the lock.
    if (running_ || lockHeld_) return false;
    bool progress = false;
    for (;;) {
        fireTickers();
        woken_ = false;
        bool ran = false;
        std::vector<int> numbers;
        for (const auto& [n, f] : fibers_) numbers.push_back(n);
        for (int n : numbers) {
            Fiber* f = fiber(n);
            if (!f || !ready(*f)) continue;
            const bool yielded = f->started && f->wait == Fiber::Wait::Yield;
            f->wait = Fiber::Wait::None;
            f->ready = nullptr;
            f->deadline.reset();
            resume(*f);
            ran = true;
            progress = progress || !yielded;
        }
        reap();
        if (!ran && !woken_) break;
    }
    return progress;
}

void Scheduler::wake() { woken_ = true; }

void Scheduler::reap() {
    for (auto it = fibers_.begin(); it != fibers_.end();) {
        if (!it->second->finished) {
            ++it;
            continue;
        }
        const int number = it->first;
        it = fibers_.erase(it);
        for (const auto& listener : endListeners_) listener(number);
    }
}

void Scheduler::addTicker(Ticker& ticker) {
    if (std::find(tickers_.begin(), tickers_.end(), &ticker) == tickers_.end()) tickers_.push_back(&ticker);
}

void Scheduler::removeTicker(Ticker& ticker) {
    tickers_.erase(std::remove(tickers_.begin(), tickers_.end(), &ticker), tickers_.end());
}

void Scheduler::onFiberEnded(std::function<void(int)> listener) { endListeners_.push_back(std::move(listener)); }

void Scheduler::qtTurn() {
    processQtEvents();
    ++qtTurns_;
}

std::chrono::milliseconds Scheduler::idleWait(std::chrono::milliseconds atMost) const {
    if (anyYielding()) return std::chrono::milliseconds(0);
    std::chrono::milliseconds wait = std::min(atMost, kLongestIdleWait);
    if (Clock::fake()) return wait;  // fake deadlines come when the test moves the clock
    for (const auto& [n, f] : fibers_)
        if (!f->finished && f->deadline) wait = std::min(wait, millisecondsUntil(*f->deadline));
    for (const Ticker* t : tickers_)
        if (const auto due = t->nextDue()) wait = std::min(wait, millisecondsUntil(*due));
    return wait;
}

void Scheduler::pumpUntilIdle() {
    for (int quiet = 0; quiet < 3;) {
        qtTurn();
        quiet = dispatch() ? 0 : quiet + 1;
    }
}

bool Scheduler::pumpUntil(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    for (;;) {
        qtTurn();
        dispatch();
        if (done()) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        if (const auto wait = idleWait(left); wait.count() > 0) waitForQtEvents(wait);
    }
}

void Scheduler::endAllOthers() {
    std::vector<int> numbers;
    for (const auto& [n, f] : fibers_)
        if (f.get() != running_) numbers.push_back(n);
    for (int n : numbers) {
        Fiber* f = fiber(n);
        f->unwinding = true;
        // Dropping a suspended context unwinds its stack; its destructors run
        // as that fiber.
        Fiber* previous = running_;
        running_ = f;
        void* fake = nullptr;
        startSwitch(&fake, f->stackBottom, f->stackSize);
        f->context = ctx::fiber();
        finishSwitch(fake, nullptr, nullptr);
        running_ = previous;
        f->finished = true;
    }
    reap();
}

int START(Scheduler::Procedure procedure, std::size_t stackBytes) {
    return Scheduler::instance().start(std::move(procedure), stackBytes);
}

int THREAD() { return Scheduler::instance().current(); }

void YIELD() { Scheduler::instance().yield(); }

void SLEEP(Long milliseconds) { Scheduler::instance().sleepKeepingLock(std::chrono::milliseconds(std::max<Long>(milliseconds, 0))); }

}  // namespace platform
