// The preview the two images windows share: ?IMAGE inside ?IMAGEBOX shows
// an image row's file in its mode at its size, never larger than the box.
#pragma once

#include "platform/text/Text.h"
#include "restyle/RestyleRows.h"

#include <string_view>

namespace platform {
class Window;
}

struct ImageSize {
    platform::Long width = 0, height = 0;
};

// The picture's own size in the window's units, read through an image
// control made for it and destroyed again; 0 by 0 when it cannot be read.
ImageSize naturalImageSize(platform::Window& window, std::string_view file);

// STYLE 2 centred, 3 tiled, else stretched. A side is the row's WIDTH or
// HEIGHT (with its percentage box set, that share of the box's side), or the
// picture's own where the row's is 0.
void previewImage(platform::Window& window, const IMAGEQUEUERecord& image);
