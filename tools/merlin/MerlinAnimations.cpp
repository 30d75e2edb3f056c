#include "MerlinAnimations.h"

namespace {

const Pose kRest{};

// An animation built pose by pose: `to` eases from the last pose to the next
// over a few frames.
class Clip {
public:
    explicit Clip(const Pose& start = kRest, int ms = 100) { frames_.push_back({start, ms}); }
    Clip& to(const Pose& target, int steps = 3, int ms = 80) {
        const Pose from = frames_.back().pose;
        for (int i = 1; i <= steps; ++i) frames_.push_back({mix(from, target, double(i) / steps), ms});
        return *this;
    }
    Clip& hold(int ms) {
        frames_.back().duration += ms;
        return *this;
    }
    Clip& back(int steps = 3, int ms = 80) { return to(kRest, steps, ms); }
    std::vector<MerlinFrame> frames() const { return frames_; }

private:
    std::vector<MerlinFrame> frames_;
};

Pose shut(Pose p) {
    p.eyes = 0;
    return p;
}

// Where he looks: the head turns a little, the eyes a lot.
const Pose kLookLeft{.headX = -4, .headTilt = -4, .lookX = -1};
const Pose kLookRight{.headX = 4, .headTilt = 4, .lookX = 1};
const Pose kLookUp{.headY = -2, .lookY = -1};
const Pose kLookDown{.headY = 4, .lookY = 1, .eyes = 0.7};

// A wing pointing the way of a gesture.
const Pose kPointLeft{.lean = -4, .headX = -3, .lookX = -1, .leftWing = 1.05};
const Pose kPointRight{.lean = 4, .headX = 3, .lookX = 1, .rightWing = 1.05};
const Pose kPointUp{.headY = -2, .lookX = 0.4, .lookY = -1, .rightWing = 1.75};
const Pose kPointDown{.headY = 4, .lookX = 0.5, .lookY = 1, .rightWing = 0.55};

const Pose kWave{.hop = 2, .lookX = 0.3, .beak = 0.4, .rightWing = 1.45, .prop = Prop::Exclamation, .propSize = 1};
const Pose kReading{.headY = 4, .lookY = 1, .eyes = 0.8, .leftWing = 0.3, .rightWing = 0.3, .prop = Prop::Book,
                    .propSize = 1};
const Pose kListening{.headX = 2, .headTilt = 14, .lookX = 0.7, .prop = Prop::SoundWaves, .propSize = 1};
const Pose kThinking{.headTilt = 10, .lookX = 0.6, .lookY = -1, .leftWing = 0.5, .prop = Prop::Thought,
                     .propSize = 1};

std::vector<MerlinFrame> gesture(const Pose& point) { return Clip().to(point, 3, 80).hold(600).back(3, 80).frames(); }

std::vector<MerlinFrame> look(const Pose& at) { return Clip().to(at, 3, 80).frames(); }

std::vector<MerlinFrame> lookBlink(const Pose& at) {
    Pose half = at;
    half.eyes = 0.4;
    return Clip(at, 300).to(half, 1, 40).to(shut(at), 1, 80).to(half, 1, 40).to(at, 1, 200).frames();
}

std::vector<MerlinFrame> lookReturn(const Pose& at) { return Clip(at, 80).back(3, 80).frames(); }

// Wings beating while he flies the given way.
std::vector<MerlinFrame> flight(double lean, double lookX, double lookY) {
    std::vector<MerlinFrame> frames;
    for (double flap : {-1.0, -0.2, 0.8, 0.2})
        frames.push_back({Pose{.lean = lean, .lookX = lookX, .lookY = lookY, .flying = 1, .flap = flap}, 90});
    return frames;
}

std::vector<MerlinFrame> blinkTwice() {
    return Clip(kRest, 400).to(shut(kRest), 1, 90).to(kRest, 1, 200).to(shut(kRest), 1, 90).to(kRest, 1, 300).frames();
}

std::vector<MerlinFrame> turningGears(const Pose& base, int frames, int ms) {
    std::vector<MerlinFrame> out;
    for (int i = 0; i < frames; ++i) {
        Pose p = base;
        p.propTurn = double(i) / frames;
        out.push_back({p, ms});
    }
    return out;
}

std::vector<MerlinFrame> join(std::vector<MerlinFrame> a, const std::vector<MerlinFrame>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

}  // namespace

std::vector<MerlinAnimation> merlinAnimations() {
    const Pose nod{.headY = 4, .lookY = 0.6, .eyes = 0.6};
    const Pose magicUp{.lookX = 0.6, .lookY = -0.6, .rightWing = 1.5, .prop = Prop::Sparkles, .propSize = 0.6};
    const Pose confusedLeft{.headTilt = -16, .lookX = -0.6, .brow = 0.5, .prop = Prop::Question, .propSize = 0.8};
    const Pose hide{.scale = 0.05, .prop = Prop::Sparkles, .propSize = 1, .propTurn = 1};
    const Pose process{.headY = 3, .lookY = 0.9, .eyes = 0.8, .prop = Prop::Gears, .propSize = 1};
    const Pose search{.lookX = 1, .rightWing = 0.95, .prop = Prop::Magnifier, .propSize = 1};
    const Pose sleepy{.headY = 3, .eyes = 0.3, .prop = Prop::Sleep, .propSize = 0.5};
    const Pose stars{.hop = 8, .happy = 1, .leftWing = 1.3, .rightWing = 1.3, .prop = Prop::Stars, .propSize = 1};
    Pose starsDown = stars;
    starsDown.hop = 0;
    starsDown.leftWing = starsDown.rightWing = 0.8;
    starsDown.propTurn = 0.5;

    return {
        {"Acknowledge", Clip().to(nod, 2, 70).to(kRest, 2, 70).to(nod, 2, 70).back(2, 70).frames()},
        {"Alert",
         Clip().to({.hop = 4, .wide = 1, .leftWing = 0.35, .rightWing = 0.35, .fluff = 0.6,
                    .prop = Prop::Exclamation, .propSize = 1}, 2, 60).hold(500).back(3, 80).frames()},
        {"Announce",
         Clip().to({.hop = 2, .headTilt = -8, .beak = 0.7, .rightWing = 1.25}, 3, 80)
             .to({.hop = 2, .headTilt = -8, .beak = 0.1, .rightWing = 1.35}, 1, 120)
             .to({.hop = 2, .headTilt = -8, .beak = 0.8, .rightWing = 1.25}, 1, 120).hold(200).back(3, 80).frames()},
        {"Blink", Clip(kRest, 60).to({.eyes = 0.4}, 1, 40).to(shut(kRest), 1, 70).to({.eyes = 0.4}, 1, 40)
                      .to(kRest, 1, 60).frames()},
        {"Confused",
         Clip().to(confusedLeft, 3, 90).hold(300)
             .to({.headTilt = 16, .lookX = 0.6, .brow = 0.5, .prop = Prop::Question, .propSize = 1}, 4, 90)
             .hold(300).back(3, 90).frames()},
        {"Congratulate", Clip().to(stars, 3, 70).to(starsDown, 2, 70).to(stars, 2, 70).back(3, 80).frames()},
        {"Congratulate_2",
         Clip().to({.lean = -6, .happy = 1, .leftWing = 1.4, .rightWing = 0.6, .prop = Prop::Stars, .propSize = 1},
                   2, 80)
             .to({.lean = 6, .happy = 1, .leftWing = 0.6, .rightWing = 1.4, .prop = Prop::Stars, .propSize = 1,
                  .propTurn = 0.5}, 3, 80)
             .to({.lean = -6, .happy = 1, .leftWing = 1.4, .rightWing = 0.6, .prop = Prop::Stars, .propSize = 1,
                  .propTurn = 1}, 3, 80)
             .back(3, 80).frames()},
        {"Decline",
         Clip().to({.headX = -4, .lookX = -0.8, .brow = 0.4}, 2, 60).to({.headX = 4, .lookX = 0.8, .brow = 0.4}, 3, 60)
             .to({.headX = -4, .lookX = -0.8, .brow = 0.4}, 3, 60).back(2, 60).frames()},
        {"DoMagic1", Clip().to(magicUp, 4, 80).to({.lookX = 0.6, .lookY = -0.6, .rightWing = 1.6,
                                                   .prop = Prop::Sparkles, .propSize = 1, .propTurn = 0.5}, 3, 80)
                         .frames()},
        {"DoMagic2",
         Clip({.lookX = 0.6, .lookY = -0.6, .rightWing = 1.6, .prop = Prop::Sparkles, .propSize = 1, .propTurn = 0.5})
             .to({.lean = 5, .lookX = 0.8, .rightWing = 0.3, .prop = Prop::Sparkles, .propSize = 1, .propTurn = 1}, 2,
                 60)
             .hold(300).back(4, 80).frames()},
        {"DontRecognize",
         Clip().to({.headTilt = -15, .lookX = -0.4, .brow = 0.3, .leftWing = 0.45, .rightWing = 0.45,
                    .prop = Prop::Question, .propSize = 0.8}, 3, 90).hold(500).back(3, 90).frames()},
        {"Explain",
         Clip().to({.lookX = 0.3, .beak = 0.4, .rightWing = 0.8}, 3, 80).to({.lookX = 0.3, .rightWing = 1}, 2, 80)
             .to({.lookX = -0.3, .beak = 0.5, .leftWing = 0.8, .rightWing = 0.3}, 3, 80)
             .to({.lookX = 0.2, .beak = 0.2, .rightWing = 0.9}, 3, 80).back(3, 80).frames()},
        {"GestureDown", gesture(kPointDown)},
        {"GestureLeft", gesture(kPointLeft)},
        {"GestureRight", gesture(kPointRight)},
        {"GestureUp", gesture(kPointUp)},
        {"GetAttention", Clip().to({.hop = 6, .beak = 0.5, .rightWing = 1.4, .prop = Prop::Exclamation,
                                    .propSize = 1}, 2, 60)
                             .to({.beak = 0.2, .rightWing = 1.0, .prop = Prop::Exclamation, .propSize = 1}, 2, 60)
                             .to(kWave, 2, 60).frames()},
        {"GetAttentionContinued",
         Clip(kWave, 80).to({.hop = 2, .lookX = 0.3, .beak = 0.1, .rightWing = 1.0, .prop = Prop::Exclamation,
                             .propSize = 1}, 2, 80).to(kWave, 2, 80).frames()},
        {"GetAttentionReturn", Clip(kWave, 80).back(4, 80).frames()},
        {"Greet",
         Clip().to({.happy = 1, .beak = 0.3, .rightWing = 1.4}, 3, 80).to({.happy = 1, .rightWing = 1.0}, 2, 70)
             .to({.happy = 1, .beak = 0.3, .rightWing = 1.4}, 2, 70)
             .to({.headY = 5, .eyes = 0.2, .rightWing = 0.4}, 3, 90).hold(200).back(3, 90).frames()},
        {"Hearing_1", Clip().to(kListening, 3, 90).hold(300).frames()},
        {"Hearing_2", Clip(kListening, 200).to({.headX = 2, .headTilt = 14, .lookX = 0.7, .prop = Prop::SoundWaves,
                                               .propSize = 0.34}, 2, 120)
                          .to(kListening, 2, 120).frames()},
        {"Hearing_3", lookBlink(kListening)},
        {"Hearing_4", lookReturn(kListening)},
        {"Hide", Clip().to({.scale = 0.6, .prop = Prop::Sparkles, .propSize = 0.6, .propTurn = 0.5}, 2, 70)
                     .to(hide, 3, 60).frames()},
        {"Idle1_1", blinkTwice()},
        {"Idle1_2", Clip().to(kLookLeft, 3, 90).hold(400).to(kLookRight, 4, 90).hold(400).back(3, 90).frames()},
        {"Idle1_3", Clip().to({.headX = -6, .headY = 6, .headTilt = -25, .eyes = 0.3, .leftWing = 0.2}, 3, 90)
                        .to({.headX = -7, .headY = 7, .headTilt = -28, .eyes = 0.2, .leftWing = 0.25}, 1, 150)
                        .to({.headX = -6, .headY = 6, .headTilt = -25, .eyes = 0.3, .leftWing = 0.2}, 1, 150)
                        .back(3, 90).frames()},
        {"Idle1_4", Clip().to({.eyes = 0.6, .fluff = 1}, 3, 80).hold(300).back(3, 90).frames()},
        {"Idle1_5", Clip().to({.lean = -4}, 3, 100).hold(300).to({.lean = 4}, 4, 100).hold(300).back(3, 100).frames()},
        {"Idle1_6", Clip().to(kLookUp, 3, 90).hold(300).to(shut(kLookUp), 1, 90).to(kLookUp, 1, 300).back(3, 90)
                        .frames()},
        {"Idle2_1", Clip().to({.headY = -2, .headTilt = 5, .eyes = 0, .beak = 1, .leftWing = 0.3, .rightWing = 0.3},
                              4, 100)
                        .hold(400).back(4, 100).frames()},
        {"Idle2_2", Clip().to({.eyes = 0.5, .leftWing = 1.3, .rightWing = 1.3, .fluff = 0.3}, 4, 90).hold(300)
                        .back(4, 90).frames()},
        {"Idle2_3", Clip().to({.hop = 3, .lean = 5, .headY = 3, .lookX = 0.3, .lookY = 1}, 3, 80)
                        .to({.lean = -3, .headY = 3, .lookX = -0.3, .lookY = 1}, 3, 80).back(3, 80).frames()},
        {"Idle3_1", Clip().to(sleepy, 4, 120).to({.headY = 4, .eyes = 0.2, .prop = Prop::Sleep, .propSize = 1,
                                                  .propTurn = 0.5}, 3, 200).back(4, 120).frames()},
        {"Idle3_2", Clip(sleepy, 100).to({.headY = 6, .eyes = 0, .prop = Prop::Sleep, .propSize = 1, .propTurn = 1}, 4,
                                         250).to(sleepy, 4, 200).frames()},
        {"LookDown", look(kLookDown)},
        {"LookDownBlink", lookBlink(kLookDown)},
        {"LookDownReturn", lookReturn(kLookDown)},
        {"LookLeft", look(kLookLeft)},
        {"LookLeftBlink", lookBlink(kLookLeft)},
        {"LookLeftReturn", lookReturn(kLookLeft)},
        {"LookRight", look(kLookRight)},
        {"LookRightBlink", lookBlink(kLookRight)},
        {"LookRightReturn", lookReturn(kLookRight)},
        {"LookUp", look(kLookUp)},
        {"LookUpBlink", lookBlink(kLookUp)},
        {"LookUpReturn", lookReturn(kLookUp)},
        {"MoveDown", flight(0, 0, 1)},
        {"MoveLeft", flight(-15, -1, 0)},
        {"MoveRight", flight(15, 1, 0)},
        {"MoveUp", flight(0, 0, -1)},
        {"Pleased", Clip().to({.hop = 3, .happy = 1, .fluff = 0.5}, 3, 80).hold(400).back(3, 80).frames()},
        {"Process", join(Clip().to(process, 3, 90).frames(), turningGears(process, 4, 100))},
        {"Processing", turningGears(process, 6, 100)},
        {"Read", Clip().to(kReading, 3, 90).frames()},
        {"ReadContinued", join(Clip(kReading, 300).frames(), [&] {
                                   std::vector<MerlinFrame> pages;
                                   for (double turn : {0.25, 0.5, 0.75}) {
                                       Pose p = kReading;
                                       p.propTurn = turn;
                                       pages.push_back({p, 90});
                                   }
                                   pages.push_back({kReading, 200});
                                   return pages;
                               }())},
        {"ReadReturn", lookReturn(kReading)},
        {"Reading", [&] {
             std::vector<MerlinFrame> lines;
             for (double x : {-0.6, -0.2, 0.2, 0.6}) {
                 Pose p = kReading;
                 p.lookX = x;
                 lines.push_back({p, 250});
             }
             return lines;
         }()},
        {"RestPose", {{kRest, 100}}},
        {"Sad", Clip().to({.headY = 5, .lookY = 0.6, .eyes = 0.6, .brow = -1, .prop = Prop::Tear, .propSize = 0.6}, 4,
                          110)
                    .to({.headY = 5, .lookY = 0.6, .eyes = 0.6, .brow = -1, .prop = Prop::Tear, .propSize = 1,
                         .propTurn = 1}, 3, 150)
                    .hold(400).back(4, 110).frames()},
        {"Search", Clip().to(search, 3, 80).to({.lean = -3, .lookX = -1, .rightWing = 0.95, .prop = Prop::Magnifier,
                                                .propSize = 1}, 4, 90)
                       .to(search, 4, 90).back(3, 80).frames()},
        {"Searching", Clip(search, 100).to({.lean = -3, .lookX = -1, .rightWing = 0.95, .prop = Prop::Magnifier,
                                            .propSize = 1}, 4, 100)
                          .to(search, 4, 100).frames()},
        {"Show", Clip(hide, 60).to({.scale = 0.6, .prop = Prop::Sparkles, .propSize = 0.6, .propTurn = 0.5}, 3, 60)
                     .to(kRest, 3, 70).frames()},
        {"StartListening", Clip().to(kListening, 3, 90).hold(400).back(3, 90).frames()},
        {"StopListening", Clip().to(shut(kRest), 2, 70).back(2, 70).frames()},
        {"Suggest", Clip().to({.lookX = 0.5, .lookY = -0.5, .beak = 0.3, .rightWing = 1.4, .prop = Prop::Bulb,
                               .propSize = 0.4}, 3, 80)
                        .to({.lookX = 0.5, .lookY = -0.5, .beak = 0.3, .rightWing = 1.4, .prop = Prop::Bulb,
                             .propSize = 1}, 3, 100)
                        .hold(600).back(3, 90).frames()},
        {"Surprised", Clip().to({.hop = 6, .wide = 1, .beak = 0.8, .leftWing = 0.5, .rightWing = 0.5, .fluff = 1,
                                 .prop = Prop::Exclamation, .propSize = 1}, 1, 60)
                          .hold(400).back(4, 90).frames()},
        {"Think", Clip().to(kThinking, 3, 100).hold(500).back(3, 100).frames()},
        {"Thinking", [&] {
             std::vector<MerlinFrame> dots;
             for (double turn : {0.0, 0.25, 0.5, 0.75}) {
                 Pose p = kThinking;
                 p.propTurn = turn;
                 dots.push_back({p, 150});
             }
             return dots;
         }()},
        {"Uncertain", Clip().to({.headTilt = -12, .lookX = -0.5, .brow = 0.4, .leftWing = 0.3, .rightWing = 0.3,
                                 .prop = Prop::Question, .propSize = 0.6}, 3, 90)
                          .to({.headTilt = 12, .lookX = 0.5, .brow = 0.4, .leftWing = 0.3, .rightWing = 0.3,
                               .prop = Prop::Question, .propSize = 0.6}, 4, 100)
                          .back(3, 90).frames()},
        {"Speaking", {{{.beak = 0.6}, 90}, {{.beak = 0.2}, 80}, {{.beak = 0.8}, 100}, {{.beak = 0.1}, 80},
                      {{.beak = 0.5}, 90}, {kRest, 70}}},
    };
}
