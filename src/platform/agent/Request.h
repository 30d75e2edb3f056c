// A character's queued request, as the engine keeps it.
#pragma once

#include "platform/text/Text.h"

#include <optional>
#include <string>

namespace platform::agent {

using RequestId = Long;  // 0: none

enum class RequestKind { Show, Hide, Speak, Think, Move, Gesture, Play, Wait, Interrupt };

enum class RequestEnd { Completed, Stopped };

struct Request {
    RequestId id = 0;
    RequestKind kind = RequestKind::Play;
    bool fast = false;          // show, hide: without their animation
    Long x = 0, y = 0;          // move, gesture: a screen point
    std::optional<Long> speed;  // move: milliseconds for the whole way; none: the character's pace
    std::string text;           // speech, or an animation's name
    RequestId other = 0;        // wait, interrupt: the request they are about
};

}  // namespace platform::agent
