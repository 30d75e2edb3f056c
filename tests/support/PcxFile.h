// PCX files for tests, run-length encoded as paint programs write them:
// 8-bit paletted (one plane, the palette at the end) or 24-bit (three planes).
#pragma once

#include "support/JpegFile.h"

#include <functional>
#include <string>

enum class PcxKind { Paletted, TrueColour };

// `colourAt(x, y)`; a paletted file holds at most 256 colours.
void writePcx(const std::string& path, int width, int height, PcxKind kind,
              const std::function<Rgb(int x, int y)>& colourAt);
