// The character's animations a step can play (Part of the author windows):
// FillAnimationList lists them for a combo; completedAnimation finishes a
// name the author typed.
#pragma once

#include "platform/data/Record.h"

#include <optional>
#include <string>
#include <string_view>

// The first animation, compared upper-cased and clipped in that order, that
// is not below the typed text: the name that begins with it, when one does;
// nullopt past the last. A blank text is the caller's (it stays blank).
std::optional<std::string> completedAnimation(std::string_view typed);

// A row of an author window's list of animations.
#define ANIMATIONLIST_FIELDS(X) X(platform::CString<64>, ANISETTING)
struct AnimationRecord {
    TABLOOM_RECORD(AnimationRecord, "", ANIMATIONLIST_FIELDS)
};
