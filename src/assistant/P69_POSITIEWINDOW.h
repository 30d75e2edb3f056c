// The position window: a frame without controls, maximised and made
// see-through by BepaalAssistentPositie; its title tells the author the keys.
#pragma once

#include "platform/ui/WindowSpec.h"

platform::WindowSpec P69_POSITIEWINDOW();
