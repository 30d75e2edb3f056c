#include "platform/ui/ThreadEvents.h"

#include "platform/fiber/Scheduler.h"
#include "platform/ui/Equates.h"

#include <deque>
#include <map>

namespace platform::threadEvents {
namespace {

struct Queued {
    Long window = 0;  // 0: whichever window of the thread waits next
    Event event;
};

bool takes(const Queued& q, Long window) { return q.window == 0 || q.window == window; }

class Queues {
public:
    static Queues& instance() {
        static Queues q;
        return q;
    }
    std::deque<Queued>& of(int thread) { return queues_[thread]; }
    void forget(int thread) { queues_.erase(thread); }

private:
    Queues() {
        Scheduler::instance().onFiberEnded([this](int thread) { forget(thread); });
    }
    std::map<int, std::deque<Queued>> queues_;
};

struct Timer {
    int thread = 0;
    Clock::Duration period{};
    Clock::TimePoint due;
};

class Timers : public Scheduler::Ticker {
public:
    static Timers& instance() {
        static Timers t;
        return t;
    }
    void set(int thread, Long window, Long hundredths) {
        if (hundredths <= 0) {
            timers_.erase(window);
            return;
        }
        const Clock::Duration period = std::chrono::milliseconds(hundredths * 10);
        timers_[window] = {thread, period, Clock::now() + period};
        Scheduler::instance().wake();
    }
    void forget(Long window) { timers_.erase(window); }

    std::optional<Clock::TimePoint> nextDue() const override {
        std::optional<Clock::TimePoint> next;
        for (const auto& [window, t] : timers_)
            if (!next || t.due < *next) next = t.due;
        return next;
    }
    void fireDue(Clock::TimePoint now) override {
        for (auto& [window, t] : timers_) {
            if (t.due > now) continue;
            if (!queued(t.thread, window, EVENT::Timer)) post(t.thread, window, {.event = EVENT::Timer});
            t.due += t.period;
            if (t.due <= now) t.due = now + t.period;
        }
    }

private:
    Timers() { Scheduler::instance().addTicker(*this); }
    std::map<Long, Timer> timers_;
};

}  // namespace

void post(int thread, Long window, const Event& e) {
    Event stamped = e;
    if (stamped.time == 0) stamped.time = CLOCK();
    Queues::instance().of(thread).push_back({window, stamped});
    Scheduler::instance().wake();
}

std::optional<Event> take(int thread, Long window) {
    std::deque<Queued>& queue = Queues::instance().of(thread);
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if (!takes(*it, window)) continue;
        Event e = it->event;
        queue.erase(it);
        return e;
    }
    return std::nullopt;
}

bool waiting(int thread, Long window) {
    const std::deque<Queued>& queue = Queues::instance().of(thread);
    for (const Queued& q : queue)
        if (takes(q, window)) return true;
    return false;
}

bool queued(int thread, Long window, Long event) {
    for (const Queued& q : Queues::instance().of(thread))
        if (q.window == window && q.event.event == event) return true;
    return false;
}

void dropFor(int thread, Long window) {
    std::deque<Queued>& queue = Queues::instance().of(thread);
    std::erase_if(queue, [window](const Queued& q) { return q.window == window; });
    Timers::instance().forget(window);
}

void setTimer(int thread, Long window, Long hundredths) { Timers::instance().set(thread, window, hundredths); }

}  // namespace platform::threadEvents
