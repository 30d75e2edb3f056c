// The arithmetic of resizing: a scaled position, size, offset or room drops
// its fraction, a scaled font size rounds (a half up). Both forgive the last
// bits of a product of binary fractions, so 10 * 1.2 gives 12, not 11.
#pragma once

#include "platform/text/Text.h"

#include <cmath>

namespace restyle {

inline constexpr platform::Real kScaleSlack = 1e-9;

inline platform::Long truncated(platform::Real value) {
    return static_cast<platform::Long>(std::trunc(value + std::copysign(kScaleSlack, value)));
}

inline platform::Long rounded(platform::Real value) {
    return static_cast<platform::Long>(std::floor(value + 0.5 + kScaleSlack));
}

// The factor that fits both sides, the height's on a tie.
inline platform::Real smallerRatio(platform::Real width, platform::Real height, platform::Real openingWidth,
                                   platform::Real openingHeight) {
    const platform::Real across = width / openingWidth, down = height / openingHeight;
    return across < down ? across : down;
}

}  // namespace restyle
