// JPEG files for tests, written with libjpeg: one colour, or a left-to-right
// blend of two.
#pragma once

#include <cstdint>
#include <string>

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
};

void writeJpeg(const std::string& path, int width, int height, Rgb left, Rgb right);
inline void writeJpeg(const std::string& path, int width, int height, Rgb colour) {
    writeJpeg(path, width, height, colour, colour);
}
