// The configuration window: the centre picture and eight ellipses around it,
// each holding a button with its icon, drawn in pixels of the client area so
// that it lies inside the shape ZelConfigureShapeClass gives the window.
#pragma once

#include "platform/text/Text.h"
#include "platform/ui/WindowSpec.h"

// `useFading` is the style manager's USEFADING, which the check box writes.
platform::WindowSpec P16_CONFIGUREWINDOW(platform::Byte& useFading);
