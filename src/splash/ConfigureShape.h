// The configuration window's shape, our own drawing (ConfigureShape.cpp,
// written by tools/configure_shape/make_shape.py): an ellipse outline that
// stands in eight places, around a centre outline. Each is closed, its last
// point its first again.
//
//   ellipse  223 points filling a box 173 by 119 pixels, relative to the
//            box's top left corner; it starts at (1, 51) and runs upward
//   centre   523 points in the client area's pixels, in the box (283, 151)
//            to (473, 430); it starts at (284, 293) and runs upward
#pragma once

#include "platform/ui/Region.h"

#include <span>

std::span<const platform::Point> ellipseOutline();
std::span<const platform::Point> centreOutline();
