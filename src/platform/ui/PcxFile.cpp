#include "platform/ui/PcxFile.h"

#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
namespace {

constexpr std::size_t kHeaderSize = 128;
constexpr std::size_t kPaletteSize = 1 + 256 * 3;  // the 0Ch mark, then RGB triples
constexpr int kLargestSide = 16384;

unsigned byteAt(const std::string& bytes, std::size_t at) { return static_cast<unsigned char>(bytes[at]); }
unsigned wordAt(const std::string& bytes, std::size_t at) { return byteAt(bytes, at) | byteAt(bytes, at + 1) << 8; }

// The file's lines unpacked: `lineBytes` bytes each, runs carried over
// from one line to the next as some writers do.
std::optional<std::vector<std::uint8_t>> unpack(const std::string& bytes, std::size_t end, std::size_t total) {
    std::vector<std::uint8_t> data;
    data.reserve(total);
    std::size_t at = kHeaderSize;
    while (data.size() < total) {
        if (at >= end) return std::nullopt;
        const unsigned c = byteAt(bytes, at++);
        if ((c & 0xC0) != 0xC0) {
            data.push_back(static_cast<std::uint8_t>(c));
            continue;
        }
        if (at >= end) return std::nullopt;
        const std::uint8_t value = static_cast<std::uint8_t>(byteAt(bytes, at++));
        for (unsigned n = c & 0x3F; n > 0 && data.size() < total; --n) data.push_back(value);
    }
    return data;
}

}  // namespace

bool isPcx(const std::string& bytes) {
    return bytes.size() > kHeaderSize && byteAt(bytes, 0) == 0x0A && byteAt(bytes, 2) == 1;
}

QImage decodePcx(const std::string& bytes) {
    if (!isPcx(bytes) || byteAt(bytes, 3) != 8) return {};
    const int width = static_cast<int>(wordAt(bytes, 8)) - static_cast<int>(wordAt(bytes, 4)) + 1;
    const int height = static_cast<int>(wordAt(bytes, 10)) - static_cast<int>(wordAt(bytes, 6)) + 1;
    const unsigned planes = byteAt(bytes, 65);
    const std::size_t planeBytes = wordAt(bytes, 66);
    const bool paletted = planes == 1;
    if ((planes != 1 && planes != 3) || width < 1 || height < 1 || width > kLargestSide || height > kLargestSide ||
        planeBytes < static_cast<std::size_t>(width))
        return {};
    if (paletted && (bytes.size() < kHeaderSize + kPaletteSize || byteAt(bytes, bytes.size() - kPaletteSize) != 0x0C))
        return {};
    const std::size_t lineBytes = planeBytes * planes;
    const std::size_t end = paletted ? bytes.size() - kPaletteSize : bytes.size();
    const auto data = unpack(bytes, end, lineBytes * static_cast<std::size_t>(height));
    if (!data) return {};
    QImage image(width, height, QImage::Format_RGB32);
    const std::size_t palette = bytes.size() - kPaletteSize + 1;
    for (int y = 0; y < height; ++y) {
        const std::uint8_t* line = data->data() + static_cast<std::size_t>(y) * lineBytes;
        auto* pixels = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (paletted) {
                const std::size_t entry = palette + std::size_t{line[x]} * 3;
                pixels[x] = qRgb(static_cast<int>(byteAt(bytes, entry)), static_cast<int>(byteAt(bytes, entry + 1)),
                                 static_cast<int>(byteAt(bytes, entry + 2)));
            } else {
                pixels[x] = qRgb(line[x], line[planeBytes + static_cast<std::size_t>(x)],
                                 line[2 * planeBytes + static_cast<std::size_t>(x)]);
            }
        }
    }
    return image;
}

}  // namespace platform
