// The 71 animations of the assistant's characters, in the order the author
// windows offer them.
#include "assistant/AnimationNames.h"
#include "assistant/AssistantClass.h"

#include "platform/data/Queue.h"

#include <algorithm>
#include <array>
#include <vector>

using namespace platform;

namespace {

constexpr std::size_t kNameWidth = 63;

constexpr std::array<const char*, 71> kAnimations = {
    "Acknowledge",   "Alert",          "Announce",        "Blink",          "Confused",
    "Congratulate",  "Congratulate_2", "Decline",         "DoMagic1",       "DoMagic2",
    "DontRecognize", "Explain",        "GestureDown",     "GestureLeft",    "GestureRight",
    "GestureUp",     "GetAttention",   "GetAttentionContinued", "GetAttentionReturn", "Greet",
    "Hearing_1",     "Hearing_2",      "Hearing_3",       "Hearing_4",      "Hide",
    "Idle1_1",       "Idle1_2",        "Idle1_3",         "Idle1_4",        "Idle1_5",
    "Idle1_6",       "Idle2_1",        "Idle2_2",         "Idle2_3",        "Idle3_1",
    "Idle3_2",       "LookDown",       "LookDownBlink",   "LookDownReturn", "LookLeft",
    "LookLeftBlink", "LookLeftReturn", "LookRight",       "LookRightBlink", "LookRightReturn",
    "LookUp",        "LookUpBlink",    "LookUpReturn",    "MoveDown",       "MoveLeft",
    "MoveRight",     "MoveUp",         "Pleased",         "Process",        "Processing",
    "Read",          "ReadContinued",  "ReadReturn",      "Reading",        "RestPose",
    "Sad",           "Search",         "Searching",       "Show",           "StartListening",
    "StopListening", "Suggest",        "Surprised",       "Think",          "Thinking",
    "Uncertain",
};

// The names in the order their upper-case letters give, as the completion
// compares them: the list's own order has "ReadReturn" before "Reading".
const std::vector<std::string>& upperCasedOrder() {
    static const std::vector<std::string> sorted = [] {
        std::vector<std::string> names(kAnimations.begin(), kAnimations.end());
        std::sort(names.begin(), names.end(),
                  [](const std::string& a, const std::string& b) { return upper(a) < upper(b); });
        return names;
    }();
    return sorted;
}

}  // namespace

void AssistantClass::FillAnimationList(QueueBase& list) {
    for (const char* name : kAnimations) {
        list.field(1).setText(std::string_view(name).substr(0, kNameWidth));
        list.add();
    }
}

std::optional<std::string> completedAnimation(std::string_view typed) {
    const std::string wanted = upper(clip(typed));
    for (const std::string& name : upperCasedOrder())
        if (upper(name) >= wanted) return name;
    return std::nullopt;
}
