// One loaded character: its queue of requests, its state, and, in real time,
// its window, balloon and voice.
//
// Rules:
// - Requests run one after the other in the order they were added. A
//   request that has nothing to show (an unknown animation, a move of speed
//   0 or while hidden, a speech of tags only) ends as it starts.
// - Not live (trace mode) every request ends as it starts, with its effect
//   on the state (visible, position, speech defaults) made at once; there
//   is no window, balloon nor voice.
// - Live, frames and moves are timed on the layer's Clock: proceed() does
//   what is due, nextDue() says when more is due (nothing while the
//   character is still or waits only for its voice or another request).
// - Every request that ends, completed or stopped, is reported to the host.
//   The host's handler may add requests to the character but not unload it.
#pragma once

#include "platform/agent/CharacterFile.h"
#include "platform/agent/Request.h"
#include "platform/agent/SpeechText.h"
#include "platform/agent/Voice.h"
#include "platform/fiber/Clock.h"

#include <QPointer>
#include <QRect>
#include <deque>
#include <memory>
#include <optional>
#include <string>

namespace platform::agent {

class CharacterWindow;
class SpeechBalloon;

// What a character needs of the engine that holds it.
class CharacterHost {
public:
    virtual ~CharacterHost() = default;
    virtual void requestEnded(const std::string& character, RequestId id, RequestEnd end) = 0;
    virtual bool requestOver(RequestId id) const = 0;
    virtual void stopRequest(RequestId id) = 0;
};

class Character {
public:
    Character(std::string name, std::shared_ptr<const CharacterData> data, bool live, CharacterHost& host);
    ~Character();
    Character(const Character&) = delete;
    Character& operator=(const Character&) = delete;

    void add(Request request);
    bool holds(RequestId id) const;
    bool runs(RequestId id) const;
    // Ends the request, queued or running; false when the character has no such request.
    bool stop(RequestId id);
    void stopRunning();
    // `types`: a comma-separated list of Move, Play, Speak (Get, NonQueuedGet:
    // nothing to stop); blank: every request.
    void stopAll(std::string_view types);

    void setWidth(Long width);
    void setHeight(Long height);
    void setLanguage(Long languageId) { language_ = languageId; }
    void activate(Long state);

    void proceed();
    std::optional<Clock::TimePoint> nextDue() const;

    const CharacterData& data() const { return *data_; }
    Long left() const { return x_; }
    Long top() const { return y_; }
    Long width() const { return width_; }
    Long height() const { return height_; }
    bool visible() const { return visible_; }

private:
    struct Playing {
        const Animation* animation = nullptr;
        std::size_t frame = 0;
        Clock::TimePoint due;
        bool loop = false;
        bool over = false;
    };
    struct Moving {
        Long fromX = 0, fromY = 0;
        Clock::TimePoint start;
        Clock::Duration length{};
        Clock::TimePoint nextStep;
    };

    void begin(Clock::TimePoint now);
    void beginSpeech(Clock::TimePoint now);
    void beginMove(Clock::TimePoint now);
    void step(Clock::TimePoint now);
    void stepMove(Clock::TimePoint now);
    void finish(RequestEnd end);
    void endEffects();
    void voiceEnded(bool spoke);

    bool play(std::string_view animation, bool loop, Clock::TimePoint now);
    void advanceFrames(Clock::TimePoint now);
    bool animationOver() const { return !playing_ || playing_->over; }
    void showFrame(const CharacterFrame& frame);
    void showRestPose();
    void setVisible(bool visible);
    void placeAt(Long x, Long y);
    QRect rect() const;

    std::string name_;
    std::shared_ptr<const CharacterData> data_;
    bool live_;
    CharacterHost& host_;

    Long x_ = 0, y_ = 0;
    Long width_ = 0, height_ = 0;
    bool visible_ = false;
    Long language_ = 1043;
    SpeechSettings speechDefaults_;

    std::deque<Request> queue_;
    std::optional<Request> current_;
    bool currentDone_ = false;
    bool proceeding_ = false;

    std::optional<Playing> playing_;
    std::optional<Moving> moving_;
    std::optional<Clock::TimePoint> speechEnd_;  // when a silent speech ends
    bool voiceSpeaking_ = false;

    Voice voice_;
    QPointer<CharacterWindow> window_;
    QPointer<SpeechBalloon> balloon_;
};

}  // namespace platform::agent
