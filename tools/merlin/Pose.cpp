#include "Pose.h"

namespace {
double between(double a, double b, double t) { return a + (b - a) * t; }
}  // namespace

Pose mix(const Pose& a, const Pose& b, double t) {
    Pose p;
    p.scale = between(a.scale, b.scale, t);
    p.hop = between(a.hop, b.hop, t);
    p.lean = between(a.lean, b.lean, t);
    p.headX = between(a.headX, b.headX, t);
    p.headY = between(a.headY, b.headY, t);
    p.headTilt = between(a.headTilt, b.headTilt, t);
    p.lookX = between(a.lookX, b.lookX, t);
    p.lookY = between(a.lookY, b.lookY, t);
    p.eyes = between(a.eyes, b.eyes, t);
    p.happy = between(a.happy, b.happy, t);
    p.wide = between(a.wide, b.wide, t);
    p.brow = between(a.brow, b.brow, t);
    p.beak = between(a.beak, b.beak, t);
    p.leftWing = between(a.leftWing, b.leftWing, t);
    p.rightWing = between(a.rightWing, b.rightWing, t);
    p.flying = between(a.flying, b.flying, t);
    p.flap = between(a.flap, b.flap, t);
    p.fluff = between(a.fluff, b.fluff, t);
    if (a.prop == b.prop) {
        p.prop = b.prop;
        p.propSize = between(a.propSize, b.propSize, t);
        p.propTurn = between(a.propTurn, b.propTurn, t);
    } else if (b.prop != Prop::None) {  // a new prop grows
        p.prop = b.prop;
        p.propSize = between(0, b.propSize, t);
        p.propTurn = b.propTurn;
    } else {  // the old one shrinks away
        p.prop = t < 1 ? a.prop : Prop::None;
        p.propSize = between(a.propSize, 0, t);
        p.propTurn = a.propTurn;
    }
    return p;
}
