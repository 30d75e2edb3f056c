// Draws Merlin, a small falcon (a merlin is one), from vector shapes.
#pragma once

#include "Pose.h"

#include <QImage>

constexpr int kMerlinSize = 120;

QImage drawMerlin(const Pose& pose);
