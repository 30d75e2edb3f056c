#include "platform/ui/Keyboard.h"

#include "platform/fiber/Scheduler.h"
#include "platform/ui/Window.h"

#include <deque>
#include <map>

namespace platform {
namespace {

class HeldKeys {
public:
    static HeldKeys& instance() {
        static HeldKeys keys;
        return keys;
    }
    void hold(int thread, bool on) {
        if (on)
            held_[thread];
        else
            held_.erase(thread);
    }
    std::deque<Long>* of(int thread) {
        auto it = held_.find(thread);
        return it == held_.end() ? nullptr : &it->second;
    }

private:
    HeldKeys() {
        Scheduler::instance().onFiberEnded([this](int thread) { held_.erase(thread); });
    }
    std::map<int, std::deque<Long>> held_;
};

}  // namespace

void HOLDKEYS(bool on) { HeldKeys::instance().hold(THREAD(), on); }

Long KEYBOARD() {
    const std::deque<Long>* keys = HeldKeys::instance().of(THREAD());
    return keys && !keys->empty() ? keys->front() : 0;
}

void ASK() {
    const int thread = THREAD();
    Scheduler::instance().waitUntil([thread] {
        const std::deque<Long>* keys = HeldKeys::instance().of(thread);
        return !keys || !keys->empty();
    });
    std::deque<Long>* keys = HeldKeys::instance().of(thread);
    if (!keys) return;
    SETKEYCODE(keys->front());
    keys->pop_front();
}

bool holdKey(int thread, Long keyCode) {
    std::deque<Long>* keys = HeldKeys::instance().of(thread);
    if (!keys) return false;
    keys->push_back(keyCode);
    Scheduler::instance().wake();
    return true;
}

}  // namespace platform
