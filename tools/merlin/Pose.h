// One drawing of Merlin, the falcon: how he stands, looks and what he holds.
// Poses are written with designated initialisers, in the fields' order:
//   Pose{.headX = -4, .lookX = -1}
#pragma once

// What he shows beside him.
enum class Prop {
    None, Sparkles, Stars, Question, Exclamation, Bulb, Book, Magnifier, Gears, SoundWaves, Tear, Thought, Sleep
};

struct Pose {
    double scale = 1;            // grows from nothing when he shows
    double hop = 0;              // pixels off the perch
    double lean = 0;             // degrees, + to the right
    double headX = 0, headY = 0; // the head's shift (turning, nodding)
    double headTilt = 0;         // degrees
    double lookX = 0, lookY = 0; // where the eyes look, -1 to 1
    double eyes = 1;             // 1 open, 0 shut
    double happy = 0;            // 1: eyes as smiling arcs
    double wide = 0;             // 1: eyes wide open
    double brow = 0;             // -1 sad, 1 frowning
    double beak = 0;             // 0 shut, 1 wide open
    double leftWing = 0;         // 0 folded, 1 out sideways, 1.6 straight up
    double rightWing = 0;
    double flying = 0;           // 1: wings spread in flight, no perch
    double flap = 0;             // -1 wings down, 1 wings up (in flight)
    double fluff = 0;            // feathers puffed out
    Prop prop = Prop::None;
    double propSize = 0;         // 0 none, 1 full
    double propTurn = 0;         // turning or progress of the prop
};

// The pose `t` of the way from `a` to `b` (0: a, 1: b). A prop that comes or
// goes grows or shrinks on the way.
Pose mix(const Pose& a, const Pose& b, double t);
