// Merlin's animations as poses: the assistant's 71 names, and "Speaking",
// the beak that moves while he talks.
#pragma once

#include "Pose.h"

#include <string>
#include <vector>

struct MerlinFrame {
    Pose pose;
    int duration = 0;  // milliseconds
};

struct MerlinAnimation {
    std::string name;
    std::vector<MerlinFrame> frames;
};

std::vector<MerlinAnimation> merlinAnimations();
