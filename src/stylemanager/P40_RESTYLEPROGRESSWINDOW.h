// The restyle progress window: a line of text above a progress bar.
#pragma once

#include "platform/ui/WindowSpec.h"

platform::WindowSpec P40_RESTYLEPROGRESSWINDOW();
