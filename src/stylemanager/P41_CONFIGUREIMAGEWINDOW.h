// The image window: one background image's file, order, place, size, mode,
// corner and growth, with its preview. Its fields are the record of the
// list it edits.
#pragma once

#include "platform/ui/WindowSpec.h"
#include "restyle/RestyleRows.h"

platform::WindowSpec P41_CONFIGUREIMAGEWINDOW(IMAGEQUEUERecord& image);
