#include "platform/system/MessageHook.h"

#include <map>
#include <utility>

namespace platform {
namespace {

struct Hooks {
    std::map<Long, MessageHookFn> registered;
    Long installed = 0;
    Long next = 1;
};

Hooks& hooks() {
    static Hooks h;
    return h;
}

}  // namespace

Long messageHookValue() { return hooks().installed; }

void setMessageHookValue(Long value) { hooks().installed = value; }

Long registerMessageHook(MessageHookFn hook) {
    Hooks& h = hooks();
    h.registered[h.next] = std::move(hook);
    return h.next++;
}

const MessageHookFn* installedMessageHook() {
    const Hooks& h = hooks();
    const auto hook = h.registered.find(h.installed);
    return h.installed != 0 && hook != h.registered.end() ? &hook->second : nullptr;
}

}  // namespace platform
