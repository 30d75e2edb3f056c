// The character engine: animated characters that stand over the windows,
// show and hide, move, gesture, play animations, think and speak.
//
//   auto& engine = CharacterEngine::instance();
//   engine.load("Merlin");                  // characters/Merlin.tchar beside the program
//   engine.show("Merlin", false);
//   engine.moveTo("Merlin", 300, 200, 1000);
//   RequestId said = engine.speak("Merlin", "Hallo!\Pau=300\Daar ben ik.");
//   if (engine.state(said) == RequestState::Ended) ...
//
// Rules:
// - Every call runs on Qt's thread (any fiber, or the scheduler's stack) and
//   never waits. A call on a character that is not loaded does nothing (0,
//   false or no request).
// - show, hide, speak, think, moveTo, gestureAt, play, wait and interrupt
//   add a request to the character's queue and give its id; a character's
//   requests run in order. stop, stopAll, activate, the sizes, the language
//   and the reads act at once. stop without a request ends the running one;
//   a request id the character does not hold does nothing.
// - Animation names are found without regard to case or trailing blanks; an
//   unknown one ends at once. A move of speed 0 takes no time; without a
//   speed the character moves at its own pace.
// - Speech texts carry tags (SpeechText.h); the voice is espeak-ng where it
//   is installed (Voice.h), else the balloon alone.
// - The listener hears of every request that ends, completed or stopped; it
//   is called inside engine calls (for a request that ends as it starts,
//   before the call that queued it returns) or on the scheduler's stack. It
//   may add requests and must not unload.
// - Trace mode (setTrace, or the environment variable
//   TABLOOM_CHARACTER_TRACE naming a file for the lines): every call but the
//   reads is written as a line (`MoveTo Merlin 10 20 1000`,
//   `Speak Merlin "abc{CR}{LF}def"`), and every request ends at once with its
//   effect on the state. Without it (real time) each character has a window,
//   and frames and moves are timed on the layer's Clock. The mode is taken
//   when a character is loaded.
// - A character's file is "<name>.tchar" in the folder "characters" beside
//   the program, or in the folder TABLOOM_CHARACTERS names. A name with a
//   path separator or a leading dot has no file.
#pragma once

#include "platform/agent/Character.h"
#include "platform/agent/Request.h"
#include "platform/fiber/Scheduler.h"

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace platform::agent {

enum class RequestState { Unknown, Pending, Running, Ended };

class CharacterEngine : private Scheduler::Ticker, private CharacterHost {
public:
    using Listener = std::function<void(const std::string& character, RequestId id, RequestEnd end)>;

    static CharacterEngine& instance();

    // Trace mode; the lines go to `file` (appended), else to traceLines().
    void setTrace(bool on, std::string file = {});
    const std::vector<std::string>& traceLines() const { return traceLines_; }
    void clearTrace() { traceLines_.clear(); }

    void setListener(Listener listener) { listener_ = std::move(listener); }
    RequestState state(RequestId id) const;

    // The character's file, "" when the name cannot be one.
    std::string characterFile(std::string_view name) const;
    // From `file`, else from the name's file; false when that is missing or bad.
    // A character loaded already stays as it is.
    bool load(std::string_view name, std::string_view file = {});
    // Stops its requests and takes it away.
    void unload(std::string_view name);
    bool loaded(std::string_view name) const { return find(name) != nullptr; }
    std::vector<std::string> animations(std::string_view name) const;

    RequestId show(std::string_view name, bool fast);
    RequestId hide(std::string_view name, bool fast);
    RequestId speak(std::string_view name, std::string_view text);
    RequestId think(std::string_view name, std::string_view text);
    // `speed`: milliseconds for the whole way; none: the character's own pace.
    RequestId moveTo(std::string_view name, Long x, Long y, std::optional<Long> speed = std::nullopt);
    RequestId gestureAt(std::string_view name, Long x, Long y);
    RequestId play(std::string_view name, std::string_view animation);
    // Holds the character's later requests until `request` (of any character) has ended.
    RequestId wait(std::string_view name, RequestId request);
    // When its turn comes, ends `request` of any character.
    RequestId interrupt(std::string_view name, RequestId request);

    void stop(std::string_view name, RequestId request = 0);
    void stopAll(std::string_view name, std::string_view types = {});
    void setHeight(std::string_view name, Long height);
    void setWidth(std::string_view name, Long width);
    // 2 brings the character in front of the others; it takes no input, so
    // the other states change nothing.
    void activate(std::string_view name, Long state);
    void setLanguage(std::string_view name, Long languageId);
    // The engine has no settings of its own to show.
    void showDefaultCharacterProperties();

    // When the next frame or move step is due; nothing while every character is still.
    std::optional<Clock::TimePoint> nextDue() const override;

    Long left(std::string_view name) const;
    Long top(std::string_view name) const;
    Long height(std::string_view name) const;
    Long width(std::string_view name) const;
    bool visible(std::string_view name) const;

private:
    CharacterEngine();
    ~CharacterEngine() override;

    Character* find(std::string_view name) const;
    RequestId add(std::string_view name, Request request);
    void trace(std::string_view call, std::string_view name, std::string_view arguments = {});
    void trace(std::string_view line);

    void fireDue(Clock::TimePoint now) override;
    void requestEnded(const std::string& character, RequestId id, RequestEnd end) override;
    bool requestOver(RequestId id) const override;
    void stopRequest(RequestId id) override;

    std::map<std::string, std::unique_ptr<Character>> characters_;  // by upper-case name
    RequestId nextId_ = 1;
    bool trace_ = false;
    std::string traceFile_;
    std::vector<std::string> traceLines_;
    Listener listener_;
};

}  // namespace platform::agent
