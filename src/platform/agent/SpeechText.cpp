#include "platform/agent/SpeechText.h"

#include <algorithm>
#include <charconv>
#include <optional>

namespace platform::agent {
namespace {

bool blank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

struct Tag {
    enum class Kind { Pause, Volume, Speed, Reset } kind;
    Long value = 0;
    std::size_t length = 0;  // backslashes included
};

std::optional<Long> tagNumber(std::string_view digits) {
    if (digits.empty() || digits.size() > 9 || !std::all_of(digits.begin(), digits.end(), isDigit)) return std::nullopt;
    Long value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

// The tag that starts at the backslash at `at`, if it is one.
std::optional<Tag> tagAt(std::string_view text, std::size_t at) {
    const std::size_t close = text.find('\\', at + 1);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string body = upper(text.substr(at + 1, close - at - 1));
    const std::size_t length = close - at + 1;
    if (body == "RST") return Tag{Tag::Kind::Reset, 0, length};
    if (body.size() < 5 || body[3] != '=') return std::nullopt;
    const std::optional<Long> value = tagNumber(std::string_view(body).substr(4));
    if (!value) return std::nullopt;
    const std::string name = body.substr(0, 3);
    if (name == "PAU") return Tag{Tag::Kind::Pause, *value, length};
    if (name == "VOL") return Tag{Tag::Kind::Volume, *value, length};
    if (name == "SPD") return Tag{Tag::Kind::Speed, *value, length};
    return std::nullopt;
}

void apply(const Tag& tag, SpeechSettings& settings, std::vector<SpeechPart>& parts) {
    switch (tag.kind) {
        case Tag::Kind::Pause: parts.push_back({{}, tag.value}); break;
        case Tag::Kind::Volume: settings.voiced = tag.value > 1; break;
        case Tag::Kind::Speed:
            settings.speed = std::clamp(tag.value, SpeechSettings::kSlowest, SpeechSettings::kFastest);
            break;
        case Tag::Kind::Reset: settings = SpeechSettings{}; break;
    }
}

void addText(std::vector<SpeechPart>& parts, char c) {
    if (parts.empty() || parts.back().pause != 0) parts.push_back({});
    parts.back().text += c;
}

}  // namespace

bool Speech::showsNothing() const { return std::all_of(shown.begin(), shown.end(), blank); }

std::chrono::milliseconds Speech::readingTime() const {
    Long words = 0, pauses = 0;
    for (std::size_t i = 0; i < shown.size(); ++i)
        if (!blank(shown[i]) && (i == 0 || blank(shown[i - 1]))) ++words;
    for (const SpeechPart& p : parts) pauses += p.pause;
    return std::chrono::milliseconds(words * 60000 / settings.speed + pauses + 1000);
}

Speech parseSpeech(std::string_view text, const SpeechSettings& defaults) {
    Speech speech;
    SpeechSettings current = defaults;
    bool started = false;
    for (std::size_t i = 0; i < text.size();) {
        if (text[i] == '\\') {
            if (const std::optional<Tag> tag = tagAt(text, i)) {
                apply(*tag, current, speech.parts);
                i += tag->length;
                continue;
            }
        }
        if (!started && !blank(text[i])) {
            started = true;
            speech.settings = current;
        }
        speech.shown += text[i];
        addText(speech.parts, text[i]);
        ++i;
    }
    if (!started) speech.settings = current;
    return speech;
}

std::vector<std::string> speechLines(std::string_view shown) {
    std::vector<std::string> lines(1);
    for (std::size_t i = 0; i < shown.size(); ++i) {
        if (shown[i] == '\r' || shown[i] == '\n') {
            if (shown[i] == '\r' && i + 1 < shown.size() && shown[i + 1] == '\n') ++i;
            lines.emplace_back();
            continue;
        }
        lines.back() += shown[i];
    }
    return lines;
}

}  // namespace platform::agent
