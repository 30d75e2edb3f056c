// The splash window's logo, our own drawing (SplashLogo.cpp, written by
// tools/splash_logo/make_logo.py): five closed outlines in the pixels of the
// window's client area, the top row being y = 1.
//
//   1  the outer contour: a card with its top left corner cut off and a tab
//   2  a small petal cut out of the card
//   3  a tulip cut out of the card
//   4  the tulip's inner petal, standing in that cut-out
//   5  a leaf over the card's right edge (x 466), out to x 478
#pragma once

#include "platform/ui/Region.h"

#include <span>

// Outline 1 to 5, its last point the first again; any other number has none.
std::span<const platform::Point> logoOutline(int number);
