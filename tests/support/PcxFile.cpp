#include "support/PcxFile.h"

#include <fstream>
#include <stdexcept>
#include <vector>

namespace {

void putWord(std::string& bytes, std::size_t at, int value) {
    bytes[at] = static_cast<char>(value & 0xFF);
    bytes[at + 1] = static_cast<char>((value >> 8) & 0xFF);
}

// Runs of up to 63 equal bytes; a single byte with both top bits set is a run of one.
void encodeLine(std::string& out, const std::vector<unsigned char>& line) {
    for (std::size_t i = 0; i < line.size();) {
        std::size_t run = 1;
        while (i + run < line.size() && line[i + run] == line[i] && run < 63) ++run;
        if (run > 1 || (line[i] & 0xC0) == 0xC0) out += static_cast<char>(0xC0 | run);
        out += static_cast<char>(line[i]);
        i += run;
    }
}

}  // namespace

void writePcx(const std::string& path, int width, int height, PcxKind kind,
              const std::function<Rgb(int x, int y)>& colourAt) {
    const bool paletted = kind == PcxKind::Paletted;
    const int planeBytes = width + (width % 2);  // lines hold an even number of bytes
    std::string bytes(128, '\0');
    bytes[0] = 0x0A;
    bytes[1] = 5;
    bytes[2] = 1;
    bytes[3] = 8;
    putWord(bytes, 8, width - 1);
    putWord(bytes, 10, height - 1);
    bytes[65] = static_cast<char>(paletted ? 1 : 3);
    putWord(bytes, 66, planeBytes);
    std::vector<Rgb> palette;
    const auto indexOf = [&palette](Rgb c) {
        for (std::size_t i = 0; i < palette.size(); ++i)
            if (palette[i].r == c.r && palette[i].g == c.g && palette[i].b == c.b) return static_cast<unsigned char>(i);
        if (palette.size() == 256) throw std::invalid_argument("more than 256 colours");
        palette.push_back(c);
        return static_cast<unsigned char>(palette.size() - 1);
    };
    for (int y = 0; y < height; ++y) {
        std::vector<unsigned char> line(static_cast<std::size_t>(planeBytes) * (paletted ? 1 : 3), 0);
        for (int x = 0; x < width; ++x) {
            const Rgb c = colourAt(x, y);
            const auto at = static_cast<std::size_t>(x);
            if (paletted) {
                line[at] = indexOf(c);
            } else {
                line[at] = c.r;
                line[at + static_cast<std::size_t>(planeBytes)] = c.g;
                line[at + 2 * static_cast<std::size_t>(planeBytes)] = c.b;
            }
        }
        encodeLine(bytes, line);
    }
    if (paletted) {
        palette.resize(256);
        bytes += '\x0C';
        for (const Rgb& c : palette) bytes += std::string{static_cast<char>(c.r), static_cast<char>(c.g), static_cast<char>(c.b)};
    }
    std::ofstream(path, std::ios::binary) << bytes;
}
