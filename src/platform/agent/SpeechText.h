// Speech texts: what a balloon shows and a voice says, read from a text that
// carries tags.
//
// Tags, matched without regard to case: \Pau=n\ a pause of n milliseconds,
// \Vol=n\ the volume (1 or less: no voice), \Spd=n\ the speed in words a
// minute, \Rst\ back to the engine's settings. Any other backslash is text.
//
// Rules:
// - A speech speaks at the speed and volume in force at its first shown
//   character; tags after it change nothing of that speech.
// - A text that shows nothing (tags and blanks only) is a setting: the
//   settings at its end become the defaults of later speeches.
#pragma once

#include "platform/text/Text.h"

#include <chrono>
#include <string>
#include <string_view>
#include <vector>

namespace platform::agent {

struct SpeechSettings {
    static constexpr Long kDefaultSpeed = 150;
    static constexpr Long kSlowest = 50;
    static constexpr Long kFastest = 450;
    Long speed = kDefaultSpeed;  // words a minute
    bool voiced = true;
    bool operator==(const SpeechSettings&) const = default;
};

// A run of text, or a pause when `pause` is set.
struct SpeechPart {
    std::string text;
    Long pause = 0;  // milliseconds
};

struct Speech {
    std::string shown;  // the text without its tags
    std::vector<SpeechPart> parts;
    SpeechSettings settings;

    bool showsNothing() const;
    // How long a silent balloon stays: the words at the speech's speed, the
    // pauses, and a moment to finish reading.
    std::chrono::milliseconds readingTime() const;
};

Speech parseSpeech(std::string_view text, const SpeechSettings& defaults);

// The shown text's lines: broken at CR LF, and at a CR or LF alone.
std::vector<std::string> speechLines(std::string_view shown);

}  // namespace platform::agent
